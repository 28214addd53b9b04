#pragma once
// The income screen (Form3, "収入金額等・所得金額"): revenue and income of every class, the public pension
// income, the total of line 9, and a read-only summary of the tax computation.

#include "core/data_screen.h"
#include "core/screen_host.h"

#include <array>
#include <string_view>

namespace kakutei {

namespace income_screen {
inline constexpr std::string_view kFormName = "Form3";
inline constexpr std::string_view kCaption = "収入金額等・所得金額";
inline constexpr std::string_view kRevenueHeading = "収入金額等";
inline constexpr std::string_view kIncomeHeading = "所得金額";
inline constexpr std::array<std::string_view, 11> kClassCaptions = {
    "営業等", "農業", "不動産", "利子", "配当", "給与", "公的年金等", "その他", "短期", "長期", "一時"};
inline constexpr std::array<std::string_view, 11> kRowLetters = {"ア", "イ", "ウ", "エ", "オ", "カ",
                                                                 "キ", "ク", "ケ", "コ", "サ"};
inline constexpr std::string_view kTotalCaption = "合          計";
inline constexpr std::string_view kCalculate = "計算実行";
inline constexpr std::string_view kData = "DATA";
inline constexpr std::string_view kPreviousYear = "前年データ";
inline constexpr std::string_view kClear = "クリア";
inline constexpr std::string_view kShowDeductions = "所得控除の表示";
inline constexpr std::string_view kAutomatic = "自動計算";
inline constexpr std::string_view kActualAmount = "実額計算";
inline constexpr std::string_view kElderly = "老年者";

inline constexpr int kRevenueCount = 11; // rows ア to サ: record fields 1 to 11
inline constexpr int kIncomeCount = 8;   // lines 1 to 8: record fields 12 to 19
inline constexpr int kAmountCount = 20;  // with the total of line 9

// Row indexes into the revenue fields.
inline constexpr int kSalaryRow = 5;      // カ
inline constexpr int kPensionRow = 6;     // キ
inline constexpr int kShortTermRow = 8;   // ケ
inline constexpr int kLongTermRow = 9;    // コ
inline constexpr int kOccasionalRow = 10; // サ
// Line indexes into the income fields.
inline constexpr int kSalaryLine = 5;   // line 6
inline constexpr int kPensionLine = 6;  // line 7
inline constexpr int kTransferLine = 7; // line 8

struct SummaryRow {
    std::string_view caption;
    std::string_view line; // the return's line number, as the tax computation screen labels it
};
inline constexpr std::array<SummaryRow, 14> kSummaryRows = {{
    {"所得控除合計", "25"},
    {"課税所得金額", "26"},
    {"同上に対する税額", "27"},
    {"税額控除計", "28"},
    {"再差引所得税額", "35"},
    {"定率減税額", "36"},
    {"源泉徴収税額", "37"},
    {"申告納税額", "38"},
    {"予定納税額", "39"},
    {"第３期分の税額", "40"},
    {"申告期限まで納付", "50"},
    {"延納届出額", "51"},
    {"青色申告特別控除", "44"},
    {"", ""},
}};
} // namespace income_screen

class IncomeScreen : public DataScreen {
public:
    IncomeScreen(DataStore& store, UserInterface& ui, ScreenHost& host)
        : DataScreen(store, ui), host_(host) {}
    ScreenId id() const override { return ScreenId::income; }

    std::array<Field, income_screen::kRevenueCount> revenue; // rows ア to サ
    std::array<Field, income_screen::kIncomeCount> income;   // lines 1 to 8
    Field total;                                             // line 9
    Field text98;                                            // Text98: the taxpayer's own condition
    std::array<Field, income_screen::kSummaryRows.size()> summary;

    // Line 9 from the stored amounts of rows ア to サ and lines 1 to 8.
    static double totalIncome(const std::array<double, income_screen::kAmountCount>& amounts);

    void calculate() override; // "計算実行"
    void clear() override;     // "クリア"
    void data() override;      // "DATA"
    void previousYearData();   // "前年データ"
    void showDeductions();     // "所得控除の表示"
    void calculateSalary();    // "自動計算" beside row カ
    void actualAmount();       // "実額計算"
    void clearSalary();        // "給与"
    void calculateTransfer();  // "自動計算" beside rows ケ to サ

    bool elderly() const { return text98.text == income_screen::kElderly; }
    const std::array<double, income_screen::kAmountCount>& amounts() const { return amounts_; }

private:
    void load(Loading loading);
    void show(Colour colour);

    ScreenHost& host_;
    std::array<double, income_screen::kAmountCount> amounts_{};
};

} // namespace kakutei
