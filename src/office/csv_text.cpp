#include "office/csv_text.h"

#include "core/cp932.h"
#include "core/store_error.h"
#include "registry/output_gate.h"

namespace kakutei {

namespace {

// -12000 or -0.5: what a spreadsheet reads as a number, never as a formula.
bool isPlainNegativeNumber(std::string_view text) {
    if (text.size() < 2 || text.front() != '-')
        return false;
    const std::string_view digits = text.substr(1);
    const auto point = digits.find('.');
    const auto allDigits = [](std::string_view part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return point == std::string_view::npos
               ? allDigits(digits)
               : allDigits(digits.substr(0, point)) && allDigits(digits.substr(point + 1));
}

bool startsAsFormula(std::string_view text) {
    if (text.empty() || std::string_view("=+-@\t\r").find(text.front()) == std::string_view::npos)
        return false;
    return !isPlainNegativeNumber(text);
}

} // namespace

std::string csvField(std::string_view text) {
    const std::string cell = startsAsFormula(text) ? "'" + std::string(text) : std::string(text);
    if (cell.find_first_of(",\"\r\n") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (char c : cell) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string csvAmount(const std::optional<std::int64_t>& amount) {
    return amount ? std::to_string(*amount) : std::string();
}

std::error_code writeCsvFile(const OutputGate& gate, const std::string& path, std::string_view utf8) {
    const Cp932Encoding encoded = encodeCp932(utf8);
    if (!encoded.ok())
        return make_error_code(StoreErrc::unstorableText);
    return gate.write(path, encoded.bytes);
}

} // namespace kakutei
