#include "core/record_schema.h"

#include "core/amount_text.h"
#include "core/cp932.h"
#include "core/store_error.h"
#include "core/utf8.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kakutei {
namespace {

// What decoding makes of bytes that are no CP932 character: CP932 itself has no such character.
constexpr std::string_view kUndecodable = "\xEF\xBF\xBD";

std::string fillerText(int n) {
    return "予備" + std::to_string(n);
}

struct Range {
    double lowest;
    double highest;
    bool whole;
};

Range rangeOf(FieldKind kind) {
    switch (kind) {
    case FieldKind::int16:
        return {-32768.0, 32767.0, true};
    case FieldKind::int32:
        return {-2147483648.0, 2147483647.0, true};
    default:
        return {-std::numeric_limits<double>::max(), std::numeric_limits<double>::max(), false};
    }
}

std::string rangeText(FieldKind kind) {
    switch (kind) {
    case FieldKind::int16:
        return "-32,768 から 32,767 までの整数";
    case FieldKind::int32:
        return "-2,147,483,648 から 2,147,483,647 までの整数";
    default:
        return "64 ビットの浮動小数点数で表せる数";
    }
}

// Why a number cannot be a value of `kind`; nothing when it can.
std::optional<StoreErrc> misfit(double value, FieldKind kind) {
    const Range range = rangeOf(kind);
    if (!std::isfinite(value) || value < range.lowest || value > range.highest)
        return StoreErrc::outOfRange;
    if (range.whole && std::floor(value) != value)
        return StoreErrc::notWhole;
    return std::nullopt;
}

// A number too large for a double reads as an infinity, which no field's range holds.
std::optional<double> parseRecordNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size())
        return std::nullopt;
    if (error == std::errc::result_out_of_range)
        return text.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    if (error != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Walks the lines of a record's bytes; a line is whole only with its line feed.
class LineCursor {
public:
    explicit LineCursor(std::string_view bytes) : bytes_(bytes) {}
    bool atEnd() const { return at_ == bytes_.size(); }
    // The next line without its CR LF (or LF), and whether it ended with one.
    std::optional<std::string_view> next(bool& whole) {
        if (atEnd())
            return std::nullopt;
        const auto newline = bytes_.find('\n', at_);
        whole = newline != std::string_view::npos;
        const std::size_t end = whole ? newline : bytes_.size();
        std::string_view line = bytes_.substr(at_, end - at_);
        at_ = whole ? end + 1 : end;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return line;
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

} // namespace

int RecordSchema::textCount() const {
    int n = 0;
    for (const FieldSpec& field : fields)
        n += field.kind == FieldKind::text;
    return n;
}

int RecordSchema::numberCount() const {
    return static_cast<int>(fields.size()) - textCount();
}

StoredCheck unreadableFile(std::error_code error) {
    StoredCheck check;
    check.state = StoredState::unreadable;
    check.error = error;
    return check;
}

StoredCheck missingFile() {
    StoredCheck check;
    check.error = std::make_error_code(std::errc::no_such_file_or_directory);
    return check;
}

std::vector<std::int32_t> int32Numbers(const RecordValues& values) {
    std::vector<std::int32_t> numbers;
    numbers.reserve(values.numbers.size());
    for (double value : values.numbers)
        numbers.push_back(static_cast<std::int32_t>(value));
    return numbers;
}

StoredRecord parseRecord(std::string_view bytes, const RecordSchema& schema) {
    StoredRecord record;
    const auto fail = [&record](int field, const std::string& caption, FieldKind kind, StoreErrc why) {
        record.check = {StoredState::unreadable, why, field, caption, kind};
        record.values = {};
        return record;
    };
    LineCursor lines(bytes);
    bool whole = false;
    int field = 0;
    for (const FieldSpec& expected : schema.fields) {
        ++field;
        const auto line = lines.next(whole);
        if (!line)
            return fail(field, expected.caption, expected.kind, StoreErrc::endOfFile);
        // A value cut short has lost its line end with its last digits: "3460000" cut to "34".
        if (!whole)
            return fail(field, expected.caption, expected.kind, StoreErrc::cutShort);
        const std::string_view value = trimSpaces(*line);
        if (expected.kind == FieldKind::text) {
            const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"' &&
                                value.substr(1, value.size() - 2).find('"') == std::string_view::npos;
            const bool bare = schema.openEnded && value.find('"') == std::string_view::npos;
            if (!quoted && !bare)
                return fail(field, expected.caption, expected.kind, StoreErrc::notText);
            std::string text = decodeCp932(quoted ? value.substr(1, value.size() - 2) : value);
            if (text.find(kUndecodable) != std::string::npos)
                return fail(field, expected.caption, expected.kind, StoreErrc::notCp932);
            record.values.texts.push_back(std::move(text));
            continue;
        }
        const auto number = parseRecordNumber(value);
        if (!number)
            return fail(field, expected.caption, expected.kind, StoreErrc::typeMismatch);
        if (const auto why = misfit(*number, expected.kind))
            return fail(field, expected.caption, expected.kind, *why);
        record.values.numbers.push_back(*number);
    }
    if (schema.fillers) {
        for (int n = 1; n <= kFillerCount; ++n) {
            ++field;
            const auto line = lines.next(whole);
            if (!line)
                return fail(field, fillerText(n), FieldKind::text, StoreErrc::endOfFile);
            if (!whole)
                return fail(field, fillerText(n), FieldKind::text, StoreErrc::cutShort);
            if (trimSpaces(*line) != "\"" + encodeCp932(fillerText(n)).bytes + "\"")
                return fail(field, fillerText(n), FieldKind::text, StoreErrc::badFiller);
        }
    }
    if (!schema.openEnded && !lines.atEnd())
        return fail(0, {}, FieldKind::text, StoreErrc::extraData);
    record.check = {StoredState::readable, {}, 0, {}, FieldKind::text};
    return record;
}

StoredRecord readRecordFile(const std::string& path, const RecordSchema& schema,
                            std::optional<std::string>* bytes) {
    StoredRecord record;
    std::string read;
    const std::error_code error = readRecordBytes(path, read);
    if (bytes)
        *bytes = isAbsence(error) ? std::nullopt : std::optional<std::string>(read);
    if (isAbsence(error))
        return record;
    if (error) {
        record.check = unreadableFile(error);
        return record;
    }
    return parseRecord(read, schema);
}

std::string unreadableReason(const StoredCheck& check) {
    if (check.field == 0)
        return describeError(check.error);
    std::string where = std::to_string(check.field) + " 番目の値";
    if (!check.caption.empty())
        where += "（" + check.caption + "）";
    if (check.error == StoreErrc::outOfRange)
        return where + "が範囲を超えています。" + rangeText(check.kind) +
               "のはずです（ファイルが壊れています）。";
    if (check.error == StoreErrc::notWhole)
        return where + "が整数ではありません（ファイルが壊れています）。";
    return where + ": " + describeError(check.error);
}

std::string unreadableText(const std::string& path, const StoredCheck& check) {
    return "「" + path + "」を読めません。" + unreadableReason(check);
}

Message recordProblemMessage(const RecordProblem& problem) {
    if (problem.character)
        return unstorableTextMessage({problem.field, *problem.character});
    const double value = problem.number.value_or(0);
    const std::string range =
        problem.kind == FieldKind::amount
            ? formatAmount(-kLargestExactAmount) + " から " + formatAmount(kLargestExactAmount) + " まで"
            : rangeText(problem.kind);
    return {"計算できません", "「" + problem.field + "」の " + formatAmount(value) + " は記録できる範囲（" +
                                  range +
                                  "）を超えています。金額を確かめて下さい。\n（何も保存していません。）"};
}

const FieldSpec* RecordWriter::next(FieldKind given) {
    if (written_ >= schema_->fields.size()) {
        misfit_ = true;
        return nullptr;
    }
    const FieldSpec& field = schema_->fields[written_++];
    if ((given == FieldKind::text) != (field.kind == FieldKind::text)) {
        misfit_ = true;
        return nullptr;
    }
    return &field;
}

void RecordWriter::refuse(RecordProblem problem) {
    if (!problem_)
        problem_ = std::move(problem);
}

void RecordWriter::text(std::string_view utf8) {
    const FieldSpec* field = next(FieldKind::text);
    if (!field)
        return;
    if (const auto character = unstorableCharacter(utf8))
        refuse({field->caption, character, std::nullopt, FieldKind::text});
    bytes_ += "\"" + encodeCp932(utf8).bytes + "\"\r\n";
}

void RecordWriter::integer(std::int64_t value) {
    number(static_cast<double>(value));
}

void RecordWriter::number(double value) {
    const FieldSpec* field = next(FieldKind::amount);
    if (!field)
        return;
    // Beyond it the figure would not be stored as it was worked out, and every sum made from it would be off.
    const bool inexact = field->kind == FieldKind::amount && std::fabs(value) > kLargestExactAmount;
    if (inexact || misfit(value, field->kind)) {
        refuse({field->caption, std::nullopt, value, field->kind});
        bytes_ += "0\r\n";
        return;
    }
    bytes_ += field->kind == FieldKind::amount ? formatRecordNumber(value)
                                               : std::to_string(static_cast<std::int64_t>(value));
    bytes_ += "\r\n";
}

void RecordWriter::values(const RecordValues& values) {
    std::size_t text = 0;
    std::size_t number = 0;
    for (std::size_t i = written_; i < schema_->fields.size(); ++i) {
        if (schema_->fields[i].kind == FieldKind::text) {
            if (text >= values.texts.size())
                break;
            this->text(values.texts[text++]);
        } else {
            if (number >= values.numbers.size())
                break;
            this->number(values.numbers[number++]);
        }
    }
    if (text != values.texts.size() || number != values.numbers.size())
        misfit_ = true;
}

std::string RecordWriter::bytes() const {
    std::string bytes = bytes_;
    if (schema_->fillers)
        for (int n = 1; n <= kFillerCount; ++n)
            bytes += "\"" + encodeCp932(fillerText(n)).bytes + "\"\r\n";
    return bytes;
}

std::error_code RecordWriter::writeTo(const std::string& path, WriteMode mode, Flush flush) const {
    if (problem_)
        return StoreErrc::unstorableText;
    if (misfit_ || written_ != schema_->fields.size())
        return StoreErrc::recordShape;
    return writeFileAtomically(path, bytes(), mode, flush);
}

RecordWriter recordFrom(const RecordSchema& schema, const RecordValues& values) {
    RecordWriter writer(schema);
    writer.values(values);
    return writer;
}

} // namespace kakutei
