#include "core/store_error.h"
#include "core/taxpayer_record.h"

#include "temp_root.h"

#include <gtest/gtest.h>

namespace kakutei {
namespace {

using testing::sjis;
using testing::TempRoot;

TaxpayerRecord sampleRecord() {
    TaxpayerRecord r;
    r.personCode = 15;
    r.name = "山田　太郎";
    r.condition = "寡夫";
    r.reading = "ﾔﾏﾀﾞ ﾀﾛｳ";
    r.address1 = "東京都港区芝5-8,1";
    r.address2 = "芝ビル①";
    r.addressJanuary = "東京都港区芝5-8,1";
    r.birthYear = 35;
    r.birthMonth = 4;
    r.birthDay = 1;
    r.sex = "男";
    r.householdHead = "山田　太郎";
    r.relationship = "本人";
    r.occupation = "会社役員";
    r.tradeName = "";
    r.telephone = "03-1234-5678";
    r.taxOffice = "芝";
    r.taxpayerNumber = "";
    r.bankBranch = "芝";
    r.bankName = "髙﨑銀行";
    r.accountType = "普通預金";
    r.accountNumber = "1234567";
    r.postalCode1 = "108";
    r.postalCode2 = "0014";
    r.returnKind = "青色";
    r.birthEra = "昭和";
    return r;
}

// The record of taxpayer 15 as the file holds it: 38 CP932 lines, each ended by CR LF.
std::string sampleBytes() {
    const char* lines[] = {"15", "\"山田　太郎\"", "\"寡夫\"", "\"ﾔﾏﾀﾞ ﾀﾛｳ\"", "\"東京都港区芝5-8,1\"",
                           "\"芝ビル①\"", "\"東京都港区芝5-8,1\"", "35", "4", "1", "\"男\"", "\"山田　太郎\"",
                           "\"本人\"", "\"会社役員\"", "\"\"", "\"03-1234-5678\"", "\"芝\"", "\"\"", "\"芝\"",
                           "\"髙﨑銀行\"", "\"普通預金\"", "\"1234567\"", "\"108\"", "\"0014\"", "\"青色\"",
                           "\"昭和\"", "\"予備1\"", "\"予備2\"", "\"予備3\"", "\"予備4\"", "\"予備5\"",
                           "\"予備6\"", "\"予備7\"", "\"予備8\"", "\"予備9\"", "\"予備10\"", "\"予備11\"",
                           "\"予備12\""};
    static_assert(std::size(lines) == 38);
    std::string bytes;
    for (const char* line : lines)
        bytes += sjis(line) + "\r\n";
    return bytes;
}

TEST(TaxpayerRecord, WritesThirtyEightCp932LinesByteForByte) {
    EXPECT_EQ(taxpayerRecordWriter(sampleRecord()).bytes(), sampleBytes());
}

TEST(TaxpayerRecord, ReadsAllFieldsOrOnlyTheLeadingOnes) {
    TempRoot root;
    DataStore store(root.path());
    root.writeBytes("所得税/個人名/15.txt", sampleBytes());
    const TaxpayerRead all = readTaxpayerRecord(store, 15);
    EXPECT_FALSE(all.error);
    EXPECT_EQ(all.fieldsRead, 26);
    EXPECT_EQ(all.record, sampleRecord());

    const TaxpayerRead two = readTaxpayerRecord(store, 15, 2);
    EXPECT_FALSE(two.error);
    EXPECT_EQ(two.fieldsRead, 2);
    EXPECT_EQ(two.record.name, "山田　太郎");
    EXPECT_EQ(two.record.condition, "");
}

TEST(TaxpayerRecord, DamagedFilesKeepTheFieldsReadBefore) {
    TempRoot root;
    DataStore store(root.path());
    struct Case {
        const char* name;
        std::string bytes;
        int fieldsRead;
    } cases[] = {
        {"truncated after the name", sjis("15\r\n\"山田\"\r\n\"老年"), 3},
        {"no fillers", sampleBytes().substr(0, sampleBytes().find(sjis("\"予備1\""))), 26},
        {"letters in the birth year", sjis("15\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"e\"\r\n\"f\"\r\nXX\r\n"), 7},
        {"LF only", sjis("15\n\"山田\"\n"), 2},
    };
    for (const Case& c : cases) {
        root.writeBytes("所得税/個人名/15.txt", c.bytes);
        const TaxpayerRead read = readTaxpayerRecord(store, 15);
        EXPECT_EQ(read.fieldsRead, c.fieldsRead) << c.name;
        EXPECT_EQ(read.record.personCode, 15) << c.name;
        EXPECT_EQ(read.error.value() != 0, c.fieldsRead < 26) << c.name;
    }
    EXPECT_EQ(readTaxpayerRecord(store, 16).error, std::errc::no_such_file_or_directory);
}

TEST(TaxpayerRecord, UnstorableTextIsNamedAndNothingIsWritten) {
    TempRoot root;
    DataStore store(root.path());
    root.writeBytes("所得税/個人名/15.txt", sampleBytes());
    TaxpayerRecord record = sampleRecord();
    record.address2 = "𠮷ビル";
    const RecordWriter writer = taxpayerRecordWriter(record);
    ASSERT_TRUE(writer.problem());
    EXPECT_EQ(writer.problem()->field, "住所（２行目）");
    EXPECT_TRUE(writer.writeTo(store.path(names::taxpayerFile(15))));
    EXPECT_EQ(root.readBytes("所得税/個人名/15.txt"), sampleBytes());
}

} // namespace
} // namespace kakutei
