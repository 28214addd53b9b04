#pragma once
// The income deductions of the Heisei 16 return. Amounts are whole yen; products and sums are formed in
// 64 bits, so that no total income or payment can overflow into a wrong deduction. Each rule tells how it
// arrived at its figure when it is handed a Derivation, whose input names follow the rule's parameters.

#include "core/derivation.h"

#include <cstdint>
#include <string_view>

namespace kakutei {

// CasualtyLossDeduction (雑損控除): the larger of loss − reimbursement − income/10 and
// disaster-related expenses − 50,000; never negative.
std::int64_t casualtyLossDeduction(std::int64_t loss, std::int64_t reimbursed, std::int64_t disasterExpenses,
                                   std::int64_t totalIncome, Derivation* how = nullptr);
inline constexpr std::int64_t kMedicalExpenseCap = 2'000'000;

// MedicalExpenseDeduction (医療費控除): net expenses above min(5 % of income, 100,000), at most 2,000,000.
// Casualty and medical thresholds take a negative income as 0.
std::int64_t medicalExpenseDeduction(std::int64_t paid, std::int64_t reimbursed, std::int64_t totalIncome,
                                     Derivation* how = nullptr);
// LifePremiumAmount: the deduction for one premium total (general or individual pension), at most 50,000.
std::int64_t lifePremiumAmount(std::int64_t premiums, Derivation* how = nullptr);
// 生命保険料控除: the general and the individual pension amounts together.
std::int64_t lifeInsuranceDeduction(std::int64_t general, std::int64_t pension, Derivation* how = nullptr);
// LongTermNonLifeAmount and ShortTermNonLifeAmount; their sum is capped at 15,000 by nonLifeDeduction.
std::int64_t longTermNonLifeAmount(std::int64_t premiums, Derivation* how = nullptr);
std::int64_t shortTermNonLifeAmount(std::int64_t premiums, Derivation* how = nullptr);
std::int64_t nonLifeDeduction(std::int64_t longTerm, std::int64_t shortTerm, Derivation* how = nullptr);
// DonationDeduction (寄付金控除): specified donations within 25 % of income, less 10,000.
std::int64_t donationDeduction(std::int64_t specifiedDonations, std::int64_t totalIncome,
                               Derivation* how = nullptr);

// SpouseSalaryIncome: the spouse's salary income from the salary revenue, to the nearest yen.
std::int64_t spouseSalaryIncome(std::int64_t revenue, Derivation* how = nullptr);
// SpecialSpouseDeduction (配偶者特別控除) from the spouse's total income; 0 up to 380,000.
std::int64_t specialSpouseDeduction(std::int64_t spouseTotalIncome, Derivation* how = nullptr);
// The same, but 0 when the taxpayer's own total income is above 10,000,000.
inline constexpr double kOwnIncomeLimit = 10'000'000;
std::int64_t specialSpouseDeduction(std::int64_t spouseTotalIncome, double ownIncome, Derivation* how);

// 老年者控除・寡婦（寡夫）控除 for the kind the taxpayer's first slot holds ("老年者", "寡婦", "寡夫",
// "特別寡婦"); 0 for any other.
std::int32_t elderlyOrWidowDeduction(std::string_view kind, Derivation* how = nullptr);
// The same within the income limits, judged on the taxpayer's own total income (input 0 of `how`) at every
// calculation, whatever the slot holds: no 老年者控除 above 10,000,000, and above 5,000,000 a 特別寡婦 gets
// the ordinary 寡婦控除.
inline constexpr double kWidowIncomeLimit = 5'000'000;
std::int32_t elderlyOrWidowDeduction(std::string_view kind, double ownIncome, Derivation* how);
// Whether the first slot stands for 老年者 whatever an earlier calculation stored: a 老年者 slot, or a
// registered 老年者 with neither slot holding a kind (never chosen, or emptied at an income above the limit,
// which may since have fallen). Every calculation then judges it again against the limit; a kind the user
// chose instead stands.
bool claimsElderly(std::string_view firstSlot, std::string_view secondSlot,
                   std::string_view registeredCondition);
// 勤労学生・障害者控除 for the kind the second slot holds ("勤労学生", "障害者", "特別障害者"); 0 for any
// other.
std::int32_t studentOrDisabilityDeduction(std::string_view kind, Derivation* how = nullptr);

// Integer division that rounds toward minus infinity (a floor for integers).
std::int64_t floorDivide(std::int64_t numerator, std::int64_t denominator);

} // namespace kakutei
