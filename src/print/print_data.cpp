#include "print/print_data.h"

#include "core/record_kinds.h"

namespace kakutei {
namespace {

constexpr std::string_view kKindPlaceholder = "種  類";

// Screen file k of the taxpayer through its schema; a record that is missing leaves `values` empty.
RecordValues loadScreenRecord(const DataStore& store, PersonCode code, int k, const std::string& yearCode,
                              std::vector<UnreadableRecord>& unreadable) {
    const auto name = names::screenFile(code, k, yearCode);
    if (!name)
        return {};
    const std::string path = store.path(*name);
    StoredRecord stored = readRecordFile(path, screenRecordSchema(k));
    if (stored.check.state == StoredState::unreadable)
        unreadable.push_back({path, stored.check});
    return std::move(stored.values);
}

template <std::size_t N, typename Number>
void take(const std::vector<Number>& from, std::array<Number, N>& to) {
    to = {};
    for (std::size_t i = 0; i < N && i < from.size(); ++i)
        to[i] = from[i];
}

template <std::size_t N> void take(const std::vector<std::string>& from, std::array<std::string, N>& to) {
    to = {};
    for (std::size_t i = 0; i < N && i < from.size(); ++i)
        to[i] = from[i];
}

} // namespace

PrintLoad loadPrintData(const DataStore& store, PersonCode code, const std::string& yearCode,
                        PrintData& data) {
    PrintLoad load;
    data.personCode = code;
    data.yearCode = yearCode;

    data.taxAccountant = {};
    const std::string accountantPath = store.path(names::taxAccountantFile);
    const StoredRecord accountant = readRecordFile(accountantPath, taxAccountantSchema());
    if (accountant.readable())
        take(accountant.values.texts, data.taxAccountant);
    else if (accountant.check.state == StoredState::unreadable)
        load.unreadable.push_back({accountantPath, accountant.check});

    const TaxpayerRead taxpayer = readTaxpayerRecord(store, code);
    data.taxpayer = taxpayer.record;
    load.registered = taxpayer.registered();
    if (taxpayer.check.state == StoredState::unreadable)
        load.unreadable.push_back({taxpayer.path, taxpayer.check});

    take(loadScreenRecord(store, code, 1, yearCode, load.unreadable).numbers, data.income);
    const RecordValues deductions = loadScreenRecord(store, code, 2, yearCode, load.unreadable);
    take(deductions.texts, data.deductionTexts);
    take(int32Numbers(deductions), data.deductionAmounts);
    const RecordValues personal = loadScreenRecord(store, code, 3, yearCode, load.unreadable);
    take(personal.texts, data.personalTexts);
    take(int32Numbers(personal), data.personalAmounts);
    const RecordValues breakdown = loadScreenRecord(store, code, 4, yearCode, load.unreadable);
    take(breakdown.texts, data.breakdownTexts);
    take(int32Numbers(breakdown), data.breakdownAmounts);
    // A kind left at the screen's placeholder prints as nothing.
    for (int n = 1; n <= 28; n += 3)
        if (data.breakdownTexts[static_cast<std::size_t>(n - 1)] == kKindPlaceholder)
            data.breakdownTexts[static_cast<std::size_t>(n - 1)].clear();
    take(loadScreenRecord(store, code, 5, yearCode, load.unreadable).numbers, data.tax);
    return load;
}

} // namespace kakutei
