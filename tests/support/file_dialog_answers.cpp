#include "file_dialog_answers.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace kakutei::testing {
namespace {

// Presses OK on a file dialog. Under load the dialog's file model may not have read the folder yet, and
// the dialog then asks a question of its own: that box is closed, and the file dialog cancelled, so that
// the test fails instead of hanging.
void acceptFileDialog(QFileDialog* dialog) {
    QTest::qWait(200); // time for the file model's own thread to read the folder
    // Only the dialog's own box: a later message of the program under test is the test's to answer.
    QTimer::singleShot(3000, dialog, [dialog] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            box && box->parentWidget() == dialog)
            box->reject();
    });
    static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, as its OK button runs it
    if (dialog->isVisible())
        dialog->reject(); // a dialog that would not take the answer fails the test instead of hanging it
}

} // namespace

void answerFolderDialog(const QString& folder) {
    QTimer::singleShot(20, [folder] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return answerFolderDialog(folder);
        if (folder.isEmpty())
            return dialog->reject();
        dialog->setDirectory(folder);
        dialog->selectFile(folder);
        acceptFileDialog(dialog);
    });
}

void answerSaveDialog(QString* suggested, const QString& file, bool cancel) {
    QTimer::singleShot(20, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return answerSaveDialog(suggested, file, cancel);
        *suggested = dialog->selectedFiles().value(0);
        if (cancel)
            return dialog->reject();
        if (!file.isEmpty())
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(file);
        acceptFileDialog(dialog);
    });
}

} // namespace kakutei::testing
