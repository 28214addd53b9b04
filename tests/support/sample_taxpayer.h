#pragma once
// One fully filled-in taxpayer (code 15), as a record and as the exact bytes of its file.

#include "core/data_store.h"
#include "core/taxpayer_record.h"

#include <string>

namespace kakutei::testing {

TaxpayerRecord sampleRecord();
// 38 CP932 lines, each ended by CR LF.
std::string sampleBytes();
// Gives a bare record what printing asks for before it prints without a question: a tax office and a
// birth date (昭和35年1月1日).
void registerWhole(TaxpayerRecord& record);

// Registers a taxpayer with nothing but a code and a name.
void registerTaxpayer(const DataStore& store, PersonCode code, const std::string& name);

} // namespace kakutei::testing
