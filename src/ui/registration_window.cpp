#include "ui/registration_window.h"

#include "registry/registration_screen.h"
#include "shell/app.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kakutei {

namespace reg = registration;

namespace {
const QColor kBlueReturnColour(0, 192, 192);
}

RegistrationWindow::RegistrationWindow(App& app, WindowRegistry& registry)
    : ScreenWindow(ScreenId::registration, registry), app_(app) {
    setWindowTitle(qt(reg::kCaption));
    setAutoFillBackground(true);
    using S = RegistrationScreen;
    auto box = [this](const char* name, Field S::*field, int characters = 0) {
        return makeTextBox(
            name, [this, field]() -> Field& { return screen().*field; }, characters);
    };

    // Code row and notice. Widgets are made in reading order, which is also the Tab and Enter order.
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(makeLabel("個人コード"));
    auto* code = box("Text1", &S::text1, 4);
    code->setAlignment(Qt::AlignRight);
    codeRow->addWidget(code);
    codeRow->addWidget(makeHelperButton(reg::kClearCode, [this] { screen().clear(); }));
    auto* notice = makeLabel(reg::kNotice);
    notice->setStyleSheet("color: #a00000;");
    codeRow->addWidget(notice);
    codeRow->addStretch();

    auto* person = new QGridLayout;
    int row = 0;
    auto addRow = [&](std::string_view label, QWidget* field, QWidget* extra = nullptr) {
        person->addWidget(makeLabel(label), row, 0);
        person->addWidget(field, row, 1, 1, extra ? 1 : 2);
        if (extra)
            person->addWidget(extra, row, 2);
        ++row;
    };
    addRow("フリガナ", box("Text17", &S::text17, 16));
    addRow("氏　　名", box("Text5", &S::text5, 16));
    auto* postal = new QWidget(this);
    auto* postalRow = new QHBoxLayout(postal);
    postalRow->setContentsMargins(0, 0, 0, 0);
    postalRow->addWidget(makeLabel("〒"));
    postalRow->addWidget(box("Text13", &S::text13, 3));
    postalRow->addWidget(makeLabel("－"));
    postalRow->addWidget(box("Text20", &S::text20, 4));
    postalRow->addStretch();
    addRow("郵便番号", postal);
    addRow("住　　所", box("Text2", &S::text2, 24));
    addRow("", box("Text24", &S::text24, 24));
    addRow("１月１日の住所", box("Text3", &S::text3, 24),
           makeHelperButton(reg::kSameAddress, [this] { screen().copyAddress(); }));

    auto* birth = group("生年月日");
    auto* birthRow = new QHBoxLayout(birth);
    for (std::size_t i = 0; i < reg::kEras.size(); ++i)
        birthRow->addWidget(makeOption([this, i]() -> OptionButton& { return screen().eraOptions[i]; },
                                       [this, i] { screen().switchEra(i); }));
    for (const auto& [name, field, unit] :
         {std::tuple{"Text6", &S::text6, "年"}, std::tuple{"Text7", &S::text7, "月"},
          std::tuple{"Text14", &S::text14, "日"}}) {
        auto* part = box(name, field, 2);
        part->setAlignment(Qt::AlignRight);
        part->setMaximumWidth(part->minimumWidth());
        birthRow->addWidget(part);
        birthRow->addWidget(makeLabel(unit));
    }
    birthRow->addWidget(makeHelperButton(reg::kBirth, [this] { screen().clearBirthDate(); }));
    birthRow->addStretch();
    person->addWidget(birth, row++, 0, 1, 3);

    auto* sex = group("性別");
    auto* sexRow = new QHBoxLayout(sex);
    for (std::size_t i = 0; i < reg::kSexes.size(); ++i)
        sexRow->addWidget(makeOption([this, i]() -> OptionButton& { return screen().sexOptions[i]; },
                                     [this, i] { screen().switchSex(i); }));
    sexRow->addStretch();
    person->addWidget(sex, row++, 0, 1, 3);

    auto* household = new QGridLayout;
    household->addWidget(makeLabel("世帯主の氏名"), 0, 0);
    household->addWidget(box("Text8", &S::text8, 10), 0, 1);
    household->addWidget(makeHelperButton(reg::kSelf, [this] { screen().selfAsHead(); }), 0, 2);
    household->addWidget(makeLabel("続柄"), 0, 3);
    household->addWidget(box("Text9", &S::text9, 5), 0, 4);
    household->addWidget(makeHelperButton(reg::kWife, [this] { screen().wifeAsRelation(); }), 0, 5);
    household->addWidget(makeLabel("職　　業"), 1, 0);
    household->addWidget(box("Text10", &S::text10, 10), 1, 1);
    household->addWidget(makeHelperButton(reg::kCompanyOfficer, [this] { screen().companyOfficer(); }), 1, 2);
    household->addWidget(makeLabel("屋号"), 1, 3);
    household->addWidget(box("Text11", &S::text11, 8), 1, 4, 1, 2);
    household->addWidget(makeLabel("電話番号"), 2, 0);
    household->addWidget(box("Text12", &S::text12, 10), 2, 1);
    household->addWidget(makeHelperButton(reg::kTaxOffice, [this] { screen().proposeTaxOffice(); }), 3, 0);
    household->addWidget(box("Text15", &S::text15, 10), 3, 1);
    household->addWidget(makeLabel("納税者番号"), 3, 3);
    household->addWidget(box("Text16", &S::text16, 8), 3, 4, 1, 2);

    auto* condition = group("本人の条件");
    auto* conditionRow = new QHBoxLayout(condition);
    for (std::size_t i = 0; i < reg::kConditionCaptions.size(); ++i)
        conditionRow->addWidget(
            makeOption([this, i]() -> OptionButton& { return screen().conditionOptions[i]; },
                       [this, i] { screen().switchCondition(i); }));
    conditionRow->addWidget(box("Text22", &S::text22, 6));

    auto* bank = group("還付される税金の受取場所");
    auto* bankGrid = new QGridLayout(bank);
    bankGrid->addWidget(makeLabel("銀行"), 0, 0);
    bankGrid->addWidget(box("Text19", &S::text19, 10), 0, 1);
    bankGrid->addWidget(makeLabel("支店"), 0, 2);
    bankGrid->addWidget(box("Text18", &S::text18, 8), 0, 3);
    auto* account = new QHBoxLayout;
    for (std::size_t i = 0; i < reg::kAccountCaptions.size(); ++i)
        account->addWidget(makeOption([this, i]() -> OptionButton& { return screen().accountOptions[i]; },
                                      [this, i] { screen().switchAccount(i); }));
    account->addWidget(box("Text21", &S::text21, 5));
    bankGrid->addLayout(account, 1, 1);
    bankGrid->addWidget(makeLabel("口座番号"), 1, 2);
    bankGrid->addWidget(box("Text4", &S::text4, 8), 1, 3);

    // Shown at the top right, but last in the Enter order: it is chosen once, the boxes are typed every time.
    auto* kind = group("申告の種類");
    auto* kindRow = new QHBoxLayout(kind);
    kindRow->addWidget(makeOption([this]() -> OptionButton& { return screen().blueReturnOption; },
                                  [this] { screen().switchBlueReturn(); }));
    kindRow->addWidget(makeOption([this]() -> OptionButton& { return screen().whiteReturnOption; },
                                  [this] { screen().switchWhiteReturn(); }));
    codeRow->addWidget(kind);

    auto* buttons = makeButtonRow({
        {reg::kRegister, [this] { screen().registerTaxpayer(); }},
        {reg::kCallUp, [this] { screen().callUp(); }},
        {reg::kClear, [this] { screen().clear(); }},
        {reg::kData, [this] { screen().data(); }},
    });
    buttons->addWidget(makeButton(reg::kYearEndImport, [this] { screen().openYearEndImport(); }));

    auto* layout = new QVBoxLayout(page());
    layout->addLayout(codeRow);
    layout->addLayout(person);
    layout->addLayout(household);
    layout->addWidget(condition);
    layout->addWidget(bank);
    layout->addStretch();
    layout->addLayout(buttons);
    refresh();
    orderFocus();
}

RegistrationScreen& RegistrationWindow::screen() {
    return app_.registration();
}

QGroupBox* RegistrationWindow::group(std::string_view title) {
    return new QGroupBox(qt(title), this);
}

void RegistrationWindow::refresh() {
    refreshBindings();
    // Background, frames, labels and options take the colour of the kind of return; boxes and buttons keep
    // their own.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, screen().blueReturnColours()
                                           ? kBlueReturnColour
                                           : QApplication::palette().color(QPalette::Button));
    setPalette(colours);
}

} // namespace kakutei
