#pragma once
// How a message names a screen: by the caption its window carries.

#include "core/user_interface.h"

#include <string_view>

namespace kakutei {

// The screen's own caption ("税額の計算"); its form name for a screen that messages do not name.
std::string_view screenCaption(ScreenId id);

} // namespace kakutei
