#include "core/record_schema.h"
#include "core/store_error.h"

#include "temp_root.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace kakutei {
namespace {

using testing::crlfLines;
using testing::sjis;
using testing::TempRoot;

struct NumberCase {
    double value;
    const char* written;
};

class RecordNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(RecordNumber, PlainDecimalAtMostFifteenDigits) {
    EXPECT_EQ(formatRecordNumber(GetParam().value), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RecordNumber,
    ::testing::Values(NumberCase{0, "0"}, NumberCase{-0.0, "0"}, NumberCase{750000.7, "750000.7"},
                      NumberCase{1234, "1234"}, NumberCase{-1234.5, "-1234.5"}, NumberCase{0.5, "0.5"},
                      NumberCase{0.1 + 0.2, "0.3"}, NumberCase{1e20, "100000000000000000000"},
                      NumberCase{1234567890123456789.0, "1234567890123460000"},
                      NumberCase{0.000001, "0.000001"}, NumberCase{1e-20, "0.00000000000000000001"},
                      NumberCase{123456789012.345, "123456789012.345"}));

// A small record of every kind of field: code, address, amount, note, total; then the fillers.
RecordSchema sampleSchema(bool fillers = true) {
    return {"見本",
            {{FieldKind::int16, "個人コード"},
             {FieldKind::text, "住所"},
             {FieldKind::amount, "収入"},
             {FieldKind::text, "備考"},
             {FieldKind::int32, "合計"}},
            fillers};
}

std::string fillerLines() {
    std::string lines;
    for (int i = 1; i <= 12; ++i)
        lines += sjis("\"予備" + std::to_string(i) + "\"") + "\r\n";
    return lines;
}

std::string sampleBytes() {
    return crlfLines({"7", sjis("\"東京都港区1-2,3\""), "750000.7", "\"\"", "-2147483648"}) + fillerLines();
}

TEST(RecordWriter, WritesQuotedTextsNumbersAndTheSchemasFillersWithCrlf) {
    const RecordSchema schema = sampleSchema();
    RecordWriter writer(schema);
    writer.integer(7);
    writer.text("東京都港区1-2,3");
    writer.number(750000.7);
    writer.text("");
    writer.integer(-2147483648LL);
    EXPECT_EQ(writer.bytes(), sampleBytes());
    EXPECT_FALSE(writer.problem());
}

TEST(RecordSchema, ReadsBackEveryValueOfWhatTheWriterWrote) {
    const RecordSchema schema = sampleSchema();
    const RecordValues values{{"①～髙,﨑", "ａ"}, {-42, 750000.7, 2147483647}};
    const RecordWriter writer = recordFrom(schema, values);
    const StoredRecord read = parseRecord(writer.bytes(), schema);
    ASSERT_TRUE(read.readable()) << unreadableReason(read.check);
    EXPECT_EQ(read.values, values);
    EXPECT_EQ(recordFrom(schema, read.values).bytes(), writer.bytes());
}

TEST(RecordWriter, RefusesTextsThatWouldNotReadBack) {
    struct Case {
        const char* text;
        char32_t offending;
    } cases[] = {{"𠮷田", U'𠮷'}, {"say \"hi\"", U'"'}, {"🙂", U'🙂'}};
    const RecordSchema schema{"見本",
                              {{FieldKind::text, "前"}, {FieldKind::text, "氏名"}, {FieldKind::text, "後"}}};
    TempRoot root;
    const std::string path = root.path() + "/r.txt";
    root.writeBytes("r.txt", "old");
    for (const Case& c : cases) {
        RecordWriter writer(schema);
        writer.text("ok");
        writer.text(c.text);
        writer.text("𠮷"); // only the first problem is reported
        ASSERT_TRUE(writer.problem());
        EXPECT_EQ(writer.problem()->field, "氏名");
        EXPECT_EQ(writer.problem()->character, c.offending);
        EXPECT_EQ(writer.writeTo(path), make_error_code(StoreErrc::unstorableText));
        EXPECT_EQ(root.readBytes("r.txt"), "old");
        const Message message = recordProblemMessage(*writer.problem());
        EXPECT_NE(message.body.find("「氏名」"), std::string::npos) << message.body;
    }
}

// A record holds one value per line, so a line break inside a text would shift every value after it, and
// no other control character reads back as typed either.
TEST(RecordWriter, RefusesControlCharactersAndSaysWhichOne) {
    struct Case {
        std::string text;
        char32_t offending;
        const char* named; // how the message names the character
    } cases[] = {
        {"東京都港区芝5-8-1\n芝ビル3F", U'\n', "改行"},
        {"東京都港区芝5-8-1\r\n芝ビル3F", U'\r', "改行"},
        {"芝ビル\t3F", U'\t', "タブ"},
        {std::string("芝") + '\0' + "ビル", U'\0', "制御文字"},
        {"ベル\x07", U'\x07', "制御文字"},
        {"\x1f", U'\x1f', "制御文字"},
        {"削除\x7f", U'\x7f', "制御文字"},
        // The first offending character is named, whichever kind it is.
        {"𠮷\n", U'𠮷', "𠮷"},
        {"\n𠮷", U'\n', "改行"},
        {"\t\"", U'\t', "タブ"},
    };
    const RecordSchema schema = sampleSchema();
    TempRoot root;
    const std::string path = root.path() + "/r.txt";
    root.writeBytes("r.txt", "old");
    for (const Case& c : cases) {
        RecordWriter writer(schema);
        writer.integer(7);
        writer.text(c.text);
        writer.number(0);
        writer.text("");
        writer.integer(0);
        ASSERT_TRUE(writer.problem()) << c.named;
        EXPECT_EQ(writer.problem()->field, "住所");
        EXPECT_EQ(writer.problem()->character, c.offending) << c.named;
        EXPECT_EQ(writer.writeTo(path), make_error_code(StoreErrc::unstorableText));
        EXPECT_EQ(writer.writeTo(root.path() + "/new.txt", WriteMode::createNew),
                  make_error_code(StoreErrc::unstorableText));
        EXPECT_EQ(root.readBytes("r.txt"), "old");
        EXPECT_FALSE(std::filesystem::exists(root.path() + "/new.txt"));
        const Message message = recordProblemMessage(*writer.problem());
        EXPECT_EQ(message.title, "保存できない文字があります");
        EXPECT_NE(message.body.find("「住所」"), std::string::npos) << message.body;
        EXPECT_NE(message.body.find(c.named), std::string::npos) << message.body;
        EXPECT_NE(message.body.find("何も保存していません"), std::string::npos) << message.body;
    }
}

TEST(RecordWriter, ControlCharacterMessagesAreReadable) {
    // A raw control character in a message box would show as nothing or as a box: the message names it.
    for (char32_t c : {U'\n', U'\r', U'\t', U'\0', U'\x1b', U'\x7f'}) {
        std::string body = unstorableTextMessage({"氏名", c}).body;
        std::erase(body, '\n'); // the body's own line break before "（何も保存していません。）"
        EXPECT_TRUE(std::all_of(body.begin(), body.end(),
                                [](unsigned char byte) { return byte >= 0x20 && byte != 0x7f; }))
            << static_cast<int>(c) << ": " << body;
    }
    EXPECT_NE(unstorableTextMessage({"氏名", U'\x1b'}).body.find("U+001B"), std::string::npos);
}

// What the reader would refuse, the writer never writes: a figure beyond its field stops the save with a
// message naming the field.
TEST(RecordWriter, RefusesNumbersBeyondTheirFieldAndWritesNothing) {
    struct Case {
        int field; // 1 個人コード (16-bit), 3 収入 (amount), 5 合計 (32-bit)
        double value;
    } cases[] = {{1, 32768},        {1, -32769},       {1, 1.5},           {3, HUGE_VAL}, {3, -HUGE_VAL},
                 {3, std::nan("")}, {5, 2147483648.0}, {5, -2147483649.0}, {5, 0.5}};
    const RecordSchema schema = sampleSchema();
    TempRoot root;
    root.writeBytes("r.txt", "old");
    for (const Case& c : cases) {
        RecordWriter writer(schema);
        writer.number(c.field == 1 ? c.value : 7);
        writer.text("");
        writer.number(c.field == 3 ? c.value : 0);
        writer.text("");
        writer.number(c.field == 5 ? c.value : 0);
        ASSERT_TRUE(writer.problem()) << c.field << " " << c.value;
        EXPECT_EQ(writer.problem()->field, schema.fields[static_cast<std::size_t>(c.field - 1)].caption);
        EXPECT_TRUE(writer.writeTo(root.path() + "/r.txt"));
        EXPECT_EQ(root.readBytes("r.txt"), "old");
        const Message message = recordProblemMessage(*writer.problem());
        EXPECT_EQ(message.title, "計算できません");
        EXPECT_NE(message.body.find("何も保存していません"), std::string::npos) << message.body;
    }
}

TEST(RecordWriter, AnIncompleteOrMisshapenRecordIsNeverWritten) {
    const RecordSchema schema = sampleSchema();
    TempRoot root;
    RecordWriter shortOne(schema);
    shortOne.integer(7);
    EXPECT_EQ(shortOne.writeTo(root.path() + "/a.txt"), make_error_code(StoreErrc::recordShape));
    RecordWriter misshapen(schema);
    misshapen.text("7"); // a text where the code belongs
    EXPECT_EQ(misshapen.writeTo(root.path() + "/b.txt"), make_error_code(StoreErrc::recordShape));
    EXPECT_FALSE(std::filesystem::exists(root.path() + "/a.txt"));
    EXPECT_FALSE(std::filesystem::exists(root.path() + "/b.txt"));
}

struct DamageCase {
    const char* name;
    std::string bytes;
    int field; // the field the reader names; 0 the file as a whole
    StoreErrc why;
};

std::string withLine(int index, const std::string& line) {
    std::vector<std::string> lines = {"7", sjis("\"東京都港区1-2,3\""), "750000.7", "\"\"", "-2147483648"};
    lines.at(static_cast<std::size_t>(index)) = line;
    std::string bytes;
    for (const std::string& l : lines)
        bytes += l + "\r\n";
    return bytes + fillerLines();
}

// Every way a file can come to be unreadable names the field where reading stopped and why; nothing of it
// is given to the caller.
TEST(RecordSchema, DamageIsNamedByFieldAndNoValueIsGiven) {
    const std::string whole = sampleBytes();
    const DamageCase cases[] = {
        {"empty", "", 1, StoreErrc::endOfFile},
        {"cut after a value", crlfLines({"7", "\"a\""}), 3, StoreErrc::endOfFile},
        // "750000.7" cut to "75": it would read as a smaller figure.
        {"cut inside the last value", crlfLines({"7", "\"a\""}) + "75", 3, StoreErrc::cutShort},
        {"fillers gone", whole.substr(0, whole.find(sjis("\"予備1\""))), 6, StoreErrc::endOfFile},
        {"cut inside a filler", whole.substr(0, whole.size() - 3), 17, StoreErrc::cutShort},
        {"a filler changed", whole.substr(0, whole.find(sjis("\"予備3\""))) + "\"x\"\r\n", 8,
         StoreErrc::badFiller},
        {"a line after the fillers", whole + "\"more\"\r\n", 0, StoreErrc::extraData},
        {"a text unquoted", withLine(1, "abc"), 2, StoreErrc::notText},
        {"a text without its closing quote", withLine(3, "\"abc"), 4, StoreErrc::notText},
        {"a text with a quote inside", withLine(3, "\"a\"b\""), 4, StoreErrc::notText},
        {"bytes that are no CP932",
         withLine(1, "\"\x80"
                     "b\""),
         2, StoreErrc::notCp932},
        {"a number that is none", withLine(2, "1,234"), 3, StoreErrc::typeMismatch},
        {"an empty number", withLine(2, ""), 3, StoreErrc::typeMismatch},
        {"a quoted number", withLine(0, "\"7\""), 1, StoreErrc::typeMismatch},
        {"a 16-bit code beyond its range", withLine(0, "32768"), 1, StoreErrc::outOfRange},
        {"a 32-bit total beyond its range", withLine(4, "2147483648"), 5, StoreErrc::outOfRange},
        {"a 32-bit total below its range", withLine(4, "-2147483649"), 5, StoreErrc::outOfRange},
        {"23 digits in a 32-bit field", withLine(4, "12345678901234567890123"), 5, StoreErrc::outOfRange},
        {"an amount beyond any number", withLine(2, "1e400"), 3, StoreErrc::outOfRange},
        {"an amount of 400 digits", withLine(2, std::string(400, '9')), 3, StoreErrc::outOfRange},
        {"not a finite number", withLine(2, "inf"), 3, StoreErrc::typeMismatch},
        {"a fraction in a whole field", withLine(4, "2.5"), 5, StoreErrc::notWhole},
    };
    const RecordSchema schema = sampleSchema();
    for (const DamageCase& c : cases) {
        const StoredRecord read = parseRecord(c.bytes, schema);
        EXPECT_EQ(read.check.state, StoredState::unreadable) << c.name;
        EXPECT_EQ(read.check.field, c.field) << c.name;
        EXPECT_EQ(read.check.error, make_error_code(c.why)) << c.name;
        EXPECT_TRUE(read.values.texts.empty() && read.values.numbers.empty()) << c.name;
        if (c.field >= 1 && c.field <= 5) {
            EXPECT_NE(unreadableReason(read.check)
                          .find(std::to_string(c.field) + " 番目の値（" +
                                schema.fields[static_cast<std::size_t>(c.field - 1)].caption + "）"),
                      std::string::npos)
                << c.name << ": " << unreadableReason(read.check);
        }
    }
}

TEST(RecordSchema, AcceptsLfOnlyLinesAndSpacesAroundValues) {
    const RecordSchema schema = sampleSchema(false);
    const StoredRecord read = parseRecord("  7 \n\"a\"\n 12.5\n\"\"\n+3\n", schema);
    ASSERT_TRUE(read.readable()) << unreadableReason(read.check);
    EXPECT_EQ(read.values, (RecordValues{{"a", ""}, {7, 12.5, 3}}));
}

TEST(RecordSchema, FilesAreReadWithoutWaitingAndNeverTooLarge) {
    TempRoot root;
    const RecordSchema schema = sampleSchema();
    EXPECT_EQ(readRecordFile(root.path() + "/none.txt", schema).check.state, StoredState::missing);
    EXPECT_EQ(readRecordFile(root.path() + "/no/folder/none.txt", schema).check.state, StoredState::missing);
    std::filesystem::create_directory(root.path() + "/folder.txt");
    EXPECT_EQ(readRecordFile(root.path() + "/folder.txt", schema).check.state, StoredState::unreadable);
    root.writeBytes("large.txt", sampleBytes() + std::string(kLargestStoredFile, '\n'));
    EXPECT_EQ(readRecordFile(root.path() + "/large.txt", schema).check.error,
              std::make_error_code(std::errc::file_too_large));
    root.writeBytes("good.txt", sampleBytes());
    EXPECT_TRUE(readRecordFile(root.path() + "/good.txt", schema).readable());
}

} // namespace
} // namespace kakutei
