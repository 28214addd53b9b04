#include "print/print_data.h"

#include "core/amount_text.h"
#include "core/record.h"

#include <type_traits>

namespace kakutei {
namespace {

constexpr std::string_view kKindPlaceholder = "種  類";

template <std::size_t Texts, std::size_t Numbers, typename Number>
void loadScreenRecord(const DataStore& store, PersonCode code, int k, const std::string& yearCode,
                      std::array<std::string, Texts>& texts, std::array<Number, Numbers>& numbers) {
    texts = {};
    numbers = {};
    const auto name = names::screenFile(code, k, yearCode);
    if (!name)
        return;
    const auto values = readRecordValues(store.path(*name), static_cast<int>(Texts), static_cast<int>(Numbers));
    if (!values)
        return;
    for (std::size_t i = 0; i < Texts; ++i)
        texts[i] = values->texts[i];
    for (std::size_t i = 0; i < Numbers; ++i) {
        if constexpr (std::is_same_v<Number, double>)
            numbers[i] = values->numbers[i];
        else // a value beyond 32 bits in a damaged file prints as nothing
            numbers[i] = toInt32(values->numbers[i]).value_or(0);
    }
}

template <std::size_t Numbers>
void loadAmounts(const DataStore& store, PersonCode code, int k, const std::string& yearCode,
                 std::array<double, Numbers>& numbers) {
    std::array<std::string, 0> none;
    loadScreenRecord(store, code, k, yearCode, none, numbers);
}

} // namespace

bool loadPrintData(const DataStore& store, PersonCode code, const std::string& yearCode, PrintData& data) {
    data.personCode = code;
    data.yearCode = yearCode;

    data.taxAccountant = {};
    if (const auto accountant = readRecordValues(store.path(names::taxAccountantFile), 3, 0))
        for (std::size_t i = 0; i < 3; ++i)
            data.taxAccountant[i] = accountant->texts[i];

    const TaxpayerRead taxpayer = readTaxpayerRecord(store, code);
    data.taxpayer = taxpayer.error ? TaxpayerRecord{} : taxpayer.record;

    loadAmounts(store, code, 1, yearCode, data.income);
    loadScreenRecord(store, code, 2, yearCode, data.deductionTexts, data.deductionAmounts);
    loadScreenRecord(store, code, 3, yearCode, data.personalTexts, data.personalAmounts);
    loadScreenRecord(store, code, 4, yearCode, data.breakdownTexts, data.breakdownAmounts);
    // A kind left at the screen's placeholder prints as nothing.
    for (int n = 1; n <= 28; n += 3)
        if (data.breakdownTexts[static_cast<std::size_t>(n - 1)] == kKindPlaceholder)
            data.breakdownTexts[static_cast<std::size_t>(n - 1)].clear();
    loadAmounts(store, code, 5, yearCode, data.tax);
    return !taxpayer.error;
}

} // namespace kakutei
