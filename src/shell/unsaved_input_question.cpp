#include "shell/unsaved_input_question.h"

#include "shell/app.h"
#include "shell/screen_caption.h"

#include <algorithm>

namespace kakutei {

namespace {

std::string question(ScreenId id, const DataScreen& screen) {
    std::string body = "「" + std::string(screenCaption(id)) + "」";
    if (!screen.text60.text.empty())
        body += "（個人コード " + screen.text60.text + "）";
    body += "に、「計算実行」で保存していない入力があります。保存しますか？\n\n";
    body += std::string(kStoreCaption) + "：「計算実行」で保存してから続けます。\n";
    body += std::string(kDiscardCaption) + "：入力を捨て、保存してある内容に戻してから続けます。\n";
    body += std::string(kBackCaption) + "：何もせずに入力に戻ります。";
    return body;
}

std::string notStored(ScreenId id, const DataScreen& screen) {
    return "「" + std::string(screenCaption(id)) + "」の入力を保存できませんでした。個人コード「" +
           screen.text60.text + "」では保存先が決まりません。\n入力はそのまま残っています。";
}

bool storing(ScreenId id) {
    return std::find(std::begin(unsaved_input::kStoringScreens), std::end(unsaved_input::kStoringScreens),
                     id) != std::end(unsaved_input::kStoringScreens);
}

} // namespace

bool askAboutUnsavedInput(App& app, std::span<const ScreenId> screens) {
    for (ScreenId id : screens) {
        DataScreen* screen = app.screen(id);
        if (!screen || !storing(id) || !screen->holdsUnsavedInput())
            continue;
        app.ui().show(id);
        switch (app.ui().choose(unsaved_input::kTitle, question(id, *screen))) {
        case Choice::store:
            screen->forgetFailedSave();
            screen->calculate();
            if (screen->holdsUnsavedInput()) {
                // A save that failed has said why; a calculation that ends silently has not.
                if (!screen->failedSave())
                    app.ui().warn(unsaved_input::kNotStoredTitle, notStored(id, *screen));
                return false;
            }
            break;
        case Choice::discard:
            screen->discardUnsavedInput();
            break;
        case Choice::back:
            return false;
        }
    }
    return true;
}

} // namespace kakutei
