#pragma once
// The office's CSV files for a spreadsheet. They are CP932 with CRLF, like every data file: a Japanese
// spreadsheet opens a CP932 file by double-click without an import step (older ones do not recognise UTF-8
// at all), and every name in them was read from CP932, so nothing is lost. Amounts are plain integers, so
// that the spreadsheet can add them up.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace kakutei {

class OutputGate;

// A cell of text, which a spreadsheet shows as the text it is. One that starts as a formula does (=, +, -, @,
// a tab or a carriage return) gets an apostrophe in front, which a spreadsheet takes as "text": a client's
// name "=HYPERLINK(…)" must never run as a formula on the office's machine. A plain negative number such
// as -12000 stays a number. Quoted when it holds a separator, a quote or a line break; quotes doubled.
std::string csvField(std::string_view text);
// The plain integer, or an empty field for no figure.
std::string csvAmount(const std::optional<std::int64_t>& amount);

// Writes CSV text given in UTF-8 as CP932 through the output gate; a text CP932 cannot hold writes nothing.
std::error_code writeCsvFile(const OutputGate& gate, const std::string& path, std::string_view utf8);

} // namespace kakutei
