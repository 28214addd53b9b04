#include "ui/button_keys.h"

#include "ui/qt_text.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>

namespace kakutei {

namespace {

struct CommonKey {
    std::string_view caption;
    Qt::Key key;
};

// "クリア" and "END" have none: a key pressed by mistake would empty the screen or end the program.
constexpr CommonKey kCommonKeys[] = {
    {"計算実行", Qt::Key_F5},
    {"前年データ", Qt::Key_F8},
    {"DATA", Qt::Key_F9},
};

} // namespace

void giveCommonKey(QPushButton& button, std::string_view caption) {
    for (const CommonKey& common : kCommonKeys) {
        if (common.caption != caption)
            continue;
        const QKeySequence key(common.key);
        const QString keyText = key.toString(QKeySequence::NativeText);
        button.setShortcut(key);
        button.setToolTip(qt(caption) + QStringLiteral("（") + keyText + QStringLiteral(" キー）"));

        auto* hint = new QLabel(keyText, &button);
        hint->setObjectName("keyHint");
        hint->setAttribute(Qt::WA_TransparentForMouseEvents);
        QFont small = hint->font();
        small.setPointSizeF(small.pointSizeF() * 0.75);
        hint->setFont(small);
        QPalette grey = hint->palette();
        grey.setColor(QPalette::WindowText, QColor(0x60, 0x60, 0x60));
        hint->setPalette(grey);
        auto* corner = new QHBoxLayout(&button);
        corner->setContentsMargins(0, 0, 5, 2);
        corner->addStretch();
        corner->addWidget(hint, 0, Qt::AlignRight | Qt::AlignBottom);
        // The caption stays centred, so the button is widened on both sides by the hint's width.
        const int hintWidth = hint->fontMetrics().horizontalAdvance(keyText) + 6;
        button.setMinimumWidth(button.fontMetrics().horizontalAdvance(button.text()) + 2 * hintWidth + 24);
        return;
    }
}

} // namespace kakutei
