#include "core/amount_text.h"
#include "core/stored_return.h"
#include "core/taxpayer_record.h"
#include "explain/explanation.h"
#include "tax/tax_computation_screen.h"
#include "ui/derivation_panel.h"

#include "screen_fixture.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <string>

namespace kakutei {
namespace {

constexpr const char* kUnsaved = "まだ保存されていません（計算実行で保存）";
constexpr const char* kTyped = "入力された金額です";

// Every stored amount of the four screens as a line of its own, its figure the stored one, its label and
// steps made up here: what the panel shows must come from the explanation it is given, whatever words the
// program's own explanation uses.
Explanation storedFigures(const StoredReturn& stored, Provenance provenance) {
    ExplanationSection section{"見本", {}};
    const auto add = [&](ExplainedScreen screen, int number, int k, int index) {
        const std::vector<double>& numbers = stored.record(k).values.numbers;
        if (static_cast<std::size_t>(index) >= numbers.size())
            return;
        const std::string n = std::to_string(number);
        section.lines.push_back({{screen, number},
                                 "見本の欄 " + n,
                                 numbers[static_cast<std::size_t>(index)],
                                 provenance,
                                 {"欄 " + n + " の一つ目の段階", "欄 " + n + " の二つ目の段階"}});
    };
    for (int field = 1; field <= 20; ++field)
        add(ExplainedScreen::income, field, 1, field - 1);
    for (int field = 14; field <= 38; ++field)
        add(ExplainedScreen::deductions, field, 2, field - 14);
    for (int field = 48; field <= 64; ++field)
        add(ExplainedScreen::personalDeductions, field, 3, field - 48);
    for (const tax_computation::Line& line : tax_computation::kLines)
        if (line.recordField > 0)
            add(ExplainedScreen::taxComputation, line.number, 5, line.recordField - 1);
    return {stored.code, "", {section}, {}};
}

// A box of a window that is not the active one takes no focus yet: the user's click activates the window.
void activateAndClick(QWidget& form, QWidget* box) {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::mouseClick(box, Qt::LeftButton);
}

// Client 7, elderly, with income, a social insurance premium, a dependent and a spouse, each screen
// calculated through its window.
struct DerivationPanelFixture : testing::WindowFixture {
    void SetUp() override {
        TaxpayerRecord record;
        record.personCode = 7;
        record.name = "七";
        record.condition = "老年者"; // the personal deductions screen selects its option as it opens
        ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7))));
        testing::writeRecordFields(store, 7, 1, 0, 20, {{1, "8000000"}, {12, "5000000"}});
        testing::writeRecordFields(store, 7, 2, 13, 25, {{17, "600000"}});
        testing::writeRecordFields(store, 7, 3, 47, 17, {{48, "38"}, {63, "380000"}});
        testing::writeRecordFields(store, 7, 4, 40, 25, {}); // the tax computation gathers it too
        app.mainMenu().text3.text = "7";
        press(&MainMenu::callUp);
        calculate(ScreenId::income);
        press(&MainMenu::deductions1);
        calculate(ScreenId::deductions1);
        press(&MainMenu::deductions2);
        calculate(ScreenId::personalDeductions);
        press(&MainMenu::taxComputation);
        calculate(ScreenId::taxComputation);
        press(&MainMenu::income); // its summary of the tax computation is read as it opens
    }
    void calculate(ScreenId id) { QTest::mouseClick(captioned<QPushButton>(id, "計算実行"), Qt::LeftButton); }
    DerivationPanel& panel(ScreenId id) { return *child<DerivationPanel>(id, "derivationPanel"); }
    std::string shown(ScreenId id) { return utf8(panel(id).plainText()); }
    Explanation explanation(Provenance provenance = Provenance::computed) {
        return storedFigures(readStoredReturn(store, 7, "H16"), provenance);
    }
    void explainStoredFigures(Provenance provenance) {
        for (ScreenId id : {ScreenId::income, ScreenId::deductions1, ScreenId::personalDeductions,
                            ScreenId::taxComputation})
            panel(id).setExplainer(
                [provenance](const StoredReturn& stored) { return storedFigures(stored, provenance); });
    }
    QWidget* box(ScreenId id, const char* name) { return child<QWidget>(id, name); }
    void click(ScreenId id, const char* name) { activateAndClick(window(id), box(id, name)); }
};

struct Case {
    ScreenId window;
    const char* box;
    LineRef ref;
    const char* figure; // as the box shows it after the calculation
};

const Case kCases[] = {
    {ScreenId::income, "income1", {ExplainedScreen::income, 12}, "5,000,000"},
    {ScreenId::income, "total", {ExplainedScreen::income, 20}, "5,000,000"}, // a result: reached by a click
    {ScreenId::income, "summary1", {ExplainedScreen::taxComputation, 25}, "2,240,000"},
    {ScreenId::deductions1, "socialPremium1", {ExplainedScreen::deductions, 17}, "600,000"},
    {ScreenId::deductions1, "socialResult", {ExplainedScreen::deductions, 20}, "600,000"},
    {ScreenId::personalDeductions, "dependentsTotal", {ExplainedScreen::personalDeductions, 52}, "38"},
    {ScreenId::personalDeductions, "spouseDeduction", {ExplainedScreen::personalDeductions, 63}, "380,000"},
    {ScreenId::personalDeductions, "totalIncome", {ExplainedScreen::income, 20}, "5,000,000"},
    {ScreenId::taxComputation, "line26", {ExplainedScreen::taxComputation, 26}, "2,760,000"},
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.box;
}

struct FocusedLine : DerivationPanelFixture, ::testing::WithParamInterface<Case> {};

TEST_P(FocusedLine, ShowsItsLabelFigureAndSteps) {
    const Case& c = GetParam();
    explainStoredFigures(Provenance::computed);
    QWidget& form = window(c.window);
    ASSERT_TRUE(form.isVisible());
    QWidget* focused = box(c.window, c.box);
    ASSERT_NE(focused, nullptr);
    activateAndClick(form, focused);
    ASSERT_EQ(form.focusWidget(), focused);

    const Explanation expected = explanation();
    const ExplainedLine* line = expected.find(c.ref);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(formatAmount(line->figure), c.figure);
    const std::string text = shown(c.window);
    EXPECT_NE(text.find(line->label), std::string::npos) << text;
    EXPECT_NE(text.find(c.figure), std::string::npos) << text;
    EXPECT_NE(text.find("［計算］"), std::string::npos) << text;
    // Each step a paragraph of its own.
    EXPECT_NE(text.find(line->steps.at(0) + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find(line->steps.at(1)), std::string::npos) << text;
    EXPECT_EQ(text.find(kUnsaved), std::string::npos) << text;
    EXPECT_EQ(text.find(kTyped), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(FourScreens, FocusedLine, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.box);
                         });

TEST_F(DerivationPanelFixture, ShowsTheProgramsOwnExplanationOfATaxLine) {
    click(ScreenId::taxComputation, "line26");
    const Explanation expected = explainReturn(readStoredReturn(store, 7, "H16"));
    const ExplainedLine* line = expected.find({ExplainedScreen::taxComputation, 26});
    ASSERT_NE(line, nullptr);
    ASSERT_FALSE(line->steps.empty());
    const std::string text = shown(ScreenId::taxComputation);
    EXPECT_NE(text.find(line->label), std::string::npos) << text;
    EXPECT_NE(text.find(formatAmount(line->figure)), std::string::npos) << text;
    EXPECT_NE(text.find(line->steps.front()), std::string::npos) << text;
}

TEST_F(DerivationPanelFixture, EnterMovesTheExplanationOnWithTheFocus) {
    explainStoredFigures(Provenance::computed);
    auto* first = child<QLineEdit>(ScreenId::deductions1, "socialPremium1");
    activateAndClick(window(ScreenId::deductions1), first);
    EXPECT_NE(shown(ScreenId::deductions1).find("見本の欄 17"), std::string::npos);
    QTest::keyClick(first, Qt::Key_Return); // to the second kind of social insurance: a text, no line
    QTest::keyClick(window(ScreenId::deductions1).focusWidget(), Qt::Key_Return);
    ASSERT_EQ(window(ScreenId::deductions1).focusWidget(), box(ScreenId::deductions1, "socialPremium2"));
    EXPECT_NE(shown(ScreenId::deductions1).find("見本の欄 18"), std::string::npos);
}

TEST_F(DerivationPanelFixture, ASelfOptionExplainsTheDeductionItGives) {
    explainStoredFigures(Provenance::computed);
    auto* elderly = captioned<QRadioButton>(ScreenId::personalDeductions, "老年者控除");
    ASSERT_TRUE(elderly->isChecked());
    activateAndClick(window(ScreenId::personalDeductions), elderly);
    const std::string text = shown(ScreenId::personalDeductions);
    EXPECT_NE(text.find("見本の欄 57"), std::string::npos) << text;
    EXPECT_NE(text.find("500,000"), std::string::npos) << text;
}

TEST_F(DerivationPanelFixture, ATypedLineSaysSo) {
    explainStoredFigures(Provenance::typed);
    click(ScreenId::taxComputation, "line24");
    const std::string text = shown(ScreenId::taxComputation);
    EXPECT_NE(text.find("［入力］"), std::string::npos) << text;
    EXPECT_NE(text.find(kTyped), std::string::npos) << text;
}

TEST_F(DerivationPanelFixture, AFigureTypedButNotCalculatedIsNamedUntilTheCalculation) {
    explainStoredFigures(Provenance::computed);
    auto* income = child<QLineEdit>(ScreenId::income, "income1");
    activateAndClick(window(ScreenId::income), income);
    income->selectAll();
    QTest::keyClicks(income, "4000000");
    std::string text = shown(ScreenId::income);
    EXPECT_NE(text.find(std::string("画面の金額 4,000,000 は") + kUnsaved), std::string::npos) << text;
    EXPECT_NE(text.find("5,000,000"), std::string::npos) << text; // what is stored is still explained

    calculate(ScreenId::income);
    text = shown(ScreenId::income);
    EXPECT_EQ(text.find(kUnsaved), std::string::npos) << text;
    EXPECT_NE(text.find("4,000,000"), std::string::npos) << text;
}

TEST_F(DerivationPanelFixture, ALineNeverStoredGetsAShortNeutralText) {
    // Registered, but no screen of theirs was ever calculated.
    testing::registerTaxpayer(store, 8, "八");
    app.mainMenu().text3.text = "8";
    press(&MainMenu::callUp);
    click(ScreenId::income, "total");
    const std::string text = shown(ScreenId::income);
    EXPECT_NE(text.find("この欄の説明はまだありません"), std::string::npos) << text;
}

struct WithoutClient : testing::WindowFixture {};

TEST_F(WithoutClient, ThePanelAsksForACallUp) {
    QWidget& form = window(ScreenId::taxComputation);
    form.show();
    activateAndClick(form, form.findChild<QWidget*>("line26"));
    const std::string text = utf8(form.findChild<DerivationPanel*>("derivationPanel")->plainText());
    EXPECT_NE(text.find("個人を呼び出すと"), std::string::npos) << text;
}

} // namespace
} // namespace kakutei
