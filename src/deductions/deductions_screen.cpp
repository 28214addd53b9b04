#include "deductions/deductions_screen.h"

#include "core/amount_text.h"
#include "core/wide_result.h"
#include "deductions/deduction_rules.h"
#include "income/income_rules.h"

#include <algorithm>

namespace kakutei {

namespace d1 = deductions1;

namespace {
constexpr int kIncomeRecord = 1;
constexpr int kDeductionRecord = 2;
constexpr int kIncomeTotalField = 20;
} // namespace

void DeductionsScreen::clear() {
    for (Field* field :
         {&lossCause,        &lossDate,     &lossAssets,        &lossAmount,     &lossReimbursed,
          &disasterExpenses, &medicalPaid,  &medicalReimbursed, &socialTotal,    &mutualTotal,
          &lifeGeneral,      &lifePension,  &nonLifeLong,       &nonLifeShort,   &donationPlace,
          &donationName,     &donations,    &specifiedDonation, &casualtyResult, &medicalResult,
          &socialResult,     &mutualResult, &lifeResult,        &nonLifeResult,  &donationResult,
          &directLife,       &directNonLife})
        field->text.clear();
    for (auto* group : {&socialKinds, &socialPremiums, &mutualKinds, &mutualPremiums})
        for (Field& field : *group)
            field.text.clear();
}

void DeductionsScreen::calculate() {
    if (!compute())
        return;
    if (readIntegerAmount(directLife.text) > 0 || readIntegerAmount(directNonLife.text) > 0)
        directEntry();
    clear();
    data();
}

void DeductionsScreen::actualCalculate() {
    compute();
}

bool DeductionsScreen::compute() {
    nenGO();
    if (!fileCode())
        return false;
    text(1) = lossCause.text;
    text(2) = lossDate.text;
    text(3) = lossAssets.text;
    for (int i = 0; i < 3; ++i) {
        text(5 + i) = socialKinds[i].text;
        text(8 + i) = mutualKinds[i].text;
    }
    text(11) = donationPlace.text;
    text(12) = donationName.text;
    text(13) = lifePension.text;

    const auto read = [](const Field& field) { return readIntegerAmount(field.text); };
    amount(14) = read(lossAmount);
    amount(15) = read(lossReimbursed);
    amount(16) = read(disasterExpenses);
    for (int i = 0; i < 3; ++i) {
        amount(17 + i) = read(socialPremiums[i]);
        amount(21 + i) = read(mutualPremiums[i]);
    }
    amount(25) = read(lifeGeneral);
    amount(26) = read(lifePension);
    amount(27) = read(nonLifeLong);
    amount(28) = read(nonLifeShort);
    amount(29) = read(donations);
    amount(30) = read(specifiedDonation);
    amount(31) = read(medicalPaid);
    amount(32) = read(medicalReimbursed);
    WideResults results;
    // The limits take the income read wide: one beyond 32 bits must not read as 0 and lower the medical
    // threshold or the donation cap. Field 33 itself is only a note of the income (nothing reads it back
    // into a calculation) and keeps the 32-bit reading.
    const std::int64_t income = wholeYen(readAmount(totalIncome.text));
    amount(33) = readIntegerAmount(totalIncome.text);
    // Three 32-bit amounts add up exactly in a double.
    const auto sum3 = [&](int first) {
        return static_cast<std::int64_t>(
            sumOf({static_cast<double>(amount(first)), static_cast<double>(amount(first + 1)),
                   static_cast<double>(amount(first + 2))}));
    };
    amount(20) = results.fit(sum3(17), "社会保険料控除");
    amount(24) = results.fit(sum3(21), "小規模企業共済等掛金控除");
    amount(34) = results.fit(casualtyLossDeduction(amount(14), amount(15), amount(16), income), "雑損控除");
    amount(35) = results.fit(medicalExpenseDeduction(amount(31), amount(32), income), "医療費控除");
    amount(36) = results.fit(lifeInsuranceDeduction(amount(25), amount(26)), "生命保険料控除");
    amount(37) = results.fit(nonLifeDeduction(amount(27), amount(28)), "損害保険料控除");
    amount(38) = results.fit(donationDeduction(amount(30), income), "寄付金控除");
    if (!results.ok()) {
        refuseCalculation(results, kDeductionRecord);
        return false;
    }
    for (auto [field, result] : {std::pair{20, &socialTotal},
                                 {20, &socialResult},
                                 {24, &mutualTotal},
                                 {24, &mutualResult},
                                 {34, &casualtyResult},
                                 {35, &medicalResult},
                                 {36, &lifeResult},
                                 {37, &nonLifeResult},
                                 {38, &donationResult}})
        result->text = formatAmount(amount(field));
    return save();
}

bool DeductionsScreen::save() {
    RecordWriter writer(screenRecordSchema(kDeductionRecord));
    for (const std::string& text : texts_)
        writer.text(text);
    for (std::int32_t value : amounts_)
        writer.integer(value);
    return saveRecord(writer, kDeductionRecord);
}

void DeductionsScreen::take(const StoredRecord& stored) {
    std::copy(stored.values.texts.begin(), stored.values.texts.end(), texts_.begin());
    const std::vector<std::int32_t> amounts = int32Numbers(stored.values);
    std::copy(amounts.begin(), amounts.end(), amounts_.begin());
}

void DeductionsScreen::directEntry() {
    nenGO();
    if (!fileCode())
        return;
    setWorkingYearCode(text100.text);
    const StoredRecord stored = readOwnRecord(kDeductionRecord);
    if (!stored.readable())
        return;
    take(stored);
    // A direct entry replaces both insurance deductions, and the premium totals no longer apply.
    amount(36) = readIntegerAmount(directLife.text);
    amount(37) = readIntegerAmount(directNonLife.text);
    for (int field = 25; field <= 28; ++field)
        amount(field) = 0;
    directLife.text = formatAmount(amount(36));
    directNonLife.text = formatAmount(amount(37));
    if (!save())
        return;
    showRecord(std::nullopt);
}

void DeductionsScreen::clearDirectLife() {
    directLife.text.clear();
}
void DeductionsScreen::clearDirectNonLife() {
    directNonLife.text.clear();
}

void DeductionsScreen::preset(std::string_view life, std::string_view nonLife) {
    directLife.text = life;
    directNonLife.text = nonLife;
}

void DeductionsScreen::data() {
    nenGO();
    // A taxpayer without a record starts from an empty one, never from the figures last loaded.
    texts_ = {};
    amounts_ = {};
    load(currentYear());
}

void DeductionsScreen::previousYearData() {
    nenGO();
    load(previousYear());
}

void DeductionsScreen::load(Loading loading) {
    if (!fileCode())
        return;
    setWorkingYearCode(std::string(loading.yearCode));
    const StoredRecord income = readScreenRecord(kIncomeRecord);
    // Without an income record the income is unknown: an empty field, never the previous taxpayer's.
    totalIncome = {income.readable() ? formatAmount(income.values.numbers.at(kIncomeTotalField - 1))
                                     : std::string(),
                   loading.colour};
    const StoredRecord stored = readOwnRecord(kDeductionRecord);
    if (!stored.readable())
        return;
    take(stored);
    showRecord(loading.colour);
}

void DeductionsScreen::showRecord(std::optional<Colour> colour) {
    const auto show = [&](Field& field, std::string value) {
        field.text = std::move(value);
        if (colour)
            field.colour = *colour;
    };
    const auto showAmount = [&](Field& field, int n) { show(field, formatAmount(amount(n))); };
    show(lossCause, text(1));
    show(lossDate, text(2));
    show(lossAssets, text(3));
    for (int i = 0; i < 3; ++i) {
        show(socialKinds[i], text(5 + i));
        show(mutualKinds[i], text(8 + i));
        showAmount(socialPremiums[i], 17 + i);
        showAmount(mutualPremiums[i], 21 + i);
    }
    show(donationPlace, text(11));
    show(donationName, text(12));
    showAmount(lossAmount, 14);
    showAmount(lossReimbursed, 15);
    showAmount(disasterExpenses, 16);
    showAmount(socialTotal, 20);
    showAmount(socialResult, 20);
    showAmount(mutualTotal, 24);
    showAmount(mutualResult, 24);
    showAmount(lifeGeneral, 25);
    showAmount(lifePension, 26); // the stored text 13 is shown there first and at once replaced
    showAmount(nonLifeLong, 27);
    showAmount(nonLifeShort, 28);
    showAmount(donations, 29);
    showAmount(specifiedDonation, 30);
    showAmount(medicalPaid, 31);
    showAmount(medicalReimbursed, 32);
    showAmount(casualtyResult, 34);
    showAmount(medicalResult, 35);
    showAmount(lifeResult, 36);
    showAmount(nonLifeResult, 37);
    showAmount(donationResult, 38);
    showAmount(directLife, 36);
    showAmount(directNonLife, 37);
    // Premium totals on the screen mean the deductions come from them, not from the direct boxes.
    if (readIntegerAmount(lifeGeneral.text) > 0 || readIntegerAmount(lifePension.text) > 0)
        directLife.text.clear();
    if (readIntegerAmount(nonLifeLong.text) >= 1 || readIntegerAmount(nonLifeShort.text) >= 1)
        directNonLife.text.clear();
}

} // namespace kakutei
