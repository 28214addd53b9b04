#include "app/demo_data.h"

#include "core/record_kinds.h"
#include "core/taxpayer_record.h"

#include "temp_root.h"

#include <gtest/gtest.h>

#include <map>

namespace kakutei {
namespace {

// The three sample returns worked out by hand for Heisei 16 (ages at the end of 2004), line by line.
//
// 1 見本　一郎, an employee born S45.4.1 (34), no family:
//   salary revenue 5,000,000 reads the table at 1,624,000 + floor(3,376,000 / 4,000) × 4,000 = 5,000,000;
//   income 6 = 5,000,000 × 0.8 − 540,000 = 3,460,000 = line 9.
//   social insurance 700,000 (12); life: general premiums 100,000 → 100,000 / 4 + 25,000 = 50,000 (14);
//   basic 380,000 (24); total 1,130,000 (25).
//   taxable 3,460,000 − 1,130,000 = 2,330,000, whole thousands (26); below 3,300,000 the tax is 10 %:
//   233,000 (27); no credits, so line 35 = 233,000; reduction 20 % = 46,600, under the 250,000 cap (36);
//   withheld 200,000 (37); line 38 = 233,000 − 46,600 − 200,000 = −13,600, negative and not rounded;
//   no prepayment: a refund of 13,600 (41).
//
// 2 見本　二郎, born S10.4.1 (69): 老年者 (65 or over, total income at most 10,000,000). His wife 花子,
//   born S14.5.5 (65), has no income and is under 70: the general spouse deduction of 380,000.
//   public pension 5,000,000 on the elderly table (4,600,000 to 8,200,000):
//   T(5,000,000 × 0.85) − 1,210,000 = 4,250,000 − 1,210,000 = 3,040,000 = line 9.
//   medical: 300,000 paid, threshold min(3,040,000 × 5 / 100 = 152,000, 100,000) = 100,000 → 200,000 (11);
//   social insurance 150,000 (12); 老年者 500,000 (17); spouse 380,000 (21); basic 380,000 (24);
//   total 1,610,000 (25).
//   taxable 3,040,000 − 1,610,000 = 1,430,000 (26); tax 10 % = 143,000 (27) = line 35;
//   reduction 20 % = 28,600 (36); withheld 30,000 (37); line 38 = 143,000 − 28,600 − 30,000 = 84,400,
//   already whole hundreds; to pay 84,400 (40).
//
// 3 見本　三郎, a blue-return shop owner born S35.4.1 (44). His wife 和子 is paid 1,800,000 as a family
//   employee (43), so she brings neither the spouse nor the special spouse deduction (21, 22 are 0).
//   Dependents: 四郎 born H2.5.5 (14), general, 380,000; 五月 born S60.3.3 (19, within 16 to 22),
//   特定扶養, 630,000; together 1,010,000 (23).
//   business income 10,000,000 = line 9.
//   social insurance 600,000 (12); small-enterprise mutual aid 840,000 (13); life: 120,000 is above
//   100,000 → 50,000 (14); non-life: long-term 30,000 is 20,000 or more → 15,000 (15); dependents
//   1,010,000 (23); basic 380,000 (24); total 2,895,000 (25).
//   taxable 10,000,000 − 2,895,000 = 7,105,000 (26); bracket 3,300,000 to 9,000,000:
//   7,105,000 × 0.2 − 330,000 = 1,421,000 − 330,000 = 1,091,000 (27) = line 35;
//   reduction 20 % = 218,200, under the cap (36); nothing withheld (37); line 38 = 1,091,000 − 218,200 =
//   872,800, already whole hundreds; to pay 872,800 (40).
struct ExpectedReturn {
    PersonCode code;
    double totalIncome;                // line 9, income record field 20
    std::map<int, double> taxComputed; // tax computation record field → figure; fields not named are 0
};

const ExpectedReturn kReturns[] = {
    {1,
     3'460'000,
     {{3, 700'000},
      {5, 50'000},
      {13, 380'000},
      {14, 1'130'000},
      {15, 2'330'000},
      {16, 233'000},
      {21, 233'000},
      {23, 233'000},
      {24, 46'600},
      {25, 200'000},
      {26, -13'600},
      {29, 13'600}}},
    {2,
     3'040'000,
     {{2, 200'000},
      {3, 150'000},
      {8, 500'000},
      {10, 380'000},
      {13, 380'000},
      {14, 1'610'000},
      {15, 1'430'000},
      {16, 143'000},
      {21, 143'000},
      {23, 143'000},
      {24, 28'600},
      {25, 30'000},
      {26, 84'400},
      {28, 84'400}}},
    {3,
     10'000'000,
     {{3, 600'000},
      {4, 840'000},
      {5, 50'000},
      {6, 15'000},
      {12, 1'010'000},
      {13, 380'000},
      {14, 2'895'000},
      {15, 7'105'000},
      {16, 1'091'000},
      {21, 1'091'000},
      {23, 1'091'000},
      {24, 218'200},
      {26, 872'800},
      {28, 872'800},
      {31, 1'800'000}}},
};

TEST(DemoData, ThreeLawfulReturnsWithTheFiguresWorkedByHand) {
    testing::TempRoot root;
    ASSERT_TRUE(createDemoData(root.path()));
    DataStore store(root.path());
    PersonCode current = 0;
    std::string name;
    EXPECT_EQ(buildPersonList(store, current, name),
              (std::vector<std::string>{"01 : 見本　一郎", "02 : 見本　二郎", "03 : 見本　三郎"}));
    for (const ExpectedReturn& expected : kReturns) {
        SCOPED_TRACE(expected.code);
        const StoredRecord income = readRecordFile(
            store.path(*names::screenFile(expected.code, 1, kYearCode)), screenRecordSchema(1));
        ASSERT_TRUE(income.readable());
        EXPECT_EQ(income.values.numbers.at(19), expected.totalIncome);
        const StoredRecord tax = readRecordFile(store.path(*names::screenFile(expected.code, 5, kYearCode)),
                                                screenRecordSchema(5));
        ASSERT_TRUE(tax.readable());
        // Lines 10 to 43 (fields 1 to 31): the deductions, the tax and the amount due or refunded.
        for (int field = 1; field <= 31; ++field) {
            const auto it = expected.taxComputed.find(field);
            EXPECT_EQ(tax.values.numbers.at(static_cast<std::size_t>(field - 1)),
                      it != expected.taxComputed.end() ? it->second : 0.0)
                << "tax computation field " << field;
        }
    }
}

} // namespace
} // namespace kakutei
