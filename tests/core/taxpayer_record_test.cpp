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

TEST(TaxpayerRecord, ReadsEveryFieldOfAWholeRecord) {
    TempRoot root;
    DataStore store(root.path());
    root.writeBytes("所得税/個人名/15.txt", sampleBytes());
    const TaxpayerRead read = readTaxpayerRecord(store, 15);
    EXPECT_TRUE(read.readable());
    EXPECT_EQ(read.record, sampleRecord());
    EXPECT_EQ(taxpayerRecordWriter(read.record).bytes(), sampleBytes());
}

// A damaged registration is damaged, never "not registered", and none of its fields is given out: a name
// from the first half of a file cut in two would print a return without its bank, kind and era.
TEST(TaxpayerRecord, ADamagedRegistrationIsRegisteredButGivesNothing) {
    TempRoot root;
    DataStore store(root.path());
    struct Case {
        const char* name;
        std::string bytes;
        int field; // where reading stopped
    } cases[] = {
        {"cut after the name", sjis("15\r\n\"山田\"\r\n\"老年"), 3},
        {"cut in half", sampleBytes().substr(0, sampleBytes().size() / 2), 19},
        {"no fillers", sampleBytes().substr(0, sampleBytes().find(sjis("\"予備1\""))), 27},
        {"letters in the birth year",
         sjis("15\r\n\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"e\"\r\n\"f\"\r\nXX\r\n"), 8},
        {"another code than the file's", "16" + sampleBytes().substr(2), 1},
    };
    for (const Case& c : cases) {
        root.writeBytes("所得税/個人名/15.txt", c.bytes);
        const TaxpayerRead read = readTaxpayerRecord(store, 15);
        EXPECT_TRUE(read.registered()) << c.name;
        EXPECT_FALSE(read.readable()) << c.name;
        EXPECT_EQ(read.check.field, c.field) << c.name << ": " << unreadableReason(read.check);
        EXPECT_EQ(read.record, TaxpayerRecord{}) << c.name;
        const auto problem = registrationProblem(read, 15);
        ASSERT_TRUE(problem) << c.name;
        EXPECT_NE(problem->find("壊れています"), std::string::npos) << *problem;
        EXPECT_EQ(problem->find("登録されていません"), std::string::npos) << *problem;
    }
    EXPECT_FALSE(readTaxpayerRecord(store, 16).registered());
    EXPECT_NE(registrationProblem(readTaxpayerRecord(store, 16), 16)->find("登録されていません"),
              std::string::npos);
}

TEST(TaxpayerRecord, ListsNameADamagedRegistrationWithAMark) {
    TempRoot root;
    DataStore store(root.path());
    root.writeBytes("所得税/個人名/15.txt", sampleBytes());
    root.writeBytes("所得税/個人名/3.txt", sampleBytes().substr(0, 40));
    EXPECT_EQ(registeredCodes(store), (std::vector<PersonCode>{3, 15}));
    PersonCode current = 0;
    std::string name;
    EXPECT_EQ(buildPersonList(store, current, name),
              (std::vector<std::string>{"03 : ※登録を読めません", "015 : 山田　太郎"}));
    EXPECT_EQ(current, 15);
    EXPECT_EQ(clientName(store, 3), "個人コード 3（登録を読めません）");
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
