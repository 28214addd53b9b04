#pragma once
// The one description of every record file: its fields in order, each with its kind and so its range, and
// whether the twelve fillers end it. The writer, the reader and every check of a stored file go through the
// record's schema, so that a value one of them accepts the others accept too: a record that passes the check
// loads on its screen, and a screen can store back every record it loaded.

#include "core/record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kakutei {

enum class FieldKind {
    text,   // between double quotes, CP932
    int16,  // a whole number from -32,768 to 32,767
    int32,  // a whole number from -2,147,483,648 to 2,147,483,647
    amount, // 64-bit floating point, fractions allowed: any finite number
};

// The largest amount a record takes from a calculation. A record keeps 15 significant digits, so beyond
// this a whole yen would be stored as another figure (and from 2^53 on a double cannot even hold it).
inline constexpr double kLargestExactAmount = 999'999'999'999'999.0;

struct FieldSpec {
    FieldKind kind = FieldKind::text;
    std::string caption; // names the field in a message about it
};

struct RecordSchema {
    std::string name; // "所得金額の記録": how a message names the kind of file
    std::vector<FieldSpec> fields;
    bool fillers = true; // the fields are followed by "予備1" to "予備12" and the file ends there
    // The year-end program's files are read, never written: whatever follows the fields read is theirs and
    // is not judged, and a text it wrote without quotes (a telephone number written as a number) is taken as
    // it stands. In the program's own records every text is quoted, so an unquoted line where a text belongs
    // means the values have shifted.
    bool openEnded = false;

    int textCount() const;
    int numberCount() const;
};

// The values of a record in file order, texts and numbers apart: the n-th text field's value is texts[n]…
struct RecordValues {
    std::vector<std::string> texts;
    std::vector<double> numbers;

    bool operator==(const RecordValues&) const = default;
};

enum class StoredState {
    missing,    // not there yet: an empty screen, as for a new taxpayer
    readable,   // every value reads, typed and in range, and the file ends as the record does
    unreadable, // there, but it cannot be read whole
};

struct StoredCheck {
    StoredState state = StoredState::missing;
    std::error_code error; // why, when unreadable
    int field = 0;       // the field at fault (1-based, fillers after the fields), 0 for the file as a whole
    std::string caption; // that field's caption, when it has one
    FieldKind kind = FieldKind::text; // that field's kind
};

// A file that cannot be read at all (no permission, a folder in its place, …), or is not there.
StoredCheck unreadableFile(std::error_code error);
StoredCheck missingFile();

// A record as read: its check and, only when readable, every value.
struct StoredRecord {
    StoredCheck check;
    RecordValues values;

    bool readable() const { return check.state == StoredState::readable; }
};

// The numbers of a record read through a schema whose number fields are 32-bit: each is within range.
std::vector<std::int32_t> int32Numbers(const RecordValues& values);

// Reads record bytes through the schema.
StoredRecord parseRecord(std::string_view bytes, const RecordSchema& schema);
// Reads the file at `path` through the schema. It reads without blocking: a pipe or a device where a record
// should be is unreadable, never waited on. `bytes`, when given, gets what the file held (nothing when it is
// not there), so that a screen can tell later whether the file changed since.
StoredRecord readRecordFile(const std::string& path, const RecordSchema& schema,
                            std::optional<std::string>* bytes = nullptr);

// Why a record cannot be read, for a message: "20 番目の値（社会保険料控除）が…".
std::string unreadableReason(const StoredCheck& check);
// "「…/72.txt」を読めません。20 番目の値（…）が…"
std::string unreadableText(const std::string& path, const StoredCheck& check);

// A value the record cannot hold as it was given.
struct RecordProblem {
    std::string field;                 // the field's caption
    std::optional<char32_t> character; // a character the text syntax or CP932 cannot hold
    std::optional<double> number;      // a number beyond its field's range
    FieldKind kind = FieldKind::text;
};
// The message for a record that was not written because of `problem`.
Message recordProblemMessage(const RecordProblem& problem);

// Builds a record's bytes value by value in file order, checking each against the schema; the fillers are
// added by the schema. While a value cannot be stored (a text, or a number out of its field's range) nothing
// is ever written.
class RecordWriter {
public:
    explicit RecordWriter(const RecordSchema& schema) : schema_(&schema) {}

    void text(std::string_view utf8);
    void integer(std::int64_t value);
    void number(double value);
    // Every value of a record at once.
    void values(const RecordValues& values);

    const RecordSchema& schema() const { return *schema_; }
    const std::optional<RecordProblem>& problem() const { return problem_; }
    // The whole file: the values, then the fillers.
    std::string bytes() const;

    // Refuses to write anything while a value is unstorable (StoreErrc::unstorableText) or the record is
    // not complete.
    std::error_code writeTo(const std::string& path, WriteMode mode = WriteMode::replace,
                            Flush flush = Flush::fileAndFolder) const;

private:
    const FieldSpec* next(FieldKind given);
    void refuse(RecordProblem problem);
    const RecordSchema* schema_;
    std::string bytes_;
    std::size_t written_ = 0; // fields given so far
    bool misfit_ = false;     // a value of the wrong kind or beyond the last field: a program error
    std::optional<RecordProblem> problem_;
};

// Writes a whole record in one step.
RecordWriter recordFrom(const RecordSchema& schema, const RecordValues& values);

} // namespace kakutei
