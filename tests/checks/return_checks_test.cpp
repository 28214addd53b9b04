#include "checks/return_checks.h"

#include "core/store_error.h"
#include "core/taxpayer_record.h"

#include "sample_taxpayer.h"
#include "screen_fixture.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace kakutei {
namespace {

using Fields = std::map<int, std::string>;

constexpr PersonCode kCode = 15;
constexpr std::string_view kRegistration = "個人の登録";
constexpr std::string_view kPersonal = "障害者・配偶者・扶養家族 / 専従者に関する事項";

// A return with nothing to say about it: registered with a tax office, a birth date (昭和35.4.1) and a
// bank account; a wife with no income on the spouse deduction, a son of 17 on 63, a paid son.
struct CleanReturn {
    TaxpayerRecord taxpayer = testing::sampleRecord();
    Fields income{{20, "5000000"}};
    Fields personal{
        {2, "\"山田　花子\""},  {3, "\"38.05.10\""},
        {36, "\"昭和\""},       {62, "0"},
        {63, "380000"},         {4, "\"山田　一郎\""},
        {5, "\"長男\""},        {6, "\"62.04.01\""},
        {37, "\"昭和\""},       {48, "63"},
        {16, "\"山田　次郎\""}, {18, "\"次男\""},
        {53, "1200000"},        {32, "\"該当なし\""},
    };
    Fields tax{{28, "100000"}, {29, "0"}};

    void write(const DataStore& store) const {
        ASSERT_FALSE(taxpayerRecordWriter(taxpayer).writeTo(store.path(names::taxpayerFile(kCode))));
        testing::writeRecordFields(store, kCode, 1, 0, 20, income);
        testing::writeRecordFields(store, kCode, 3, 47, 17, personal);
        testing::writeRecordFields(store, kCode, 5, 0, 41, tax);
    }
};

struct ReturnChecksTest : ::testing::Test {
    testing::TempRoot root;
    DataStore store{root.path()};
    CleanReturn clean;
    ReturnChecksTest() { store.ensureFolders(kYearCode); }

    ReturnChecks checked(const CleanReturn& r) {
        r.write(store);
        return checkReturn(store, kCode);
    }
};

// The warnings as the check command prints them, so that a failure reads as the user would see it.
std::vector<std::string> lines(const ReturnChecks& checks) {
    std::vector<std::string> out;
    for (const ReturnWarning& warning : checks.warnings)
        out.push_back(warningLine(warning));
    return out;
}
using Lines = std::vector<std::string>;

// One change to the clean return.
struct Change {
    const char* what;
    std::function<void(CleanReturn&)> apply;
};

Change registered(const char* what, std::function<void(TaxpayerRecord&)> change) {
    return {what, [change](CleanReturn& r) { change(r.taxpayer); }};
}
Change personal(const char* what, Fields fields) {
    return {what, [fields](CleanReturn& r) {
                for (const auto& [n, line] : fields)
                    r.personal[n] = line;
            }};
}

TEST_F(ReturnChecksTest, ACleanReturnHasNothingToSay) {
    const ReturnChecks checks = checked(clean);
    EXPECT_EQ(lines(checks), Lines{});
    EXPECT_TRUE(checks.clean());
}

TEST_F(ReturnChecksTest, EachFaultGivesOneWarningNamingItsWindowAndLine) {
    const auto elderly = [](TaxpayerRecord& t) {
        t.condition = "老年者";
        t.birthYear = 10; // 昭和10.1.1: 70 at the year's end
        t.birthMonth = 1;
        t.birthDay = 1;
    };
    const struct {
        Change change;
        std::string_view screen;
        std::string line;
        std::string message;
    } cases[] = {
        {registered("no tax office", [](TaxpayerRecord& t) { t.taxOffice = "　"; }), kRegistration,
         "税務署名", "税務署名がありません。"},
        {registered("no era", [](TaxpayerRecord& t) { t.birthEra = ""; }), kRegistration, "生年月日",
         "生年月日（元号と年月日）がありません。"},
        {registered("empty date boxes",
                    [](TaxpayerRecord& t) { t.birthYear = t.birthMonth = t.birthDay = 1; }),
         kRegistration, "生年月日", "生年月日（元号と年月日）がありません。"},
        {registered("no such day",
                    [](TaxpayerRecord& t) {
                        t.birthYear = 64;
                        t.birthMonth = 2;
                    }),
         kRegistration, "生年月日", "昭和64年2月1日という日はありません。"},
        {registered("elderly at 64",
                    [](TaxpayerRecord& t) {
                        t.condition = "老年者";
                        t.birthYear = 15; // 昭和15.1.2
                        t.birthMonth = 1;
                        t.birthDay = 2;
                    }),
         kRegistration, "本人の条件",
         "「老年者」ですが、平成16年12月31日の年齢は64歳です。老年者は65歳以上の人です。"},
        {{"refund without an account",
          [](CleanReturn& r) {
              r.taxpayer.accountNumber = "";
              r.tax[28] = "0";
              r.tax[29] = "52300";
          }},
         kRegistration,
         "還付される税金の受取場所",
         "還付される税金（41）が52,300円ありますが、振込先の口座番号がありません。"},
        {{"refund without a bank",
          [](CleanReturn& r) {
              r.taxpayer.bankName = "";
              r.taxpayer.accountNumber = "";
              r.tax[29] = "1";
          }},
         kRegistration,
         "還付される税金の受取場所",
         "還付される税金（41）が1円ありますが、振込先の銀行名と口座番号がありません。"},
        {{"elderly above the income limit",
          [&](CleanReturn& r) {
              elderly(r.taxpayer);
              r.income[20] = "10000001";
              r.personal[32] = "\"老年者\"";
              r.personal[57] = "500000";
          }},
         kPersonal,
         "本人控除（老年者控除）",
         "合計所得金額（9）が10,000,001円で1,000万円を超えるため、老年者控除は受けられません。"},
        {{"elderly deduction left from an older registration",
          [](CleanReturn& r) {
              r.personal[32] = "\"老年者\"";
              r.personal[57] = "500000";
          }},
         kPersonal,
         "本人控除（老年者控除）",
         "平成16年12月31日の年齢は44歳です。老年者控除は65歳以上の人に限られます。"},
        {{"working student above the income limit",
          [](CleanReturn& r) {
              r.income[20] = "650001";
              r.personal[34] = "\"勤労学生\"";
              r.personal[58] = "270000";
          }},
         kPersonal,
         "本人控除（勤労学生）",
         "合計所得金額（9）が650,001円で65万円を超えるため、勤労学生控除は受けられません。"},
        {personal("spouse above 380,000", {{62, "380001"}}), kPersonal, "配偶者控除の額",
         "配偶者の合計所得（380,001円）が38万円を超えるため、配偶者控除は受けられません。"},
        {personal("elderly amount for a spouse of 69", {{3, "\"10.01.02\""}, {63, "480000"}}), kPersonal,
         "配偶者控除の額",
         "配偶者控除の額が480,000円です。配偶者控除は38万円（12月31日に70歳以上の配偶者は48万円）です。"},
        {personal("special deduction stacked on the spouse deduction", {{62, "0"}, {64, "380000"}}),
         kPersonal, "配偶者特別控除",
         "配偶者の合計所得（0円）が38万円以下のため、配偶者特別控除は受けられません（配偶者控除の対象です）"
         "。"},
        {personal("special deduction at 760,000", {{62, "760000"}, {63, "0"}, {64, "30000"}}), kPersonal,
         "配偶者特別控除",
         "配偶者の合計所得（760,000円）が76万円以上のため、配偶者特別控除は受けられません。"},
        {{"special deduction above the taxpayer's income limit",
          [](CleanReturn& r) {
              r.income[20] = "10000001";
              r.personal[62] = "500000";
              r.personal[63] = "0";
              r.personal[64] = "260000";
          }},
         kPersonal,
         "配偶者特別控除",
         "合計所得金額（9）が10,000,001円で1,000万円を超えるため、配偶者特別控除は受けられません。"},
        {personal("the wife is a paid family employee", {{16, "\"山田花子\""}, {18, "\"妻\""}}), kPersonal,
         "配偶者控除の額",
         "配偶者は専従者に関する事項の1行目で専従者給与を受けています。専従者は配偶者控除・配偶者特別控除の対"
         "象になりません。"},
        {personal("a paid employee named as the wife", {{26, "\"山田 花子\""}, {55, "1"}}), kPersonal,
         "配偶者控除の額",
         "配偶者は専従者に関する事項の3行目で専従者給与を受けています。専従者は配偶者控除・配偶者特別控除の対"
         "象になりません。"},
        {personal("a dependent who is a paid family employee", {{21, "\"山田一郎\""}, {54, "600000"}}),
         kPersonal, "扶養家族の明細 1行目",
         "専従者に関する事項の2行目で専従者給与を受けている人です。専従者は扶養控除の対象になりません。"},
        {personal("special dependent at 23", {{6, "\"57.01.01\""}}), kPersonal, "扶養家族の明細 1行目",
         "平成16年12月31日の年齢は23歳なので、控除額は一般の扶養親族の38万円です（63万円になっています）。"},
        {personal("general amount for a dependent of 16", {{6, "\"63.12.31\""}, {48, "38"}}), kPersonal,
         "扶養家族の明細 1行目",
         "平成16年12月31日の年齢は16歳なので、控除額は特定扶養親族の63万円です（38万円になっています）。"},
        {personal("elderly amount for a parent of 69",
                  {{7, "\"山田　梅\""}, {9, "\"10.01.02\""}, {38, "\"昭和\""}, {49, "58"}}),
         kPersonal, "扶養家族の明細 2行目",
         "平成16年12月31日の年齢は69歳なので、控除額は一般の扶養親族の38万円です（58万円になっています）。"},
        {personal("general amount for a parent of 75",
                  {{13, "\"山田　松\""}, {15, "\"4.6.1\""}, {40, "\"昭和\""}, {51, "38"}}),
         kPersonal, "扶養家族の明細 4行目",
         "平成16年12月31日の年齢は75歳なので、控除額は老人扶養親族の48万円（同居老親等は58万円）です（38万円"
         "になっています）。"},
        {personal("a dependent without an era", {{37, "\"年号\""}}), kPersonal, "扶養家族の明細 1行目",
         "生年月日（年号と 13.01.31 の形の年月日）が読めないため、控除額63万円を確かめられません。"},
        {personal("a dependent born in 2005", {{6, "\"17.1.5\""}, {37, "\"平成\""}}), kPersonal,
         "扶養家族の明細 1行目",
         "平成16年12月31日より後に生まれた人は、平成16年分の扶養控除の対象になりません。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change.what);
        CleanReturn r;
        c.change.apply(r);
        const ReturnChecks checks = checked(r);
        EXPECT_EQ(lines(checks), Lines{warningLine({std::string(c.screen), c.line, c.message})});
        EXPECT_TRUE(checks.unreadable.empty());
    }
}

// A revenue typed and calculated without 自動計算 stores its income line as 0: named by its row. A salary
// or transfer too small to give any income, and the pension (always worked out), say nothing.
TEST_F(ReturnChecksTest, ARevenueWhoseIncomeWasLeftAtZeroIsNamed) {
    const struct {
        Fields income; // over the clean return's line 9
        const char* warning;
    } cases[] = {
        {{{6, "4800000"}},
         "収入金額等・所得金額 — カ 給与: 収入金額等が4,800,000円ありますが、所得金額（6）が0円です。"
         "「自動計算」か所得金額の入力を確かめて下さい。"},
        {{{6, "651000"}},
         "収入金額等・所得金額 — カ 給与: 収入金額等が651,000円ありますが、所得金額（6）が0円です。"
         "「自動計算」か所得金額の入力を確かめて下さい。"},
        {{{6, "650999"}}, nullptr},
        {{{6, "4800000"}, {17, "3300000"}}, nullptr},
        {{{1, "100"}},
         "収入金額等・所得金額 — ア 営業等: 収入金額等が100円ありますが、所得金額（1）が0円です。"
         "「自動計算」か所得金額の入力を確かめて下さい。"},
        {{{3, "1200000"}, {14, "1"}}, nullptr},
        {{{7, "600000"}}, nullptr}, // the pension: 0 below 700,000
        {{{10, "500002"}},
         "収入金額等・所得金額 — コ 長期: 収入金額等が500,002円ありますが、所得金額（8）が0円です。"
         "「自動計算」か所得金額の入力を確かめて下さい。"},
        {{{10, "500001"}}, nullptr}, // Int(1 / 2) = 0
    };
    for (const auto& c : cases) {
        CleanReturn r = clean;
        for (const auto& [n, value] : c.income)
            r.income[n] = value;
        SCOPED_TRACE(c.income.begin()->second);
        EXPECT_EQ(lines(checked(r)), c.warning ? Lines{c.warning} : Lines{});
    }
}

// A deduction, credit, withholding or prepayment stored below 0 is named where it is stored; 0 and the
// balance due, which may well be negative, say nothing.
TEST_F(ReturnChecksTest, ANegativeDeductionOrCreditIsNamedWhereItIsStored) {
    const std::string fix = "0円未満にはならないため、計算では0円とします。入力を確かめて下さい。";
    const struct {
        int k, field;
        const char* value;
        std::string warning;
    } cases[] = {
        {2, 20, "-100000", "医療費控除 / 社会保険料等 — 12 社会保険料控除: -100,000円です。" + fix},
        {3, 52, "-38", "障害者・配偶者・扶養家族 / 専従者に関する事項 — 23 扶養控除: -38万円です。" + fix},
        {3, 63, "-380000",
         "障害者・配偶者・扶養家族 / 専従者に関する事項 — 21 配偶者控除: -380,000円です。" + fix},
        {5, 17, "-50000", "税額の計算 — 28 配当控除: -50,000円です。" + fix},
        {5, 25, "-1", "税額の計算 — 37 源泉徴収税額: -1円です。" + fix},
        {5, 27, "-10000", "税額の計算 — 39 予定納税額: -10,000円です。" + fix},
        {5, 17, "0", ""},
        {5, 26, "-13600", ""}, // line 38: a refund
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        CleanReturn r = clean;
        Fields deductions; // the clean return has none; an empty record says nothing
        Fields* const byScreenFile[] = {nullptr, nullptr, &deductions, &r.personal, nullptr, &r.tax};
        (*byScreenFile[c.k])[c.field] = c.value;
        r.write(store);
        testing::writeRecordFields(store, kCode, 2, 13, 25, deductions);
        EXPECT_EQ(lines(checkReturn(store, kCode)), c.warning.empty() ? Lines{} : Lines{c.warning});
    }
}

TEST_F(ReturnChecksTest, TheLimitsThemselvesAreLawful) {
    const Change cases[] = {
        registered("elderly at exactly 65",
                   [](TaxpayerRecord& t) {
                       t.condition = "老年者";
                       t.birthYear = 15; // 昭和15.1.1
                       t.birthMonth = 1;
                       t.birthDay = 1;
                   }),
        {"elderly and working student at their income limits",
         [](CleanReturn& r) {
             r.taxpayer.condition = "老年者";
             r.taxpayer.birthYear = 9; // 昭和9.4.1: 70
             r.income[20] = "650000";
             r.personal[32] = "\"老年者\"";
             r.personal[57] = "500000";
             r.personal[34] = "\"勤労学生\"";
             r.personal[58] = "270000";
         }},
        personal("spouse at exactly 380,000", {{62, "380000"}}),
        personal("elderly amount for a spouse of 70", {{3, "\"10.01.01\""}, {63, "480000"}}),
        personal("special deduction just above 380,000", {{62, "380001"}, {63, "0"}, {64, "380000"}}),
        personal("special dependent at 22", {{6, "\"57.01.02\""}}),
        personal("live-in parent of 70", {{9, "\"10.1.1\""}, {38, "\"昭和\""}, {49, "58"}}),
        personal("a dependent on nothing needs no date", {{7, "\"山田　梅\""}, {49, "0"}}),
        personal("a paid employee who is no one's deduction", {{26, "\"山田　花子\""}, {63, "0"}, {55, "1"}}),
        {"a refund with an account", [](CleanReturn& r) { r.tax[29] = "52300"; }},
        registered("an account is only needed for a refund",
                   [](TaxpayerRecord& t) { t.bankName = t.accountNumber = ""; }),
    };
    for (const Change& c : cases) {
        SCOPED_TRACE(c.what);
        CleanReturn r;
        c.apply(r);
        const ReturnChecks checks = checked(r);
        EXPECT_EQ(lines(checks), Lines{});
    }
}

TEST_F(ReturnChecksTest, ANewClientIsCheckedOnItsRegistrationAlone) {
    TaxpayerRecord taxpayer = testing::sampleRecord();
    taxpayer.taxOffice = "";
    ASSERT_FALSE(taxpayerRecordWriter(taxpayer).writeTo(store.path(names::taxpayerFile(kCode))));
    const ReturnChecks checks = checkReturn(store, kCode);
    EXPECT_EQ(lines(checks), Lines{"個人の登録 — 税務署名: 税務署名がありません。"});
    EXPECT_TRUE(checks.unreadable.empty());
}

TEST_F(ReturnChecksTest, AnUnreadableRecordIsNamedAndItsChecksAreLeftOut) {
    CleanReturn r;
    r.taxpayer.taxOffice = "";
    r.personal[62] = "500000"; // would be a warning, but the file cannot be read
    r.write(store);
    // Cut short in its amounts: a text where a number belongs.
    testing::writeRecordFields(store, kCode, 3, 47, 17, {{50, "\"x\""}, {62, "500000"}, {63, "380000"}});
    const ReturnChecks checks = checkReturn(store, kCode);
    ASSERT_EQ(checks.unreadable.size(), 1u);
    EXPECT_EQ(checks.unreadable.at(0).path, store.path(*names::screenFile(kCode, 3, kYearCode)));
    EXPECT_EQ(lines(checks), Lines{"個人の登録 — 税務署名: 税務署名がありません。"});
    EXPECT_FALSE(checks.clean());
    EXPECT_EQ(unreadableLine(checks.unreadable.at(0)), "「" + checks.unreadable.at(0).path +
                                                           "」を読めません。" +
                                                           unreadableReason(checks.unreadable.at(0).check));
    EXPECT_NE(unreadableLine(checks.unreadable.at(0)).find("50 番目の値（扶養親族 3 の控除額）"),
              std::string::npos)
        << unreadableLine(checks.unreadable.at(0));
}

TEST_F(ReturnChecksTest, AnUnregisteredOrDamagedTaxpayerRecordIsNamed) {
    const std::string path = store.path(names::taxpayerFile(kCode));
    ReturnChecks checks = checkReturn(store, kCode);
    ASSERT_EQ(checks.unreadable.size(), 1u);
    EXPECT_EQ(checks.unreadable.at(0).path, path);
    EXPECT_TRUE(checks.warnings.empty());

    root.writeBytes("所得税/個人名/15.txt", testing::crlfLines({"15", "\"山田\"", "\"該当なし\""}));
    checks = checkReturn(store, kCode);
    ASSERT_EQ(checks.unreadable.size(), 1u);
    EXPECT_EQ(checks.unreadable.at(0).path, path);
    EXPECT_TRUE(checks.warnings.empty());
}

TEST(ReturnWarningLine, NamesTheWindowThenTheLine) {
    EXPECT_EQ(warningLine({"個人の登録", "税務署名", "税務署名がありません。"}),
              "個人の登録 — 税務署名: 税務署名がありません。");
}

} // namespace
} // namespace kakutei
