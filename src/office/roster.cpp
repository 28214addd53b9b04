#include "office/roster.h"

#include "core/file_io.h"
#include "core/stored_record.h"
#include "core/taxpayer_record.h"

#include <cmath>
#include <ctime>

namespace kakutei {
namespace {

// Record field numbers (1-based) of the figures shown.
constexpr int kIncomeTotalField = 20; // income record: line 9
constexpr int kTaxDueField = 28;      // tax computation record: line 40
constexpr int kRefundField = 29;      // tax computation record: line 41

std::int64_t wholeYen(double amount) {
    return static_cast<std::int64_t>(std::llround(amount));
}

// The stored amount of `field`, or nothing when the record is not there; an unreadable record is noted.
std::optional<std::int64_t> storedAmount(const StoredRecord& stored, int field) {
    if (stored.check.state != StoredState::readable)
        return std::nullopt;
    return wholeYen(stored.values.numbers.at(static_cast<std::size_t>(field - 1)));
}

StoredRecord readScreenRecord(const DataStore& store, PersonCode code, int k, std::string_view yearCode,
                              RosterRow& row, std::string* path = nullptr) {
    const auto name = names::screenFile(code, k, yearCode);
    if (!name)
        return {};
    const std::string file = store.path(*name);
    StoredRecord stored = readStoredRecord(file, screenRecordShape(k));
    if (stored.check.state == StoredState::unreadable)
        row.unreadable.push_back(file);
    if (path)
        *path = file;
    return stored;
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
        // Listed exactly as the main menu's person list lists: a record whose code and name read.
        const TaxpayerRead taxpayer = readTaxpayerRecord(store, code);
        if (taxpayer.fieldsRead < 2)
            continue;
        RosterRow row;
        row.code = code;
        row.name = taxpayer.record.name;
        row.reading = taxpayer.record.reading;
        row.returnKind = taxpayer.record.returnKind;
        if (taxpayer.error)
            row.unreadable.push_back(store.path(names::taxpayerFile(code)));

        const StoredRecord income = readScreenRecord(store, code, 1, yearCode, row);
        row.income = storedAmount(income, kIncomeTotalField);
        std::string taxPath;
        const StoredRecord tax = readScreenRecord(store, code, 5, yearCode, row, &taxPath);
        row.taxDue = storedAmount(tax, kTaxDueField);
        row.refund = storedAmount(tax, kRefundField);
        if (tax.check.state == StoredState::readable)
            row.calculatedAt = modificationTime(taxPath);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string rosterTimeText(std::int64_t secondsSinceEpoch) {
    const auto time = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y/%m/%d %H:%M", &local);
    return text;
}

} // namespace kakutei
