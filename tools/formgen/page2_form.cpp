// Page 2 (第二表) of the return, retained-copy edition, laid out under the copy positions of its entries.
#include "form_canvas.h"
#include "forms.h"

namespace formgen {
namespace {

void header(FormCanvas& c) {
    c.text(12, 13, "平成", 11, true);
    c.box(28.5, 14.2, 5, 5.2);
    c.box(33.5, 14.2, 5, 5.2);
    c.text(40, 13, "年分の所得税の確定申告書Ｂ", 11, true);
    c.text(172, 11, "第二表", 12, true);
    c.text(172, 18, "（控用）", 10, true);
    // Address block: entries at X 34, Y 43, 47, 53, 57, 60.
    c.box(12, 41, 90, 24, 0.3);
    c.line(32, 41, 32, 65);
    c.centred(12, 41, 20, 10, "住　所", 8, true);
    c.centred(12, 51, 20, 5, "屋号", 6.5, true);
    c.centred(12, 56, 20, 4, "フリガナ", 6, true);
    c.centred(12, 60, 20, 5, "氏　名", 8, true);
    c.line(12, 51, 102, 51, 0.1);
}

void withholding(FormCanvas& c) {
    // Entries: kind at 17, lines at 32 (Y 93 … 145), revenue right at 81, tax right at 101.
    c.text(12, 81, "○所得の内訳（所得税の源泉徴収税額）", 8, true);
    c.box(12, 86, 95, 63, 0.3);
    const double columns[] = {30, 66, 86};
    for (double x : columns)
        c.line(x, 86, x, 149);
    c.centred(12, 86, 18, 5, "所得の種類", 6, true);
    c.centred(30, 86, 36, 5, "種目・所得の生ずる場所", 6, true);
    c.centred(66, 86, 20, 5, "収入金額", 6, true);
    c.centred(86, 86, 21, 5, "源泉徴収税額", 6, true);
    const double rowTops[] = {91, 100.5, 110, 119.5, 129, 138.5, 149};
    for (double y : rowTops)
        c.line(12, y, 107, y, 0.15);
    c.text(40, 151, "源泉徴収税額の合計額", 7, true);
    c.box(86, 149.5, 21, 6, 0.3);
}

void familyEmployees(FormCanvas& c) {
    // Entries: name 25, birth 33, relationship 55, months and work 63, salary right at 102 (Y 174 … 216).
    c.text(12, 163, "○事業専従者に関する事項", 8, true);
    c.box(12, 168, 95, 54, 0.3);
    c.centred(12, 168, 40, 5, "専従者の氏名・生年月日", 6, true);
    c.centred(52, 168, 10, 5, "続柄", 6, true);
    c.centred(62, 168, 22, 5, "従事月数・程度・仕事の内容", 5, true);
    c.centred(84, 168, 23, 5, "専従者給与（控除）額", 5.5, true);
    for (double x : {52.0, 62.0, 84.0})
        c.line(x, 168, x, 214);
    for (double y : {173.0, 186.0, 198.0, 211.0, 214.0})
        c.line(12, y, 107, y, 0.15);
    c.text(62, 215.5, "計", 8, true);
    c.text(12, 229, "特例適用条文等", 7, true);
    c.box(48, 228, 59, 7);
}

void details(FormCanvas& c) {
    // Entries: kind 14, lines 27, revenue right at 65, expenses 84, net 105 (Y 253 … 276).
    c.text(12, 240, "○配当所得・雑所得（公的年金等以外）・総合課税の譲渡所得・一時所得に関する事項", 6.5,
           true);
    c.box(12, 246, 95, 35, 0.3);
    c.centred(12, 246, 13, 5, "所得の種類", 5.5, true);
    c.centred(25, 246, 22, 5, "種目・所得の生ずる場所", 5, true);
    c.centred(47, 246, 19, 5, "収入金額", 6, true);
    c.centred(66, 246, 19, 5, "必要経費等", 6, true);
    c.centred(85, 246, 22, 5, "差引金額", 6, true);
    for (double x : {25.0, 47.0, 66.0, 85.0})
        c.line(x, 246, x, 281);
    for (double y : {251.0, 261.0, 271.0, 281.0})
        c.line(12, y, 107, y, 0.15);
}

void deductions(FormCanvas& c) {
    c.text(110, 17, "○所得から差し引かれる金額に関する事項", 8, true);
    // ⑩ casualty: texts at 118 / 148 / 168 on Y 27, amounts right at 141 / 173 / 201 on Y 35.
    c.box(108, 22, 95, 19, 0.3);
    c.vertical(108, 22, 5, 19, "雑損控除", 6);
    c.text(114, 23, "損害の原因", 5.5, true);
    c.text(145, 23, "損害年月日", 5.5, true);
    c.text(165, 23, "損害を受けた資産の種類など", 5, true);
    c.line(113, 32, 203, 32, 0.15);
    c.text(114, 32.5, "損害金額", 5, true);
    c.text(143, 32.5, "保険金などで補填される金額", 4.5, true);
    c.text(175, 32.5, "差引損失額のうち災害関連支出", 4.5, true);
    // ⑪ medical: amounts right at 159 / 200 on Y 44.
    c.box(108, 41, 95, 8, 0.3);
    c.vertical(108, 41, 5, 8, "医療費", 5);
    c.text(114, 42, "支払医療費", 5.5, true);
    c.text(162, 42, "保険金などで補填", 5, true);
    // ⑫ social insurance and ⑬ mutual aid: kinds at 115 / 162, amounts right at 151 / 198, Y 60 … 84.
    c.box(108, 53, 95, 36, 0.3);
    c.line(155.5, 53, 155.5, 89);
    c.text(114, 54, "社会保険の種類　　支払保険料", 5.5, true);
    c.text(162, 54, "掛金の種類　　支払掛金", 5.5, true);
    for (double y : {58.5, 66.5, 74.5, 82.5})
        c.line(108, y, 203, y, 0.15);
    c.text(114, 84, "計", 7, true);
    c.text(162, 84, "計", 7, true);
    // ⑭ life and ⑮ non-life: right at 151 / 198 on Y 92 and 100.
    c.box(108, 89, 95, 16, 0.3);
    c.line(155.5, 89, 155.5, 105);
    c.text(110, 92, "一般の保険料", 5.5, true);
    c.text(110, 100, "個人年金保険料", 5.5, true);
    c.text(157, 92, "長期損害保険料", 5.5, true);
    c.text(157, 100, "短期損害保険料", 5.5, true);
    // ⑯ donations: texts at 115 on Y 110 / 115, amounts right at 198 on Y 108 / 116.
    c.box(108, 105, 95, 16, 0.3);
    c.text(110, 106, "寄附先の所在地・名称", 5.5, true);
    c.text(170, 108, "寄附金", 5.5, true);
    c.text(166, 116, "特定寄附金", 5.5, true);
}

void personal(FormCanvas& c) {
    // The ♪ marks land at 114/121, 136/117, 167/117, 136/122, 136/125, 149/122, 149/125, 172/140, 172/145.
    c.box(108, 116, 95, 12, 0.3);
    c.text(118, 121, "老年者", 6, true);
    c.text(140, 117, "寡婦（寡夫）", 6, true);
    c.text(171, 117, "勤労学生", 6, true);
    c.text(140, 122, "死別", 6, true);
    c.text(140, 125, "離婚", 6, true);
    c.text(153, 122, "生死不明", 6, true);
    c.text(153, 125, "未帰還", 6, true);
    c.text(110, 117, "本人", 6, true);
    // Disabled persons at 136 / 137; spouse at 115 / 150, Y 145; dependents at 115 / 143 / 162, right at 198.
    c.box(108, 130, 95, 12, 0.3);
    c.text(110, 131, "障害者控除", 6, true);
    c.box(108, 142, 95, 10, 0.3);
    c.text(110, 142.5, "配偶者の氏名", 5.5, true);
    c.text(150, 142.5, "生年月日", 5.5, true);
    c.text(176, 140, "配偶者控除", 5.5, true);
    c.text(176, 145, "配偶者特別控除", 5.5, true);
    c.box(108, 152, 95, 40, 0.3);
    c.text(110, 152.5, "扶養親族の氏名", 5.5, true);
    c.text(142, 152.5, "続柄", 5.5, true);
    c.text(162, 152.5, "生年月日", 5.5, true);
    c.text(186, 152.5, "控除額（万円）", 5, true);
    for (double y : {156.0, 164.0, 172.0, 180.0, 186.0})
        c.line(108, y, 203, y, 0.15);
    c.text(160, 187, "扶養控除額の合計", 6, true);
}

void accountant(FormCanvas& c) {
    // The accountant's name and telephone at 137 on Y 269 and 275.
    c.box(108, 262, 95, 20, 0.3);
    c.text(110, 263, "税理士署名押印", 6.5, true);
    c.text(110, 275.5, "電話番号", 6.5, true);
    c.text(195, 268, "印", 8, true);
}

} // namespace

QImage drawPage2Form() {
    FormCanvas c;
    header(c);
    withholding(c);
    familyEmployees(c);
    details(c);
    deductions(c);
    personal(c);
    accountant(c);
    return c.finish();
}

} // namespace formgen
