#include "office/comparison_report.h"

#include "core/utf8.h"

#include <algorithm>
#include <array>

namespace kakutei {

std::size_t displayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = nextCodePoint(text, pos);
        // Half-width katakana (U+FF61 to U+FF9F) are the one run of narrow characters above U+1100 that a
        // client's name may hold.
        const bool wide = c >= 0x1100 && !(c >= 0xFF61 && c <= 0xFF9F);
        width += wide ? 2 : 1;
    }
    return width;
}

namespace {

std::string padded(const std::string& text, std::size_t width, bool right) {
    const std::string fill(width - std::min(width, displayWidth(text)), ' ');
    return right ? fill + text : text + fill;
}

void trimRight(std::string& line) {
    line.erase(line.find_last_not_of(' ') + 1);
}

} // namespace

std::string comparisonReport(const YearComparison& comparison) {
    std::vector<std::array<std::string, kComparisonColumnCount>> cells;
    std::array<std::string, kComparisonColumnCount> headers;
    for (int column = 0; column < kComparisonColumnCount; ++column)
        headers[static_cast<std::size_t>(column)] = kComparisonHeaders[static_cast<std::size_t>(column)];
    cells.push_back(headers);
    for (const ComparisonRow& row : comparison.rows) {
        auto& texts = cells.emplace_back();
        for (int column = 0; column < kComparisonColumnCount; ++column)
            texts[static_cast<std::size_t>(column)] =
                comparisonCellText(row, static_cast<ComparisonColumn>(column));
    }
    std::array<std::size_t, kComparisonColumnCount> widths{};
    for (const auto& texts : cells)
        for (std::size_t column = 0; column < texts.size(); ++column)
            widths[column] = std::max(widths[column], displayWidth(texts[column]));

    std::string report = comparisonClientLine(comparison) + '\n' + comparisonYearsLine(comparison) + "\n\n";
    for (const auto& texts : cells) {
        std::string line;
        for (std::size_t column = 0; column < texts.size(); ++column) {
            const bool right = comparisonColumnIsNumeric(static_cast<ComparisonColumn>(column));
            line += (column ? "  " : "") + padded(texts[column], widths[column], right);
        }
        trimRight(line);
        report += line + '\n';
    }
    report += '\n' + std::string(kChangedLegend) + '\n';
    for (const std::string& note : comparison.notes)
        report += note + '\n';
    return report;
}

} // namespace kakutei
