#include "ui/income_breakdown_window.h"

#include "income/income_breakdown_screen.h"
#include "shell/app.h"
#include "ui/qt_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <span>

namespace kakutei {

namespace ib = income_breakdown;

namespace {

void addHeadings(QGridLayout* grid, QWidget* parent, std::span<const std::string_view> captions) {
    for (std::size_t c = 0; c < captions.size(); ++c) {
        auto* heading = new QLabel(qt(captions[c]), parent);
        heading->setAlignment(Qt::AlignCenter);
        heading->setStyleSheet("font-weight: bold;");
        grid->addWidget(heading, 0, static_cast<int>(c));
    }
}

std::string controlName(const char* what, int row) {
    return std::string(what) + std::to_string(row + 1);
}

} // namespace

IncomeBreakdownWindow::IncomeBreakdownWindow(App& app, WindowRegistry& registry)
    : ScreenWindow(ScreenId::incomeBreakdown, registry), app_(app) {
    showTaxpayerInTitle(ib::kCaption, app.store(),
                        [&app]() -> Field& { return app.screen(ScreenId::incomeBreakdown)->text60; });
    auto* buttons = makeButtonRow({
        {ib::kCalculate, [this] { screen().calculate(); }},
        {ib::kClear, [this] { screen().clear(); }},
        {ib::kData, [this] { screen().data(); }},
        {ib::kPreviousYear, [this] { screen().previousYearData(); }},
    });
    buttons->addWidget(makeButton(ib::kEnd, [this] { screen().end(); }));

    auto* layout = new QVBoxLayout(page());
    layout->addWidget(buildWithholdingTable());
    layout->addWidget(buildDetailTable());
    layout->addLayout(buttons);
    orderFocus();
}

IncomeBreakdownScreen& IncomeBreakdownWindow::screen() {
    return *app_.screenAs<IncomeBreakdownScreen>(ScreenId::incomeBreakdown);
}

QWidget* IncomeBreakdownWindow::buildWithholdingTable() {
    auto* box = new QGroupBox(qt(ib::kWithholdingHeading), this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(1);
    addHeadings(grid, box, ib::kWithholdingColumns);
    const std::vector<std::string_view> kinds(ib::kWithholdingKinds.begin(), ib::kWithholdingKinds.end());
    for (int r = 0; r < ib::kWithholdingRows; ++r) {
        auto row = [this, r]() -> WithholdingRow& { return screen().withholding[r]; };
        const int top = 1 + 2 * r;
        grid->addWidget(makeChoiceBox(
                            controlName("kind", r).c_str(), [row]() -> Field& { return row().kind; }, kinds),
                        top, 0);
        grid->addWidget(
            makeTextBox(
                controlName("place1_", r).c_str(), [row]() -> Field& { return row().place1; }, 14),
            top, 1);
        grid->addWidget(
            makeAmountBox(controlName("revenue", r).c_str(), [row]() -> Field& { return row().revenue; }),
            top, 2, 2, 1);
        grid->addWidget(makeAmountBox(controlName("tax", r).c_str(), [row]() -> Field& { return row().tax; }),
                        top, 3, 2, 1);
        grid->addWidget(makeTextBox(
                            controlName("note", r).c_str(), [row]() -> Field& { return row().note; }, 6),
                        top + 1, 0);
        grid->addWidget(
            makeTextBox(
                controlName("place2_", r).c_str(), [row]() -> Field& { return row().place2; }, 14),
            top + 1, 1);
    }
    const int totalRow = 1 + 2 * ib::kWithholdingRows;
    grid->addWidget(makeLabel(ib::kTotalCaption), totalRow, 2, Qt::AlignRight);
    grid->addWidget(makeAmountBox(
                        "total", [this]() -> Field& { return screen().total; }, AmountKind::readOnly),
                    totalRow, 3);
    return box;
}

QWidget* IncomeBreakdownWindow::buildDetailTable() {
    auto* box = new QGroupBox(qt(ib::kDetailHeading), this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(1);
    addHeadings(grid, box, ib::kDetailColumns);
    const std::vector<std::string_view> kinds(ib::kDetailKinds.begin(), ib::kDetailKinds.end());
    for (int d = 0; d < ib::kDetailRows; ++d) {
        auto row = [this, d]() -> DetailRow& { return screen().details[d]; };
        const int top = 1 + 2 * d;
        grid->addWidget(
            makeChoiceBox(
                controlName("detailKind", d).c_str(), [row]() -> Field& { return row().kind; }, kinds),
            top, 0);
        grid->addWidget(
            makeTextBox(
                controlName("detailPlace1_", d).c_str(), [row]() -> Field& { return row().place1; }, 14),
            top, 1);
        grid->addWidget(makeAmountBox(controlName("detailRevenue", d).c_str(),
                                      [row]() -> Field& { return row().revenue; }),
                        top, 2);
        grid->addWidget(makeAmountBox(controlName("detailExpenses", d).c_str(),
                                      [row]() -> Field& { return row().expenses; }),
                        top, 3);
        grid->addWidget(makeAmountBox(
                            controlName("detailNet", d).c_str(), [row]() -> Field& { return row().net; },
                            AmountKind::readOnly),
                        top, 4);
        grid->addWidget(
            makeTextBox(
                controlName("detailNote", d).c_str(), [row]() -> Field& { return row().note; }, 6),
            top + 1, 0);
        grid->addWidget(
            makeTextBox(
                controlName("detailPlace2_", d).c_str(), [row]() -> Field& { return row().place2; }, 14),
            top + 1, 1);
    }
    return box;
}

} // namespace kakutei
