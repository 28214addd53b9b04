#include "ui/screen_window.h"

#include "ui/qt_text.h"
#include "ui/return_next.h"

#include <QLineEdit>
#include <QPushButton>

namespace kakutei {

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
    bindings_.push_back({edit, std::move(field)});
    return edit;
}

QPushButton* ScreenWindow::makeButton(std::string_view caption, std::function<void()> action,
                                      const char* objectName) {
    auto* button = new QPushButton(qt(caption), this);
    if (objectName)
        button->setObjectName(objectName);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, action = std::move(action)] { act(action); });
    return button;
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
        QPalette palette = binding.edit->palette();
        palette.setColor(QPalette::Text, QColor(field.colour.red, field.colour.green, field.colour.blue));
        binding.edit->setPalette(palette);
    }
}

} // namespace kakutei
