#include "ui/actual_amount_window.h"

#include "income/actual_amount_screen.h"
#include "shell/app.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kakutei {

namespace aa = actual_amount;

ActualAmountWindow::ActualAmountWindow(App& app, WindowRegistry& registry)
    : ScreenWindow(ScreenId::actualAmount, registry), app_(app) {
    // Titled by the taxpayer whose figures it holds, which the income screen gave it when it opened it.
    showTaxpayerInTitle(aa::kCaption, app.store(), [&app]() -> Field& { return app.actualAmount().text60; });
    using S = ActualAmountScreen;
    auto* grid = new QGridLayout;
    const std::tuple<std::string_view, Field S::*, const char*, AmountKind> rows[] = {
        {aa::kRevenue, &S::revenue, "revenue", AmountKind::input},
        {aa::kExpenses, &S::expenses, "expenses", AmountKind::input},
        {aa::kIncome, &S::income, "income", AmountKind::result},
    };
    int r = 0;
    for (const auto& [caption, field, name, kind] : rows) {
        grid->addWidget(makeLabel(caption), r, 0);
        grid->addWidget(makeAmountBox(
                            name, [this, field = field]() -> Field& { return screen().*field; }, kind),
                        r, 1);
        ++r;
    }
    auto* buttons = new QGridLayout;
    buttons->addWidget(makeButton(aa::kCalculate, [this] { screen().calculate(); }), 0, 0);
    buttons->addWidget(makeButton(aa::kConfirm, [this] { screen().confirm(); }), 0, 1);
    buttons->addWidget(makeButton(aa::kClear, [this] { screen().clear(); }), 1, 0);
    buttons->addWidget(makeButton(aa::kClose, [this] { screen().close(); }), 1, 1);
    auto* layout = new QVBoxLayout(page());
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addStretch();
    setMinimumWidth(380);
    orderFocus();
}

ActualAmountScreen& ActualAmountWindow::screen() {
    return app_.actualAmount();
}

} // namespace kakutei
