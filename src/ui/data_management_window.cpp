#include "ui/data_management_window.h"

#include "registry/data_management_screen.h"
#include "registry/drives.h"
#include "shell/app.h"
#include "ui/list_entries.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kakutei {

namespace dm = data_management;
using S = DataManagementScreen;

DataManagementWindow::DataManagementWindow(App& app, WindowRegistry& registry)
    : ScreenWindow(ScreenId::dataManagement, registry), app_(app) {
    setWindowTitle(qt(dm::kCaption));
    auto* top = new QHBoxLayout;
    top->addWidget(makeButton(dm::kDisplay, [this] { screen().display(); }));
    progress_ = new QProgressBar(this);
    progress_->setObjectName("ProgressBar1");
    progress_->setRange(0, 100);
    top->addWidget(progress_, 1);

    list1_ = new QListWidget(this);
    list1_->setObjectName("List1");
    list1_->setMinimumWidth(220);
    connect(list1_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const auto row = static_cast<std::size_t>(list1_->row(item));
        act([this, row] { screen().clickList(row); });
    });

    auto* person = new QGroupBox(qt("個人ごとの操作"), this);
    auto* grid = new QGridLayout(person);
    grid->addWidget(makeLabel("個人コード"), 0, 0);
    grid->addWidget(makeTextBox(
                        "Text1", [this]() -> Field& { return screen().text1; }, 4),
                    0, 1);
    grid->addWidget(makeButton(dm::kCallUp, [this] { screen().callUp(); }), 0, 2);
    auto* name = makeTextBox(
        "Text2", [this]() -> Field& { return screen().text2; }, 10);
    name->setReadOnly(true);
    grid->addWidget(name, 1, 0, 1, 2);
    grid->addWidget(makeButton(dm::kDelete, [this] { screen().deleteTaxpayer(); }), 1, 2);
    grid->addWidget(makeTextBox(
                        "Text3", [this]() -> Field& { return screen().text3; }, 4),
                    2, 1);
    grid->addWidget(makeButton(dm::kChangeCode, [this] { screen().copyToNewCode(); }), 2, 2);
    grid->addWidget(makeButton(dm::kRefresh, [this] { screen().refresh(); }), 3, 2);
    grid->addWidget(makeDriveBox("Drive3", &S::drive3), 4, 0, 1, 2);
    auto* one = new QHBoxLayout;
    one->addWidget(makeButton(dm::kBackupOne, [this] { screen().backupOne(); }));
    one->addWidget(makeButton(dm::kRestoreOne, [this] { screen().restoreOne(); }));
    grid->addLayout(one, 4, 2);

    auto* whole = new QGroupBox(qt("全データ"), this);
    auto* drives = new QGridLayout(whole);
    drives->addWidget(makeDriveBox("Drive1", &S::drive1), 0, 0);
    drives->addWidget(makeButton(dm::kBackup, [this] { screen().backup(); }), 0, 1);
    drives->addWidget(makeButton(dm::kDeleteTarget, [this] { screen().deleteTargetData(); }), 1, 1);
    drives->addWidget(makeDriveBox("Drive2", &S::drive2), 2, 0);
    drives->addWidget(makeButton(dm::kRestore, [this] { screen().restore(); }), 2, 1);
    drives->addWidget(makeButton(dm::kDeleteLocal, [this] { screen().deleteLocalData(); }), 3, 1);
    drives->setColumnStretch(0, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(person);
    right->addWidget(whole);
    right->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(list1_, 1);
    body->addLayout(right, 2);
    auto* layout = new QVBoxLayout(page());
    layout->addLayout(top);
    layout->addLayout(body);
    resize(900, 520);
    orderFocus();
}

DataManagementScreen& DataManagementWindow::screen() {
    return *app_.screenAs<DataManagementScreen>(ScreenId::dataManagement);
}

QComboBox* DataManagementWindow::makeDriveBox(const char* name, Field S::*drive) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    box->setMinimumWidth(220);
    for (const std::string& volume : mountedVolumes())
        box->addItem(qt(volume));
    box->addItem(qt(dm::kChooseFolder));
    box->setCurrentIndex(-1);
    connect(box, &QComboBox::activated, this, [this, box, drive](int index) {
        QString chosen = box->itemText(index);
        if (chosen == qt(dm::kChooseFolder)) {
            chosen = QFileDialog::getExistingDirectory(this, qt(dm::kChooseFolder));
            if (chosen.isEmpty()) {
                refresh();
                return;
            }
            if (box->findText(chosen) < 0)
                box->insertItem(0, chosen);
        }
        (screen().*drive).text = utf8(chosen);
        refresh();
    });
    drives_.emplace_back(box, drive);
    return box;
}

void DataManagementWindow::refresh() {
    refreshBindings();
    DataManagementScreen& model = screen();
    // The long loops report through this, and the window keeps drawing while they run.
    model.progressChanged = [this] {
        progress_->setValue(screen().progress);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    progress_->setValue(model.progress);
    for (const auto& [box, drive] : drives_) {
        const QString path = qt((model.*drive).text);
        if (path.isEmpty())
            box->setCurrentIndex(-1);
        else {
            if (box->findText(path) < 0)
                box->insertItem(0, path);
            box->setCurrentIndex(box->findText(path));
        }
    }
    showEntries(*list1_, model.list1);
}

} // namespace kakutei
