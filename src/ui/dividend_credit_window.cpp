#include "ui/dividend_credit_window.h"

#include "shell/app.h"
#include "tax/dividend_credit_screen.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kakutei {

namespace dc = dividend_credit;

DividendCreditWindow::DividendCreditWindow(App& app, WindowRegistry& registry)
    : ScreenWindow(ScreenId::dividendCredit, registry), app_(app) {
    // Titled by the taxpayer whose figures it holds, which the tax computation screen gave it when it opened
    // it; between its openings the program has none, and the title names nobody.
    showTaxpayerInTitle(dc::kCaption, app.store(), [&app]() -> Field& {
        static Field nobody;
        DividendCreditScreen* screen = app.dividendCredit();
        return screen ? screen->text60 : nobody;
    });
    auto* buttons = makeButtonRow({
        {dc::kCalculate, [this] { screen().calculate(); }},
        {dc::kConfirm, [this] { screen().confirm(); }},
        {dc::kClose, [this] { screen().close(); }},
    });
    auto* grid = new QGridLayout;
    using S = DividendCreditScreen;
    const std::tuple<std::string_view, Field S::*, const char*, AmountKind> rows[] = {
        {dc::kTaxableIncome, &S::taxableIncome, "taxableIncome", AmountKind::input},
        {dc::kDividends, &S::dividends, "dividends", AmountKind::input},
        {dc::kCredit, &S::credit, "credit", AmountKind::result},
    };
    int r = 0;
    for (const auto& [caption, member, name, kind] : rows) {
        grid->addWidget(makeLabel(caption), r, 0);
        grid->addWidget(makeAmountBox(
                            name, [this, member = member]() -> Field& { return screen().*member; }, kind),
                        r++, 1);
    }
    auto* layout = new QVBoxLayout(page());
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(420);
    orderFocus();
}

DividendCreditScreen& DividendCreditWindow::screen() {
    return *app_.dividendCredit();
}

void DividendCreditWindow::refresh() {
    // Between "確　　　認" and the next opening there is no model, and the window is hidden.
    if (app_.dividendCredit())
        refreshBindings();
}

} // namespace kakutei
