// The work sheet as plain text: every line with its figure, where the figure came from and its steps.
#include "explain/explanation_text.h"

#include <gtest/gtest.h>

namespace kakutei {
namespace {

ExplainedLine line(int number, std::string label, double figure, Provenance provenance,
                   std::vector<std::string> steps) {
    return {
        {ExplainedScreen::taxComputation, number}, std::move(label), figure, provenance, std::move(steps)};
}

TEST(ExplanationText, ShowsEachSectionLineAndNote) {
    const std::string longStep = "9 所得金額 " + std::string(40, '1') + " の内訳: " + [] {
        std::string s;
        for (int i = 0; i < 30; ++i)
            s += "給与所得、";
        return s;
    }();
    const struct {
        const char* name;
        Explanation explanation;
        std::string text;
    } cases[] = {
        {"computed, typed, stale and a note",
         {7,
          "山田太郎",
          {{"所得金額",
            {line(9, "9 所得金額", 10000000, Provenance::computed, {"1 給与 10,000,000 = 10,000,000"})}},
           {"税額の計算",
            {line(26, "26 課税所得金額", 6725000, Provenance::stale,
                  {"9 所得金額 10,000,000 − 25 所得控除の合計 3,275,000 = 6,725,000（1,000円未満切捨て）",
                   "所得金額が変わっています。"}),
             line(31, "31 その他の控除", 0, Provenance::typed, {})}}},
          {"住宅借入金等の記録が読めません。"}},
         "計算明細書（平成16年分）\n"
         "個人コード 7　山田太郎\n"
         "\n"
         "■ 所得金額\n"
         "  9 所得金額                            10,000,000  ［計算］\n"
         "        1 給与 10,000,000 = 10,000,000\n"
         "\n"
         "■ 税額の計算\n"
         "  26 課税所得金額                        6,725,000  ［要再計算］\n"
         "        9 所得金額 10,000,000 − 25 所得控除の合計 3,275,000 = 6,725,000（1,000円未満切捨て）\n"
         "        所得金額が変わっています。\n"
         "  31 その他の控除                                0  ［入力］\n"
         "\n"
         "■ 注記\n"
         "  ・住宅借入金等の記録が読めません。\n"},
        {"nothing to explain, no registered name",
         {42, "", {}, {}},
         "計算明細書（平成16年分）\n"
         "個人コード 42\n"
         "\n"
         "（明細はありません）\n"},
        {"a long label and a long step stay whole",
         {7,
          "山田太郎",
          {{"所得金額",
            {line(9, "9 所得金額（総合課税の合計、分離課税を除く）", -1234.5, Provenance::carried,
                  {longStep})}}},
          {}},
         "計算明細書（平成16年分）\n"
         "個人コード 7　山田太郎\n"
         "\n"
         "■ 所得金額\n"
         "  9 所得金額（総合課税の合計、分離課税を除く）         -1,235  ［他の画面から］\n"
         "        " +
             longStep + "\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(explanationText(c.explanation), c.text) << c.name;
}

TEST(ExplanationText, FiguresAndFileNames) {
    const struct {
        double figure;
        std::string text;
    } figures[] = {{0, "0"}, {0.4, "0"}, {999, "999"}, {1234567, "1,234,567"}, {-300000, "-300,000"}};
    for (const auto& f : figures)
        EXPECT_EQ(workSheetFigure(f.figure), f.text) << f.figure;

    EXPECT_EQ(workSheetFileName({7, "山田太郎", {}, {}}), "07_山田太郎_計算明細書.pdf");
    EXPECT_EQ(workSheetFileName({123, "", {}, {}}), "123_計算明細書.pdf");
}

} // namespace
} // namespace kakutei
