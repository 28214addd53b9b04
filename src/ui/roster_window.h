#pragma once
// "顧客一覧": every client of the data folder with their figures, searchable and sortable; a double-click
// calls the client up in the main menu, and the buttons below run a job for all or the selected clients.

#include "office/roster_table.h"
#include "shell/office_batch.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace kakutei {

class App;
class WindowRegistry;

namespace roster {
inline constexpr std::string_view kCaption = "顧客一覧";
inline constexpr std::string_view kSearch = "検索";
inline constexpr std::string_view kSearchHint = "コード・氏名・フリガナ（ひらがな・半角でも）";
inline constexpr std::string_view kReload = "再読込";
inline constexpr std::string_view kCallUp = "呼び出し";
inline constexpr std::string_view kEveryone = "全員";
inline constexpr std::string_view kSelected = "選択した人";
inline constexpr std::string_view kToPdf = "PDF にする（フォルダを選ぶ）";
inline constexpr std::string_view kCancel = "中止";
inline constexpr std::string_view kNobody = "選択した人がいません。一覧で行を選んで下さい。";
inline constexpr std::string_view kDoneTitle = "一括処理の結果";
inline constexpr std::string_view kNoWarnings = "警告はありません。";
} // namespace roster

class RosterWindow : public QWidget {
public:
    RosterWindow(App& app, WindowRegistry& registry, QWidget* parent = nullptr);

    // Reads every client's files again (the figures change as returns are calculated).
    void reload();
    const RosterTable& table() const { return table_; }
    // The codes the batch buttons work on: every visible row, or the selected ones.
    std::vector<PersonCode> targetCodes() const;
    void runBatch(OfficeJob job);
    // "申告前チェック" for the client in `row`: every warning, with the window and line to put it right.
    void showChecks(int row);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showRows();
    void callUp(int row);
    std::vector<PersonCode> selectedCodes() const;

    App& app_;
    WindowRegistry& registry_;
    RosterTable table_;
    RosterColumn sortColumn_ = RosterColumn::code;
    bool ascending_ = true;
    QLineEdit* search_ = nullptr;
    QLabel* count_ = nullptr;
    QTableWidget* rows_ = nullptr;
    QRadioButton* everyone_ = nullptr;
    QCheckBox* toPdf_ = nullptr;
};

} // namespace kakutei
