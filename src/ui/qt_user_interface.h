#pragma once
// The window program's UserInterface: Qt message boxes, the system beep, and the screens' windows.

#include "core/user_interface.h"

#include <QPointer>
#include <QWidget>

#include <array>

namespace kakutei {

class QtUserInterface : public UserInterface {
public:
    void registerWindow(ScreenId screen, QWidget* window);
    QWidget* window(ScreenId screen) const;

    void warn(std::string_view title, std::string_view body) override;
    bool ask(std::string_view title, std::string_view body) override;
    Choice choose(std::string_view title, std::string_view body) override;
    void beep() override;
    void show(ScreenId screen) override;
    void hide(ScreenId screen) override;
    void openAddress(std::string_view address) override;
    void quit() override;

private:
    QWidget* dialogParent() const;
    static constexpr std::size_t kScreens = static_cast<std::size_t>(ScreenId::housingLoan) + 1;
    std::array<QPointer<QWidget>, kScreens> windows_;
};

// Puts the cursor in the window's first box that takes typing, in Tab order (a window just opened), or in
// the box a window marks with the property kFirstInput, where that order starts elsewhere.
void focusFirstInput(QWidget& window);
inline constexpr const char* kFirstInput = "kakuteiFirstInput";

} // namespace kakutei
