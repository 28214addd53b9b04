#include "office/roster.h"
#include "office/roster_csv.h"

#include "core/cp932.h"
#include "core/taxpayer_record.h"
#include "registry/output_gate.h"

#include "screen_fixture.h"
#include "temp_root.h"

#include <gtest/gtest.h>

namespace kakutei {
namespace {

using testing::TempRoot;

void registerTaxpayer(const DataStore& store, PersonCode code, const char* name, const char* reading,
                      const char* kind) {
    TaxpayerRecord record;
    record.personCode = code;
    record.name = name;
    record.reading = reading;
    record.returnKind = kind;
    ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(code))));
}

// Line 9 is field 20 of the income record; lines 40 and 41 are fields 28 and 29 of the tax computation.
void storeFigures(const DataStore& store, PersonCode code, const char* income, const char* due,
                  const char* refund) {
    testing::writeRecordFields(store, code, 1, 0, 20, {{20, income}});
    testing::writeRecordFields(store, code, 5, 0, 41, {{28, due}, {29, refund}});
}

struct RosterFixture : ::testing::Test {
    TempRoot root;
    DataStore store{root.path()};

    void SetUp() override {
        ASSERT_FALSE(store.ensureFolders(kYearCode));
        registerTaxpayer(store, 42, "髙橋　花子", "タカハシ　ハナコ", "白色");
        registerTaxpayer(store, 7, "山田太郎", "ヤマダ　タロウ", "青色");
        registerTaxpayer(store, 100, "未計算一郎", "ミケイサン", "白色");
        storeFigures(store, 7, "6725000", "1015000", "0");
        storeFigures(store, 42, "1200000.4", "0", "35000");
    }
};

TEST_F(RosterFixture, OneRowPerTaxpayerInCodeOrderWithTheStoredFigures) {
    const std::vector<RosterRow> rows = readRoster(store, kYearCode);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].code, 7);
    EXPECT_EQ(rows[0].name, "山田太郎");
    EXPECT_EQ(rows[0].reading, "ヤマダ　タロウ");
    EXPECT_EQ(rows[0].returnKind, "青色");
    EXPECT_EQ(rows[0].income, 6725000);
    EXPECT_EQ(rows[0].taxDue, 1015000);
    EXPECT_EQ(rows[0].balance(), 1015000);
    EXPECT_TRUE(rows[0].calculatedAt.has_value());

    EXPECT_EQ(rows[1].code, 42);
    EXPECT_EQ(rows[1].income, 1200000);
    EXPECT_EQ(rows[1].refund, 35000);
    EXPECT_EQ(rows[1].balance(), -35000);

    // Registered, nothing calculated: a row without figures, not an error.
    EXPECT_EQ(rows[2].code, 100);
    EXPECT_FALSE(rows[2].income);
    EXPECT_FALSE(rows[2].balance());
    EXPECT_FALSE(rows[2].calculatedAt);
    for (const RosterRow& row : rows)
        EXPECT_TRUE(row.unreadable.empty()) << row.code;
    // Registered with neither a tax office nor a birth date: two things to put right before printing.
    EXPECT_EQ(rows[2].warnings, 2);
}

TEST_F(RosterFixture, ARecordCutShortIsNamedAndItsFiguresLeftEmpty) {
    // The tax computation record ends after 20 of its 41 amounts.
    std::string cut;
    for (int i = 0; i < 20; ++i)
        cut += "5\r\n";
    root.writeBytes("所得税/H16所得税/75.txt", cut);
    const std::vector<RosterRow> rows = readRoster(store, kYearCode);
    ASSERT_EQ(rows.size(), 3u);
    ASSERT_EQ(rows[0].unreadable.size(), 1u);
    EXPECT_TRUE(rows[0].unreadable[0].path.ends_with("H16所得税/75.txt")) << rows[0].unreadable[0].path;
    EXPECT_EQ(rows[0].income, 6725000); // the income record itself reads
    EXPECT_FALSE(rows[0].taxDue);
    EXPECT_FALSE(rows[0].refund);
    EXPECT_FALSE(rows[0].calculatedAt);
}

TEST_F(RosterFixture, CsvIsCp932WithCrlfAndRawIntegers) {
    std::vector<RosterRow> rows = readRoster(store, kYearCode);
    rows[0].calculatedAt.reset(); // local time differs between machines
    rows[1].calculatedAt.reset();
    rows[1].name = "髙橋, 花子"; // a comma must not split the field
    rows[0].warnings = 2;
    rows[1].warnings.reset();
    rows[2].warnings = 0;
    const TempRoot outputs; // never in the data folder
    ASSERT_FALSE(writeRosterCsv(OutputGate(store), outputs.path() + "/roster.csv", rows));
    const std::string bytes = outputs.readBytes("roster.csv");
    EXPECT_EQ(decodeCp932(bytes),
              "個人コード,氏名,フリガナ,申告の種類,所得金額,納める税金,還付される税金,最終計算日時,警告数,"
              "読めないファイル数\r\n"
              "7,山田太郎,ヤマダ　タロウ,青色,6725000,1015000,0,,2,0\r\n"
              "42,\"髙橋, 花子\",タカハシ　ハナコ,白色,1200000,0,35000,,,0\r\n"
              "100,未計算一郎,ミケイサン,白色,,,,,0,0\r\n");
    EXPECT_EQ(bytes.substr(0, 2), testing::sjis("個"));
}

} // namespace
} // namespace kakutei
