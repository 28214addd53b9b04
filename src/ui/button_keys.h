#pragma once
// Function keys for the buttons every data screen shares. The key is shown small in the button's corner
// and in its tooltip; the caption itself stays exactly as it is.

#include <string_view>

class QPushButton;

namespace kakutei {

// Gives the button its key when its caption is one of the shared ones; any other button is left alone.
void giveCommonKey(QPushButton& button, std::string_view caption);

} // namespace kakutei
