#include "core/store_error.h"
#include "core/taxpayer_record.h"

#include "sample_taxpayer.h"
#include "temp_root.h"

#include <gtest/gtest.h>

namespace kakutei {
namespace {

using testing::sampleBytes;
using testing::sampleRecord;
using testing::sjis;
using testing::TempRoot;

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
        {"letters in the birth year",
         sjis("15\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"e\"\r\n\"f\"\r\nXX\r\n"), 7},
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
