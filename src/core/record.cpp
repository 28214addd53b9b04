#include "core/record.h"

#include "core/amount_text.h"
#include "core/cp932.h"
#include "core/store_error.h"
#include "core/utf8.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kakutei {
namespace {

constexpr std::size_t kReadBlock = 4096;
// Far beyond any value the program writes; a longer line means the file is not a record.
constexpr std::size_t kLongestLine = 64 * 1024;

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::optional<double> parseRecordNumber(std::string_view text) {
    text = trim(text);
    if (text.empty())
        return 0.0;
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string characterText(char32_t c) {
    std::string out;
    appendUtf8(out, c);
    return out;
}

// "U+001B": a control character has no glyph of its own, so the message names it by its number.
std::string codePointName(char32_t c) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

// Where a text holds its first double quote or control character, which the syntax cannot carry.
std::size_t firstSyntaxBreaker(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte == '"' || isControlCharacter(byte))
            return i;
    }
    return std::string_view::npos;
}

} // namespace

Message unstorableTextMessage(const UnstorableText& problem) {
    Message message;
    message.title = "保存できない文字があります";
    const char32_t c = problem.character;
    if (c == U'"') {
        message.body =
            "「" + problem.field +
            "」に半角の「\"」があります。この文字は保存できません。全角の「”」などに置き換えて下さい。";
    } else if (c == U'\n' || c == U'\r') {
        message.body =
            "「" + problem.field + "」に改行があります。改行は保存できません。一行で入力して下さい。";
    } else if (c == U'\t') {
        message.body =
            "「" + problem.field + "」にタブがあります。タブは保存できません。空白に置き換えて下さい。";
    } else if (isControlCharacter(c)) {
        message.body = "「" + problem.field + "」に制御文字（" + codePointName(c) +
                       "）があります。制御文字は保存できません。取り除いて下さい。";
    } else {
        message.body = "「" + problem.field + "」の「" + characterText(problem.character) +
                       "」は保存できない文字です。別の文字に置き換えて下さい。";
    }
    message.body += "\n（何も保存していません。）";
    return message;
}

std::string formatRecordNumber(double value) {
    if (!std::isfinite(value) || value == 0)
        return "0";
    // Round to 15 significant digits first, then lay the digits out without an exponent.
    char scientific[64];
    const auto result =
        std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific, 14);
    const std::string_view text(scientific, static_cast<std::size_t>(result.ptr - scientific));
    const auto e = text.find('e');
    const bool negative = text.front() == '-';
    std::string digits;
    for (char c : text.substr(0, e))
        if (c >= '0' && c <= '9')
            digits += c;
    int exponent = 0;
    const std::string_view exponentText = text.substr(e + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    // digits = d1 d2 d3 …, value = 0.d1d2d3… × 10^(exponent + 1)
    const int pointAt = exponent + 1;
    std::string out = negative ? "-" : "";
    if (pointAt <= 0) {
        out += "0." + std::string(static_cast<std::size_t>(-pointAt), '0') + digits;
    } else if (static_cast<std::size_t>(pointAt) >= digits.size()) {
        out += digits + std::string(static_cast<std::size_t>(pointAt) - digits.size(), '0');
    } else {
        out += digits.substr(0, static_cast<std::size_t>(pointAt)) + "." +
               digits.substr(static_cast<std::size_t>(pointAt));
    }
    return out;
}

void RecordWriter::line(std::string_view bytes) {
    bytes_ += bytes;
    bytes_ += "\r\n";
}

void RecordWriter::text(std::string_view utf8, std::string_view fieldName) {
    const Cp932Encoding encoded = encodeCp932(utf8);
    // U+0000 is itself one of the characters refused, so "none" cannot be 0 here.
    std::optional<char32_t> offending;
    if (!encoded.ok())
        offending = encoded.unstorable;
    // Both are single bytes in UTF-8; a character CP932 cannot hold is named instead only when it comes
    // first.
    if (const std::size_t at = firstSyntaxBreaker(utf8); at != std::string_view::npos)
        if (encoded.ok() || encodeCp932(utf8.substr(0, at)).ok())
            offending = static_cast<unsigned char>(utf8[at]);
    if (offending && !problem_)
        problem_ = UnstorableText{std::string(fieldName), *offending};
    line("\"" + encoded.bytes + "\"");
}

void RecordWriter::integer(std::int64_t value) {
    line(std::to_string(value));
}

void RecordWriter::number(double value) {
    line(formatRecordNumber(value));
}

void RecordWriter::fillers() {
    for (int i = 1; i <= kFillerCount; ++i)
        text("予備" + std::to_string(i), "予備");
}

std::error_code RecordWriter::writeTo(const std::string& path, WriteMode mode) const {
    if (problem_)
        return StoreErrc::unstorableText;
    return writeFileAtomically(path, bytes_, mode);
}

RecordReader::~RecordReader() = default;

std::error_code RecordReader::open(const std::string& path) {
    buffer_.clear();
    consumed_ = 0;
    endOfFile_ = false;
    error_.clear();
    error_ = file_.open(path);
    return error_;
}

void RecordReader::fail(std::error_code error) {
    if (!error_)
        error_ = error;
}

std::optional<std::string_view> RecordReader::nextLine() {
    if (error_)
        return std::nullopt;
    std::size_t searchFrom = consumed_;
    for (;;) {
        const auto newline = buffer_.find('\n', searchFrom);
        if (newline != std::string::npos || (endOfFile_ && consumed_ < buffer_.size())) {
            const std::size_t end = newline == std::string::npos ? buffer_.size() : newline;
            std::string_view line(buffer_.data() + consumed_, end - consumed_);
            consumed_ = newline == std::string::npos ? end : end + 1;
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            return line;
        }
        if (endOfFile_) {
            fail(StoreErrc::endOfFile);
            return std::nullopt;
        }
        if (buffer_.size() - consumed_ > kLongestLine) {
            fail(StoreErrc::lineTooLong);
            return std::nullopt;
        }
        // Drop what has been read so that the buffer holds about one block plus the current line.
        buffer_.erase(0, consumed_);
        consumed_ = 0;
        searchFrom = buffer_.size();
        char block[kReadBlock];
        std::error_code readError;
        const std::optional<std::size_t> got = file_.read(block, sizeof block, readError);
        if (!got) {
            fail(readError);
            return std::nullopt;
        }
        buffer_.append(block, *got);
        if (*got == 0)
            endOfFile_ = true;
    }
}

std::optional<std::string> RecordReader::text() {
    const auto line = nextLine();
    if (!line)
        return std::nullopt;
    std::string_view value = trim(*line);
    if (!value.empty() && value.front() == '"') {
        value.remove_prefix(1);
        value = value.substr(0, value.find('"'));
    }
    return decodeCp932(value);
}

std::optional<double> RecordReader::number() {
    const auto line = nextLine();
    if (!line)
        return std::nullopt;
    const auto value = parseRecordNumber(*line);
    if (!value)
        fail(StoreErrc::typeMismatch);
    return value;
}

template <typename Int> std::optional<Int> RecordReader::integer(std::optional<Int> (*convert)(double)) {
    const auto value = number();
    if (!value)
        return std::nullopt;
    const auto converted = convert(*value);
    if (!converted)
        fail(StoreErrc::typeMismatch);
    return converted;
}

std::optional<std::int16_t> RecordReader::int16() {
    return integer<std::int16_t>(toInt16);
}
std::optional<std::int32_t> RecordReader::int32() {
    return integer<std::int32_t>(toInt32);
}

std::optional<RecordValues> readRecordValues(const std::string& path, int textCount, int numberCount) {
    RecordReader reader(path);
    RecordValues values;
    values.texts.reserve(static_cast<std::size_t>(textCount));
    values.numbers.reserve(static_cast<std::size_t>(numberCount));
    for (int i = 0; i < textCount && reader.ok(); ++i)
        values.texts.push_back(reader.text().value_or(""));
    for (int i = 0; i < numberCount && reader.ok(); ++i)
        values.numbers.push_back(reader.number().value_or(0));
    if (!reader.ok())
        return std::nullopt;
    return values;
}

} // namespace kakutei
