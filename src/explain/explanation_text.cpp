#include "explain/explanation_text.h"

#include "core/amount_text.h"
#include "core/utf8.h"

#include <cstdio>

namespace kakutei {
namespace {

constexpr std::size_t kLabelColumns = 34;
constexpr std::size_t kFigureColumns = 14;
constexpr std::string_view kStepIndent = "        ";

// Columns on a terminal: a full-width character takes two, so the figures line up under Japanese labels.
std::size_t displayColumns(std::string_view text) {
    std::size_t columns = 0;
    for (const char32_t c : toCodePoints(text))
        columns += c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 1 : 2;
    return columns;
}

std::string spaces(std::size_t count) {
    return std::string(count, ' ');
}

void appendLine(std::string& out, const ExplainedLine& line) {
    const std::size_t labelColumns = displayColumns(line.label);
    const std::string figure = workSheetFigure(line.figure);
    out += "  " + line.label;
    // A label too long for its column still leaves a space before the figure.
    out += spaces(labelColumns < kLabelColumns ? kLabelColumns - labelColumns : 1);
    out += spaces(figure.size() < kFigureColumns ? kFigureColumns - figure.size() : 0) + figure;
    out += "  ［" + std::string(provenanceCaption(line.provenance)) + "］\n";
    for (const std::string& step : line.steps)
        out += std::string(kStepIndent) + step + '\n';
}

} // namespace

std::string workSheetClient(const Explanation& explanation) {
    std::string client = "個人コード " + std::to_string(explanation.code);
    if (!explanation.name.empty())
        client += "　" + explanation.name;
    return client;
}

std::string workSheetFigure(double figure) {
    const std::string text = formatAmount(figure);
    return text.empty() ? "0" : text;
}

std::string workSheetFileName(const Explanation& explanation) {
    char code[16];
    std::snprintf(code, sizeof code, "%02d", static_cast<int>(explanation.code));
    std::string name = code;
    if (!explanation.name.empty())
        name += "_" + explanation.name;
    return name + "_" + std::string(kWorkSheetTitle) + ".pdf";
}

std::string explanationText(const Explanation& explanation) {
    std::string out = std::string(kWorkSheetTitle) + "（" + std::string(kWorkSheetYear) + "）\n";
    out += workSheetClient(explanation) + '\n';
    if (explanation.sections.empty())
        out += "\n（明細はありません）\n";
    for (const ExplanationSection& section : explanation.sections) {
        out += "\n■ " + section.title + '\n';
        for (const ExplainedLine& line : section.lines)
            appendLine(out, line);
    }
    if (!explanation.notes.empty()) {
        out += "\n■ 注記\n";
        for (const std::string& note : explanation.notes)
            out += "  ・" + note + '\n';
    }
    return out;
}

} // namespace kakutei
