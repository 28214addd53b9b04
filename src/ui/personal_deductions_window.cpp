#include "ui/personal_deductions_window.h"

#include "deductions/personal_deductions_screen.h"
#include "income/income_screen.h"
#include "shell/app.h"
#include "ui/derivation_panel.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <optional>

namespace kakutei {

namespace pd = personal_deductions;
using S = PersonalDeductionsScreen;

namespace {

LineRef recordField(int field) {
    return {ExplainedScreen::personalDeductions, field};
}

// The record field of a self option's deduction: the first three share one, the next three the other.
std::optional<int> selfDeductionField(std::size_t option) {
    if (option <= pd::specialWidow)
        return 57;
    if (option <= pd::speciallyDisabled)
        return 58;
    return std::nullopt;
}

std::string numbered(const char* what, std::size_t i) {
    return std::string(what) + std::to_string(i + 1);
}

void addHeadings(QGridLayout* grid, QWidget* parent, std::initializer_list<const char*> captions) {
    int column = 0;
    for (const char* caption : captions) {
        auto* heading = new QLabel(qt(caption), parent);
        heading->setAlignment(Qt::AlignCenter);
        grid->addWidget(heading, 0, column++);
    }
}

} // namespace

PersonalDeductionsWindow::PersonalDeductionsWindow(App& app, WindowRegistry& registry)
    : ScreenWindow(ScreenId::personalDeductions, registry), app_(app) {
    showTaxpayerInTitle(pd::kCaption, app.store(),
                        [&app]() -> Field& { return app.screen(ScreenId::personalDeductions)->text60; });
    auto* buttons = makeButtonRow({
        {pd::kCalculate, [this] { screen().calculate(); }},
        {pd::kClear, [this] { screen().clear(); }},
        {pd::kData, [this] { screen().data(); }},
        {pd::kPreviousYear, [this] { screen().previousYearData(); }},
    });
    auto* hint = makeLabel(pd::kHint);
    hint->setStyleSheet("color: #204080;");
    DerivationPanel* derivation = makeDerivationPanel(app.store());
    auto* top = new QHBoxLayout;
    top->addWidget(buildSelf(), 1);
    top->addWidget(buildSpouse(), 1);
    // The tallest screen: kept compact so that it fits a 1366 × 768 display, and its panel at the side.
    auto* sides = new QHBoxLayout(page());
    sides->setContentsMargins(8, 6, 8, 6);
    auto* layout = new QVBoxLayout;
    layout->setSpacing(4);
    sides->addLayout(layout, 1);
    sides->addWidget(derivation);
    for (auto* group : findChildren<QGroupBox*>())
        if (group->layout())
            group->layout()->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(hint);
    layout->addLayout(top);
    layout->addWidget(buildDependents());
    layout->addWidget(buildEmployees());
    layout->addLayout(buttons);
    orderFocus();
}

PersonalDeductionsScreen& PersonalDeductionsWindow::screen() {
    return *app_.screenAs<PersonalDeductionsScreen>(ScreenId::personalDeductions);
}

QWidget* PersonalDeductionsWindow::buildSelf() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* disability = new QGroupBox(qt("⑳障害者控除"), column);
    auto* row = new QHBoxLayout(disability);
    auto* open = makeTextBox(
        "bracketOpen", [this]() -> Field& { return screen().bracketOpen; }, 1);
    auto* name = makeTextBox(
        "disabledNames", [this]() -> Field& { return screen().disabledNames; }, 10);
    auto* close = makeTextBox(
        "bracketClose", [this]() -> Field& { return screen().bracketClose; }, 1);
    auto* counter = makeTextBox(
        "counter", [this]() -> Field& { return screen().counter; }, 1);
    for (QLineEdit* small : {open, close, counter}) {
        small->setReadOnly(true);
        small->setFocusPolicy(Qt::NoFocus);
    }
    row->addWidget(open);
    row->addWidget(name, 1);
    row->addWidget(close);
    row->addWidget(makeHelperButton(pd::kSpecialDisability, [this] { screen().toggleSpecialDisability(); }));
    row->addWidget(counter);
    layout->addWidget(disability);

    auto* self = new QGroupBox(qt("本人控除"), column);
    auto* grid = new QGridLayout(self);
    grid->setVerticalSpacing(2);
    for (std::size_t i = 0; i < pd::kSelfCaptions.size(); ++i) {
        QRadioButton* option = makeOption([this, i]() -> OptionButton& { return screen().selfOptions[i]; },
                                          [this, i] { screen().selectSelf(i); });
        if (const auto field = selfDeductionField(i))
            explains(option, recordField(*field));
        grid->addWidget(option, static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    auto* causes = new QGroupBox(self);
    auto* causeRow = new QHBoxLayout(causes);
    for (std::size_t i = 0; i < pd::kCauses.size(); ++i)
        causeRow->addWidget(makeOption([this, i]() -> OptionButton& { return screen().causeOptions[i]; },
                                       [this, i] { screen().selectCause(i); }));
    grid->addWidget(causes, 4, 0, 1, 2);
    auto* school = new QHBoxLayout;
    school->addWidget(makeLabel("学  校  名"));
    school->addWidget(makeTextBox(
        "schoolName", [this]() -> Field& { return screen().schoolName; }, 10));
    grid->addLayout(school, 5, 0, 1, 2);
    auto* judgements = new QHBoxLayout;
    judgements->addWidget(makeHelperButton(pd::kElderlyJudgement, [this] { screen().elderlyJudgement(); }));
    judgements->addWidget(
        makeHelperButton(pd::kSelfConditionCallUp, [this] { screen().selfConditionCallUp(); }));
    grid->addLayout(judgements, 6, 0, 1, 2);
    layout->addWidget(self);
    layout->addStretch();
    return column;
}

QWidget* PersonalDeductionsWindow::buildSpouse() {
    const std::vector<std::string_view> eras(pd::kEras.begin(), pd::kEras.end());
    auto* box = new QGroupBox(qt("配偶者の氏名・生年月日"), this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(3);
    grid->addWidget(makeTextBox(
                        "spouseName", [this]() -> Field& { return screen().spouseName; }, 8),
                    0, 0, 1, 2);
    grid->addWidget(makeChoiceBox(
                        "spouseEra", [this]() -> Field& { return screen().spouseEra; }, eras),
                    1, 0);
    grid->addWidget(makeTextBox(
                        "spouseBirth", [this]() -> Field& { return screen().spouseBirth; }, 6),
                    1, 1);
    // The check boxes stand beside the name and the birth date: the screen must fit a 768-pixel display.
    grid->setVerticalSpacing(2);
    grid->addWidget(makeCheckBox("配偶者控除", [this]() -> bool& { return screen().spouseDeductionChecked; }),
                    0, 2);
    grid->addWidget(
        makeCheckBox("配偶者特別控除", [this]() -> bool& { return screen().specialSpouseDeductionChecked; }),
        1, 2);
    const std::tuple<const char*, Field S::*, const char*, AmountKind, int> amounts[] = {
        {"給与収入額", &S::spouseSalaryRevenue, "spouseSalaryRevenue", AmountKind::input, 59},
        {"給与控除後の額", &S::spouseSalaryIncome, "spouseSalaryIncome", AmountKind::result, 60},
        {"その他の所得", &S::spouseOtherIncome, "spouseOtherIncome", AmountKind::input, 61},
        {"合計所得", &S::spouseTotalIncome, "spouseTotalIncome", AmountKind::result, 62},
        {"配偶者控除の額", &S::spouseDeduction, "spouseDeduction", AmountKind::input, 63},
        {"配偶者特別控除", &S::specialSpouseDeduction, "specialSpouseDeduction", AmountKind::result, 64},
    };
    int row = 2;
    for (const auto& [caption, member, name, kind, field] : amounts) {
        grid->addWidget(makeLabel(caption), row, 0);
        QLineEdit* amount = makeAmountBox(
            name, [this, member = member]() -> Field& { return screen().*member; }, kind);
        explains(amount, recordField(field));
        grid->addWidget(amount, row, 1);
        ++row;
    }
    grid->addWidget(makeHelperButton(pd::kSpouse380, [this] { screen().fillSpouseDeduction(); }), 6, 2);
    QPushButton* clearSpouse = makeHelperButton(pd::kClear, [this] { screen().clearSpouse(); });
    clearSpouse->setObjectName("clearSpouse");
    grid->addWidget(clearSpouse, 2, 2);
    grid->addWidget(makeButton(pd::kSpouseCalculate, [this] { screen().calculateSpouse(); }), row++, 0, 1, 3);
    grid->addWidget(makeLabel("所得金額"), row, 0);
    QLineEdit* income = makeAmountBox(
        "totalIncome", [this]() -> Field& { return screen().totalIncome; }, AmountKind::readOnly);
    // Not kept in this screen's record: it is the income screen's total, and explained as that.
    explains(income, {ExplainedScreen::income, income_screen::kAmountCount});
    grid->addWidget(income, row, 1);
    return box;
}

QWidget* PersonalDeductionsWindow::buildDependents() {
    const std::vector<std::string_view> eras(pd::kEras.begin(), pd::kEras.end());
    auto* box = new QGroupBox(qt("扶養家族の明細"), this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(3);
    addHeadings(grid, box, {"氏名", "続柄", "年号", "生年月日", "控除額（万円）"});
    for (std::size_t i = 0; i < pd::kDependents; ++i) {
        auto row = [this, i]() -> Dependent& { return screen().dependents[i]; };
        const int r = static_cast<int>(i) + 1;
        grid->addWidget(
            makeTextBox(
                numbered("dependentName", i).c_str(), [row]() -> Field& { return row().name; }, 8),
            r, 0);
        grid->addWidget(
            makeTextBox(
                numbered("dependentRelation", i).c_str(), [row]() -> Field& { return row().relation; }, 4),
            r, 1);
        grid->addWidget(
            makeChoiceBox(
                numbered("dependentEra", i).c_str(), [row]() -> Field& { return row().era; }, eras),
            r, 2);
        grid->addWidget(
            makeTextBox(
                numbered("dependentBirth", i).c_str(), [row]() -> Field& { return row().birth; }, 6),
            r, 3);
        QLineEdit* amount =
            makeAmountBox(numbered("dependentAmount", i).c_str(), [row]() -> Field& { return row().amount; });
        explains(amount, recordField(48 + r - 1));
        grid->addWidget(amount, r, 4);
    }
    grid->addWidget(makeLabel("扶養控除の合計額（万円）"), pd::kDependents + 1, 3, Qt::AlignRight);
    QLineEdit* total = makeAmountBox(
        "dependentsTotal", [this]() -> Field& { return screen().dependentsTotal; }, AmountKind::readOnly);
    explains(total, recordField(52));
    grid->addWidget(total, pd::kDependents + 1, 4);
    grid->setColumnStretch(0, 2);
    return box;
}

QWidget* PersonalDeductionsWindow::buildEmployees() {
    const std::vector<std::string_view> eras(pd::kEras.begin(), pd::kEras.end());
    auto* box = new QGroupBox(qt("専従者に関する事項"), this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(3);
    addHeadings(grid, box,
                {"氏名", "年号", "生年月日", "続柄", "従事月数", "程度仕事の内容", "専従者給与額"});
    for (std::size_t i = 0; i < pd::kEmployees; ++i) {
        auto row = [this, i]() -> FamilyEmployee& { return screen().employees[i]; };
        const int r = static_cast<int>(i) + 1;
        grid->addWidget(makeTextBox(
                            numbered("employeeName", i).c_str(), [row]() -> Field& { return row().name; }, 8),
                        r, 0);
        grid->addWidget(
            makeChoiceBox(
                numbered("employeeEra", i).c_str(), [row]() -> Field& { return row().era; }, eras),
            r, 1);
        grid->addWidget(
            makeTextBox(
                numbered("employeeBirth", i).c_str(), [row]() -> Field& { return row().birth; }, 6),
            r, 2);
        grid->addWidget(
            makeTextBox(
                numbered("employeeRelation", i).c_str(), [row]() -> Field& { return row().relation; }, 4),
            r, 3);
        grid->addWidget(
            makeTextBox(
                numbered("employeeMonths", i).c_str(), [row]() -> Field& { return row().months; }, 3),
            r, 4);
        grid->addWidget(makeTextBox(
                            numbered("employeeWork", i).c_str(), [row]() -> Field& { return row().work; }, 8),
                        r, 5);
        QLineEdit* salary =
            makeAmountBox(numbered("employeeSalary", i).c_str(), [row]() -> Field& { return row().salary; });
        explains(salary, recordField(53 + r - 1));
        grid->addWidget(salary, r, 6);
    }
    const int last = pd::kEmployees + 1;
    grid->addWidget(makeLabel("特例適用条文等"), last, 0, Qt::AlignRight);
    grid->addWidget(makeTextBox(
                        "specialProvisions", [this]() -> Field& { return screen().specialProvisions; }, 10),
                    last, 1, 1, 3);
    grid->addWidget(makeLabel("合計額"), last, 5, Qt::AlignRight);
    QLineEdit* total = makeAmountBox(
        "employeesTotal", [this]() -> Field& { return screen().employeesTotal; }, AmountKind::readOnly);
    explains(total, recordField(56));
    grid->addWidget(total, last, 6);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(5, 2);
    return box;
}

} // namespace kakutei
