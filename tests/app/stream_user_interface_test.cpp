#include "app/stream_user_interface.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kakutei {
namespace {

// Nobody answers a batch command, and --yes is consent to its own questions, not to storing or throwing
// away figures: the answer is always to go back, and it is said.
TEST(StreamUserInterface, GoesBackFromTheQuestionAboutTypedFiguresEvenWithYes) {
    for (const bool yes : {false, true}) {
        std::ostringstream err;
        StreamUserInterface ui(err, yes);
        EXPECT_EQ(ui.choose("保存していない入力があります", "保存しますか？"), Choice::back);
        EXPECT_EQ(err.str(), "保存していない入力があります: 保存しますか？ → 戻る\n");
    }
}

} // namespace
} // namespace kakutei
