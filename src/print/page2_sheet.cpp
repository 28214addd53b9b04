// Page 2 (第二表) of the return, retained-copy edition, laid out under the copy positions of its entries:
// each comment names the entries a block holds, and the rules between rows and columns run where the longest
// entries leave room.
#include "print/form_sheet.h"

namespace kakutei {
namespace {

void header(FormSheet& c) {
    c.text(12, 13, "平成", 11, true);
    c.box(28.5, 14.2, 5, 5.2);
    c.box(33.5, 14.2, 5, 5.2);
    c.text(40, 13, "年分の所得税の確定申告書Ｂ", 11, true);
    c.text(172, 11, "第二表", 12, true);
    c.text(172, 18, "（控用）", 10, true);
    // Address block: entries at X 34; address Y 43 and 47, trade name 53, reading 57, name 61.
    c.box(12, 41, 90, 25, 0.3);
    c.line(32, 41, 32, 66);
    c.line(12, 51, 102, 51, 0.1);
    c.line(12, 56.8, 102, 56.8, 0.1);
    c.line(12, 60.6, 102, 60.6, 0.1);
    c.centred(12, 41, 20, 10, "住　所", 8, true);
    c.centred(12, 51, 20, 5.8, "屋号", 6.5, true);
    c.centred(12, 56.8, 20, 3.8, "フリガナ", 6, true);
    c.centred(12, 60.6, 20, 5.4, "氏　名", 8, true);
}

void withholding(FormSheet& c) {
    // Kind at 17, the two lines at 32 (Y 93 … 145), revenue right at 81, tax right at 101: a nine-digit
    // revenue and an eight-digit tax with their separators.
    c.text(12, 81, "○所得の内訳（所得税の源泉徴収税額）", 8, true);
    c.box(12, 86, 95, 63.5, 0.3);
    const double columns[] = {30.3, 63.3, 85.2};
    for (double x : columns)
        c.line(x, 86, x, 149.5);
    c.line(12, 91, 107, 91, 0.15);
    c.centred(12, 86, 18.3, 5, "所得の種類", 6, true);
    c.centred(30.3, 86, 33, 5, "種目・所得の生ずる場所", 6, true);
    c.centred(63.3, 86, 21.9, 5, "収入金額", 6, true);
    c.centred(85.2, 86, 21.8, 5, "源泉徴収税額", 6, true);
    for (double y : {101.45, 111.45, 120.94, 130.45, 139.45})
        c.line(12, y, 107, y, 0.1);
    c.text(40, 151, "源泉徴収税額の合計額", 7, true);
    c.box(85.2, 149.5, 21.8, 6, 0.3);
}

void familyEmployees(FormSheet& c) {
    // Name 25, birth 33, relationship 55, months and work 63, salary right at 102 (Y 174 … 209), the total
    // right at 102 on Y 216.
    c.text(12, 163, "○事業専従者に関する事項", 8, true);
    c.box(12, 168, 95, 54, 0.3);
    c.centred(12, 168, 41.6, 5, "専従者の氏名・生年月日", 6, true);
    c.centred(53.6, 168, 9.28, 5, "続柄", 6, true);
    c.centred(62.88, 168, 21.5, 5, "従事月数・程度・仕事の内容", 5, true);
    c.centred(84.4, 168, 22.6, 5, "専従者給与（控除）額", 5, true);
    for (double x : {53.6, 62.88, 84.4})
        c.line(x, 168, x, 211, x == 62.88 ? 0.1 : 0.2);
    c.line(12, 173, 107, 173, 0.15);
    for (double y : {186.4, 198.4})
        c.line(12, y, 107, y, 0.1);
    c.line(12, 211, 107, 211, 0.15);
    c.text(70, 216.5, "計", 8, true);
    c.line(84.4, 211, 84.4, 222);
    c.text(12, 229, "特例適用条文等", 7, true);
    c.box(48, 228, 59, 7);
}

void details(FormSheet& c) {
    // Kind 14, the two lines 27, revenue right at 65, expenses 83, net 103 (Y 253 … 279): seven-digit amounts
    // with their separators, the net with its minus sign.
    c.text(12, 240, "○配当所得・雑所得（公的年金等以外）・総合課税の譲渡所得・一時所得に関する事項", 6.5,
           true);
    c.box(12, 246, 95.4, 35, 0.3);
    c.centred(12, 246, 14.3, 5, "所得の種類", 5.5, true);
    c.centred(26.3, 246, 24.55, 5, "種目・所得の生ずる場所", 5, true);
    c.centred(50.85, 246, 18.3, 5, "収入金額", 6, true);
    c.centred(69.15, 246, 18.03, 5, "必要経費等", 6, true);
    c.centred(87.18, 246, 20.22, 5, "差引金額", 6, true);
    for (double x : {26.3, 50.85, 69.15, 87.18})
        c.line(x, 246, x, 281);
    c.line(12, 251, 107.4, 251, 0.15);
    for (double y : {261.45, 271.45})
        c.line(12, y, 107.4, y, 0.1);
}

void deductions(FormSheet& c) {
    c.text(110, 17, "○所得から差し引かれる金額に関する事項", 8, true);
    // ⑩ casualty: texts at 118 / 148 / 168 on Y 27, amounts right at 141 / 173 / 198 on Y 35.
    c.box(108, 22, 95, 19, 0.3);
    c.vertical(108, 22, 5, 19, "雑損控除", 6);
    c.line(113, 22, 113, 41);
    c.text(114, 23, "損害の原因", 5.5, true);
    c.text(148, 23, "損害年月日", 5.5, true);
    c.text(168, 23, "損害を受けた資産の種類など", 5, true);
    c.line(146.6, 22, 146.6, 32, 0.1);
    c.line(165.8, 22, 165.8, 32, 0.1);
    c.line(113, 32, 203, 32, 0.15);
    c.text(114, 32.5, "損害金額", 5, true);
    c.text(148, 32.5, "保険金などで補填される金額", 4.5, true);
    c.text(178, 32.5, "差引損失額のうち災害関連支出", 4.5, true);
    // ⑪ medical: amounts right at 159 / 198 on Y 44.
    c.box(108, 41, 95, 8, 0.3);
    c.vertical(108, 41, 5, 8, "医療費", 5);
    c.line(113, 41, 113, 49);
    c.text(114, 41.8, "支払医療費", 5.5, true);
    c.text(166, 41.8, "保険金などで補填", 5, true);
    // ⑫ social insurance and ⑬ mutual aid: kinds at 115 / 162, amounts right at 153 / 198, Y 60 … 84.
    c.box(108, 53, 95, 36, 0.3);
    c.line(157.4, 53, 157.4, 89);
    c.text(114, 54, "社会保険の種類　　支払保険料", 5.5, true);
    c.text(162, 54, "掛金の種類　　支払掛金", 5.5, true);
    for (double y : {58.5, 66.5, 74.5, 82.5})
        c.line(108, y, 203, y, 0.15);
    c.text(110, 84.5, "計", 7, true);
    c.text(159, 84.5, "計", 7, true);
    // ⑭ life and ⑮ non-life: right at 151 / 198 on Y 92 and 100.
    c.box(108, 89, 95, 15.3, 0.3);
    c.line(155.5, 89, 155.5, 104.3);
    c.line(108, 96.6, 203, 96.6, 0.1);
    c.text(110, 92, "一般の保険料", 5.5, true);
    c.text(110, 100, "個人年金保険料", 5.5, true);
    c.text(157, 92, "長期損害保険料", 5.5, true);
    c.text(157, 100, "短期損害保険料", 5.5, true);
    // ⑯ donations: the recipient at 115 on Y 107 / 112, amounts right at 198 on Y 105 / 113.
    c.box(108, 104.3, 95, 12.64, 0.1);
    c.vertical(108, 104.3, 5, 12.64, "寄附金", 5);
    c.line(113, 104.3, 113, 116.94, 0.1);
    c.line(168, 104.3, 168, 116.94, 0.1);
    c.text(169, 105.8, "寄附金", 5.5, true);
    c.text(169, 113.8, "特定寄附金", 5.5, true);
}

void personal(FormSheet& c) {
    // 本人: the ♪ marks at 114/121, 136/117, 167/117, 136/122, 136/125, 149/122, 149/125, each left of its
    // caption, and the school at 170 on Y 126.
    // Hairlines above and below: the donations end and the marks begin within a tenth of a millimetre.
    c.box(108, 116.94, 95, 13.36, 0.1);
    c.text(109, 117.5, "本人", 6, true);
    c.text(118, 122, "老年者", 6, true);
    c.text(140, 118, "寡婦（寡夫）", 6, true);
    c.text(171, 118, "勤労学生", 6, true);
    c.text(140, 123, "死別", 6, true);
    c.text(140, 126, "離婚", 6, true);
    c.text(153, 123, "生死不明", 6, true);
    c.text(153, 126, "未帰還", 6, true);
    c.text(187, 122.6, "学校名", 5, true);
    // Disabled persons at 136 on Y 137; the spouse at 115 / 150 on Y 145 and the spouse marks at 172 on Y 140
    // and 145, beside their captions.
    c.box(108, 130.3, 95, 21.7, 0.3);
    c.text(110, 131, "障害者控除", 6, true);
    c.line(108, 141.2, 168, 141.2, 0.15);
    c.line(168, 130.3, 168, 152, 0.15);
    c.text(110, 141.6, "配偶者の氏名", 5.5, true);
    c.text(150, 141.6, "生年月日", 5.5, true);
    c.text(176, 141, "配偶者控除", 5.5, true);
    c.text(176, 146, "配偶者特別控除", 5.5, true);
    // Dependents: name 115, relationship 143, birth 162, deduction right at 198 (Y 157 … 181), total on Y
    // 187.
    c.box(108, 152, 95, 40, 0.3);
    c.text(110, 152.5, "扶養親族の氏名", 5.5, true);
    c.text(144, 152.5, "続柄", 5.5, true);
    c.text(162, 152.5, "生年月日", 5.5, true);
    c.text(186, 152.5, "控除額（万円）", 5, true);
    for (double x : {142.6, 160.2, 185.0})
        c.line(x, 152, x, 186, 0.1);
    for (double y : {156.0, 164.0, 172.0, 180.0, 186.0})
        c.line(108, y, 203, y, 0.15);
    c.text(160, 187.5, "扶養控除額の合計", 6, true);
}

void accountant(FormSheet& c) {
    // The accountant's name and telephone at 137 on Y 269 and 275.
    c.box(108, 262, 95, 20, 0.3);
    c.text(110, 263, "税理士署名押印", 6.5, true);
    c.text(110, 275.5, "電話番号", 6.5, true);
    c.text(195, 268, "印", 8, true);
}

} // namespace

FormSheet page2Sheet() {
    FormSheet c(kPage2ImageWidthMm, kImageHeightMm);
    header(c);
    withholding(c);
    familyEmployees(c);
    details(c);
    deductions(c);
    personal(c);
    accountant(c);
    return c;
}

} // namespace kakutei
