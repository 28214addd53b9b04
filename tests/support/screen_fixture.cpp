#include "screen_fixture.h"

#include "core/cp932.h"
#include "core/file_io.h"
#include "core/path_text.h"
#include "core/record_kinds.h"
#include "sample_taxpayer.h"

#include <filesystem>
#include <sstream>

namespace kakutei::testing {

namespace {
std::string screenFile(std::string_view year, int k) {
    return "所得税/" + std::string(year) + "所得税/" + std::to_string(70 + k) + ".txt";
}
} // namespace

std::vector<std::string> recordLines(const TempRoot& root, const std::string& relative) {
    const std::string text = decodeCp932(root.readBytes(relative));
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

DataScreenFixture::DataScreenFixture() {
    store.ensureFolders(kYearCode);
    registerTaxpayer(store, 7, "七");
}

void DataScreenFixture::openForSeven(DataScreen& screen) {
    screen.text60.text = "7";
    screen.text100.text = "H16";
    screen.nenGO();
    screen.clear();
    screen.data();
    ui.calls.clear();
    host.writes.clear();
    host.sources.clear();
}

std::vector<std::string> DataScreenFixture::storedLines(int k, std::string_view year) const {
    return recordLines(root, screenFile(year, k));
}

bool DataScreenFixture::stored(int k) const {
    return std::filesystem::exists(fsPath(root.path() + "/" + screenFile(kYearCode, k)));
}

void DataScreenFixture::writeScreenFile(int k, const std::vector<std::string>& lines,
                                        std::string_view year) const {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += encodeCp932(line).bytes + "\r\n";
    if (lines.size() == screenRecordSchema(k).fields.size())
        for (int i = 1; i <= kFillerCount; ++i)
            bytes += encodeCp932("\"予備" + std::to_string(i) + "\"").bytes + "\r\n";
    root.writeBytes(screenFile(year, k), bytes);
}

void writeRecordFields(const DataStore& store, PersonCode code, int k, int texts, int numbers,
                       const std::map<int, std::string>& set, std::string_view year) {
    std::string bytes;
    for (int n = 1; n <= texts + numbers; ++n) {
        const auto it = set.find(n);
        const std::string line = it != set.end() ? it->second : n <= texts ? "\"\"" : "0";
        bytes += encodeCp932(line).bytes + "\r\n";
    }
    for (int i = 1; i <= kFillerCount; ++i)
        bytes += encodeCp932("\"予備" + std::to_string(i) + "\"").bytes + "\r\n";
    const std::string path = store.path(*names::recordFile(code, k, year));
    std::filesystem::create_directories(fsPath(path).parent_path());
    writeFileAtomically(path, bytes, WriteMode::replace);
}

void writeRecordFields(const DataStore& store, PersonCode code, int k, const std::map<int, std::string>& set,
                       std::string_view year) {
    const RecordSchema& schema = screenRecordSchema(k);
    writeRecordFields(store, code, k, schema.textCount(), schema.numberCount(), set, year);
}

} // namespace kakutei::testing
