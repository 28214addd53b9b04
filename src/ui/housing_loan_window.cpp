#include "ui/housing_loan_window.h"

#include "shell/app.h"
#include "tax/housing_loan_screen.h"
#include "ui/qt_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kakutei {

namespace hl = housing_loan;

HousingLoanWindow::HousingLoanWindow(App& app, WindowRegistry& registry)
    : ScreenWindow(ScreenId::housingLoan, registry), app_(app) {
    showTaxpayerInTitle(hl::kCaption, app.store(),
                        [&app]() -> Field& { return app.screen(ScreenId::housingLoan)->text60; });
    auto* buttons = makeButtonRow({
        {hl::kConfirm, [this] { screen().close(); }},
        {hl::kClear, [this] { screen().clear(); }},
        {hl::kData, [this] { screen().data(); }},
        {hl::kSave, [this] { screen().save(); }},
        {hl::kClose, [this] { screen().close(); }},
    });
    buttons->addWidget(makeLabel(hl::kSaveNote));

    auto* date = new QHBoxLayout;
    date->addWidget(makeLabel(hl::kMovedIn));
    date->addWidget(makeLabel("平成"));
    using S = HousingLoanScreen;
    for (const auto& [name, member, unit] :
         {std::tuple{"year", &S::year, "年"}, std::tuple{"month", &S::month, "月"},
          std::tuple{"day", &S::day, "日"}}) {
        QLineEdit* part = makeTextBox(
            name, [this, member = member]() -> Field& { return screen().*member; }, 2);
        part->setAlignment(Qt::AlignRight);
        date->addWidget(part);
        date->addWidget(makeLabel(unit));
    }
    date->addStretch();
    auto* balance = new QHBoxLayout;
    balance->addWidget(makeLabel(hl::kBalance));
    balance->addWidget(makeAmountBox("balance", [this]() -> Field& { return screen().balance; }));
    balance->addStretch();

    auto* credits = new QGroupBox(qt(hl::kCreditHeading), this);
    auto* grid = new QGridLayout(credits);
    for (std::size_t i = 0; i < hl::kPeriods.size(); ++i) {
        auto* period = makeButton(hl::kPeriods[i], [this, i] { screen().calculatePeriod(i); });
        period->setStyleSheet("text-align: left; padding: 4px 8px;");
        grid->addWidget(period, static_cast<int>(i), 0);
        const std::string name = "result" + std::to_string(i + 1);
        grid->addWidget(
            makeAmountBox(
                name.c_str(), [this, i]() -> Field& { return screen().results[i]; }, AmountKind::readOnly),
            static_cast<int>(i), 1);
    }
    auto* layout = new QVBoxLayout(page());
    layout->addLayout(date);
    layout->addLayout(balance);
    layout->addWidget(credits);
    layout->addLayout(buttons);
    orderFocus();
}

HousingLoanScreen& HousingLoanWindow::screen() {
    return *app_.screenAs<HousingLoanScreen>(ScreenId::housingLoan);
}

} // namespace kakutei
