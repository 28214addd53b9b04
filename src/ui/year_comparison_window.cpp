#include "ui/year_comparison_window.h"

#include "ui/qt_text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kakutei {
namespace {

// Soft enough that the figures stay easy to read on it.
const QColor kChangedBackground(255, 241, 204);
const QColor kMarkColour(176, 64, 0);
const QColor kNoteColour(160, 0, 0);

} // namespace

YearComparisonWindow::YearComparisonWindow(const DataStore& store, QWidget* parent)
    : QWidget(parent, Qt::Window), store_(store) {
    setObjectName("YearComparisonWindow");
    setWindowTitle(qt(year_comparison::kCaption));

    client_ = new QLabel(this);
    client_->setObjectName("ComparisonClient");
    QFont big = client_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    client_->setFont(big);
    years_ = new QLabel(this);
    auto* top = new QHBoxLayout;
    top->addWidget(client_);
    top->addStretch();
    top->addWidget(years_);

    notes_ = new QLabel(this);
    notes_->setObjectName("ComparisonNotes");
    notes_->setWordWrap(true);
    QPalette palette = notes_->palette();
    palette.setColor(QPalette::WindowText, kNoteColour);
    notes_->setPalette(palette);

    rows_ = new QTableWidget(0, kComparisonColumnCount, this);
    rows_->setObjectName("ComparisonRows");
    QStringList headers;
    for (std::string_view header : kComparisonHeaders)
        headers << qt(header);
    rows_->setHorizontalHeaderLabels(headers);
    rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rows_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rows_->setSelectionMode(QAbstractItemView::SingleSelection);
    rows_->verticalHeader()->hide();
    rows_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    close_ = new QPushButton(qt(year_comparison::kClose), this);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(qt(kChangedLegend), this));
    bottom->addStretch();
    bottom->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(notes_);
    layout->addWidget(rows_, 1);
    layout->addLayout(bottom);
}

void YearComparisonWindow::keyPressEvent(QKeyEvent* event) {
    // The table passes Esc on, so it reaches the window wherever the focus is.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void YearComparisonWindow::showClient(PersonCode code) {
    comparison_ = compareYears(store_, code);
    client_->setText(qt(comparisonClientLine(comparison_)));
    years_->setText(qt(comparisonYearsLine(comparison_)));
    QStringList notes;
    if (comparison_.damagedRegistration)
        notes << qt(*comparison_.damagedRegistration);
    for (const auto* list : {&comparison_.unreadable, &comparison_.notes})
        for (const std::string& note : *list)
            notes << qt(note);
    notes_->setText(notes.join('\n'));
    notes_->setVisible(!notes.isEmpty());
    showRows();
    rows_->setCurrentCell(-1, -1); // no focus frame on a cell nobody chose
}

void YearComparisonWindow::showRows() {
    rows_->setRowCount(static_cast<int>(comparison_.rows.size()));
    for (int row = 0; row < rows_->rowCount(); ++row) {
        const ComparisonRow& line = comparison_.rows[static_cast<std::size_t>(row)];
        for (int column = 0; column < kComparisonColumnCount; ++column) {
            const auto which = static_cast<ComparisonColumn>(column);
            auto* item = new QTableWidgetItem(qt(comparisonCellText(line, which)));
            if (comparisonColumnIsNumeric(which))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (which == ComparisonColumn::mark) {
                item->setTextAlignment(Qt::AlignCenter);
                item->setForeground(kMarkColour);
            }
            if (line.changed())
                item->setBackground(kChangedBackground);
            rows_->setItem(row, column, item);
        }
    }
    rows_->resizeColumnsToContents();
    rows_->resizeRowsToContents();
    fitToRows();
}

void YearComparisonWindow::fitToRows() {
    // Room around the figures, and every column in view: the table is read across, never scrolled sideways.
    int width = 2 * rows_->frameWidth() + rows_->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < kComparisonColumnCount; ++column) {
        const auto which = static_cast<ComparisonColumn>(column);
        if (which == ComparisonColumn::caption || comparisonColumnIsNumeric(which))
            rows_->setColumnWidth(column, rows_->columnWidth(column) + 20);
        width += rows_->columnWidth(column);
    }
    rows_->setMinimumWidth(width);
    // Every line at once where the screen is tall enough.
    const int table = rows_->horizontalHeader()->sizeHint().height() + rows_->verticalHeader()->length() +
                      2 * rows_->frameWidth();
    const int around = layout()->sizeHint().height() - rows_->sizeHint().height();
    const int available = screen() ? screen()->availableGeometry().height() - 60 : table + around;
    resize(layout()->sizeHint().width(), std::min(table + around, available));
}

} // namespace kakutei
