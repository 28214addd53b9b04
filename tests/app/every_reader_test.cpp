// Every record kind is described once, and every reader goes through that description: what one reader
// cannot read, none reads, and each says which field is at fault.
#include "checks/return_checks.h"
#include "core/record_kinds.h"
#include "core/store_error.h"
#include "core/stored_return.h"
#include "core/taxpayer_record.h"
#include "explain/explanation.h"
#include "office/roster.h"
#include "office/year_comparison.h"
#include "print/print_data.h"
#include "registry/data_management_screen.h"
#include "shell/app.h"
#include "shell/main_menu.h"

#include "sample_taxpayer.h"
#include "screen_fixture.h"

#include <algorithm>
#include <functional>

namespace kakutei {
namespace {

using testing::DataScreenFixture;

// A whole value of every field kind, and one beyond each kind's range.
std::string wholeValue(FieldKind kind) {
    return kind == FieldKind::text ? "\"ａ\"" : "12";
}
std::string beyondRange(FieldKind kind) {
    switch (kind) {
    case FieldKind::int16:
        return "32768";
    case FieldKind::int32:
        return "2147483648";
    default:
        return "1e400";
    }
}

bool anyContains(const std::vector<std::string>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(part) != std::string::npos; });
}

std::vector<std::string> linesOf(const std::vector<UnreadableRecord>& records) {
    std::vector<std::string> lines;
    for (const UnreadableRecord& record : records)
        lines.push_back(unreadableLine(record));
    return lines;
}

struct EveryReader : DataScreenFixture {
    testing::TempRoot backupDrive;
    App app{store, ui};

    EveryReader() {
        TaxpayerRecord record = testing::sampleRecord();
        record.personCode = 7;
        taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7)));
        for (int k = 1; k <= 6; ++k)
            writeWhole(k, 0, "");
        app.start();
        app.mainMenu().text3.text = "7";
        app.mainMenu().callUp();
    }
    // Screen file k with every field whole but field `n`, which holds `value`.
    void writeWhole(int k, int n, const std::string& value) {
        const RecordSchema& schema = screenRecordSchema(k);
        std::map<int, std::string> fields;
        for (std::size_t i = 0; i < schema.fields.size(); ++i)
            fields[static_cast<int>(i + 1)] = wholeValue(schema.fields[i].kind);
        if (n > 0)
            fields[n] = value;
        testing::writeRecordFields(store, 7, k, fields);
    }
    std::vector<std::string> warnings() const {
        std::vector<std::string> bodies;
        for (const auto& call : ui.callsOf("warn"))
            bodies.push_back(call.body);
        return bodies;
    }
    // Opens the screen that stores record k, as the user would.
    void openScreenOf(int k) {
        MainMenu& menu = app.mainMenu();
        switch (k) {
        case 1:
            menu.income();
            break;
        case 2:
            menu.deductions1();
            break;
        case 3:
            menu.deductions2();
            break;
        case 4:
            menu.taxCredits();
            break;
        case 5:
            menu.taxComputation();
            break;
        default:
            app.openHousingLoan("7", "H16");
        }
    }
};

// A table over every record kind and every number field of it: a value beyond the field's kind is said,
// with the field's number and caption, by the schema's own reader, the screen that loads it, the checks, the
// roster, the explanation, the year comparison, printing and backup (whose whole and one-client forms stage
// the same way; the whole one is shown elsewhere).
TEST_F(EveryReader, AValueBeyondItsFieldIsUnreadableToEveryReaderNamingTheField) {
    for (int k = 1; k <= 6; ++k) {
        const RecordSchema& schema = screenRecordSchema(k);
        const std::string path = store.path(*names::recordFile(7, k, kYearCode));
        for (std::size_t i = 0; i < schema.fields.size(); ++i) {
            const FieldSpec& field = schema.fields[i];
            if (field.kind == FieldKind::text)
                continue;
            const int n = static_cast<int>(i + 1);
            SCOPED_TRACE("record " + std::to_string(k) + ", field " + std::to_string(n));
            writeWhole(k, n, beyondRange(field.kind));
            const std::string named = std::to_string(n) + " 番目の値（" + field.caption + "）";

            const StoredRecord read = readRecordFile(path, schema);
            EXPECT_EQ(read.check.state, StoredState::unreadable);
            EXPECT_EQ(read.check.field, n);
            EXPECT_EQ(read.check.error, make_error_code(StoreErrc::outOfRange));

            const StoredReturn stored = readStoredReturn(store, 7, kYearCode);
            EXPECT_TRUE(anyContains(linesOf(stored.unreadableFiles()), named));
            EXPECT_TRUE(anyContains(linesOf(checkReturn(store, 7).unreadable), named));
            const std::vector<RosterRow> roster = readRoster(store, kYearCode);
            ASSERT_EQ(roster.size(), 1u);
            EXPECT_TRUE(anyContains(linesOf(roster[0].unreadable), named));
            EXPECT_TRUE(anyContains(explainReturn(stored).notes, named));
            if (k == 1 || k == 5) {
                EXPECT_TRUE(anyContains(compareYears(store, 7).unreadable, named));
            }
            PrintData data;
            const PrintLoad printed = loadPrintData(store, 7, "H16", data);
            if (k <= 5) {
                EXPECT_TRUE(anyContains(linesOf(printed.unreadable), named));
            }

            ui.calls.clear();
            openScreenOf(k);
            EXPECT_TRUE(anyContains(warnings(), named));

            // The client's own backup goes the way of the whole one, through the same staging.
            ui.calls.clear();
            auto* dataManagement = app.screenAs<DataManagementScreen>(ScreenId::dataManagement);
            dataManagement->text1.text = "7";
            dataManagement->drive3.text = backupDrive.path();
            dataManagement->backupOne();
            EXPECT_TRUE(anyContains(warnings(), named));
            EXPECT_FALSE(std::filesystem::exists(backupDrive.path() + "/所得税"));
            writeWhole(k, 0, "");
        }
    }
}

// What the writer writes, the reader reads back to the same values, and writing those again gives the same
// bytes: for every kind of record the program writes.
TEST(RecordKinds, ReadAndWrittenBackIsByteIdentical) {
    std::vector<const RecordSchema*> schemas = {&taxpayerRecordSchema(), &taxAccountantSchema(),
                                                &printSettingsSchema(), &lockMarkSchema()};
    for (int k = 1; k <= 6; ++k)
        schemas.push_back(&screenRecordSchema(k));
    for (const RecordSchema* schema : schemas) {
        SCOPED_TRACE(schema->name);
        RecordValues values;
        int n = 0;
        for (const FieldSpec& field : schema->fields) {
            ++n;
            if (field.kind == FieldKind::text)
                values.texts.push_back(n % 2 ? "髙﨑①～" + std::to_string(n) : "");
            else if (field.kind == FieldKind::amount)
                values.numbers.push_back(n % 3 ? -1234567.5 * n : 0);
            else
                values.numbers.push_back(field.kind == FieldKind::int16 ? -32768 + n : 2147483647 - n);
        }
        const RecordWriter written = recordFrom(*schema, values);
        ASSERT_FALSE(written.problem());
        const std::string bytes = written.bytes();
        const StoredRecord read = parseRecord(bytes, *schema);
        ASSERT_TRUE(read.readable()) << unreadableReason(read.check);
        EXPECT_EQ(read.values, values);
        EXPECT_EQ(recordFrom(*schema, read.values).bytes(), bytes);
        // One value a line, every line ended by CR LF, the last one included.
        EXPECT_TRUE(bytes.ends_with("\r\n"));
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'),
                  static_cast<long>(schema->fields.size()) + (schema->fillers ? kFillerCount : 0));
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), std::count(bytes.begin(), bytes.end(), '\n'));
    }
}

} // namespace
} // namespace kakutei
