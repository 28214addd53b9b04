#include "office/roster_table.h"

#include "core/amount_text.h"
#include "core/local_time.h"
#include "office/amount_cell.h"
#include "office/roster_search.h"

#include <algorithm>
#include <optional>
#include <variant>

namespace kakutei {
namespace {

using SortKey = std::variant<std::monostate, std::int64_t, std::string>;

// monostate is "no figure"; it sorts after every value in both directions.
SortKey sortKey(const RosterRow& row, RosterColumn column) {
    const auto number = [](const auto& value) -> SortKey {
        return value ? SortKey(static_cast<std::int64_t>(*value)) : SortKey();
    };
    switch (column) {
    case RosterColumn::code:
        return std::int64_t{row.code};
    case RosterColumn::name:
        return row.name;
    case RosterColumn::reading:
        return searchForm(row.reading);
    case RosterColumn::returnKind:
        return returnKindMark(row.returnKind);
    case RosterColumn::income:
        return number(row.income);
    case RosterColumn::balance:
        return number(row.balance());
    case RosterColumn::calculatedAt:
        return number(row.calculatedAt);
    case RosterColumn::warnings:
        return number(row.warnings);
    }
    return {};
}

} // namespace

std::string returnKindMark(std::string_view returnKind) {
    if (returnKind.starts_with("青"))
        return "青";
    if (returnKind.starts_with("白"))
        return "白";
    return {};
}

bool rosterColumnIsNumeric(RosterColumn column) {
    return column == RosterColumn::code || column == RosterColumn::income ||
           column == RosterColumn::balance || column == RosterColumn::warnings;
}

std::string rosterCellText(const RosterRow& row, RosterColumn column) {
    switch (column) {
    case RosterColumn::code:
        return std::to_string(row.code);
    case RosterColumn::name:
        return row.name;
    case RosterColumn::reading:
        return row.reading;
    case RosterColumn::returnKind:
        return returnKindMark(row.returnKind);
    case RosterColumn::income:
        return row.income ? amountCell(*row.income) : "";
    case RosterColumn::balance: {
        const auto balance = row.balance();
        if (!balance)
            return "";
        if (*balance < 0)
            return "還付 " + formatAmount(-*balance);
        return *balance == 0 ? "0" : "納付 " + formatAmount(*balance);
    }
    case RosterColumn::calculatedAt:
        return row.calculatedAt ? localTimeText(*row.calculatedAt) : "未計算";
    case RosterColumn::warnings:
        if (!row.unreadable.empty())
            return "読めません";
        return row.warnings ? std::to_string(*row.warnings) : "";
    }
    return {};
}

void RosterTable::setRows(std::vector<RosterRow> rows) {
    rows_ = std::move(rows);
    refilter();
}

void RosterTable::setSearch(std::string_view search) {
    search_ = search;
    refilter();
}

void RosterTable::sortBy(RosterColumn column, bool ascending) {
    std::stable_sort(rows_.begin(), rows_.end(), [&](const RosterRow& a, const RosterRow& b) {
        const SortKey left = sortKey(a, column);
        const SortKey right = sortKey(b, column);
        const bool leftEmpty = std::holds_alternative<std::monostate>(left);
        const bool rightEmpty = std::holds_alternative<std::monostate>(right);
        if (leftEmpty || rightEmpty)
            return !leftEmpty && rightEmpty;
        return ascending ? left < right : right < left;
    });
    refilter();
}

void RosterTable::refilter() {
    visible_.clear();
    for (const RosterRow& row : rows_)
        if (rosterRowMatches(row, search_))
            visible_.push_back(&row);
}

} // namespace kakutei
