// An explanation read from the files as they are: a figure typed over a calculation says so, a figure
// computed before its inputs changed says so, and a file that cannot be read is named, never guessed at.
#include "core/file_io.h"
#include "core/stored_return.h"
#include "explain/explanation.h"

#include "sample_taxpayer.h"
#include "screen_fixture.h"

namespace kakutei {
namespace {

using testing::writeRecordFields;

struct StoredReturnExplanation : testing::DataScreenFixture {
    StoredReturnExplanation() {
        testing::registerTaxpayer(store, 7, "山田太郎");
        writeIncome("9000000");
        // Lines 12 and 24 make the 3,275,000 of line 25; 26 and 27 follow from line 9.
        writeRecordFields(
            store, 7, 5, 0, 41,
            {{3, "2895000"}, {13, "380000"}, {14, "3275000"}, {15, "6725000"}, {16, "1015000"}});
    }
    // Line 1 as given, line 6 typed as 1,000,000 over a salary revenue of 3,000,000, line 9 their total.
    void writeIncome(const std::string& business) {
        const std::string total = std::to_string(std::stoll(business) + 1'000'000);
        writeRecordFields(store, 7, 1, 0, 20, {{6, "3000000"}, {12, business}, {17, "1000000"}, {20, total}});
    }
    Explanation explanation() const { return explainReturn(readStoredReturn(store, 7, "H16")); }
    static const ExplainedLine& line(const Explanation& e, ExplainedScreen screen, int number) {
        const ExplainedLine* found = e.find({screen, number});
        EXPECT_NE(found, nullptr) << number;
        static const ExplainedLine none;
        return found ? *found : none;
    }
};

TEST_F(StoredReturnExplanation, TellsTheTaxFromTheIncomeAndTheDeductions) {
    const Explanation e = explanation();
    EXPECT_EQ(e.name, "山田太郎");
    const ExplainedLine& taxable = line(e, ExplainedScreen::taxComputation, 26);
    EXPECT_EQ(taxable.label, "26 課税所得金額");
    EXPECT_EQ(taxable.provenance, Provenance::computed);
    EXPECT_EQ(taxable.steps, std::vector<std::string>{"9 所得金額 10,000,000 − 25 所得控除の合計 3,275,000 = "
                                                      "6,725,000（1,000円未満切捨て）"});
    const ExplainedLine& tax = line(e, ExplainedScreen::taxComputation, 27);
    EXPECT_EQ(tax.provenance, Provenance::computed);
    EXPECT_EQ(
        tax.steps.back(),
        "26 課税所得金額 6,725,000 は 3,300,000 以上 9,000,000 未満 → 6,725,000 × 20% − 330,000 = 1,015,000");
}

TEST_F(StoredReturnExplanation, SaysAFigureWasTyped) {
    const Explanation e = explanation();
    const ExplainedLine& salary = line(e, ExplainedScreen::income, 17);
    EXPECT_EQ(salary.label, "6 給与");
    EXPECT_EQ(salary.figure, 1'000'000);
    EXPECT_EQ(salary.provenance, Provenance::typed);
    EXPECT_TRUE(salary.steps.front().starts_with("入力された金額です")) << salary.steps.front();
    // What the table would have given is still told.
    EXPECT_TRUE(salary.steps.back().ends_with("= 1,920,000")) << salary.steps.back();
}

TEST_F(StoredReturnExplanation, SaysAFigureIsOlderThanWhatItWasComputedFrom) {
    writeIncome("11000000");
    const Explanation e = explanation();
    const ExplainedLine& taxable = line(e, ExplainedScreen::taxComputation, 26);
    EXPECT_EQ(taxable.figure, 6'725'000);
    EXPECT_EQ(taxable.provenance, Provenance::stale);
    EXPECT_TRUE(taxable.steps.front().starts_with("保存された金額は")) << taxable.steps.front();
    EXPECT_TRUE(taxable.steps.back().starts_with("9 所得金額 12,000,000 − ")) << taxable.steps.back();
}

TEST_F(StoredReturnExplanation, NamesARecordItCannotRead) {
    const std::string path = store.path(*names::screenFile(7, 2, "H16"));
    ASSERT_FALSE(writeFileAtomically(path, "\"cut short\r\n", WriteMode::replace));
    const Explanation e = explanation();
    ASSERT_FALSE(e.notes.empty());
    EXPECT_NE(e.notes.front().find(path), std::string::npos) << e.notes.front();
    EXPECT_NE(e.notes.front().find("読めません"), std::string::npos);
    EXPECT_EQ(e.find({ExplainedScreen::deductions, 35}), nullptr);
    const ExplainedLine& medical = line(e, ExplainedScreen::taxComputation, 11);
    EXPECT_NE(medical.steps.back().find("読めないため"), std::string::npos) << medical.steps.back();
}

TEST_F(StoredReturnExplanation, LeavesOutAScreenNeverCalculated) {
    ASSERT_FALSE(removeFile(store.path(*names::screenFile(7, 5, "H16"))));
    const Explanation e = explanation();
    EXPECT_EQ(e.find({ExplainedScreen::taxComputation, 26}), nullptr);
    EXPECT_NE(std::find(e.notes.begin(), e.notes.end(), "税額の計算はまだ計算実行されていません。"),
              e.notes.end());
}

// Whatever numbers a hand-edited record holds within its fields' ranges, the explanation is written and no
// rule overflows.
TEST_F(StoredReturnExplanation, ExplainsAnyNumbersARecordHolds) {
    for (const char* value : {"largest", "smallest", "0.5"}) {
        SCOPED_TRACE(value);
        for (int k = 1; k <= 5; ++k) {
            const RecordSchema& schema = screenRecordSchema(k);
            std::map<int, std::string> fields;
            for (int n = schema.textCount() + 1; n <= static_cast<int>(schema.fields.size()); ++n) {
                const bool whole = schema.fields[static_cast<std::size_t>(n - 1)].kind == FieldKind::int32;
                fields[n] = std::string_view(value) == "0.5" ? (whole ? "1" : "0.5")
                            : std::string_view(value) == "largest"
                                ? (whole ? "2147483647" : "999999999999999")
                                : (whole ? "-2147483648" : "-999999999999999");
            }
            writeRecordFields(store, 7, k, schema.textCount(), schema.numberCount(), fields);
        }
        const Explanation e = explanation();
        EXPECT_TRUE(e.notes.empty());
        ASSERT_NE(e.find({ExplainedScreen::taxComputation, 41}), nullptr);
        for (const ExplanationSection& section : e.sections)
            for (const ExplainedLine& line : section.lines)
                EXPECT_FALSE(line.steps.empty()) << line.label;
    }
}

} // namespace
} // namespace kakutei
