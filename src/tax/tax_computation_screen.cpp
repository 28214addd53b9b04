#include "tax/tax_computation_screen.h"

#include "core/amount_text.h"
#include "tax/tax_rules.h"

#include <algorithm>
#include <cmath>

namespace kakutei {

namespace tc = tax_computation;

namespace {

constexpr int kIncomeRecord = 1;
constexpr int kDeductionRecord = 2;
constexpr int kPersonalRecord = 3;
constexpr int kBreakdownRecord = 4;
constexpr int kTaxRecord = 5;

// Lines 10 to 24 in order: the deductions that step A totals into field 14.
constexpr int kDeductionLines[] = {10, 11, 12, 13, 14, 15, 16, 17, 19, 21, 22, 23, 24};

// Dividend rows of the breakdown's detail table are those whose kind is 配当.
constexpr std::string_view kDividendKind = "配　当";
constexpr std::size_t kDetailRows = 4;

} // namespace

double breakdownDividends(const RecordValues& breakdown) {
    // Fields 56, 59, 62, 65 hold the net amounts, fields 19, 22, 25, 28 the kinds. The credit works on the
    // dividend income, which a row of borrowing interest lowers; it is never below 0.
    double dividends = 0;
    for (std::size_t row = 0; row < kDetailRows; ++row) {
        const std::size_t kind = 19 + 3 * row - 1;
        const std::size_t net = 56 + 3 * row - 41;
        if (kind < breakdown.texts.size() && net < breakdown.numbers.size() &&
            breakdown.texts[kind] == kDividendKind)
            dividends += breakdown.numbers[net];
    }
    return std::max(dividends, 0.0);
}

double TaxComputationScreen::read(int number) const {
    return readAmount(lines_[number].text);
}

void TaxComputationScreen::show(int number, double value) {
    lines_[number].text = formatAmount(value);
}

void TaxComputationScreen::clear() {
    lines_[tc::kFirstLine].text.clear();
    for (const tc::Line& line : tc::kLines)
        lines_[line.number].text.clear();
}

double TaxComputationScreen::readNeverNegative(int number) {
    // No deduction, credit, withholding or prepayment is below 0 in law: a negative one would raise the tax.
    // It counts as 0 and is shown so; the check before printing names where it was typed.
    const double value = read(number);
    if (!(value < 0))
        return value;
    show(number, 0);
    return 0;
}

void TaxComputationScreen::total() {
    for (int i = 0; i < 13; ++i)
        field(i + 1) = readNeverNegative(kDeductionLines[i]);
    field(14) = sumOf({amounts_.begin(), amounts_.begin() + 13});
    show(25, field(14));
}

void TaxComputationScreen::tax() {
    const double income = read(9);
    field(15) = taxableIncome(income, field(14));
    show(26, field(15));
    field(16) = incomeTax(field(15));
    show(27, field(16));
}

void TaxComputationScreen::amountDue() {
    for (auto [number, n] : {std::pair{28, 17}, {29, 18}, {30, 19}, {31, 20}, {33, 22}, {37, 25}, {39, 27}})
        field(n) = readNeverNegative(number);
    // The income may have risen since the credit was worked out: above the limit there is none.
    if (read(9) > kHousingLoanIncomeLimit && field(19) != 0) {
        field(19) = 0;
        show(30, 0);
    }
    field(21) = taxAfterCredits(field(16), field(17), field(18), field(19), field(20));
    show(32, field(21));
    field(23) = taxAfterRelief(field(21), field(22));
    show(35, field(23));
    field(24) = fixedRateReduction(field(23));
    show(36, field(24));
    field(26) = filedTax(field(23), field(24), field(25));
    show(38, field(26));
    lines_[40].text.clear();
    lines_[41].text.clear();
    field(28) = taxToPay(field(26), field(27));
    field(29) = taxRefund(field(26), field(27));
    if (field(28) > 0) {
        show(40, field(28));
        // A deferral once set follows the tax it defers.
        if (read(50) != 0 || read(51) != 0)
            showDeferral();
    } else {
        // A refund, or nothing either way: no deferral.
        show(41, field(29));
        lines_[50].text.clear();
        lines_[51].text.clear();
    }
}

void TaxComputationScreen::takeTheseLines() {
    for (int number = 42; number <= 53; ++number)
        field(number - 12) = read(number);
}

void TaxComputationScreen::calculate() {
    nenGO();
    if (!fileCode())
        return;
    total();
    tax();
    amountDue();
    takeTheseLines();
    RecordWriter writer(screenRecordSchema(kTaxRecord));
    for (double value : amounts_)
        writer.number(value);
    if (!saveRecord(writer, kTaxRecord))
        return;
    clear();
    data();
}

void TaxComputationScreen::data() {
    nenGO();
    amounts_ = {};
    load(currentYear());
}

void TaxComputationScreen::previousYearData() {
    nenGO();
    load(previousYear());
}

void TaxComputationScreen::load(Loading loading) {
    clear();
    if (!fileCode())
        return;
    setWorkingYearCode(std::string(loading.yearCode));
    const StoredRecord record = readOwnRecord(kTaxRecord);
    if (!record.readable())
        return;
    const StoredRecord income = readScreenRecord(kIncomeRecord);
    if (!income.readable())
        return;
    std::copy(record.values.numbers.begin(), record.values.numbers.end(), amounts_.begin());
    lines_[9] = {formatAmount(income.values.numbers.at(19)), loading.colour};
    for (const tc::Line& line : tc::kLines)
        if (line.recordField > 0)
            lines_[line.number] = {formatAmount(field(line.recordField)), loading.colour};
}

void TaxComputationScreen::gather() {
    nenGO();
    if (!fileCode())
        return;
    // A damaged source is said; a missing one ends the gathering silently, as for a new taxpayer.
    std::array<StoredRecord, 4> sources;
    for (int k : {kIncomeRecord, kDeductionRecord, kPersonalRecord, kBreakdownRecord}) {
        sources[static_cast<std::size_t>(k - 1)] = readScreenRecord(k);
        if (sources[static_cast<std::size_t>(k - 1)].check.state == StoredState::unreadable)
            return;
    }
    for (const StoredRecord& source : sources)
        if (!source.readable())
            return;
    const RecordValues* income = &sources[0].values;
    const RecordValues* deductions = &sources[1].values;
    const RecordValues* personal = &sources[2].values;
    const RecordValues* breakdown = &sources[3].values;
    // Record field n of a record whose texts come first.
    const auto number = [](const RecordValues& record, int n) {
        return record.numbers[static_cast<std::size_t>(n - 1) - record.texts.size()];
    };
    show(9, number(*income, 20));
    const std::pair<int, int> fromDeductions[] = {{10, 34}, {11, 35}, {12, 20}, {13, 24},
                                                  {14, 36}, {15, 37}, {16, 38}};
    for (auto [line, n] : fromDeductions)
        show(line, number(*deductions, n));
    const std::pair<int, int> fromPersonal[] = {{17, 57}, {19, 58}, {21, 63}, {22, 64}, {42, 62}, {43, 56}};
    for (auto [line, n] : fromPersonal)
        show(line, number(*personal, n));
    show(23, dependentsDeduction(number(*personal, 52)));
    show(24, tc::kBasicDeduction);
    show(37, number(*breakdown, 53));
    calculate();
}

void TaxComputationScreen::dividendCredit() {
    // The proposal is the current taxpayer's: a screen still showing someone else's figures loads this
    // taxpayer's first, and the dividends come from this taxpayer's own breakdown record.
    if (!holdsCurrentTaxpayer()) {
        clear();
        data();
    }
    // The user can still correct the dividends on the dividend credit screen.
    const StoredRecord breakdown = readScreenRecord(kBreakdownRecord);
    host_.openDividendCredit(heldCode().value_or(std::string()), field(15),
                             breakdown.readable() ? breakdownDividends(breakdown.values) : 0.0);
}

void TaxComputationScreen::housingLoanCredit() {
    host_.openHousingLoan(text60.text, text100.text);
}

void TaxComputationScreen::deferral() {
    field(28) = read(40);
    showDeferral();
    calculate();
}

void TaxComputationScreen::showDeferral() {
    field(39) = deferredTax(field(28));
    field(38) = taxByDeadline(field(28), field(39));
    show(50, field(38));
    show(51, field(39));
}

void TaxComputationScreen::cancelDeferral() {
    lines_[50].text.clear();
    lines_[51].text.clear();
    calculate();
}

void TaxComputationScreen::runAll() {
    // A screen that could not store its record stops the run: the screens after it would work on top of
    // the record it left, and "計算できません" means nothing of the taxpayer changed.
    for (ScreenId screen :
         {ScreenId::income, ScreenId::deductions1, ScreenId::personalDeductions, ScreenId::incomeBreakdown})
        if (!host_.pressCalculate(screen))
            return;
}

} // namespace kakutei
