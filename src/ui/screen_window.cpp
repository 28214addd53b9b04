#include "ui/screen_window.h"

#include "core/person_code.h"
#include "core/record.h"
#include "core/taxpayer_record.h"

#include "shell/app.h"
#include "shell/unsaved_input_question.h"
#include "ui/button_keys.h"
#include "ui/derivation_panel.h"
#include "ui/qt_text.h"
#include "ui/return_next.h"
#include "ui/screen_fit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>

#include <algorithm>
#include <cstdio>

namespace kakutei {

namespace {
constexpr int kShortBoxCharacters = 6;

void setTextColour(QWidget* widget, Colour colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, QColor(colour.red, colour.green, colour.blue));
    widget->setPalette(palette);
}

bool separatesLines(char32_t c) {
    return c == U'\n' || c == U'\r' || c == U'\t' || c == U'\v' || c == U'\f' || c == 0x85 || c == 0x2028 ||
           c == 0x2029;
}

bool isSpace(QChar c) {
    return c == u' ' || c == QChar(0x3000);
}

// Every field is stored as one line, so a box never takes a line break in: a pasted address of two lines
// becomes one. A run of line breaks or tabs becomes a single space rather than nothing, because the two
// lines' ends would otherwise run together ("芝5-8-1" and "302号" into "芝5-8-1302号", a different
// address); where a space is already there, or at either end of the text, it becomes nothing. Any other
// control character is dropped: it has no glyph and could not be stored.
QString oneLine(const QString& text, bool trimEnd) {
    QString out;
    out.reserve(text.size());
    bool gap = false;
    for (const char32_t c : text.toUcs4()) {
        if (separatesLines(c)) {
            gap = true;
            continue;
        }
        if (isControlCharacter(c) || (c >= 0x80 && c <= 0x9F))
            continue;
        const QString character = QString::fromUcs4(&c, 1);
        if (gap && !out.isEmpty() && !isSpace(out.back()) && !isSpace(character.front()))
            out += u' ';
        gap = false;
        out += character;
    }
    if (gap && !trimEnd && !out.isEmpty() && !isSpace(out.back()))
        out += u' ';
    return out;
}

class OneLineValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        const QString cleaned = oneLine(input, true);
        if (cleaned != input) {
            // The cursor stays behind what was pasted.
            pos = static_cast<int>(std::min(oneLine(input.left(pos), false).size(), cleaned.size()));
            input = cleaned;
        }
        return Acceptable;
    }
};

void keepToOneLine(QLineEdit* edit) {
    edit->setValidator(new OneLineValidator(edit));
}

// "07": the code with at least two digits, as the person lists show it.
std::string codeText(PersonCode code) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", static_cast<int>(code));
    return text;
}

} // namespace

void WindowRegistry::refreshVisible() {
    for (ScreenWindow* window : windows_)
        if (window->isVisible())
            window->refresh();
}

DataScreen* WindowRegistry::dataScreen(ScreenId id) const {
    return app_ ? app_->screen(id) : nullptr;
}

bool WindowRegistry::mayClose(ScreenId id) {
    return !app_ || askAboutUnsavedInput(*app_, {&id, 1});
}

ScreenWindow::ScreenWindow(ScreenId id, WindowRegistry& registry, QWidget* parent)
    : QWidget(parent), id_(id), registry_(registry) {
    setObjectName(formName(id));
    page_ = makeScrollingPage(this, scroll_);
    registry_.add(this);
}

void ScreenWindow::showEvent(QShowEvent* event) {
    // Sized once, when it first opens on a screen; after that the user's own size stands.
    if (!fitted_) {
        fitted_ = true;
        fitToScreen(this, scroll_);
    }
    QWidget::showEvent(event);
}

QLineEdit* ScreenWindow::bindText(QLineEdit* edit, FieldAccess field, bool returnNext) {
    keepToOneLine(edit);
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
        noteTyping(field());
        field().text = utf8(text);
    });
    if (returnNext)
        ReturnNext::install(edit);
    if (edit->focusPolicy() != Qt::NoFocus && !edit->isReadOnly())
        inputs_.push_back(edit);
    bindings_.push_back({edit, std::move(field)});
    return edit;
}

QLineEdit* ScreenWindow::makeTextBox(const char* objectName, FieldAccess field, int characters) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    if (characters > 0) {
        const int width = edit->fontMetrics().horizontalAdvance(QChar(0x3042)) * characters + 12;
        edit->setMinimumWidth(width);
        // Codes, dates and postal codes are short: a wide box would only mislead.
        if (characters <= kShortBoxCharacters)
            edit->setMaximumWidth(width);
    }
    return bindText(edit, std::move(field));
}

QLineEdit* ScreenWindow::makeAmountBox(const char* objectName, FieldAccess field, AmountKind kind) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("9,999,999,999")) + 14);
    if (kind != AmountKind::input) {
        QPalette shaded = edit->palette();
        shaded.setColor(QPalette::Base, QColor(0xE6, 0xEC, 0xF2));
        edit->setPalette(shaded);
    }
    if (kind == AmountKind::readOnly) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
    }
    return bindText(edit, std::move(field), kind != AmountKind::readOnly);
}

QComboBox* ScreenWindow::makeChoiceBox(const char* objectName, FieldAccess field,
                                       const std::vector<std::string_view>& items) {
    auto* box = new QComboBox(this);
    box->setObjectName(objectName);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (std::string_view item : items)
        box->addItem(qt(item));
    connect(box->lineEdit(), &QLineEdit::textEdited, this, [this, field](const QString& text) {
        noteTyping(field());
        field().text = utf8(text);
    });
    connect(box, &QComboBox::activated, this, [this, box, field](int index) {
        noteTyping(field());
        field().text = utf8(box->itemText(index));
        refreshBindings();
    });
    keepToOneLine(box->lineEdit());
    ReturnNext::install(box->lineEdit());
    inputs_.push_back(box);
    choiceBindings_.push_back({box, std::move(field)});
    return box;
}

QCheckBox* ScreenWindow::makeCheckBox(std::string_view caption, std::function<bool&()> flag) {
    auto* box = new QCheckBox(qt(caption), this);
    connect(box, &QCheckBox::clicked, this, [this, flag](bool checked) {
        noteTyping(flag());
        flag() = checked;
    });
    ReturnNext::install(box);
    inputs_.push_back(box);
    checkBindings_.emplace_back(box, std::move(flag));
    return box;
}

QRadioButton* ScreenWindow::makeOption(OptionAccess option, std::function<void()> switchOn) {
    auto* button = new QRadioButton(qt(option().caption), this);
    // The model decides which options are on (its groups may all be off), so Qt's own exclusivity is off.
    button->setAutoExclusive(false);
    ReturnNext::install(button);
    connect(button, &QRadioButton::clicked, this, [this, switchOn = std::move(switchOn)] {
        noteOptionClick();
        act(switchOn);
    });
    inputs_.push_back(button);
    optionBindings_.push_back({button, std::move(option)});
    return button;
}

QPushButton* ScreenWindow::makeHelperButton(std::string_view caption, std::function<void()> action) {
    QPushButton* button = makeButton(caption, std::move(action));
    mainButtons_.pop_back();
    helperButtons_.push_back(button);
    const int textWidth = button->fontMetrics().horizontalAdvance(button->text());
    button->setMaximumWidth(std::max(textWidth + 24, button->fontMetrics().height() * 2));
    return button;
}

QHBoxLayout* ScreenWindow::makeButtonRow(const std::vector<ButtonDescription>& buttons) {
    auto* row = new QHBoxLayout;
    for (const ButtonDescription& wanted : buttons) {
        QPushButton* button = makeButton(wanted.caption, wanted.action);
        button->setMinimumHeight(34);
        giveCommonKey(*button, wanted.caption);
        row->addWidget(button);
    }
    row->addStretch();
    return row;
}

QLabel* ScreenWindow::makeLabel(std::string_view text) {
    return new QLabel(qt(text), this);
}

QPushButton* ScreenWindow::makeButton(std::string_view caption, std::function<void()> action,
                                      const char* objectName) {
    auto* button = new QPushButton(qt(caption), this);
    if (objectName)
        button->setObjectName(objectName);
    button->setAutoDefault(true); // Enter on a focused button presses it
    mainButtons_.push_back(button);
    connect(button, &QPushButton::clicked, this, [this, action = std::move(action)] { act(action); });
    return button;
}

void ScreenWindow::orderFocus() {
    std::vector<QWidget*> chain = inputs_;
    chain.insert(chain.end(), mainButtons_.begin(), mainButtons_.end());
    chain.insert(chain.end(), helperButtons_.begin(), helperButtons_.end());
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void ScreenWindow::act(const std::function<void()>& action) {
    action();
    registry_.refreshVisible();
}

void ScreenWindow::refreshBindings() {
    for (const Binding& binding : bindings_) {
        const Field& field = binding.field();
        const QString text = qt(field.text);
        if (binding.edit->text() != text)
            binding.edit->setText(text);
        setTextColour(binding.edit, field.colour);
    }
    for (const OptionBinding& binding : optionBindings_)
        binding.button->setChecked(binding.option().on);
    for (const auto& [box, flag] : checkBindings_)
        box->setChecked(flag());
    for (const ChoiceBinding& binding : choiceBindings_) {
        const Field& field = binding.field();
        const QString text = qt(field.text);
        if (binding.box->currentText() != text)
            binding.box->setEditText(text);
        setTextColour(binding.box, field.colour);
    }
    refreshTitle();
    if (derivation_)
        derivation_->refresh();
}

DerivationPanel* ScreenWindow::makeDerivationPanel(const DataStore& store) {
    derivation_ = new DerivationPanel(
        store, [this]() -> const DataScreen* { return registry_.dataScreen(id_); }, this);
    return derivation_;
}

void ScreenWindow::explains(QWidget* box, LineRef ref) {
    derivation_->explains(box, ref);
}

void ScreenWindow::showTaxpayerInTitle(std::string_view caption, const DataStore& store, FieldAccess code) {
    taxpayerTitle_ = TaxpayerTitle{std::string(caption), &store, std::move(code), std::nullopt};
    setWindowTitle(qt(caption));
}

void ScreenWindow::refreshTitle() {
    if (!taxpayerTitle_)
        return;
    TaxpayerTitle& title = *taxpayerTitle_;
    // Refreshes come after every button; the record is read only when the code has changed.
    const std::string& codeText60 = title.code().text;
    if (title.shownFor == codeText60)
        return;
    title.shownFor = codeText60;
    std::string text = title.caption;
    if (const auto code = readCode(codeText60).code) {
        text += "　" + codeText(*code);
        const TaxpayerRead read = readTaxpayerRecord(*title.store, *code);
        if (read.readable())
            text += " " + read.record.name;
        else if (read.registered())
            text += " " + std::string(kDamagedRegistration);
    }
    setWindowTitle(qt(text));
}

void ScreenWindow::noteTyping(const Field& field) {
    if (DataScreen* screen = registry_.dataScreen(id_))
        screen->typed().typing(field);
}

void ScreenWindow::noteTyping(const bool& flag) {
    if (DataScreen* screen = registry_.dataScreen(id_))
        screen->typed().typing(flag);
}

void ScreenWindow::noteOptionClick() {
    // A click switches others of its group off: all are remembered, so that clicking back to the option
    // that was on counts as no change.
    for (const OptionBinding& binding : optionBindings_)
        noteTyping(binding.option().on);
}

void ScreenWindow::closeEvent(QCloseEvent* event) {
    // Closing only hides the window, but what opens it again reloads it: typed figures are settled first.
    bool mayClose = true;
    act([this, &mayClose] { mayClose = registry_.mayClose(id_); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

void ScreenWindow::hideEvent(QHideEvent* event) {
    // A window opened again reads the name again: it may have been registered anew meanwhile.
    if (taxpayerTitle_)
        taxpayerTitle_->shownFor.reset();
    QWidget::hideEvent(event);
}

} // namespace kakutei
