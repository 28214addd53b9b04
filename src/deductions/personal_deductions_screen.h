#pragma once
// The personal deductions screen (Form5, "障害者・配偶者・扶養家族 / 専従者に関する事項"): the taxpayer's own
// deduction, the spouse and special spouse deductions, dependents and family employees, stored as the
// PersonalDeductionRecord (screen file 3).

#include "core/data_screen.h"
#include "core/option_button.h"
#include "core/screen_host.h"

#include <array>
#include <string_view>

namespace kakutei {

namespace personal_deductions {
inline constexpr std::string_view kFormName = "Form5";
inline constexpr std::string_view kCaption = "障害者・配偶者・扶養家族 / 専従者に関する事項";
inline constexpr std::string_view kHint = "年月日の記入例→  13.01.31  →印刷が美しくなります";
inline constexpr std::string_view kEraPlaceholder = "年号";
inline constexpr std::array<std::string_view, 4> kEras = {"明治", "大正", "昭和", "平成"};
inline constexpr std::array<std::string_view, 7> kSelfCaptions = {
    "老年者控除", "寡婦（寡夫）控除", "特別寡婦控除", "勤労学生", "障害者", "特別障害者", "該当なし"};
inline constexpr std::array<std::string_view, 4> kCauses = {"死別", "離婚", "生死不明", "未帰還"};
inline constexpr std::string_view kCalculate = "計算実行";
inline constexpr std::string_view kElderlyJudgement = "老年者控除の判断";
inline constexpr std::string_view kSelfConditionCallUp = "本人の条件呼出";
inline constexpr std::string_view kSpouseCalculate = "配偶者特別控除の計算実行";
inline constexpr std::string_view kSpouse380 = "38万";
inline constexpr std::string_view kSpecialDisability = "特別障害者";
inline constexpr std::string_view kClear = "クリア";
inline constexpr std::string_view kData = "DATA";
inline constexpr std::string_view kPreviousYear = "前年データ";

// Self options, by index into kSelfCaptions.
enum SelfOption : std::size_t { elderly, widow, specialWidow, student, disabled, speciallyDisabled, none };

inline constexpr int kDependents = 4;
inline constexpr int kEmployees = 3;
inline constexpr int kTextCount = 47;   // record fields 1 to 47
inline constexpr int kAmountCount = 17; // record fields 48 to 64
} // namespace personal_deductions

struct Dependent {
    Field name;
    Field relation; // "続柄"
    Field era;      // era box
    Field birth;    // date of birth, as typed
    Field amount;   // "控除額", units of 10,000 yen
};

struct FamilyEmployee {
    Field name;
    Field era;
    Field birth;
    Field relation; // "続柄"
    Field months;   // "従事月数"
    Field work;     // "程度仕事の内容"
    Field salary;   // "専従者給与額"
};

class PersonalDeductionsScreen : public DataScreen {
public:
    PersonalDeductionsScreen(DataStore& store, UserInterface& ui, ScreenHost& host);
    ScreenId id() const override { return ScreenId::personalDeductions; }

    // ⑳障害者控除
    Field disabledNames; // text 1
    Field bracketOpen;   // text 44
    Field bracketClose;  // text 45
    Field counter;       // presses of "特別障害者", not stored
    // 本人控除
    std::array<OptionButton, 7> selfOptions;
    std::array<OptionButton, 4> causeOptions;
    Field schoolName; // "学  校  名" (text 35)
    // 配偶者
    Field spouseName;                           // text 2
    Field spouseEra;                            // text 36
    Field spouseBirth;                          // text 3
    bool spouseDeductionChecked = false;        // "配偶者控除" (text 46)
    bool specialSpouseDeductionChecked = false; // "配偶者特別控除" (text 47)
    Field spouseSalaryRevenue;                  // "給与収入額" (59)
    Field spouseSalaryIncome;                   // "給与控除後の額" (60)
    Field spouseOtherIncome;                    // "その他の所得" (61)
    Field spouseTotalIncome;                    // "合計所得" (62)
    Field spouseDeduction;                      // "配偶者控除の額" (63)
    Field specialSpouseDeduction;               // "配偶者特別控除" (64)
    Field totalIncome;                          // "所得金額": the taxpayer's, from the income record
    // 扶養家族の明細, 専従者に関する事項
    std::array<Dependent, personal_deductions::kDependents> dependents;
    Field dependentsTotal; // "扶養控除の合計額" (52), units of 10,000 yen
    std::array<FamilyEmployee, personal_deductions::kEmployees> employees;
    Field employeesTotal;    // "合計額" (56)
    Field specialProvisions; // "特例適用条文等" (text 31)

    void calculate() override;      // "計算実行"
    void elderlyJudgement();        // "老年者控除の判断": ElderlyJudgement
    void selfConditionCallUp();     // "本人の条件呼出": SelfConditionCallUp
    void calculateSpouse();         // "配偶者特別控除の計算実行"
    void fillSpouseDeduction();     // "38万"
    void toggleSpecialDisability(); // "特別障害者": SpecialDisabilityToggle
    void clearSpouse();             // "クリア" beside the spouse amounts
    void clear() override;          // "クリア" in the bottom row
    void data() override;           // "DATA"
    void previousYearData();        // "前年データ"

    // A click on an option; the rule runs when the option becomes selected.
    void selectSelf(std::size_t option);
    void selectCause(std::size_t cause);

    const std::string& selfKind() const { return text(32); }
    const std::string& widowCause() const { return text(33); }
    const std::string& studentDisabilityKind() const { return text(34); }
    std::int32_t selfDeduction() const { return amount(57); }
    std::int32_t studentDisabilityDeduction() const { return amount(58); }
    const std::array<std::string, personal_deductions::kTextCount>& texts() const { return texts_; }
    const std::array<std::int32_t, personal_deductions::kAmountCount>& amounts() const { return amounts_; }

private:
    void applySelfRule(std::size_t option);
    void applySelfSlots();
    // Judges a slot that stands for 老年者 against the income limit again, as the button would.
    void judgeElderlySlot();
    bool readTotalIncome(std::string_view yearCode, Colour colour);
    bool loadRecord(Loading loading);
    void showRecord(Colour colour);
    void setSelfAmounts(std::int32_t elderlyOrWidow, std::int32_t studentOrDisability);
    void setSelfAmounts(std::string_view kind, personal_deductions::SelfOption option);
    bool save();
    // The income record decides 老年者控除 and the special spouse deduction.
    std::vector<int> sourceRecords() const override { return {1}; }

    std::string& text(int field) { return texts_[field - 1]; }
    const std::string& text(int field) const { return texts_[field - 1]; }
    std::int32_t& amount(int field) { return amounts_[field - 48]; }
    std::int32_t amount(int field) const { return amounts_[field - 48]; }

    ScreenHost& host_;
    std::array<std::string, personal_deductions::kTextCount> texts_{};
    std::array<std::int32_t, personal_deductions::kAmountCount> amounts_{};
};

} // namespace kakutei
