#include "core/unsaved_input.h"

#include <gtest/gtest.h>

#include <functional>

namespace kakutei {
namespace {

struct Boxes {
    Field amount{"1,000"};
    Field name;
    bool checked = false;
    UnsavedInput typed;
    void type(Field& field, const std::string& text) {
        typed.typing(field);
        field.text = text;
    }
    void click(bool& flag) {
        typed.typing(flag);
        flag = !flag;
    }
};

TEST(UnsavedInput, CountsWhatTheHandChangedAndNothingElse) {
    const struct {
        const char* name;
        std::function<void(Boxes&)> hand;
        bool unsaved;
    } cases[] = {
        {"a box typed into", [](Boxes& b) { b.type(b.amount, "2,000"); }, true},
        {"a box typed into twice, the second time back to its text",
         [](Boxes& b) {
             b.type(b.amount, "2,000");
             b.type(b.amount, "1,000");
         },
         false},
        {"a box typed into, then written by the program",
         [](Boxes& b) {
             b.type(b.name, "七");
             b.name.text.clear();
         },
         false},
        {"a box the program wrote, never typed into", [](Boxes& b) { b.amount.text = "3,000"; }, false},
        {"a check box clicked", [](Boxes& b) { b.click(b.checked); }, true},
        {"a check box clicked twice",
         [](Boxes& b) {
             b.click(b.checked);
             b.click(b.checked);
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Boxes boxes;
        c.hand(boxes);
        EXPECT_EQ(boxes.typed.any(), c.unsaved);
    }
}

TEST(UnsavedInput, SettlingMakesTheShownTextsTheNewStartingPoint) {
    Boxes boxes;
    boxes.type(boxes.amount, "2,000");
    boxes.typed.settle();
    EXPECT_FALSE(boxes.typed.any());
    // Typing back what was there before the settling is a change now.
    boxes.type(boxes.amount, "1,000");
    EXPECT_TRUE(boxes.typed.any());
}

} // namespace
} // namespace kakutei
