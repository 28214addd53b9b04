#pragma once
// Where page 1's digit boxes stand: on the preprinted form and on the A4 copy's form image. The page
// layouts print into these boxes and tools/formgen draws the form images from the same numbers.

#include <array>
#include <cmath>
#include <string_view>

namespace kakutei::page1 {

// DigitPitch: 44 mm over nine boxes, to the nearest millimetre.
inline const int kDigitPitch = static_cast<int>(std::lround(44.0 / 9));

// The top of each row's boxes on the form; the right column (rows 35 to 61) uses the first 27 entries.
inline constexpr std::array<int, 34> kRowTop = {60,  66,  73,  79,  85,  91,  98,  104, 111, 117, 123, 130,
                                                136, 142, 149, 155, 161, 168, 174, 180, 187, 193, 200, 206,
                                                212, 219, 225, 231, 238, 244, 251, 257, 263, 270};
// On the copy each column has its own tops, before the copy shift.
inline constexpr std::array<int, 34> kCopyTopLeft = {
    61,  67,  74,  80,  86,  92,  98,  104, 111, 117, 123, 129, 135, 142, 148, 154, 160,
    166, 172, 178, 184, 191, 197, 203, 209, 215, 221, 226, 234, 240, 246, 252, 258, 265};
inline constexpr std::array<int, 27> kCopyTopRight = {61,  67,  74,  80,  86,  92,  98,  104, 111,
                                                      117, 123, 129, 135, 141, 148, 154, 160, 166,
                                                      172, 178, 184, 191, 197, 203, 209, 215, 221};
inline constexpr int kCopyShiftX = 3;
inline constexpr int kCopyShiftY = 5;
inline constexpr int kLeftColumnX = 72;       // X of cell 4 on the form and, before the shift, on the copy
inline constexpr int kRightColumnX = 164;     // on the form
inline constexpr int kRightColumnCopyX = 161; // on the copy, before the shift

// The last box printed in a row: after it the form has preprinted zeros.
inline constexpr int lastCell(int row) {
    if (row >= 28 && row <= 33)
        return 5;
    if (row == 35 || row == 59)
        return 6;
    if (row == 48 || row == 58 || row == 61)
        return 7;
    return 9;
}

// The copy's top-left corner of the text of cell k in a row (1 to 61), shift included.
inline std::pair<int, int> copyCell(int row, int k) {
    const bool left = row <= 34;
    const int x = (left ? kLeftColumnX : kRightColumnCopyX) + kCopyShiftX + (k - 4) * kDigitPitch;
    const int y = (left ? kCopyTopLeft[static_cast<std::size_t>(row - 1)]
                        : kCopyTopRight[static_cast<std::size_t>(row - 35)]) +
                  kCopyShiftY;
    return {x, y};
}

// What each row carries, as the form captions it: the row letter or line number and the caption.
struct RowCaption {
    std::string_view number;
    std::string_view caption;
};
inline constexpr std::array<RowCaption, 61> kRowCaptions = {{
    {"ア", "営業等"},
    {"イ", "農業"},
    {"ウ", "不動産"},
    {"エ", "利子"},
    {"オ", "配当"},
    {"カ", "給与"},
    {"キ", "公的年金等"},
    {"ク", "その他"},
    {"ケ", "短期"},
    {"コ", "長期"},
    {"サ", "一時"},
    {"1", "営業等"},
    {"2", "農業"},
    {"3", "不動産"},
    {"4", "利子"},
    {"5", "配当"},
    {"6", "給与"},
    {"7", "雑"},
    {"8", "総合譲渡・一時"},
    {"9", "合計"},
    {"10", "雑損控除"},
    {"11", "医療費控除"},
    {"12", "社会保険料控除"},
    {"13", "小規模企業共済等掛金控除"},
    {"14", "生命保険料控除"},
    {"15", "損害保険料控除"},
    {"16", "寄附金控除"},
    {"17", "老年者、寡婦（寡夫）控除"},
    {"19", "勤労学生、障害者控除"},
    {"21", "配偶者控除"},
    {"22", "配偶者特別控除"},
    {"23", "扶養控除"},
    {"24", "基礎控除"},
    {"25", "合計"},
    {"26", "課税される所得金額"},
    {"27", "上の26に対する税額"},
    {"28", "配当控除"},
    {"29", ""},
    {"30", "住宅借入金等特別控除"},
    {"31", "政党等寄附金特別控除"},
    {"32", "差引所得税額"},
    {"33", "災害減免額、外国税額控除"},
    {"35", "再差引所得税額"},
    {"36", "定率減税額"},
    {"37", "源泉徴収税額"},
    {"38", "申告納税額"},
    {"39", "予定納税額"},
    {"40", "納める税金"},
    {"41", "還付される税金"},
    {"42", "配偶者の合計所得金額"},
    {"43", "専従者給与（控除）額の合計額"},
    {"44", "青色申告特別控除額"},
    {"45", "雑所得・一時所得等の源泉徴収税額"},
    {"46", "未納付の源泉徴収税額"},
    {"47", "本年分で差し引く繰越損失額"},
    {"48", "平均課税対象金額"},
    {"49", "変動・臨時所得金額"},
    {"50", "申告期限までに納付する金額"},
    {"51", "延納届出額"},
    {"52", "修正前の申告納税額"},
    {"53", "第３期分の税額の増加額"},
}};

} // namespace kakutei::page1
