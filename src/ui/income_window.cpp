#include "ui/income_window.h"

#include "income/income_screen.h"
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

namespace is = income_screen;

namespace {
// The record holds the revenue rows first, then the income lines, then the total.
LineRef revenueRef(int row) {
    return {ExplainedScreen::income, row + 1};
}
LineRef incomeRef(int line) {
    return {ExplainedScreen::income, is::kRevenueCount + line + 1};
}
constexpr LineRef kTotalRef{ExplainedScreen::income, is::kAmountCount};
} // namespace

namespace {

QLabel* centred(QLabel* label) {
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// The row each income line starts at, and how many rows its field spans.
struct IncomeLine {
    int firstRow;
    int rows;
};
constexpr IncomeLine kIncomeLines[is::kIncomeCount] = {{0, 1}, {1, 1}, {2, 1}, {3, 1},
                                                       {4, 1}, {5, 1}, {6, 2}, {8, 3}};

} // namespace

IncomeWindow::IncomeWindow(App& app, WindowRegistry& registry)
    : ScreenWindow(ScreenId::income, registry), app_(app) {
    showTaxpayerInTitle(is::kCaption, app.store(),
                        [&app]() -> Field& { return app.screen(ScreenId::income)->text60; });
    // The buttons are made first so that they lead the focus chain's buttons (Enter from the last box
    // reaches "計算実行").
    auto* buttons = makeButtonRow({
        {is::kCalculate, [this] { screen().calculate(); }},
        {is::kData, [this] { screen().data(); }},
        {is::kPreviousYear, [this] { screen().previousYearData(); }},
        {is::kClear, [this] { screen().clear(); }},
    });

    DerivationPanel* derivation = makeDerivationPanel(app.store());
    auto* halves = new QHBoxLayout;
    halves->addWidget(buildIncomeTable(), 3);
    halves->addWidget(buildSummary(), 2);
    halves->addWidget(derivation, 2);

    auto* layout = new QVBoxLayout(page());
    layout->addLayout(halves);
    layout->addLayout(buttons);
    orderFocus();
}

IncomeScreen& IncomeWindow::screen() {
    return *app_.screenAs<IncomeScreen>(ScreenId::income);
}

QWidget* IncomeWindow::buildIncomeTable() {
    auto* table = new QGroupBox(this);
    auto* grid = new QGridLayout(table);
    grid->setVerticalSpacing(3);
    grid->addWidget(centred(makeLabel(is::kRevenueHeading)), 0, 2);
    grid->addWidget(centred(makeLabel(is::kIncomeHeading)), 0, 4);
    const int top = 1;
    // Boxes are made row by row, revenue before income, which is the Enter order too.
    for (int row = 0; row < is::kRevenueCount; ++row) {
        auto* classButton = new QPushButton(qt(is::kClassCaptions[row]), table);
        classButton->setFocusPolicy(Qt::NoFocus);
        classButton->setMinimumWidth(classButton->fontMetrics().horizontalAdvance(qt("公的年金等")) + 16);
        if (row == is::kSalaryRow)
            connect(classButton, &QPushButton::clicked, this,
                    [this] { act([this] { screen().clearSalary(); }); });
        grid->addWidget(classButton, top + row, 0);
        grid->addWidget(centred(makeLabel(is::kRowLetters[row])), top + row, 1);
        const std::string name = "revenue" + std::to_string(row + 1);
        QLineEdit* revenue =
            makeAmountBox(name.c_str(), [this, row]() -> Field& { return screen().revenue[row]; });
        explains(revenue, revenueRef(row));
        grid->addWidget(revenue, top + row, 2);
        // A line that spans several rows is reached after the last of its rows.
        for (int line = 0; line < is::kIncomeCount; ++line) {
            if (kIncomeLines[line].firstRow + kIncomeLines[line].rows - 1 != row)
                continue;
            const int firstRow = kIncomeLines[line].firstRow;
            grid->addWidget(centred(makeLabel(std::to_string(line + 1))), top + firstRow, 3,
                            kIncomeLines[line].rows, 1);
            const bool automatic = line == is::kSalaryLine || line == is::kTransferLine;
            const std::string incomeName = "income" + std::to_string(line + 1);
            QLineEdit* income = makeAmountBox(
                incomeName.c_str(), [this, line]() -> Field& { return screen().income[line]; },
                automatic ? AmountKind::result : AmountKind::input);
            explains(income, incomeRef(line));
            grid->addWidget(income, top + firstRow, 4, kIncomeLines[line].rows, 1);
        }
    }
    // Beside the lines they fill: the salary buttons at row カ, the elderly marker at キ, the transfer button
    // beside ケ to サ.
    auto* salaryButtons = new QHBoxLayout;
    salaryButtons->addWidget(makeHelperButton(is::kAutomatic, [this] { screen().calculateSalary(); }));
    salaryButtons->addWidget(makeHelperButton(is::kActualAmount, [this] { screen().actualAmount(); }));
    grid->addLayout(salaryButtons, top + is::kSalaryRow, 5);
    auto* marker = makeTextBox(
        "Text98", [this]() -> Field& { return screen().text98; }, 5);
    marker->setReadOnly(true);
    marker->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(marker, top + is::kPensionRow, 5);
    grid->addWidget(makeHelperButton(is::kAutomatic, [this] { screen().calculateTransfer(); }),
                    top + is::kShortTermRow, 5, 3, 1, Qt::AlignLeft);

    const int totalRow = top + is::kRevenueCount;
    auto* totalLabel = makeLabel(is::kTotalCaption);
    grid->addWidget(totalLabel, totalRow, 0, 1, 3, Qt::AlignRight);
    grid->addWidget(centred(makeLabel("9")), totalRow, 3);
    QLineEdit* total = makeAmountBox(
        "total", [this]() -> Field& { return screen().total; }, AmountKind::readOnly);
    explains(total, kTotalRef);
    grid->addWidget(total, totalRow, 4);
    grid->setColumnStretch(6, 1);
    grid->setRowStretch(totalRow + 1, 1);
    return table;
}

QWidget* IncomeWindow::buildSummary() {
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(3);
    for (std::size_t i = 0; i < is::kSummaryRows.size(); ++i) {
        const auto& row = is::kSummaryRows[i];
        const int r = static_cast<int>(i);
        grid->addWidget(makeLabel(row.caption), r, 0);
        grid->addWidget(centred(makeLabel(row.line)), r, 1);
        const std::string name = "summary" + std::to_string(i + 1);
        QLineEdit* summary = makeAmountBox(
            name.c_str(), [this, i]() -> Field& { return screen().summary[i]; }, AmountKind::readOnly);
        // The summary shows the tax computation's own lines, and explains them as that screen does.
        if (!row.line.empty())
            explains(summary, {ExplainedScreen::taxComputation, std::stoi(std::string(row.line))});
        grid->addWidget(summary, r, 2);
    }
    const int last = static_cast<int>(is::kSummaryRows.size());
    grid->addWidget(makeButton(is::kShowDeductions, [this] { screen().showDeductions(); }), last, 0, 1, 3);
    grid->setRowStretch(last + 1, 1);
    return box;
}

void IncomeWindow::refresh() {
    refreshBindings();
}

} // namespace kakutei
