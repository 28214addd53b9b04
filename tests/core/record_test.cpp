#include "core/record.h"
#include "core/store_error.h"

#include "temp_root.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(RecordWriter, WritesQuotedTextsNumbersAndFillersWithCrlf) {
    RecordWriter writer;
    writer.integer(7);
    writer.text("東京都港区1-2,3", "住所");
    writer.number(750000.7);
    writer.text("", "空");
    writer.fillers();
    std::string expected = crlfLines({"7", sjis("\"東京都港区1-2,3\""), "750000.7", "\"\""});
    for (int i = 1; i <= 12; ++i)
        expected += sjis("\"予備" + std::to_string(i) + "\"") + "\r\n";
    EXPECT_EQ(writer.bytes(), expected);
    EXPECT_FALSE(writer.problem());
}

TEST(RecordWriter, RefusesTextsThatWouldNotReadBack) {
    struct Case {
        const char* text;
        char32_t offending;
    } cases[] = {{"𠮷田", U'𠮷'}, {"say \"hi\"", U'"'}, {"🙂", U'🙂'}};
    TempRoot root;
    const std::string path = root.path() + "/r.txt";
    root.writeBytes("r.txt", "old");
    for (const Case& c : cases) {
        RecordWriter writer;
        writer.text("ok", "前");
        writer.text(c.text, "氏名");
        writer.text("𠮷", "後"); // only the first problem is reported
        ASSERT_TRUE(writer.problem());
        EXPECT_EQ(writer.problem()->field, "氏名");
        EXPECT_EQ(writer.problem()->character, c.offending);
        EXPECT_EQ(writer.writeTo(path), make_error_code(StoreErrc::unstorableText));
        EXPECT_EQ(root.readBytes("r.txt"), "old");
        const Message message = unstorableTextMessage(*writer.problem());
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
    TempRoot root;
    const std::string path = root.path() + "/r.txt";
    root.writeBytes("r.txt", "old");
    for (const Case& c : cases) {
        RecordWriter writer;
        writer.integer(7);
        writer.text(c.text, "住所");
        writer.fillers();
        ASSERT_TRUE(writer.problem()) << c.named;
        EXPECT_EQ(writer.problem()->field, "住所");
        EXPECT_EQ(writer.problem()->character, c.offending) << c.named;
        EXPECT_EQ(writer.writeTo(path), make_error_code(StoreErrc::unstorableText));
        EXPECT_EQ(writer.writeTo(root.path() + "/new.txt", WriteMode::createNew),
                  make_error_code(StoreErrc::unstorableText));
        EXPECT_EQ(root.readBytes("r.txt"), "old");
        EXPECT_FALSE(std::filesystem::exists(root.path() + "/new.txt"));
        const Message message = unstorableTextMessage(*writer.problem());
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

TEST(RecordReader, ReadsWhatTheWriterWrote) {
    TempRoot root;
    RecordWriter writer;
    writer.integer(-42);
    writer.text("①～髙,﨑", "a");
    writer.number(750000.7);
    writer.integer(2147483647);
    writer.fillers();
    ASSERT_FALSE(writer.writeTo(root.path() + "/r.txt"));
    RecordReader reader(root.path() + "/r.txt");
    EXPECT_EQ(reader.int16(), -42);
    EXPECT_EQ(reader.text(), "①～髙,﨑");
    EXPECT_EQ(reader.number(), 750000.7);
    EXPECT_EQ(reader.int32(), 2147483647);
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(reader.text(), "予備" + std::to_string(i));
    EXPECT_TRUE(reader.ok());
    EXPECT_EQ(reader.text(), std::nullopt);
    EXPECT_EQ(reader.error(), make_error_code(StoreErrc::endOfFile));
}

struct BadFileCase {
    const char* name;
    std::string bytes;
    int valuesRead; // texts read before the reader fails
    StoreErrc error;
};

TEST(RecordReader, DamagedFilesFailAtTheValueAndKeepWhatCameBefore) {
    const BadFileCase cases[] = {
        {"empty", "", 0, StoreErrc::endOfFile},
        {"truncated mid-record", "\"a\"\r\n\"b\"\r\n", 2, StoreErrc::endOfFile},
        {"last line without newline", "\"a\"\r\n\"b", 2, StoreErrc::endOfFile},
        {"line of one megabyte", "\"a\"\r\n\"" + std::string(1 << 20, 'x') + "\"\r\n\"c\"\r\n", 1,
         StoreErrc::lineTooLong},
    };
    TempRoot root;
    for (const BadFileCase& c : cases) {
        root.writeBytes("r.txt", c.bytes);
        RecordReader reader(root.path() + "/r.txt");
        int read = 0;
        while (read < 3 && reader.text())
            ++read;
        EXPECT_EQ(read, c.valuesRead) << c.name;
        EXPECT_EQ(reader.error(), make_error_code(c.error)) << c.name;
    }
}

TEST(RecordReader, AcceptsLfOnlyAndUnquotedAndGarbledValues) {
    TempRoot root;
    root.writeBytes("r.txt", "\"a\"\n  12345 \n\"\x80"
                             "b\"\n\"no closing quote\n\"x\" trailing\n");
    RecordReader reader(root.path() + "/r.txt");
    EXPECT_EQ(reader.text(), "a");
    EXPECT_EQ(reader.text(), "12345"); // a number read as text shows its decimal text
    EXPECT_EQ(reader.text(), "\xEF\xBF\xBD"
                             "b");
    EXPECT_EQ(reader.text(), "no closing quote");
    EXPECT_EQ(reader.text(), "x");
    EXPECT_TRUE(reader.ok());
}

TEST(RecordReader, NumbersThatDoNotFitTheirTypeFail) {
    struct Case {
        const char* line;
        bool asInt16;
        bool asInt32;
        bool asNumber;
    } cases[] = {
        {"12", true, true, true},           {"-32768", true, true, true},    {"32768", false, true, true},
        {"3000000000", false, false, true}, {"\"12\"", false, false, false}, {"abc", false, false, false},
        {"1.5e3", true, true, true},        {"", true, true, true},          {"1,234", false, false, false},
    };
    TempRoot root;
    for (const Case& c : cases) {
        root.writeBytes("r.txt", std::string(c.line) + "\r\n");
        EXPECT_EQ(RecordReader(root.path() + "/r.txt").int16().has_value(), c.asInt16) << c.line;
        EXPECT_EQ(RecordReader(root.path() + "/r.txt").int32().has_value(), c.asInt32) << c.line;
        RecordReader reader(root.path() + "/r.txt");
        EXPECT_EQ(reader.number().has_value(), c.asNumber) << c.line;
        EXPECT_EQ(reader.ok(), c.asNumber) << c.line;
    }
}

TEST(RecordReader, MissingFileFailsToOpen) {
    TempRoot root;
    RecordReader reader(root.path() + "/none.txt");
    EXPECT_EQ(reader.error(), std::errc::no_such_file_or_directory);
    EXPECT_EQ(reader.text(), std::nullopt);
}

} // namespace
} // namespace kakutei
