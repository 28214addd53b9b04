// Arbitrary text typed into an amount box, and the numbers it reads as shown and stored again.
#include "core/amount_text.h"
#include "core/cp932.h"
#include "core/person_code.h"
#include "core/record.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kakutei;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double amount = readAmount(text);
    const std::int32_t integer = readIntegerAmount(text);
    readCode(text);
    // What is shown reads back to the same whole amount.
    const std::string shown = formatAmount(amount);
    if (std::fabs(amount) < 1e15 && readAmount(shown) != std::round(amount))
        std::abort();
    if (readIntegerAmount(formatAmount(integer)) != integer)
        std::abort();
    formatRecordNumber(amount);
    decodeCp932(text);
    encodeCp932(text);
    return 0;
}
