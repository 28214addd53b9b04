#pragma once
// "前年比較": one client's lines 9 to 53 beside the earlier year's, with the difference; the lines that moved
// by more than a tenth are marked and tinted. It only reads, so it may stay open while the client's screens
// are worked on; it reads afresh each time it is shown.

#include "core/data_store.h"
#include "office/year_comparison.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace kakutei {

namespace year_comparison {
inline constexpr std::string_view kCaption = "前年比較";
inline constexpr std::string_view kClose = "閉じる";
inline constexpr std::string_view kNoClient =
    "個人を呼び出して下さい。前年比較は呼び出した人について表示します。";
} // namespace year_comparison

class YearComparisonWindow : public QWidget {
public:
    YearComparisonWindow(const DataStore& store, QWidget* parent = nullptr);

    // Reads the client's two years and shows them.
    void showClient(PersonCode code);
    const YearComparison& comparison() const { return comparison_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showRows();
    void fitToRows();

    const DataStore& store_;
    YearComparison comparison_;
    QLabel* client_ = nullptr;
    QLabel* years_ = nullptr;
    QLabel* notes_ = nullptr;
    QTableWidget* rows_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace kakutei
