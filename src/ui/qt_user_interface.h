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

} // namespace kakutei
