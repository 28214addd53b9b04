#pragma once
// The income breakdown screen (Form6): the two itemised tables of the return's second page, withholding
// (six rows) and dividend / miscellaneous / transfer / occasional details (four rows), stored as the
// IncomeBreakdownRecord (screen file 4).

#include "core/data_screen.h"
#include "core/screen_host.h"

#include <array>
#include <string_view>

namespace kakutei {

namespace income_breakdown {
inline constexpr std::string_view kFormName = "Form6";
inline constexpr std::string_view kCaption =
    "所得の内訳（源泉徴収税額） / "
    "配当所得・雑所得（公的年金等以外）・総合課税の譲渡所得・一時所得に関する事項";
inline constexpr std::string_view kWithholdingHeading = "所得の内訳（源泉徴収税額）";
inline constexpr std::string_view kDetailHeading =
    "配当所得・雑所得（公的年金等以外）・総合課税の譲渡所得・一時所得に関する事項";
inline constexpr std::array<std::string_view, 4> kWithholdingColumns = {
    "所得の種類", "種目・所得の生ずる場所", "収入金額", "源泉徴収税額"};
inline constexpr std::array<std::string_view, 5> kDetailColumns = {"所得の種類", "種目所得の生ずる場所",
                                                                   "収入金額", "必要経費等", "差引金額"};
inline constexpr std::string_view kTotalCaption = "源泉徴収税額の合計";
inline constexpr std::string_view kKindPlaceholder = "種  類";
inline constexpr std::array<std::string_view, 6> kWithholdingKinds = {"役  報", "給　賞", "給　与",
                                                                      "利　子", "配　当", "雑"};
inline constexpr std::array<std::string_view, 4> kDetailKinds = {"配　当", "雑", "譲　渡", "一　時"};
inline constexpr std::string_view kCalculate = "計算実行";
inline constexpr std::string_view kClear = "クリア";
inline constexpr std::string_view kData = "DATA";
inline constexpr std::string_view kPreviousYear = "前年データ";
inline constexpr std::string_view kEnd = "END";

inline constexpr int kWithholdingRows = 6;
inline constexpr int kDetailRows = 4;
inline constexpr int kTextCount = 40;   // record fields 1 to 40, 31 to 40 reserved
inline constexpr int kAmountCount = 25; // record fields 41 to 65
} // namespace income_breakdown

struct WithholdingRow {
    Field kind;    // a kind box: a choice or typed text
    Field note;    // the free line under the kind box, never stored
    Field place1;  // "種目・所得の生ずる場所", line 1
    Field place2;  //                          line 2
    Field revenue; // "収入金額"
    Field tax;     // "源泉徴収税額"
};

struct DetailRow {
    Field kind;
    Field note;
    Field place1;
    Field place2;
    Field revenue;  // "収入金額"
    Field expenses; // "必要経費等"
    Field net;      // "差引金額", computed
};

class IncomeBreakdownScreen : public DataScreen {
public:
    IncomeBreakdownScreen(DataStore& store, UserInterface& ui, ScreenHost& host);
    ScreenId id() const override { return ScreenId::incomeBreakdown; }

    std::array<WithholdingRow, income_breakdown::kWithholdingRows> withholding;
    std::array<DetailRow, income_breakdown::kDetailRows> details;
    Field total; // "源泉徴収税額の合計"

    void calculate() override; // "計算実行"
    void clear() override;     // "クリア"
    void data() override;      // "DATA"
    void previousYearData();   // "前年データ"
    void end();                // "END"

    const std::array<std::string, income_breakdown::kTextCount>& texts() const { return texts_; }
    const std::array<std::int32_t, income_breakdown::kAmountCount>& amounts() const { return amounts_; }

private:
    void load(Loading loading);
    void showAmounts(Colour colour);

    ScreenHost& host_;
    std::array<std::string, income_breakdown::kTextCount> texts_{};
    std::array<std::int32_t, income_breakdown::kAmountCount> amounts_{};
};

} // namespace kakutei
