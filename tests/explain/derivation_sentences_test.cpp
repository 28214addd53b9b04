// What a derivation says, in the accountant's own terms, and the figure it arrives at.
#include "core/derivation.h"
#include "deductions/deduction_rules.h"
#include "income/income_rules.h"
#include "tax/tax_rules.h"

#include <gtest/gtest.h>

#include <functional>

namespace kakutei {
namespace {

struct SentenceCase {
    const char* rule;
    std::vector<std::string> inputs;
    std::function<double(Derivation*)> compute;
    double figure;
    std::vector<std::string> steps;
};

class DerivationSentences : public ::testing::TestWithParam<SentenceCase> {};

TEST_P(DerivationSentences, TellTheInputsTheBandTheFormulaAndTheRounding) {
    const SentenceCase& c = GetParam();
    Derivation how(c.inputs);
    const double figure = c.compute(&how);
    EXPECT_EQ(figure, c.figure);
    ASSERT_TRUE(how.figure());
    EXPECT_EQ(*how.figure(), c.figure);
    EXPECT_EQ(how.steps(), c.steps);
    // Told or not, the rule computes the same figure.
    EXPECT_EQ(c.compute(nullptr), c.figure);
}

const SentenceCase kCases[] = {
    {"taxable income",
     {"9 所得金額", "25 所得控除の合計"},
     [](Derivation* how) { return taxableIncome(10'000'000, 3'275'000, how); },
     6'725'000,
     {"9 所得金額 10,000,000 − 25 所得控除の合計 3,275,000 = 6,725,000（1,000円未満切捨て）"}},
    {"taxable income rounded down",
     {"9 所得金額", "25 所得控除の合計"},
     [](Derivation* how) { return taxableIncome(6'385'056, 3'278'928, how); },
     3'106'000,
     {"9 所得金額 6,385,056 − 25 所得控除の合計 3,278,928 = 3,106,128 → 3,106,000（1,000円未満切捨て）"}},
    {"deductions above the income",
     {"9 所得金額", "25 所得控除の合計"},
     [](Derivation* how) { return taxableIncome(300'000, 380'000, how); },
     0,
     {"9 所得金額 300,000 − 25 所得控除の合計 380,000 = −80,000 → 0（所得控除が所得金額以上）"}},
    {"tax bracket",
     {"26 課税所得金額"},
     [](Derivation* how) { return incomeTax(6'725'000, how); },
     1'015'000,
     {"26 課税所得金額 6,725,000 は 3,300,000 以上 9,000,000 未満 → 6,725,000 × 20% − 330,000 = 1,015,000"}},
    {"top tax bracket",
     {"26 課税所得金額"},
     [](Derivation* how) { return incomeTax(20'000'000, how); },
     4'910'000,
     {"26 課税所得金額 20,000,000 は 18,000,000 以上 → 20,000,000 × 37% − 2,490,000 = 4,910,000"}},
    {"fixed-rate reduction at its cap",
     {"35 再差引所得税額"},
     [](Derivation* how) { return fixedRateReduction(2'000'000, how); },
     250'000,
     {"35 再差引所得税額 2,000,000 × 20%（1円未満切捨て） = 400,000 → 250,000（上限 250,000）"}},
    {"tax to pay down to hundreds",
     {"38 申告納税額", "39 予定納税額"},
     [](Derivation* how) { return taxToPay(123'456, 20'000, how); },
     103'400,
     {"38 申告納税額 123,456 − 39 予定納税額 20,000 = 103,456 → 103,400（100円未満切捨て）"}},
    {"salary table read in steps",
     {"カ 給与"},
     [](Derivation* how) { return salaryIncomeFromRevenue(3'456'789, how); },
     2'239'200,
     {"カ 給与 3,456,789 は 1,624,000 以上 6,600,000 未満 → 表は 4,000円ごと: 3,456,000 で読みます",
      "表の金額 3,456,000 は 1,800,000 以上 3,600,000 未満 → 3,456,000 × 70% − 180,000 = 2,239,200"}},
    {"elderly pension table with tenths",
     {"キ 公的年金等"},
     [](Derivation* how) { return publicPensionIncome(4'749'885, true, how); },
     2'827'402.2,
     {"老年者の公的年金等控除の表を使います。", "キ 公的年金等 4,749,885 は 4,600,000 以上 8,200,000 未満 → "
                                                "4,749,885 × 85%（0.1円未満切捨て） − 1,210,000 = "
                                                "2,827,402.2"}},
    {"special spouse deduction band",
     {"配偶者の合計所得", "本人の 9 所得金額"},
     [](Derivation* how) { return static_cast<double>(specialSpouseDeduction(420'000, 5'000'000, how)); },
     360'000,
     {"配偶者の合計所得 420,000 は 400,000 以上 450,000 未満 → 360,000"}},
    {"no special spouse deduction above the own income limit",
     {"配偶者の合計所得", "本人の 9 所得金額"},
     [](Derivation* how) { return static_cast<double>(specialSpouseDeduction(420'000, 10'000'001, how)); },
     0,
     {"本人の 9 所得金額 10,000,001 は 10,000,000 超 → 0"}},
    {"medical expenses at the cap",
     {"支払医療費", "補てんされる金額", "9 所得金額"},
     [](Derivation* how) {
         return static_cast<double>(medicalExpenseDeduction(2'421'136, 0, 13'960'124, how));
     },
     2'000'000,
     {"足切り額: 9 所得金額 13,960,124 × 5% = 698,006 と 100,000 の少ない方 = 100,000",
      "支払医療費 2,421,136 − 補てんされる金額 0 − 足切り額 100,000 = 2,321,136 → 上限の 2,000,000"}},
    {"life insurance from two premium totals",
     {"一般の保険料の計", "個人年金保険料の計"},
     [](Derivation* how) { return static_cast<double>(lifeInsuranceDeduction(66'069, 30'000, how)); },
     69'017,
     {"一般の保険料の計 66,069 は 50,000 超 100,000 以下 → 66,069 × 1/4（1円未満切捨て） + 25,000 = 41,517",
      "個人年金保険料の計 30,000 は 25,000 超 50,000 以下 → 30,000 × 1/2（1円未満切捨て） + 12,500 = 27,500",
      "一般 41,517 + 個人年金 27,500 = 69,017"}},
    {"non-life long-term premiums at the cap",
     {"長期保険料の計", "短期保険料の計"},
     [](Derivation* how) { return static_cast<double>(nonLifeDeduction(20'000, 3'000, how)); },
     15'000,
     {"長期保険料の計 20,000 は 20,000 以上 → 上限の 15,000",
      "短期保険料の計 3,000 は 2,000 超 4,000 未満 → 3,000 × 1/2（1円未満切捨て） + 1,000 = 2,500",
      "長期 15,000 + 短期 2,500 = 17,500 → 上限の 15,000"}},
};

INSTANTIATE_TEST_SUITE_P(Rules, DerivationSentences, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name = info.param.rule;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
});

TEST(YenText, WritesAmountsAsTheReturnDoes) {
    EXPECT_EQ(yenText(0), "0");
    EXPECT_EQ(yenText(1'234'567), "1,234,567");
    EXPECT_EQ(yenText(-50'000), "−50,000");
    EXPECT_EQ(yenText(2'827'402.2), "2,827,402.2");
    EXPECT_EQ(yenText(-0.5), "−0.5");
}

} // namespace
} // namespace kakutei
