#include "office/roster_csv.h"

#include "core/cp932.h"
#include "core/file_io.h"
#include "core/local_time.h"
#include "core/store_error.h"

namespace kakutei {
namespace {

// Quoted when it holds a separator, a quote or a line break; quotes doubled.
std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string csvAmount(const std::optional<std::int64_t>& amount) {
    return amount ? std::to_string(*amount) : std::string();
}

} // namespace

std::string rosterCsv(const std::vector<RosterRow>& rows) {
    std::string csv = "個人コード,氏名,フリガナ,申告の種類,所得金額,納める税金,還付される税金,最終計算日時,"
                      "警告数,読めないファイル数\r\n";
    for (const RosterRow& row : rows) {
        csv += std::to_string(row.code) + ',' + csvField(row.name) + ',' + csvField(row.reading) + ',' +
               csvField(row.returnKind) + ',' + csvAmount(row.income) + ',' + csvAmount(row.taxDue) + ',' +
               csvAmount(row.refund) + ',' + (row.calculatedAt ? localTimeText(*row.calculatedAt) : "") +
               ',' + (row.warnings ? std::to_string(*row.warnings) : "") + ',' +
               std::to_string(row.unreadable.size()) + "\r\n";
    }
    return csv;
}

std::error_code writeRosterCsv(const std::string& path, const std::vector<RosterRow>& rows) {
    const Cp932Encoding encoded = encodeCp932(rosterCsv(rows));
    if (!encoded.ok())
        return make_error_code(StoreErrc::unstorableText);
    return writeFileAtomically(path, encoded.bytes, WriteMode::replace);
}

} // namespace kakutei
