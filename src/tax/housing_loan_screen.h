#pragma once
// The housing loan credit screen (Form14, "住宅取得控除"): the credit from the loan balance by the rule of
// the period of moving in, stored as the HousingLoanRecord ("<n>住宅.txt") and handed to line 30 of the tax
// computation screen.

#include "core/data_screen.h"
#include "core/screen_host.h"
#include "tax/tax_rules.h"

#include <array>
#include <string_view>

namespace kakutei {

namespace housing_loan {
inline constexpr std::string_view kFormName = "Form14";
inline constexpr std::string_view kCaption = "住宅取得控除";
inline constexpr std::string_view kMovedIn = "住宅の用に供した年月日";
inline constexpr std::string_view kBalance = "期末借入金残高";
inline constexpr std::string_view kCreditHeading = "当期控除額";
inline constexpr std::array<std::string_view, 4> kPeriods = {
    "H9.01.01～H10.12.31に入居", "H11.01.01～H13.06.30に入居", "H11.01.01～H11.03.31の経過措置選択の方",
    "H13.07.01～H15.12.31に入居"};
// The rule of each period button, in the order of kPeriods.
inline constexpr HousingLoanPeriod kPeriodRules[] = {
    HousingLoanPeriod::h9ToH10, HousingLoanPeriod::h11ToH13June, HousingLoanPeriod::h11TransitionChoice,
    HousingLoanPeriod::h13JulyToH15};
inline constexpr std::string_view kClose = "画面削除";
inline constexpr std::string_view kConfirm = "確認実行";
inline constexpr std::string_view kClear = "クリア";
inline constexpr std::string_view kData = "DATA";
inline constexpr std::string_view kSave = "登録実行";
inline constexpr std::string_view kSaveNote = "平成14年12月31日現在の計算用";
} // namespace housing_loan

class HousingLoanScreen : public DataScreen {
public:
    HousingLoanScreen(DataStore& store, UserInterface& ui, ScreenHost& host)
        : DataScreen(store, ui), host_(host) {}
    ScreenId id() const override { return ScreenId::housingLoan; }

    Field year; // Heisei year of moving in
    Field month;
    Field day;
    Field balance;                // "期末借入金残高"
    std::array<Field, 4> results; // one per period button

    void calculatePeriod(std::size_t period); // a period button
    void save();                              // "登録実行", from memory
    void data() override;                     // "DATA"
    void clear() override;                    // "クリア"
    void close();                             // "画面削除" and "確認実行"

    const std::array<double, 8>& values() const { return values_; }

private:
    ScreenHost& host_;
    std::array<double, 8> values_{};
};

} // namespace kakutei
