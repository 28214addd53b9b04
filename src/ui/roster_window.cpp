#include "ui/roster_window.h"

#include "checks/return_checks.h"
#include "core/data_store.h"
#include "core/store_error.h"
#include "print/printing_screen.h"
#include "registry/output_gate.h"
#include "shell/app.h"
#include "shell/main_menu.h"
#include "ui/print_output.h"
#include "ui/qt_text.h"
#include "ui/screen_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <memory>
#include <set>

namespace kakutei {
namespace {

// Made at the first client, not before: the batch may first ask about typed figures or warnings, and a
// progress box already up would sit over that question and take its keys.
class DialogProgress : public BatchProgress {
public:
    DialogProgress(QWidget* parent, QString title) : parent_(parent), title_(std::move(title)) {}
    bool next(std::size_t index, std::size_t total, std::string_view who) override {
        if (!dialog_) {
            dialog_ = std::make_unique<QProgressDialog>(title_, qt(roster::kCancel), 0,
                                                        static_cast<int>(total), parent_);
            dialog_->setWindowTitle(title_);
            dialog_->setWindowModality(Qt::WindowModal);
            dialog_->setMinimumDuration(0);
        }
        dialog_->setValue(static_cast<int>(index));
        dialog_->setLabelText(qt(who));
        QApplication::processEvents();
        return !dialog_->wasCanceled();
    }
    void finish() {
        if (dialog_)
            dialog_->setValue(dialog_->maximum());
    }

private:
    QWidget* parent_;
    QString title_;
    std::unique_ptr<QProgressDialog> dialog_;
};

// Enter on a row calls that client up, as a double-click does.
class RosterTableWidget : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    std::function<void(int)> onEnter;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0 &&
            onEnter) {
            onEnter(currentRow());
            return;
        }
        QTableWidget::keyPressEvent(event);
    }
};

} // namespace

RosterWindow::RosterWindow(App& app, WindowRegistry& registry, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app), registry_(registry) {
    setObjectName("RosterWindow");
    setWindowTitle(qt(roster::kCaption));

    auto* top = new QHBoxLayout;
    search_ = new QLineEdit(this);
    search_->setObjectName("RosterSearch");
    search_->setPlaceholderText(qt(roster::kSearchHint));
    search_->setClearButtonEnabled(true);
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        table_.setSearch(utf8(text));
        showRows();
    });
    count_ = new QLabel(this);
    count_->setObjectName("RosterCount");
    auto* reloadButton = new QPushButton(qt(roster::kReload), this);
    connect(reloadButton, &QPushButton::clicked, this, [this] { reload(); });
    top->addWidget(new QLabel(qt(roster::kSearch), this));
    top->addWidget(search_, 1);
    top->addWidget(count_);
    top->addWidget(reloadButton);

    auto* table = new RosterTableWidget(0, kRosterColumnCount, this);
    rows_ = table;
    rows_->setObjectName("RosterRows");
    QStringList headers;
    for (std::string_view header : kRosterHeaders)
        headers << qt(header);
    rows_->setHorizontalHeaderLabels(headers);
    rows_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rows_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rows_->verticalHeader()->hide();
    rows_->setAlternatingRowColors(true);
    rows_->horizontalHeader()->setSectionsClickable(true);
    rows_->horizontalHeader()->setSortIndicatorShown(true);
    rows_->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    rows_->horizontalHeader()->setStretchLastSection(true);
    connect(rows_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        const auto column = static_cast<RosterColumn>(section);
        ascending_ = column == sortColumn_ ? !ascending_ : true;
        sortColumn_ = column;
        table_.sortBy(sortColumn_, ascending_);
        rows_->horizontalHeader()->setSortIndicator(section,
                                                    ascending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
        showRows();
    });
    connect(rows_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { callUp(row); });
    table->onEnter = [this](int row) { callUp(row); };

    auto* scope = new QHBoxLayout;
    everyone_ = new QRadioButton(qt(roster::kEveryone), this);
    auto* selected = new QRadioButton(qt(roster::kSelected), this);
    selected->setChecked(true);
    toPdf_ = new QCheckBox(qt(roster::kToPdf), this);
    auto* callUpButton = new QPushButton(qt(roster::kCallUp), this);
    connect(callUpButton, &QPushButton::clicked, this, [this] { callUp(rows_->currentRow()); });
    auto* checksButton = new QPushButton(qt(kReturnChecksTitle), this);
    connect(checksButton, &QPushButton::clicked, this, [this] { showChecks(rows_->currentRow()); });
    scope->addWidget(callUpButton);
    scope->addWidget(checksButton);
    scope->addSpacing(24);
    scope->addWidget(new QLabel("一括処理の対象:", this));
    scope->addWidget(everyone_);
    scope->addWidget(selected);
    scope->addStretch();
    scope->addWidget(toPdf_);

    auto* jobs = new QHBoxLayout;
    for (OfficeJob job : {OfficeJob::recalculate, OfficeJob::printPage1, OfficeJob::printPage2,
                          OfficeJob::copyPage1, OfficeJob::copyPage2}) {
        auto* button = new QPushButton(qt(officeJobCaption(job)), this);
        connect(button, &QPushButton::clicked, this, [this, job] { runBatch(job); });
        jobs->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(rows_, 1);
    layout->addLayout(scope);
    layout->addLayout(jobs);
    resize(1000, 620);
}

void RosterWindow::showEvent(QShowEvent* event) {
    reload();
    search_->setFocus();
    QWidget::showEvent(event);
}

void RosterWindow::reload() {
    const std::set<PersonCode> selected = [this] {
        const auto codes = selectedCodes();
        return std::set<PersonCode>(codes.begin(), codes.end());
    }();
    table_.setRows(readRoster(app_.store(), kYearCode));
    table_.sortBy(sortColumn_, ascending_);
    showRows();
    rows_->clearSelection();
    for (int row = 0; row < rows_->rowCount(); ++row)
        if (selected.contains(static_cast<PersonCode>(rows_->item(row, 0)->data(Qt::UserRole).toInt())))
            rows_->selectionModel()->select(rows_->model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void RosterWindow::showRows() {
    const auto& visible = table_.visibleRows();
    rows_->setRowCount(static_cast<int>(visible.size()));
    for (int row = 0; row < static_cast<int>(visible.size()); ++row) {
        const RosterRow& client = *visible[static_cast<std::size_t>(row)];
        for (int column = 0; column < kRosterColumnCount; ++column) {
            const auto which = static_cast<RosterColumn>(column);
            auto* item = new QTableWidgetItem(qt(rosterCellText(client, which)));
            item->setData(Qt::UserRole, client.code);
            if (rosterColumnIsNumeric(which))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (!client.unreadable.empty())
                item->setForeground(Qt::red);
            rows_->setItem(row, column, item);
        }
    }
    rows_->resizeColumnsToContents();
    count_->setText(QString("全 %1 人中 %2 人").arg(table_.allRows().size()).arg(visible.size()));
}

std::vector<PersonCode> RosterWindow::selectedCodes() const {
    std::vector<PersonCode> codes;
    for (const QModelIndex& index : rows_->selectionModel()->selectedRows())
        codes.push_back(static_cast<PersonCode>(index.data(Qt::UserRole).toInt()));
    std::sort(codes.begin(), codes.end());
    return codes;
}

std::vector<PersonCode> RosterWindow::targetCodes() const {
    if (!everyone_->isChecked())
        return selectedCodes();
    std::vector<PersonCode> codes;
    for (const RosterRow* row : table_.visibleRows())
        codes.push_back(row->code);
    return codes;
}

void RosterWindow::callUp(int row) {
    if (row < 0 || row >= rows_->rowCount())
        return;
    MainMenu& menu = app_.mainMenu();
    menu.text3.text = std::to_string(rows_->item(row, 0)->data(Qt::UserRole).toInt());
    menu.callUp();
    registry_.refreshVisible();
    if (QWidget* main = parentWidget()) {
        main->raise();
        main->activateWindow();
    }
}

void RosterWindow::showChecks(int row) {
    if (row < 0 || row >= rows_->rowCount())
        return;
    const auto code = static_cast<PersonCode>(rows_->item(row, 0)->data(Qt::UserRole).toInt());
    const ReturnChecks checks = checkReturn(app_.store(), code);
    std::string body = clientName(app_.store(), code) + "\n\n" + checksText(checks);
    if (checks.clean())
        body += std::string(roster::kNoWarnings);
    QMessageBox box(checks.clean() ? QMessageBox::Information : QMessageBox::Warning, qt(kReturnChecksTitle),
                    qt(body), QMessageBox::Ok, this);
    box.exec();
}

void RosterWindow::runBatch(OfficeJob job) {
    const std::vector<PersonCode> codes = targetCodes();
    if (codes.empty()) {
        QMessageBox::information(this, qt(roster::kCaption), qt(roster::kNobody));
        return;
    }
    auto* printing = app_.screenAs<PrintingScreen>(ScreenId::printing);
    PrintSurface* printer = printing->surface();
    std::unique_ptr<PrintOutput> output;
    std::unique_ptr<PrintSurface> pdfFolder;
    if (job != OfficeJob::recalculate && toPdf_->isChecked()) {
        const QString folder = QFileDialog::getExistingDirectory(this, qt(roster::kToPdf));
        if (folder.isEmpty())
            return;
        const OutputGate gate(app_.store());
        if (const std::error_code refused = gate.refusal(utf8(folder))) {
            QMessageBox::warning(this, qt(roster::kToPdf), folder + "\n" + qt(describeError(refused)));
            return;
        }
        output = qtPrintOutput();
        pdfFolder = output->pdfFolder(gate, utf8(folder));
        printing->setSurface(pdfFolder.get());
    }
    DialogProgress progress(this, qt(officeJobCaption(job)));
    const BatchSummary summary = runOfficeBatch(app_, job, codes, &progress);
    progress.finish();
    printing->setSurface(printer);
    registry_.refreshVisible();
    reload();
    QMessageBox::information(this, qt(roster::kDoneTitle),
                             qt(std::string(officeJobCaption(job)) + ": " + summary.text()));
}

} // namespace kakutei
