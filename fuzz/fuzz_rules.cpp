// Every income, deduction and tax rule with arbitrary 64-bit integers and doubles (NaN, infinities, huge and
// negative values included), and the bounds its result must keep whatever the input: a rule that breaks one
// would put a wrong figure on a return, so the run stops on it with the rule and its inputs.
#include "deductions/deduction_rules.h"
#include "income/income_rules.h"
#include "tax/tax_rules.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>

namespace {

using kakutei::HousingLoanPeriod;
// Wide enough for any 64-bit quotient times its divisor.
__extension__ typedef __int128 Wide;

// Reads the fuzz bytes as a mix of raw values and amounts of the sizes the screens hold, so that both the
// edges of the types and the bands of the rules are reached. Past the end every byte reads as 0.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return offset_ < size_ ? data_[offset_++] : 0; }

    std::uint64_t bits() {
        std::uint64_t value = 0;
        for (int i = 0; i < 8; ++i)
            value = (value << 8) | byte();
        return value;
    }

    std::int64_t integer() {
        const std::uint8_t kind = byte();
        const std::uint64_t raw = bits();
        switch (kind % 4) {
        case 0:
            return static_cast<std::int64_t>(raw);
        case 1: // what a screen's 32-bit amount can hold
            return static_cast<std::int32_t>(raw);
        case 2: // plain yen amounts, where the bands are
            return static_cast<std::int64_t>(raw % 40'000'001) - 10'000'000;
        default: {
            static constexpr std::int64_t kEdges[] = {std::numeric_limits<std::int64_t>::min(),
                                                      std::numeric_limits<std::int64_t>::max(),
                                                      std::numeric_limits<std::int32_t>::min(),
                                                      std::numeric_limits<std::int32_t>::max(),
                                                      -1,
                                                      0,
                                                      1};
            return kEdges[raw % std::size(kEdges)];
        }
        }
    }

    double amount() {
        const std::uint8_t kind = byte();
        const std::uint64_t raw = bits();
        switch (kind % 10) {
        case 0: { // any bit pattern: NaNs, subnormals, ±DBL_MAX
            double value;
            std::memcpy(&value, &raw, sizeof value);
            return value;
        }
        case 1:
            return std::numeric_limits<double>::quiet_NaN();
        case 2:
            return std::numeric_limits<double>::infinity();
        case 3:
            return -std::numeric_limits<double>::infinity();
        case 4:
            return static_cast<double>(static_cast<std::int64_t>(raw));
        case 5:
            return static_cast<double>(static_cast<std::int32_t>(raw));
        case 6: // tenths of a yen, as the pension income carries them
            return static_cast<double>(static_cast<std::int64_t>(raw % 400'000'001) - 100'000'000) / 10;
        case 7: // finite but near the top, where a product or a sum can overflow
            return std::ldexp(raw & 1 ? -1.0 : 1.0, static_cast<int>(raw >> 1) % 1024);
        case 8:
            return (raw & 1 ? -1 : 1) * std::numeric_limits<double>::max();
        default:
            return static_cast<double>(static_cast<std::int64_t>(raw % 40'000'001) - 10'000'000);
        }
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

// Names the rule, the broken bound and the inputs, so that the finding can be reproduced by hand.
[[noreturn]] void broken(const char* rule, const char* bound, const char* inputs) {
    std::fprintf(stderr, "%s: %s broken for %s\n", rule, bound, inputs);
    std::abort();
}

#define REQUIRE(condition, rule, ...)                                                                        \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            char inputs[256];                                                                                \
            std::snprintf(inputs, sizeof inputs, __VA_ARGS__);                                               \
            broken(rule, #condition, inputs);                                                                \
        }                                                                                                    \
    } while (false)

bool finite(double a) {
    return std::isfinite(a);
}
bool finite(double a, double b) {
    return finite(a) && finite(b);
}
bool finite(double a, double b, double c) {
    return finite(a) && finite(b) && finite(c);
}

void incomeRules(Input& in, kakutei::Derivation* tell) {
    const double revenue = in.amount();
    const bool elderly = in.byte() & 1;
    const double pension = kakutei::publicPensionIncome(revenue, elderly, tell);
    REQUIRE(!(pension < 0), "publicPensionIncome", "revenue %.17g elderly %d -> %.17g", revenue, elderly,
            pension);
    if (finite(revenue))
        REQUIRE(finite(pension) && pension <= std::fmax(revenue, 0), "publicPensionIncome",
                "revenue %.17g elderly %d -> %.17g", revenue, elderly, pension);

    const double salary = in.amount();
    const std::int64_t table = kakutei::salaryTableAmount(salary, tell);
    // The table amount only steps down within its band (at most 4,000 yen).
    if (finite(salary) && std::fabs(salary) < 1e15)
        REQUIRE(table <= kakutei::wholeYen(salary) && kakutei::wholeYen(salary) - table < 4'000,
                "salaryTableAmount", "revenue %.17g -> %" PRId64, salary, table);
    const std::int64_t tableAmount = in.byte() & 1 ? table : in.integer();
    const double salaryIncome = kakutei::salaryIncome(tableAmount, tell);
    REQUIRE(finite(salaryIncome) && salaryIncome >= 0 &&
                salaryIncome <= std::fmax(static_cast<double>(tableAmount), 0),
            "salaryIncome", "table amount %" PRId64 " -> %.17g", tableAmount, salaryIncome);

    const double shortTerm = in.amount();
    const double longTerm = in.amount();
    const double occasional = in.amount();
    const double line8 = kakutei::transferOccasionalIncome(shortTerm, longTerm, occasional, tell);
    REQUIRE(line8 >= 0, "transferOccasionalIncome", "%.17g, %.17g, %.17g -> %.17g", shortTerm, longTerm,
            occasional, line8);
    if (finite(shortTerm, longTerm, occasional))
        REQUIRE(finite(line8), "transferOccasionalIncome", "%.17g, %.17g, %.17g -> %.17g", shortTerm,
                longTerm, occasional, line8);

    const double value = in.amount();
    const std::int64_t whole = kakutei::wholeYen(value);
    if (finite(value) && std::fabs(value) < 9e18)
        REQUIRE(std::fabs(static_cast<double>(whole) - value) <= 0.5, "wholeYen", "%.17g -> %" PRId64, value,
                whole);
}

void deductionRules(Input& in, kakutei::Derivation* tell) {
    const std::int64_t totalIncome = in.integer();

    const std::int64_t loss = in.integer();
    const std::int64_t reimbursed = in.integer();
    const std::int64_t disaster = in.integer();
    const std::int64_t casualty =
        kakutei::casualtyLossDeduction(loss, reimbursed, disaster, totalIncome, tell);
    REQUIRE(casualty >= 0, "casualtyLossDeduction",
            "loss %" PRId64 " reimbursed %" PRId64 " disaster %" PRId64 " income %" PRId64 " -> %" PRId64,
            loss, reimbursed, disaster, totalIncome, casualty);

    const std::int64_t paid = in.integer();
    const std::int64_t paidBack = in.integer();
    const std::int64_t medical = kakutei::medicalExpenseDeduction(paid, paidBack, totalIncome, tell);
    REQUIRE(medical >= 0 && medical <= 2'000'000, "medicalExpenseDeduction",
            "paid %" PRId64 " reimbursed %" PRId64 " income %" PRId64 " -> %" PRId64, paid, paidBack,
            totalIncome, medical);

    const std::int64_t premiums = in.integer();
    const std::int64_t life = kakutei::lifePremiumAmount(premiums, tell);
    REQUIRE(life >= 0 && life <= 50'000, "lifePremiumAmount", "%" PRId64 " -> %" PRId64, premiums, life);

    const std::int64_t longPremiums = in.integer();
    const std::int64_t shortPremiums = in.integer();
    const std::int64_t longAmount = kakutei::longTermNonLifeAmount(longPremiums, tell);
    REQUIRE(longAmount >= 0 && longAmount <= 15'000, "longTermNonLifeAmount", "%" PRId64 " -> %" PRId64,
            longPremiums, longAmount);
    const std::int64_t shortAmount = kakutei::shortTermNonLifeAmount(shortPremiums, tell);
    REQUIRE(shortAmount >= 0 && shortAmount <= 3'000, "shortTermNonLifeAmount", "%" PRId64 " -> %" PRId64,
            shortPremiums, shortAmount);
    const std::int64_t nonLife = kakutei::nonLifeDeduction(longPremiums, shortPremiums, tell);
    REQUIRE(nonLife >= 0 && nonLife <= 15'000, "nonLifeDeduction", "%" PRId64 ", %" PRId64 " -> %" PRId64,
            longPremiums, shortPremiums, nonLife);

    const std::int64_t donations = in.integer();
    const std::int64_t donation = kakutei::donationDeduction(donations, totalIncome, tell);
    REQUIRE(donation >= 0, "donationDeduction", "donations %" PRId64 " income %" PRId64 " -> %" PRId64,
            donations, totalIncome, donation);

    const std::int64_t spouseRevenue = in.integer();
    const std::int64_t spouseIncome = kakutei::spouseSalaryIncome(spouseRevenue, tell);
    REQUIRE(spouseIncome >= 0 && spouseIncome <= std::max<std::int64_t>(spouseRevenue, 0),
            "spouseSalaryIncome", "%" PRId64 " -> %" PRId64, spouseRevenue, spouseIncome);
    const std::int64_t spouseTotal = in.byte() & 1 ? spouseIncome : in.integer();
    const std::int64_t special = kakutei::specialSpouseDeduction(spouseTotal, tell);
    REQUIRE(special >= 0 && special <= 380'000, "specialSpouseDeduction", "%" PRId64 " -> %" PRId64,
            spouseTotal, special);

    const std::int64_t general = in.integer();
    const std::int64_t pension = in.integer();
    const std::int64_t lifeTotal = kakutei::lifeInsuranceDeduction(general, pension, tell);
    REQUIRE(lifeTotal >= 0 && lifeTotal <= 100'000, "lifeInsuranceDeduction",
            "%" PRId64 ", %" PRId64 " -> %" PRId64, general, pension, lifeTotal);
    const double ownIncome = static_cast<double>(in.integer());
    const std::int64_t limited = kakutei::specialSpouseDeduction(spouseTotal, ownIncome, tell);
    REQUIRE(limited >= 0 && limited <= special, "specialSpouseDeduction", "%" PRId64 " own %.17g -> %" PRId64,
            spouseTotal, ownIncome, limited);

    const std::int64_t numerator = in.integer();
    std::int64_t denominator = in.integer();
    // The built-in division's own preconditions, which the rules keep by dividing by 10 and 100 only.
    if (denominator == 0 || (denominator == -1 && numerator == std::numeric_limits<std::int64_t>::min()))
        denominator = 10;
    const std::int64_t quotient = kakutei::floorDivide(numerator, denominator);
    // Rounded toward minus infinity: quotient × d lies within one |d| at or below the numerator.
    const Wide product = static_cast<Wide>(quotient) * denominator;
    const Wide gap = static_cast<Wide>(numerator) - product;
    REQUIRE(denominator > 0 ? gap >= 0 && gap < denominator : gap <= 0 && gap > denominator, "floorDivide",
            "%" PRId64 " / %" PRId64 " -> %" PRId64, numerator, denominator, quotient);
}

void taxRules(Input& in, kakutei::Derivation* tell) {
    const double totalIncome = in.amount();
    const double deductions = in.amount();
    const double taxable = kakutei::taxableIncome(totalIncome, deductions, tell);
    // Whole thousands wherever a double still holds every whole yen.
    REQUIRE(taxable >= 0 && (!(taxable < 0x1p53) || std::fmod(taxable, 1'000) == 0), "taxableIncome",
            "income %.17g deductions %.17g -> %.17g", totalIncome, deductions, taxable);
    if (finite(totalIncome, deductions))
        REQUIRE(finite(taxable), "taxableIncome", "income %.17g deductions %.17g -> %.17g", totalIncome,
                deductions, taxable);

    const double base = in.byte() & 1 ? taxable : in.amount();
    const double tax = kakutei::incomeTax(base, tell);
    if (finite(base))
        REQUIRE(finite(tax), "incomeTax", "%.17g -> %.17g", base, tax);
    if (base >= 0)
        REQUIRE(tax >= 0 && tax <= base, "incomeTax", "%.17g -> %.17g", base, tax);

    const double line35 = in.amount();
    const double reduction = kakutei::fixedRateReduction(line35, tell);
    REQUIRE(reduction >= 0 && reduction <= 250'000, "fixedRateReduction", "%.17g -> %.17g", line35,
            reduction);

    const double dividendTaxable = in.byte() & 1 ? taxable : in.amount();
    const double dividends = in.amount();
    const double dividend = kakutei::dividendCredit(dividendTaxable, dividends, tell);
    REQUIRE(!(dividend < 0), "dividendCredit", "taxable %.17g dividends %.17g -> %.17g", dividendTaxable,
            dividends, dividend);
    if (finite(dividendTaxable, dividends))
        REQUIRE(finite(dividend) && dividend <= std::fmax(dividends, 0) * 0.1, "dividendCredit",
                "taxable %.17g dividends %.17g -> %.17g", dividendTaxable, dividends, dividend);

    // Lines 32 to 51: none below 0 whatever the lines they start from.
    const double credits[] = {in.amount(), in.amount(), in.amount(), in.amount(), in.amount()};
    const double line32 =
        kakutei::taxAfterCredits(credits[0], credits[1], credits[2], credits[3], credits[4], tell);
    const double line35After = kakutei::taxAfterRelief(line32, in.amount(), tell);
    const double line38 =
        kakutei::filedTax(line35After, kakutei::fixedRateReduction(line35After, tell), in.amount(), tell);
    const double prepaid = in.amount();
    const double pay = kakutei::taxToPay(line38, prepaid, tell);
    const double refund = kakutei::taxRefund(line38, prepaid, tell);
    const double deferred = kakutei::deferredTax(pay, tell);
    const double byDeadline = kakutei::taxByDeadline(pay, deferred, tell);
    REQUIRE(!(line32 < 0) && !(line35After < 0) && !(pay < 0) && !(refund < 0) && !(deferred < 0) &&
                !(byDeadline < 0),
            "amount due", "32 %.17g 35 %.17g 38 %.17g 40 %.17g 41 %.17g", line32, line35After, line38, pay,
            refund);

    const int periodByte = in.byte() % 4;
    const auto period = static_cast<HousingLoanPeriod>(periodByte);
    const double balance = in.amount();
    const double housing = kakutei::housingLoanCredit(period, balance, tell);
    const double cap =
        period == HousingLoanPeriod::h9ToH10 || period == HousingLoanPeriod::h11TransitionChoice ? 250'000
                                                                                                 : 500'000;
    REQUIRE(housing >= 0 && housing <= cap, "housingLoanCredit", "period %d balance %.17g -> %.17g",
            periodByte, balance, housing);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    // Half the runs have the rules tell their derivation, so that its sentences meet the same inputs.
    kakutei::Derivation how({"収入", "所得", "控除"});
    kakutei::Derivation* tell = in.byte() & 1 ? &how : nullptr;
    incomeRules(in, tell);
    deductionRules(in, tell);
    taxRules(in, tell);
    return 0;
}
