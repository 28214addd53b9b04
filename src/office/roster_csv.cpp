#include "office/roster_csv.h"

#include "core/local_time.h"
#include "office/csv_text.h"

namespace kakutei {

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

std::error_code writeRosterCsv(const OutputGate& gate, const std::string& path,
                               const std::vector<RosterRow>& rows) {
    return writeCsvFile(gate, path, rosterCsv(rows));
}

} // namespace kakutei
