#pragma once
// Answers the next file dialog a window test provokes, as a user would: a folder picked, a file name typed,
// or the dialog cancelled.

#include <QString>

namespace kakutei::testing {

// Picks `folder` in the next folder dialog, or cancels it when `folder` is empty.
void answerFolderDialog(const QString& folder);
// Notes the file name the next save dialog suggests in `suggested`, then saves under `file` (the suggestion
// itself when empty), or cancels when `cancel`.
void answerSaveDialog(QString* suggested, const QString& file, bool cancel = false);

} // namespace kakutei::testing
