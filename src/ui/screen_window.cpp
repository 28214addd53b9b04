#include "ui/screen_window.h"

#include "ui/qt_text.h"
#include "ui/return_next.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace kakutei {

namespace {
constexpr int kShortBoxCharacters = 6;

void setTextColour(QWidget* widget, Colour colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, QColor(colour.red, colour.green, colour.blue));
    widget->setPalette(palette);
}
} // namespace

void WindowRegistry::refreshVisible() {
    for (ScreenWindow* window : windows_)
        if (window->isVisible())
            window->refresh();
}

ScreenWindow::ScreenWindow(ScreenId id, WindowRegistry& registry, QWidget* parent)
    : QWidget(parent), registry_(registry) {
    setObjectName(formName(id));
    registry_.add(this);
}

QLineEdit* ScreenWindow::bindText(QLineEdit* edit, FieldAccess field, bool returnNext) {
    connect(edit, &QLineEdit::textEdited, this, [field](const QString& text) { field().text = utf8(text); });
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
    connect(box->lineEdit(), &QLineEdit::textEdited, this,
            [field](const QString& text) { field().text = utf8(text); });
    connect(box, &QComboBox::activated, this, [this, box, field](int index) {
        field().text = utf8(box->itemText(index));
        refreshBindings();
    });
    ReturnNext::install(box->lineEdit());
    inputs_.push_back(box);
    choiceBindings_.push_back({box, std::move(field)});
    return box;
}

QCheckBox* ScreenWindow::makeCheckBox(std::string_view caption, std::function<bool&()> flag) {
    auto* box = new QCheckBox(qt(caption), this);
    connect(box, &QCheckBox::clicked, this, [flag](bool checked) { flag() = checked; });
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
    connect(button, &QRadioButton::clicked, this, [this, switchOn = std::move(switchOn)] { act(switchOn); });
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
}

} // namespace kakutei
