#include "ui/tax_computation_window.h"

#include "shell/app.h"
#include "tax/tax_computation_screen.h"
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

namespace tc = tax_computation;

TaxComputationWindow::TaxComputationWindow(App& app, WindowRegistry& registry)
    : ScreenWindow(ScreenId::taxComputation, registry), app_(app) {
    showTaxpayerInTitle(tc::kCaption, app.store(),
                        [&app]() -> Field& { return app.screen(ScreenId::taxComputation)->text60; });
    auto* buttons = makeButtonRow({
        {tc::kCalculate, [this] { screen().calculate(); }},
        {tc::kGather, [this] { screen().gather(); }},
        {tc::kData, [this] { screen().data(); }},
        {tc::kPreviousYear, [this] { screen().previousYearData(); }},
        {tc::kClear, [this] { screen().clear(); }},
        {tc::kRunAll, [this] { screen().runAll(); }},
    });
    auto* steps = new QHBoxLayout;
    for (const auto& [caption, action] : {std::pair<std::string_view, void (TaxComputationScreen::*)()>{
                                              tc::kTotal, &TaxComputationScreen::total},
                                          {tc::kTax, &TaxComputationScreen::tax},
                                          {tc::kRefund, &TaxComputationScreen::amountDue},
                                          {tc::kTheseLines, &TaxComputationScreen::takeTheseLines},
                                          {tc::kCancelDeferral, &TaxComputationScreen::cancelDeferral}})
        steps->addWidget(makeHelperButton(caption, [this, action = action] { (screen().*action)(); }));
    steps->addStretch();

    DerivationPanel* derivation = makeDerivationPanel(app.store());
    auto* columns = new QHBoxLayout;
    columns->addWidget(buildColumn(9, 27));
    columns->addWidget(buildColumn(28, 41));
    columns->addWidget(buildColumn(42, 53));
    columns->addWidget(derivation, 1);
    auto* layout = new QVBoxLayout(page());
    layout->addLayout(columns);
    layout->addLayout(steps);
    layout->addLayout(buttons);
    orderFocus();
}

TaxComputationScreen& TaxComputationWindow::screen() {
    return *app_.screenAs<TaxComputationScreen>(ScreenId::taxComputation);
}

QWidget* TaxComputationWindow::captionFor(int number) {
    const tc::Line* line = nullptr;
    for (const tc::Line& candidate : tc::kLines)
        if (candidate.number == number)
            line = &candidate;
    std::string caption(line->caption);
    if (!line->secondLine.empty())
        caption += "\n" + std::string(line->secondLine);
    if (line->style == tc::CaptionStyle::label)
        return makeLabel(caption);
    // Three caption buttons open something; the others are captions drawn as buttons.
    QPushButton* button = nullptr;
    if (number == 28)
        button = makeHelperButton(caption, [this] { screen().dividendCredit(); });
    else if (number == 30)
        button = makeHelperButton(caption, [this] { screen().housingLoanCredit(); });
    else if (number == 51)
        button = makeHelperButton(caption, [this] { screen().deferral(); });
    else {
        button = new QPushButton(qt(caption), this);
        button->setFocusPolicy(Qt::NoFocus);
    }
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(qt("住宅借入金等控除")) + 16);
    if (!line->secondLine.empty())
        button->setMinimumHeight(button->fontMetrics().height() * 2 + 8);
    return button;
}

QWidget* TaxComputationWindow::buildColumn(int firstLine, int lastLine) {
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(2);
    int row = 0;
    for (const tc::Line& line : tc::kLines) {
        if (line.number < firstLine || line.number > lastLine)
            continue;
        auto* number = makeLabel(std::to_string(line.number));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, row, 0);
        grid->addWidget(captionFor(line.number), row, 1);
        const std::string name = "line" + std::to_string(line.number);
        const bool input = line.kind == tc::LineKind::input;
        QLineEdit* box = makeAmountBox(
            name.c_str(), [this, n = line.number]() -> Field& { return screen().line(n); },
            input ? AmountKind::input : AmountKind::result);
        // Every line accepts typing, but Enter visits only the lines meant for it.
        if (!input)
            box->setFocusPolicy(Qt::ClickFocus);
        explains(box, {ExplainedScreen::taxComputation, line.number});
        grid->addWidget(box, row, 2);
        ++row;
    }
    grid->setRowStretch(row, 1);
    return box;
}

} // namespace kakutei
