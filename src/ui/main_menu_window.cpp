#include "ui/main_menu_window.h"

#include "core/taxpayer_record.h"
#include "shell/app.h"
#include "shell/main_menu.h"
#include "ui/list_entries.h"
#include "ui/qt_text.h"
#include "ui/qt_user_interface.h"
#include "ui/roster_window.h"
#include "ui/vertical_button.h"
#include "ui/year_comparison_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace kakutei {

namespace mm = main_menu;
namespace ta = tax_accountant;

MainMenuWindow::MainMenuWindow(App& app, WindowRegistry& registry)
    : ScreenWindow(ScreenId::mainMenu, registry), app_(app), registry_(registry) {
    auto* heading = new QHBoxLayout;
    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    QFont big = label1_->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    label1_->setFont(big);
    auto* formLabel = new QLabel(qt(mm::kFormLabel), this);
    formLabel->setFont(big);
    heading->addWidget(label1_);
    heading->addSpacing(24);
    heading->addWidget(formLabel);
    heading->addStretch();

    auto* initial = new VerticalButton(qt(mm::kInitialScreen), this);
    connect(initial, &QPushButton::clicked, this, [this] { act([this] { menu().initialScreen(); }); });
    initial->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);

    list1_ = new QListWidget(this);
    list1_->setObjectName("List1");
    list1_->setMinimumWidth(300);
    QFont listFont = list1_->font();
    listFont.setPointSizeF(listFont.pointSizeF() * 1.15);
    list1_->setFont(listFont);
    connect(list1_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const auto row = static_cast<std::size_t>(list1_->row(item));
        act([this, row] { menu().clickList(row); });
    });

    auto* right = new QVBoxLayout;
    right->addWidget(buildTaxAccountantPanel());
    right->addWidget(buildRunAllPanel());
    right->addWidget(buildInternetFrame());
    right->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(initial);
    body->addWidget(list1_, 1);
    body->addLayout(right);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(makeButton(mm::kCloseScreens, [this] { menu().closeScreens(); }));
    auto* rosterButton = new QPushButton(qt(roster::kCaption), this);
    rosterButton->setObjectName("RosterButton");
    connect(rosterButton, &QPushButton::clicked, this, [this] { showRoster(); });
    bottom->addWidget(rosterButton);
    auto* comparisonButton = new QPushButton(qt(year_comparison::kCaption), this);
    comparisonButton->setObjectName("YearComparisonButton");
    connect(comparisonButton, &QPushButton::clicked, this, [this] { showYearComparison(); });
    bottom->addWidget(comparisonButton);
    bottom->addStretch();
    bottom->addWidget(makeButton(ta::kLoadButton, [this] { menu().taxAccountant.load(); }));

    auto* layout = new QVBoxLayout(page());
    layout->addLayout(heading);
    layout->addWidget(buildTopRow());
    layout->addWidget(buildMenuRow());
    layout->addLayout(body, 1);
    layout->addLayout(bottom);

    resize(980, 620);
    refresh();
}

MainMenu& MainMenuWindow::menu() {
    return app_.mainMenu();
}

QWidget* MainMenuWindow::buildTopRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* code = new QLineEdit(row);
    code->setObjectName("Text3");
    code->setProperty(kFirstInput, true); // the menu is where a taxpayer is called up by code
    code->setMaximumWidth(80);
    code->setAlignment(Qt::AlignRight);
    // The code box has no Enter handling of its own: Enter there calls the taxpayer up, the quick way.
    bindText(
        code, [this]() -> Field& { return menu().text3; }, false);
    connect(code, &QLineEdit::returnPressed, this, [this] { act([this] { menu().callUp(); }); });
    auto* name = new QLineEdit(row);
    name->setObjectName("Text2");
    name->setReadOnly(true);
    name->setFocusPolicy(Qt::NoFocus);
    bindText(
        name, [this]() -> Field& { return menu().text2; }, false);
    layout->addWidget(new QLabel("個人コード", row));
    layout->addWidget(code);
    layout->addWidget(makeButton(mm::kCallUp, [this] { menu().callUp(); }));
    auto* clear = makeButton(mm::kClear, [this] { menu().clearCode(); });
    clear->setFixedWidth(clear->fontMetrics().height() * 2);
    layout->addWidget(clear);
    layout->addWidget(name, 1);
    layout->addWidget(makeButton(mm::kDisplay, [this] { menu().display(); }));
    return row;
}

QWidget* MainMenuWindow::buildMenuRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::pair<std::string_view, void (MainMenu::*)()> buttons[] = {
        {mm::kRegistration, &MainMenu::registration},
        {mm::kIncome, &MainMenu::income},
        {mm::kDeductions1, &MainMenu::deductions1},
        {mm::kDeductions2, &MainMenu::deductions2},
        {mm::kTaxCredits, &MainMenu::taxCredits},
        {mm::kTaxComputation, &MainMenu::taxComputation},
        {mm::kPrint, &MainMenu::print},
        {mm::kData, &MainMenu::dataManagement},
        {mm::kQuit, &MainMenu::quit},
    };
    for (const auto& [caption, member] : buttons) {
        auto* button = makeButton(caption, [this, member = member] { (menu().*member)(); });
        button->setMinimumHeight(36);
        layout->addWidget(button);
    }
    return row;
}

QWidget* MainMenuWindow::buildTaxAccountantPanel() {
    auto* box = new QGroupBox(qt(ta::kHeading), this);
    auto* grid = new QGridLayout(box);
    const std::tuple<std::string_view, void (TaxAccountantPanel::*)(), Field TaxAccountantPanel::*,
                     const char*>
        rows[] = {
            {ta::kNameButton, &TaxAccountantPanel::clearName, &TaxAccountantPanel::text5, "Text5"},
            {ta::kAddressButton, &TaxAccountantPanel::clearAddress, &TaxAccountantPanel::text12, "Text12"},
            {ta::kTelephoneButton, &TaxAccountantPanel::clearTelephone, &TaxAccountantPanel::text4, "Text4"},
        };
    // The boxes are made before the buttons so that Enter and Tab go box to box.
    int row = 0;
    for (const auto& [caption, clear, field, name] : rows) {
        auto* edit = new QLineEdit(box);
        edit->setObjectName(name);
        edit->setMinimumWidth(260);
        bindText(edit, [this, field = field]() -> Field& { return menu().taxAccountant.*field; });
        grid->addWidget(edit, row++, 1, 1, 2);
    }
    row = 0;
    for (const auto& [caption, clear, field, name] : rows)
        grid->addWidget(makeButton(caption, [this, clear = clear] { (menu().taxAccountant.*clear)(); }),
                        row++, 0);
    grid->addWidget(makeButton(ta::kSaveButton, [this] { menu().taxAccountant.save(); }), row, 0);
    grid->addWidget(
        makeButton(ta::kImportButton, [this] { menu().taxAccountant.importFromYearEndProgram(); }), row, 1);
    grid->addWidget(makeButton(ta::kHideButton, [this] { menu().taxAccountant.hideEntry(); }), row, 2);
    return box;
}

QWidget* MainMenuWindow::buildRunAllPanel() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* bar = makeButton(mm::kHideRunAll, [this] { menu().hideRunAll(); });
    bar->setMaximumHeight(bar->fontMetrics().height() + 4);
    layout->addWidget(bar);
    runAllButtons_ = new QWidget(panel);
    auto* grid = new QGridLayout(runAllButtons_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(makeButton(mm::kRunIncome, [this] { menu().runIncome(); }), 0, 0);
    grid->addWidget(makeButton(mm::kRunDeductions1, [this] { menu().runDeductions1(); }), 0, 1);
    grid->addWidget(makeButton(mm::kRunDeductions2, [this] { menu().runDeductions2(); }), 1, 0);
    grid->addWidget(makeButton(mm::kRunTaxCredits, [this] { menu().runTaxCredits(); }), 1, 1);
    layout->addWidget(runAllButtons_);
    return panel;
}

QWidget* MainMenuWindow::buildInternetFrame() {
    auto* box = new QGroupBox(qt(mm::kInternetFrame), this);
    auto* layout = new QHBoxLayout(box);
    layout->addWidget(makeButton(mm::kHomePage, [this] { menu().openHomePage(); }));
    layout->addWidget(makeButton(mm::kSendMail, [this] { menu().sendMail(); }));
    layout->addWidget(makeButton(mm::kSupportCentre, [this] { menu().openSupportCentre(); }));
    return box;
}

void MainMenuWindow::refresh() {
    setWindowTitle(qt(menu().windowCaption()));
    label1_->setText(qt(menu().label1()));
    refreshBindings();
    showEntries(*list1_, menu().list1);
    runAllButtons_->setVisible(menu().runAllVisible());
}

void MainMenuWindow::showRoster() {
    if (!roster_)
        roster_ = new RosterWindow(app_, registry_, this);
    roster_->show();
    roster_->raise();
    roster_->activateWindow();
}

void MainMenuWindow::showYearComparison() {
    const PersonCode code = menu().currentPersonCode();
    if (code == 0 || !readTaxpayerRecord(app_.store(), code).registered()) {
        QMessageBox::information(this, qt(year_comparison::kCaption), qt(year_comparison::kNoClient));
        return;
    }
    if (!yearComparison_)
        yearComparison_ = new YearComparisonWindow(app_.store(), this);
    yearComparison_->showClient(code);
    yearComparison_->show();
    yearComparison_->raise();
    yearComparison_->activateWindow();
}

void MainMenuWindow::closeEvent(QCloseEvent* event) {
    // The close box ends the program, as "終　　　了" does.
    event->ignore();
    act([this] { menu().quit(); });
}

} // namespace kakutei
