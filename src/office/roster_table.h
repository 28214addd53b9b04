#pragma once
// What the roster window shows: the rows that match the search, in the order of the column last sorted by,
// and the texts of their cells. The window only copies these into its table.

#include "office/roster.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kakutei {

enum class RosterColumn { code, name, reading, returnKind, income, balance, calculatedAt, warnings };
inline constexpr int kRosterColumnCount = 8;
inline constexpr std::array<std::string_view, kRosterColumnCount> kRosterHeaders = {
    "コード", "氏名", "フリガナ", "青・白", "所得金額", "納める税金／還付", "最終計算", "警告"};

// "青" or "白" from the registered return kind; empty when neither.
std::string returnKindMark(std::string_view returnKind);
std::string rosterCellText(const RosterRow& row, RosterColumn column);
// Amount columns read right-aligned.
bool rosterColumnIsNumeric(RosterColumn column);

class RosterTable {
public:
    void setRows(std::vector<RosterRow> rows);
    void setSearch(std::string_view search);
    // Sorting is stable, so sorting by one column then another keeps the first order among equals. Rows
    // without a figure come last either way.
    void sortBy(RosterColumn column, bool ascending);

    const std::vector<RosterRow>& allRows() const { return rows_; }
    const std::vector<const RosterRow*>& visibleRows() const { return visible_; }

private:
    void refilter();
    std::vector<RosterRow> rows_;
    std::vector<const RosterRow*> visible_;
    std::string search_;
};

} // namespace kakutei
