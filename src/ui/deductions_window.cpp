#include "ui/deductions_window.h"

#include "deductions/deductions_screen.h"
#include "shell/app.h"
#include "ui/derivation_panel.h"
#include "ui/qt_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kakutei {

namespace d1 = deductions1;
using S = DeductionsScreen;

namespace {

// Wide enough for the longest kind people usually write, 健康保険・厚生年金, without scrolling it.
constexpr int kKindCharacters = 10;

LineRef recordField(int field) {
    return {ExplainedScreen::deductions, field};
}

// A titled box whose rows are caption and field.
QGroupBox* section(QWidget* parent, std::string_view title, QGridLayout*& grid) {
    auto* box = new QGroupBox(qt(title), parent);
    grid = new QGridLayout(box);
    grid->setVerticalSpacing(3);
    return box;
}

} // namespace

DeductionsWindow::DeductionsWindow(App& app, WindowRegistry& registry)
    : ScreenWindow(ScreenId::deductions1, registry), app_(app) {
    showTaxpayerInTitle(d1::kCaption, app.store(),
                        [&app]() -> Field& { return app.screen(ScreenId::deductions1)->text60; });
    auto* buttons = makeButtonRow({
        {d1::kCalculate, [this] { screen().calculate(); }},
        {d1::kActualCalculate, [this] { screen().actualCalculate(); }},
        {d1::kClear, [this] { screen().clear(); }},
        {d1::kData, [this] { screen().data(); }},
        {d1::kPreviousYear, [this] { screen().previousYearData(); }},
    });
    // The screen is wide already: the panel goes below its columns.
    DerivationPanel* derivation = makeDerivationPanel(app.store());
    derivation->setFixedHeight(derivation->fontMetrics().height() * 9);
    auto* columns = new QHBoxLayout;
    columns->addWidget(buildCasualtyAndMedical());
    columns->addWidget(buildInsuranceTables());
    columns->addWidget(buildInsuranceAndDonations());
    columns->addWidget(buildResults());
    auto* layout = new QVBoxLayout(page());
    layout->addLayout(columns);
    layout->addWidget(derivation);
    layout->addLayout(buttons);
    orderFocus();
}

DeductionsScreen& DeductionsWindow::screen() {
    return *app_.screenAs<DeductionsScreen>(ScreenId::deductions1);
}

void DeductionsWindow::addRow(QGridLayout* grid, int row, const char* caption,
                              Field DeductionsScreen::*member, const char* name, int amountField,
                              AmountKind kind) {
    grid->addWidget(makeLabel(caption), row, 0);
    auto access = [this, member]() -> Field& { return screen().*member; };
    if (amountField == 0) {
        grid->addWidget(makeTextBox(name, access, 10), row, 1);
        return;
    }
    QLineEdit* amount = makeAmountBox(name, access, kind);
    explains(amount, recordField(amountField));
    grid->addWidget(amount, row, 1);
}

QWidget* DeductionsWindow::buildCasualtyAndMedical() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    QGridLayout* grid = nullptr;
    layout->addWidget(section(this, "⑩雑損控除", grid));
    // The last column is the record field of an amount box, 0 for a text box.
    const std::tuple<const char*, Field S::*, const char*, int> casualty[] = {
        {"損害の原因", &S::lossCause, "lossCause", 0},
        {"損害年月日", &S::lossDate, "lossDate", 0},
        {"損害を受けた資産の種類など", &S::lossAssets, "lossAssets", 0},
        {"損害金額", &S::lossAmount, "lossAmount", 14},
        {"保険金などで補てんされる金額", &S::lossReimbursed, "lossReimbursed", 15},
        {"差引損失額のうち災害関連支出の金額", &S::disasterExpenses, "disasterExpenses", 16},
    };
    int row = 0;
    for (const auto& [caption, member, name, amountField] : casualty)
        addRow(grid, row++, caption, member, name, amountField);
    layout->addWidget(section(this, "⑪医療費控除", grid));
    const std::tuple<const char*, Field S::*, const char*, int> medical[] = {
        {"支払医療費", &S::medicalPaid, "medicalPaid", 31},
        {"保険金などで補てんされる金額", &S::medicalReimbursed, "medicalReimbursed", 32},
    };
    row = 0;
    for (const auto& [caption, member, name, amountField] : medical)
        addRow(grid, row++, caption, member, name, amountField);
    grid->addWidget(makeLabel("所得金額"), row, 0);
    QLineEdit* income = makeAmountBox(
        "totalIncome", [this]() -> Field& { return screen().totalIncome; }, AmountKind::readOnly);
    explains(income, recordField(33));
    grid->addWidget(income, row, 1);
    layout->addStretch();
    return column;
}

QWidget* DeductionsWindow::buildInsuranceTables() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    // With the record fields of the first amount and of the total.
    const std::tuple<const char*, const char*, const char*, std::array<Field, 3> S::*,
                     std::array<Field, 3> S::*, Field S::*, const char*, int, int>
        tables[] = {
            {"⑫社会保険料控除", "社会保険の種類", "支払保険料", &S::socialKinds, &S::socialPremiums,
             &S::socialTotal, "social", 17, 20},
            {"⑬小規模企業共済等", "掛金の種類", "支払掛金", &S::mutualKinds, &S::mutualPremiums,
             &S::mutualTotal, "mutual", 21, 24},
        };
    for (const auto& [title, kindHeading, amountHeading, kinds, amounts, total, name, firstField,
                      totalField] : tables) {
        QGridLayout* grid = nullptr;
        layout->addWidget(section(this, title, grid));
        grid->addWidget(makeLabel(kindHeading), 0, 0, Qt::AlignCenter);
        grid->addWidget(makeLabel(amountHeading), 0, 1, Qt::AlignCenter);
        for (int i = 0; i < 3; ++i) {
            const std::string kindName = std::string(name) + "Kind" + std::to_string(i + 1);
            const std::string amountName = std::string(name) + "Premium" + std::to_string(i + 1);
            grid->addWidget(makeTextBox(
                                kindName.c_str(),
                                [this, k = kinds, i]() -> Field& { return (screen().*k)[i]; },
                                kKindCharacters),
                            i + 1, 0);
            QLineEdit* amount = makeAmountBox(
                amountName.c_str(), [this, a = amounts, i]() -> Field& { return (screen().*a)[i]; });
            explains(amount, recordField(firstField + i));
            grid->addWidget(amount, i + 1, 1);
        }
        grid->addWidget(makeLabel("合計"), 4, 0, Qt::AlignRight);
        const std::string totalName = std::string(name) + "Total";
        QLineEdit* totalBox = makeAmountBox(
            totalName.c_str(), [this, t = total]() -> Field& { return screen().*t; }, AmountKind::readOnly);
        explains(totalBox, recordField(totalField));
        grid->addWidget(totalBox, 4, 1);
    }
    layout->addStretch();
    return column;
}

QWidget* DeductionsWindow::buildInsuranceAndDonations() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::tuple<const char*, std::vector<std::tuple<const char*, Field S::*, const char*, int>>>
        sections[] = {
            {"⑭生命保険料控除",
             {{"一般の保険料の計", &S::lifeGeneral, "lifeGeneral", 25},
              {"個人年金保険料計", &S::lifePension, "lifePension", 26}}},
            {"⑮損害保険料控除",
             {{"長期保険料の計", &S::nonLifeLong, "nonLifeLong", 27},
              {"短期保険料の計", &S::nonLifeShort, "nonLifeShort", 28}}},
            {"⑯寄付金控除",
             {{"寄付先の所在地", &S::donationPlace, "donationPlace", 0},
              {"寄付先の名称", &S::donationName, "donationName", 0},
              {"寄付金", &S::donations, "donations", 29},
              {"特定の寄付金", &S::specifiedDonation, "specifiedDonation", 30}}},
        };
    for (const auto& [title, rows] : sections) {
        QGridLayout* grid = nullptr;
        layout->addWidget(section(this, title, grid));
        int row = 0;
        for (const auto& [caption, member, name, amountField] : rows)
            addRow(grid, row++, caption, member, name, amountField);
    }
    layout->addStretch();
    return column;
}

QWidget* DeductionsWindow::buildResults() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    QGridLayout* grid = nullptr;
    layout->addWidget(section(this, "控除額", grid));
    const std::tuple<const char*, Field S::*, const char*, int> results[] = {
        {"⑩ 雑損控除", &S::casualtyResult, "casualtyResult", 34},
        {"⑪ 医療費控除", &S::medicalResult, "medicalResult", 35},
        {"⑫ 社会保険料控除", &S::socialResult, "socialResult", 20},
        {"⑬ 小規模共済掛金控除", &S::mutualResult, "mutualResult", 24},
        {"⑭ 生命保険料控除", &S::lifeResult, "lifeResult", 36},
        {"⑮ 損害保険料控除", &S::nonLifeResult, "nonLifeResult", 37},
        {"⑯ 寄付金控除", &S::donationResult, "donationResult", 38},
    };
    int row = 0;
    for (const auto& [caption, member, name, field] : results)
        addRow(grid, row++, caption, member, name, field, AmountKind::readOnly);
    layout->addWidget(section(this, d1::kDirectHeading, grid));
    grid->addWidget(makeHelperButton(d1::kLifeButton, [this] { screen().clearDirectLife(); }), 0, 0);
    grid->addWidget(makeAmountBox("directLife", [this]() -> Field& { return screen().directLife; }), 0, 1);
    grid->addWidget(makeHelperButton(d1::kNonLifeButton, [this] { screen().clearDirectNonLife(); }), 1, 0);
    grid->addWidget(makeAmountBox("directNonLife", [this]() -> Field& { return screen().directNonLife; }), 1,
                    1);
    grid->addWidget(makeButton(d1::kDirectEntry, [this] { screen().directEntry(); }), 2, 0, 1, 2);
    const std::tuple<std::string_view, const char*, const char*> presets[] = {
        {d1::kPreset1, "50000", "3000"}, {d1::kPreset2, "100000", "3000"}, {d1::kPreset3, "100000", "15000"}};
    auto* presetRow = new QHBoxLayout;
    for (const auto& [caption, life, nonLife] : presets)
        presetRow->addWidget(makeHelperButton(
            caption, [this, life = life, nonLife = nonLife] { screen().preset(life, nonLife); }));
    grid->addLayout(presetRow, 3, 0, 1, 2);
    layout->addStretch();
    return column;
}

} // namespace kakutei
