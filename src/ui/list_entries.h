#pragma once
// Refilling a list on every refresh would lose the user's selection and scroll position, so a list is
// filled again only when what it shows has changed.

#include "ui/qt_text.h"

#include <QListWidget>
#include <QStringList>

#include <string>
#include <vector>

namespace kakutei {

inline void showEntries(QListWidget& list, const std::vector<std::string>& entries) {
    QStringList wanted;
    for (const std::string& entry : entries)
        wanted << qt(entry);
    QStringList shown;
    for (int i = 0; i < list.count(); ++i)
        shown << list.item(i)->text();
    if (shown != wanted) {
        list.clear();
        list.addItems(wanted);
    }
}

} // namespace kakutei
