#pragma once
// The one record syntax of every data file: CP932, one value per line, CRLF; texts between double quotes
// with no escape, numbers in plain decimal. Readers take values in order and may stop at any point.

#include "core/file_io.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kakutei {

inline constexpr int kFillerCount = 12;

// A text that cannot be stored: CP932 cannot hold it, it holds a double quote (the syntax has no escape, so
// it would not read back as typed), or it holds a control character (a line break would end the value
// early and shift every later one; the others cannot be seen on screen or on the printed form).
struct UnstorableText {
    std::string field;  // the field's caption, as the screen shows it
    char32_t character; // the first offending character
};

// U+0000 to U+001F and U+007F, line breaks and tabs among them.
constexpr bool isControlCharacter(char32_t c) {
    return c < 0x20 || c == 0x7F;
}

struct Message {
    std::string title;
    std::string body;
};
Message unstorableTextMessage(const UnstorableText& problem);

// Plain decimal with at most 15 significant digits and never an exponent: 750000.7 → "750000.7".
std::string formatRecordNumber(double value);

class RecordWriter {
public:
    void text(std::string_view utf8, std::string_view fieldName);
    void integer(std::int64_t value);
    void number(double value);
    void fillers(); // "予備1" to "予備12"

    const std::optional<UnstorableText>& problem() const { return problem_; }
    const std::string& bytes() const { return bytes_; }

    // Refuses to write anything while a text is unstorable (StoreErrc::unstorableText).
    std::error_code writeTo(const std::string& path, WriteMode mode = WriteMode::replace) const;

private:
    void line(std::string_view bytes);
    std::string bytes_;
    std::optional<UnstorableText> problem_;
};

class RecordReader {
public:
    RecordReader() = default;
    explicit RecordReader(const std::string& path) { open(path); }
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    std::error_code open(const std::string& path);

    // Each read fails once the file ends or a value does not fit its type; after a failure every later read
    // fails too, so a caller can read a whole record and look at error() once.
    std::optional<std::string> text(); // an unquoted value reads as its own text
    std::optional<double> number();
    std::optional<std::int16_t> int16();
    std::optional<std::int32_t> int32();

    bool ok() const { return !error_; }
    std::error_code error() const { return error_; }

private:
    std::optional<std::string_view> nextLine();
    template <typename Int> std::optional<Int> integer(std::optional<Int> (*convert)(double));
    void fail(std::error_code error);
    FileReader file_;
    std::string buffer_;
    std::size_t consumed_ = 0;
    bool endOfFile_ = false;
    std::error_code error_;
};

// The leading values of a screen record: its texts, then its numbers. Nothing when the file is missing or
// ends, or holds something else, before them.
struct RecordValues {
    std::vector<std::string> texts;
    std::vector<double> numbers;
};
std::optional<RecordValues> readRecordValues(const std::string& path, int textCount, int numberCount);

} // namespace kakutei
