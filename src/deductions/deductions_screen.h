#pragma once
// The deductions (1) screen (Form4, "医療費控除 / 社会保険料等"): casualty loss, medical expenses, social
// insurance, mutual aid, life and non-life insurance and donations, stored as the DeductionRecord
// (screen file 2).

#include "core/data_screen.h"

#include <array>
#include <string_view>

namespace kakutei {

namespace deductions1 {
inline constexpr std::string_view kFormName = "Form4";
inline constexpr std::string_view kCaption = "医療費控除 / 社会保険料等";
inline constexpr std::string_view kCalculate = "計算実行";
inline constexpr std::string_view kActualCalculate = "実際の計算実行";
inline constexpr std::string_view kDirectEntry = "入力実行";
inline constexpr std::string_view kLifeButton = "生命保険料控除";
inline constexpr std::string_view kNonLifeButton = "損害保険料控除";
inline constexpr std::string_view kPreset1 = "5万 / 3千";
inline constexpr std::string_view kPreset2 = "10万 / 3千";
inline constexpr std::string_view kPreset3 = "10万 / 1万 5千";
inline constexpr std::string_view kClear = "クリア";
inline constexpr std::string_view kData = "DATA";
inline constexpr std::string_view kPreviousYear = "前年データ";
inline constexpr std::string_view kDirectHeading = "保険料控除の直接入力";

inline constexpr int kTextCount = 13;   // record fields 1 to 13
inline constexpr int kAmountCount = 25; // record fields 14 to 38
} // namespace deductions1

class DeductionsScreen : public DataScreen {
public:
    using DataScreen::DataScreen;
    ScreenId id() const override { return ScreenId::deductions1; }

    // ⑩ 雑損控除
    Field lossCause;        // "損害の原因" (text 1)
    Field lossDate;         // "損害年月日" (text 2)
    Field lossAssets;       // "損害を受けた資産の種類など" (text 3)
    Field lossAmount;       // "損害金額" (14)
    Field lossReimbursed;   // "保険金などで補てんされる金額" (15)
    Field disasterExpenses; // "差引損失額のうち災害関連支出の金額" (16)
    // ⑪ 医療費控除
    Field medicalPaid;       // "支払医療費" (31)
    Field medicalReimbursed; // "保険金などで補てんされる金額" (32)
    Field totalIncome;       // "所得金額" (33), filled by loading and by the income screen
    // ⑫ 社会保険料控除
    std::array<Field, 3> socialKinds;    // "社会保険の種類" (texts 5 to 7)
    std::array<Field, 3> socialPremiums; // "支払保険料" (17 to 19)
    Field socialTotal;                   // "合計" (20)
    // ⑬ 小規模企業共済等掛金控除
    std::array<Field, 3> mutualKinds;    // "掛金の種類" (texts 8 to 10)
    std::array<Field, 3> mutualPremiums; // "支払掛金" (21 to 23)
    Field mutualTotal;                   // "合計" (24)
    // ⑭ 生命保険料控除
    Field lifeGeneral; // "一般の保険料の計" (25)
    Field lifePension; // "個人年金保険料計" (26, its text also 13)
    // ⑮ 損害保険料控除
    Field nonLifeLong;  // "長期保険料の計" (27)
    Field nonLifeShort; // "短期保険料の計" (28)
    // ⑯ 寄付金控除
    Field donationPlace;     // "寄付先の所在地" (text 11)
    Field donationName;      // "寄付先の名称" (text 12)
    Field donations;         // "寄付金" (29)
    Field specifiedDonation; // "特定の寄付金" (30)
    // Result column ⑩ to ⑯
    Field casualtyResult; // 34
    Field medicalResult;  // 35
    Field socialResult;   // 20
    Field mutualResult;   // 24
    Field lifeResult;     // 36
    Field nonLifeResult;  // 37
    Field donationResult; // 38
    // 保険料控除の直接入力
    Field directLife;
    Field directNonLife;

    void calculate() override;                                    // "計算実行"
    void actualCalculate();                                       // "実際の計算実行"
    void directEntry();                                           // "入力実行": DirectInsuranceEntry
    void clearDirectLife();                                       // "生命保険料控除"
    void clearDirectNonLife();                                    // "損害保険料控除"
    void preset(std::string_view life, std::string_view nonLife); // the three preset buttons
    void clear() override;                                        // "クリア"
    void data() override;                                         // "DATA"
    void previousYearData();                                      // "前年データ"

    const std::array<std::string, deductions1::kTextCount>& texts() const { return texts_; }
    const std::array<std::int32_t, deductions1::kAmountCount>& amounts() const { return amounts_; }

private:
    bool compute();
    bool save();
    void take(const StoredRecord& stored);
    // The income record gives the limits of the medical and donation deductions.
    std::vector<int> sourceRecords() const override { return {1}; }
    void showRecord(std::optional<Colour> colour);
    void load(Loading loading);
    std::int32_t& amount(int field) { return amounts_[field - 14]; }
    std::string& text(int field) { return texts_[field - 1]; }

    std::array<std::string, deductions1::kTextCount> texts_{};
    std::array<std::int32_t, deductions1::kAmountCount> amounts_{};
};

} // namespace kakutei
