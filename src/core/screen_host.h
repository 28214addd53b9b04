#pragma once
// How a screen opens or discards a sub-screen without knowing who owns it (App does).

#include "core/user_interface.h"

namespace kakutei {

class ScreenHost {
public:
    virtual ~ScreenHost() = default;
    // Creates the screen if it does not exist yet, and shows it.
    virtual void openScreen(ScreenId screen) = 0;
    // Hides the screen and discards it; the next opening creates it anew.
    virtual void discardScreen(ScreenId screen) = 0;
};

} // namespace kakutei
