#pragma once
// The tax computation screen (Form7, "税額の計算"): lines 9 to 53 of the return, gathered from the other
// screens' records and computed down to the tax to pay or the refund; stored as the TaxComputationRecord
// (screen file 5).

#include "core/data_screen.h"
#include "core/screen_host.h"

#include <array>
#include <string_view>

namespace kakutei {

namespace tax_computation {
inline constexpr std::string_view kFormName = "Form7";
inline constexpr std::string_view kCaption = "税額の計算";
inline constexpr std::string_view kCalculate = "計算実行";
inline constexpr std::string_view kTotal = "合計";
inline constexpr std::string_view kTax = "上に対する税額";
inline constexpr std::string_view kRefund = "還付される税金";
inline constexpr std::string_view kTheseLines = "この欄の入力";
inline constexpr std::string_view kData = "DATA";
inline constexpr std::string_view kPreviousYear = "前年データ";
inline constexpr std::string_view kGather = "DATAの元祖";
inline constexpr std::string_view kClear = "クリア";
inline constexpr std::string_view kDividendCredit = "配当控除";
inline constexpr std::string_view kHousingLoan = "住宅借入金等控除";
inline constexpr std::string_view kDeferral = "延納届出額";
inline constexpr std::string_view kCancelDeferral = "延納届の取りやめ";
inline constexpr std::string_view kRunAll = "各データの実行";

enum class LineKind { loaded, input, computed };
// How a line's caption is drawn: a label, or a button (with an action only for the three that have one).
enum class CaptionStyle { label, button };

struct Line {
    int number;                  // the return's line number
    std::string_view caption;    // empty for the two caption buttons without text
    std::string_view secondLine; // the second caption line of lines 33 and 45
    LineKind kind;
    int recordField; // 0 for line 9, which belongs to the IncomeRecord
    CaptionStyle style;
};

inline constexpr Line kLines[] = {
    {9, "所得金額", "", LineKind::loaded, 0, CaptionStyle::label},
    {10, "雑損控除", "", LineKind::loaded, 1, CaptionStyle::label},
    {11, "医療費控除", "", LineKind::loaded, 2, CaptionStyle::label},
    {12, "社会保険料控除", "", LineKind::loaded, 3, CaptionStyle::label},
    {13, "小規模企業共済", "", LineKind::loaded, 4, CaptionStyle::label},
    {14, "生命保険料控除", "", LineKind::loaded, 5, CaptionStyle::label},
    {15, "損害保険料控除", "", LineKind::loaded, 6, CaptionStyle::label},
    {16, "寄付金控除", "", LineKind::loaded, 7, CaptionStyle::label},
    {17, "老年者・寡婦（夫）", "", LineKind::loaded, 8, CaptionStyle::label},
    {19, "勤労学生、障害者", "", LineKind::loaded, 9, CaptionStyle::label},
    {21, "配偶者控除", "", LineKind::loaded, 10, CaptionStyle::label},
    {22, "配偶者特別控除", "", LineKind::loaded, 11, CaptionStyle::label},
    {23, "扶養控除", "", LineKind::loaded, 12, CaptionStyle::label},
    {24, "基礎控除", "", LineKind::loaded, 13, CaptionStyle::label},
    {25, "合　　　　計", "", LineKind::computed, 14, CaptionStyle::label},
    {26, "課税所得金額", "", LineKind::computed, 15, CaptionStyle::label},
    {27, "上に対する税額", "", LineKind::computed, 16, CaptionStyle::label},
    {28, "配当控除", "", LineKind::input, 17, CaptionStyle::button},
    {29, "", "", LineKind::input, 18, CaptionStyle::button},
    {30, "住宅借入金等控除", "", LineKind::input, 19, CaptionStyle::button},
    {31, "政党等寄付金控除", "", LineKind::input, 20, CaptionStyle::button},
    {32, "差引所得金額", "", LineKind::computed, 21, CaptionStyle::label},
    {33, "災害減免額", "外国税額控除", LineKind::input, 22, CaptionStyle::button},
    {35, "再差引所得税額", "", LineKind::computed, 23, CaptionStyle::label},
    {36, "定率減税額", "", LineKind::computed, 24, CaptionStyle::label},
    {37, "源泉徴収税額", "", LineKind::loaded, 25, CaptionStyle::label},
    {38, "申告納税額", "", LineKind::computed, 26, CaptionStyle::label},
    {39, "予定納税額", "", LineKind::input, 27, CaptionStyle::button},
    {40, "納める税金", "", LineKind::computed, 28, CaptionStyle::label},
    {41, "還付される税金", "", LineKind::computed, 29, CaptionStyle::label},
    {42, "配偶者合計所得", "", LineKind::loaded, 30, CaptionStyle::label},
    {43, "専従者給与合計", "", LineKind::loaded, 31, CaptionStyle::label},
    {44, "青色申告特別控除", "", LineKind::input, 32, CaptionStyle::button},
    {45, "雑・一時所得の", "源泉税", LineKind::input, 33, CaptionStyle::button},
    {46, "未納付源泉税額", "", LineKind::input, 34, CaptionStyle::button},
    {47, "雑損失", "", LineKind::input, 35, CaptionStyle::button},
    {48, "平均課税", "", LineKind::input, 36, CaptionStyle::button},
    {49, "", "", LineKind::input, 37, CaptionStyle::button},
    {50, "申告期限納付金額", "", LineKind::computed, 38, CaptionStyle::label},
    {51, "延納届出額", "", LineKind::computed, 39, CaptionStyle::button},
    {52, "修正申告納税額", "", LineKind::input, 40, CaptionStyle::button},
    {53, "修正申告の第３期分", "", LineKind::input, 41, CaptionStyle::button},
};

inline constexpr int kFirstLine = 9;
inline constexpr int kLastLine = 53;
inline constexpr int kAmountCount = 41;
inline constexpr double kBasicDeduction = 380'000;
} // namespace tax_computation

// The dividends a breakdown record holds: the net amounts of its first three detail rows whose kind is 配当
// (a loss counts as 0).
double breakdownDividends(const RecordValues& breakdown);

class TaxComputationScreen : public DataScreen {
public:
    TaxComputationScreen(DataStore& store, UserInterface& ui, ScreenHost& host)
        : DataScreen(store, ui), host_(host) {}
    ScreenId id() const override { return ScreenId::taxComputation; }

    // The field of a line of the return, 9 to 53.
    Field& line(int number) { return lines_[number]; }
    const Field& line(int number) const { return lines_[number]; }

    void calculate() override; // "計算実行"
    void total();              // "合計": step A
    void tax();                // "上に対する税額": step B
    void amountDue();          // "還付される税金": step C
    void takeTheseLines();     // "この欄の入力": step D
    void data() override;      // "DATA"
    void previousYearData();   // "前年データ"
    void gather();             // "DATAの元祖"
    void clear() override;     // "クリア"
    void dividendCredit();     // "配当控除"
    void housingLoanCredit();  // "住宅借入金等控除"
    void deferral();           // "延納届出額"
    void cancelDeferral();     // "延納届の取りやめ"
    void runAll();             // "各データの実行"

    // Record field n (1 to 41) as held in memory.
    double amount(int field) const { return amounts_[field - 1]; }

private:
    double& field(int n) { return amounts_[n - 1]; }
    double readNeverNegative(int number);
    double read(int number) const;
    void show(int number, double value);
    void load(Loading loading);
    // Lines 50 and 51 from the tax to pay in field 28: half of it, down to whole thousands, deferred.
    void showDeferral();
    // Lines 9 to 24 and 37 come from these records; the stored tax follows from them.
    std::vector<int> sourceRecords() const override { return {1, 2, 3, 4}; }

    ScreenHost& host_;
    std::array<Field, tax_computation::kLastLine + 1> lines_{};
    std::array<double, tax_computation::kAmountCount> amounts_{};
};

} // namespace kakutei
