#include "office/roster.h"

#include "checks/return_checks.h"
#include "core/file_io.h"
#include "core/stored_return.h"
#include "income/income_rules.h"

namespace kakutei {
namespace {

// Record field numbers (1-based) of the figures shown.
constexpr int kIncomeTotalField = 20; // income record: line 9
constexpr int kTaxDueField = 28;      // tax computation record: line 40
constexpr int kRefundField = 29;      // tax computation record: line 41

// The stored amount of `field`, or nothing when the record is not there or cannot be read.
std::optional<std::int64_t> storedAmount(const StoredRecord& stored, int field) {
    if (stored.check.state != StoredState::readable)
        return std::nullopt;
    return wholeYen(stored.values.numbers.at(static_cast<std::size_t>(field - 1)));
}

} // namespace

std::optional<std::int64_t> RosterRow::balance() const {
    if (taxDue && *taxDue != 0)
        return *taxDue;
    if (refund && *refund != 0)
        return -*refund;
    if (taxDue || refund)
        return 0;
    return std::nullopt;
}

std::vector<RosterRow> readRoster(const DataStore& store, std::string_view yearCode) {
    std::vector<RosterRow> rows;
    for (int number = kFirstListedCode; number <= kLastListedCode; ++number) {
        const auto code = static_cast<PersonCode>(number);
        const StoredReturn stored = readStoredReturn(store, code, yearCode);
        // Listed exactly as the main menu's person list lists: every registration, a damaged one marked.
        if (!stored.taxpayer.registered())
            continue;
        RosterRow row;
        row.code = code;
        row.name =
            stored.taxpayer.readable() ? stored.taxpayer.record.name : std::string(kDamagedRegistration);
        row.reading = stored.taxpayer.record.reading;
        row.returnKind = stored.taxpayer.record.returnKind;
        const ReturnChecks checks = checkReturn(stored);
        row.unreadable = checks.unreadable;
        row.warnings = static_cast<int>(checks.warnings.size());
        row.income = storedAmount(stored.record(1), kIncomeTotalField);
        row.taxDue = storedAmount(stored.record(5), kTaxDueField);
        row.refund = storedAmount(stored.record(5), kRefundField);
        if (stored.record(5).check.state == StoredState::readable)
            row.calculatedAt = modificationTime(stored.path(5));
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace kakutei
