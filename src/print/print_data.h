#pragma once
// PrintData: everything one return's two pages print, loaded from the taxpayer's files.

#include "core/data_store.h"
#include "core/stored_record.h"
#include "core/taxpayer_record.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kakutei {

struct PrintData {
    PersonCode personCode = 0;
    std::string yearCode;
    std::array<std::string, 3> taxAccountant; // name, address, telephone
    TaxpayerRecord taxpayer;
    std::array<double, 20> income{};                 // IncomeRecord fields 1 to 20
    std::array<std::string, 13> deductionTexts;      // DeductionRecord fields 1 to 13
    std::array<std::int32_t, 25> deductionAmounts{}; // fields 14 to 38
    std::array<std::string, 47> personalTexts;       // PersonalDeductionRecord fields 1 to 47
    std::array<std::int32_t, 17> personalAmounts{};  // fields 48 to 64
    std::array<std::string, 40> breakdownTexts;      // IncomeBreakdownRecord fields 1 to 40
    std::array<std::int32_t, 25> breakdownAmounts{}; // fields 41 to 65
    std::array<double, 41> tax{};                    // TaxComputationRecord fields 1 to 41

    // Field n of a record, numbered as in the files.
    const std::string& deductionText(int n) const { return deductionTexts[static_cast<std::size_t>(n - 1)]; }
    std::int32_t deduction(int n) const { return deductionAmounts[static_cast<std::size_t>(n - 14)]; }
    const std::string& personalText(int n) const { return personalTexts[static_cast<std::size_t>(n - 1)]; }
    std::int32_t personal(int n) const { return personalAmounts[static_cast<std::size_t>(n - 48)]; }
    const std::string& breakdownText(int n) const { return breakdownTexts[static_cast<std::size_t>(n - 1)]; }
    std::int32_t breakdown(int n) const { return breakdownAmounts[static_cast<std::size_t>(n - 41)]; }
};

struct PrintLoad {
    bool registered = false;
    // The files of the return that are there but cannot be read whole: while there is one, nothing of the
    // return is printed (a page with the figures of a damaged file left blank looks like a whole return).
    std::vector<UnreadableRecord> unreadable;
};

// The printing screen's "DATA": each part is read on its own through its schema. A part whose file is
// missing or cannot be read is emptied, so that nothing of another taxpayer is ever printed.
PrintLoad loadPrintData(const DataStore& store, PersonCode code, const std::string& yearCode,
                        PrintData& data);

} // namespace kakutei
