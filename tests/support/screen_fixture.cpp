#include "screen_fixture.h"

#include "core/cp932.h"

#include <sstream>

namespace kakutei::testing {

namespace {
std::string screenFile(std::string_view year, int k) {
    return "所得税/" + std::string(year) + "所得税/" + std::to_string(70 + k) + ".txt";
}
} // namespace

std::vector<std::string> DataScreenFixture::storedLines(int k, std::string_view year) const {
    const std::string text = decodeCp932(root.readBytes(screenFile(year, k)));
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

bool DataScreenFixture::stored(int k) const {
    return std::filesystem::exists(root.path() + "/" + screenFile(kYearCode, k));
}

void DataScreenFixture::writeScreenFile(int k, const std::vector<std::string>& lines,
                                        std::string_view year) const {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += encodeCp932(line).bytes + "\r\n";
    root.writeBytes(screenFile(year, k), bytes);
}

} // namespace kakutei::testing
