#pragma once
// The question before anything drops figures the user typed and "計算実行" has not stored: store them,
// throw them away, or go back.

#include "core/user_interface.h"

#include <span>
#include <string_view>

namespace kakutei {

class App;

namespace unsaved_input {
inline constexpr std::string_view kTitle = "保存していない入力があります";
inline constexpr std::string_view kNotStoredTitle = "入力を保存できませんでした";
// The screens whose typed figures "計算実行" stores, in the order the question goes through them.
inline constexpr ScreenId kStoringScreens[] = {ScreenId::income, ScreenId::deductions1,
                                               ScreenId::personalDeductions, ScreenId::incomeBreakdown,
                                               ScreenId::taxComputation};
} // namespace unsaved_input

// Asks about each of `screens` that holds unsaved input, showing it first so that the user sees what is
// meant. 保存する presses its "計算実行"; 保存しない puts back its stored figures. Returns false, and
// asks about no further screen, when the user goes back or a save did not succeed: the action that
// asked must then not be done.
bool askAboutUnsavedInput(App& app, std::span<const ScreenId> screens);

} // namespace kakutei
