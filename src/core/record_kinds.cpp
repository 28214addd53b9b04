#include "core/record_kinds.h"

#include <array>

namespace kakutei {
namespace {

using K = FieldKind;

void add(RecordSchema& schema, FieldKind kind, std::string caption) {
    schema.fields.push_back({kind, std::move(caption)});
}

// Rows of the income screen: the revenue of each class (ア to サ), then the income of lines 1 to 8.
constexpr std::array<const char*, 11> kRevenueClasses = {"営業等",
                                                         "農業",
                                                         "不動産",
                                                         "利子",
                                                         "配当",
                                                         "給与",
                                                         "雑（公的年金等）",
                                                         "雑（その他）",
                                                         "総合譲渡（短期）",
                                                         "総合譲渡（長期）",
                                                         "一時"};
constexpr std::array<const char*, 11> kRowLetters = {"ア", "イ", "ウ", "エ", "オ", "カ",
                                                     "キ", "ク", "ケ", "コ", "サ"};
constexpr std::array<const char*, 8> kIncomeLines = {"営業等", "農業", "不動産", "利子",
                                                     "配当",   "給与", "雑",     "総合譲渡・一時"};

RecordSchema incomeSchema() {
    RecordSchema schema{"所得金額の記録", {}};
    for (std::size_t i = 0; i < kRevenueClasses.size(); ++i)
        add(schema, K::amount, std::string("収入金額 ") + kRowLetters[i] + " " + kRevenueClasses[i]);
    for (std::size_t i = 0; i < kIncomeLines.size(); ++i)
        add(schema, K::amount, "所得金額 " + std::to_string(i + 1) + " " + kIncomeLines[i]);
    add(schema, K::amount, "所得金額の合計（９）");
    return schema;
}

RecordSchema deductionSchema() {
    RecordSchema schema{"医療費控除 / 社会保険料等の記録", {}};
    for (const char* caption : {"損害の原因", "損害年月日", "損害を受けた資産の種類など", "予備"})
        add(schema, K::text, caption);
    for (int i = 1; i <= 3; ++i)
        add(schema, K::text, "社会保険の種類 " + std::to_string(i) + " 行目");
    for (int i = 1; i <= 3; ++i)
        add(schema, K::text, "掛金の種類 " + std::to_string(i) + " 行目");
    for (const char* caption : {"寄付先の所在地", "寄付先の名称", "個人年金保険料計"})
        add(schema, K::text, caption);
    for (const char* caption :
         {"損害金額", "保険金などで補てんされる金額（雑損控除）", "差引損失額のうち災害関連支出の金額"})
        add(schema, K::int32, caption);
    for (int i = 1; i <= 3; ++i)
        add(schema, K::int32, "支払保険料 " + std::to_string(i) + " 行目");
    add(schema, K::int32, "社会保険料控除");
    for (int i = 1; i <= 3; ++i)
        add(schema, K::int32, "支払掛金 " + std::to_string(i) + " 行目");
    for (const char* caption : {"小規模企業共済等掛金控除", "一般の保険料の計", "個人年金保険料計",
                                "長期保険料の計", "短期保険料の計", "寄付金", "特定の寄付金", "支払医療費",
                                "保険金などで補てんされる金額（医療費控除）", "所得金額", "雑損控除",
                                "医療費控除", "生命保険料控除", "損害保険料控除", "寄付金控除"})
        add(schema, K::int32, caption);
    return schema;
}

RecordSchema personalDeductionSchema() {
    RecordSchema schema{"障害者・配偶者・扶養家族の記録", {}};
    for (const char* caption : {"障害者控除の氏名", "配偶者の氏名", "配偶者の生年月日"})
        add(schema, K::text, caption);
    for (int i = 1; i <= 4; ++i) {
        const std::string who = "扶養親族 " + std::to_string(i) + " の";
        for (const char* item : {"氏名", "続柄", "生年月日"})
            add(schema, K::text, who + item);
    }
    for (int i = 1; i <= 3; ++i) {
        const std::string who = "専従者 " + std::to_string(i) + " の";
        for (const char* item : {"氏名", "生年月日", "続柄", "従事月数", "程度仕事の内容"})
            add(schema, K::text, who + item);
    }
    for (const char* caption : {"特例適用条文等", "本人控除の種類", "寡婦の理由", "勤労学生・障害者の種類",
                                "学校名", "配偶者の生年月日の元号"})
        add(schema, K::text, caption);
    for (int i = 1; i <= 4; ++i)
        add(schema, K::text, "扶養親族 " + std::to_string(i) + " の生年月日の元号");
    for (int i = 1; i <= 3; ++i)
        add(schema, K::text, "専従者 " + std::to_string(i) + " の生年月日の元号");
    for (const char* caption :
         {"障害者控除の前の括弧", "障害者控除の後の括弧", "配偶者控除の印", "配偶者特別控除の印"})
        add(schema, K::text, caption);
    for (int i = 1; i <= 4; ++i)
        add(schema, K::int32, "扶養親族 " + std::to_string(i) + " の控除額");
    add(schema, K::int32, "扶養控除の合計額");
    for (int i = 1; i <= 3; ++i)
        add(schema, K::int32, "専従者 " + std::to_string(i) + " の専従者給与額");
    for (const char* caption : {"専従者給与の合計額", "老年者・寡婦控除の額", "勤労学生・障害者控除の額",
                                "配偶者の給与収入額", "配偶者の給与控除後の額", "配偶者のその他の所得",
                                "配偶者の合計所得", "配偶者控除の額", "配偶者特別控除の額"})
        add(schema, K::int32, caption);
    return schema;
}

RecordSchema breakdownSchema() {
    RecordSchema schema{"所得の内訳の記録", {}};
    for (int r = 1; r <= 6; ++r) {
        const std::string row = "所得の内訳 " + std::to_string(r) + " 行目の";
        for (const char* item : {"種類", "所得の生ずる場所（１行目）", "所得の生ずる場所（２行目）"})
            add(schema, K::text, row + item);
    }
    for (int d = 1; d <= 4; ++d) {
        const std::string row = "配当所得等に関する事項 " + std::to_string(d) + " 行目の";
        for (const char* item : {"種類", "所得の生ずる場所（１行目）", "所得の生ずる場所（２行目）"})
            add(schema, K::text, row + item);
    }
    for (int i = 31; i <= 40; ++i)
        add(schema, K::text, "予備");
    for (int r = 1; r <= 6; ++r) {
        const std::string row = "所得の内訳 " + std::to_string(r) + " 行目の";
        add(schema, K::int32, row + "収入金額");
        add(schema, K::int32, row + "源泉徴収税額");
    }
    add(schema, K::int32, "源泉徴収税額の合計");
    for (int d = 1; d <= 4; ++d) {
        const std::string row = "配当所得等に関する事項 " + std::to_string(d) + " 行目の";
        for (const char* item : {"収入金額", "必要経費等", "差引金額"})
            add(schema, K::int32, row + item);
    }
    return schema;
}

RecordSchema taxComputationSchema() {
    // Lines 10 to 53 of the return in the order the record keeps them.
    static constexpr std::pair<int, const char*> kLines[] = {
        {10, "雑損控除"},
        {11, "医療費控除"},
        {12, "社会保険料控除"},
        {13, "小規模企業共済等掛金控除"},
        {14, "生命保険料控除"},
        {15, "損害保険料控除"},
        {16, "寄付金控除"},
        {17, "老年者・寡婦（夫）控除"},
        {19, "勤労学生、障害者控除"},
        {21, "配偶者控除"},
        {22, "配偶者特別控除"},
        {23, "扶養控除"},
        {24, "基礎控除"},
        {25, "所得控除の合計"},
        {26, "課税所得金額"},
        {27, "上に対する税額"},
        {28, "配当控除"},
        {29, "２９欄の税額控除"},
        {30, "住宅借入金等控除"},
        {31, "政党等寄付金控除"},
        {32, "差引所得税額"},
        {33, "災害減免額・外国税額控除"},
        {35, "再差引所得税額"},
        {36, "定率減税額"},
        {37, "源泉徴収税額"},
        {38, "申告納税額"},
        {39, "予定納税額"},
        {40, "納める税金"},
        {41, "還付される税金"},
        {42, "配偶者の合計所得金額"},
        {43, "専従者給与の合計額"},
        {44, "青色申告特別控除額"},
        {45, "雑所得・一時所得等の源泉徴収税額"},
        {46, "未納付の源泉徴収税額"},
        {47, "本年分で差し引く繰越損失額"},
        {48, "平均課税対象金額"},
        {49, "変動・臨時所得金額"},
        {50, "申告期限までに納付する金額"},
        {51, "延納届出額"},
        {52, "修正申告の納税額"},
        {53, "修正申告の第３期分の税額"},
    };
    RecordSchema schema{"税額の計算の記録", {}};
    for (const auto& [line, caption] : kLines)
        add(schema, K::amount, std::string(caption) + "（" + std::to_string(line) + "）");
    return schema;
}

RecordSchema housingLoanSchema() {
    RecordSchema schema{"住宅借入金等控除の記録", {}};
    for (const char* caption :
         {"入居の年", "入居の月", "入居の日", "期末借入金残高", "H9.01.01～H10.12.31に入居の控除額",
          "H11.01.01～H13.06.30に入居の控除額", "H11.01.01～H11.03.31の経過措置選択の控除額",
          "H13.07.01～H15.12.31に入居の控除額"})
        add(schema, K::amount, caption);
    return schema;
}

RecordSchema taxpayerSchema() {
    RecordSchema schema{"個人の登録", {}};
    add(schema, K::int16, "個人コード");
    for (const char* caption : {"氏名", "本人の条件", "フリガナ", "住所", "住所（２行目）", "１月１日の住所"})
        add(schema, K::text, caption);
    for (const char* caption : {"生年月日（年）", "生年月日（月）", "生年月日（日）"})
        add(schema, K::int16, caption);
    for (const char* caption : {"性別", "世帯主の氏名", "続柄", "職業", "屋号", "電話番号", "税務署名",
                                "納税者番号", "支店", "銀行", "預金の種類", "口座番号", "郵便番号",
                                "郵便番号（下４桁）", "申告の種類", "生年月日（元号）"})
        add(schema, K::text, caption);
    return schema;
}

RecordSchema accountantSchema(std::string name, bool openEnded) {
    RecordSchema schema{std::move(name), {}, false, openEnded};
    for (const char* caption : {"税理士名", "税理士の住所", "税理士の電話番号"})
        add(schema, K::text, caption);
    return schema;
}

RecordSchema settingsSchema() {
    RecordSchema schema{"印刷要領", {}, false};
    add(schema, K::int16, "右側へ（mm）");
    add(schema, K::int16, "下方へ（mm）");
    return schema;
}

RecordSchema lockSchema() {
    RecordSchema schema{"使用中の印", {}, false};
    add(schema, K::text, "コンピューター");
    add(schema, K::text, "ユーザー");
    add(schema, K::amount, "プロセス");
    add(schema, K::amount, "時刻");
    add(schema, K::text, "印");
    return schema;
}

RecordSchema employeeSchema() {
    RecordSchema schema{"年末調整の個人データ", {}, false, true};
    add(schema, K::int16, "年末調整の個人コード");
    for (const char* caption : {"フリガナ", "氏名", "住所", "生年月日（元号）"})
        add(schema, K::text, caption);
    for (const char* caption : {"生年月日（年）", "生年月日（月）", "生年月日（日）"})
        add(schema, K::int16, caption);
    for (const char* caption :
         {"（使いません）", "特別障害者", "障害者", "老年者", "寡婦", "特別寡婦", "寡夫", "勤労学生"})
        add(schema, K::text, caption);
    return schema;
}

} // namespace

const RecordSchema& taxpayerRecordSchema() {
    static const RecordSchema schema = taxpayerSchema();
    return schema;
}

const RecordSchema& taxAccountantSchema() {
    static const RecordSchema schema = accountantSchema("税理士名", false);
    return schema;
}

const RecordSchema& yearEndTaxAccountantSchema() {
    static const RecordSchema schema = accountantSchema("年末調整の税理士名", true);
    return schema;
}

const RecordSchema& screenRecordSchema(int k) {
    static const std::array<RecordSchema, 6> schemas = {
        incomeSchema(),    deductionSchema(),      personalDeductionSchema(),
        breakdownSchema(), taxComputationSchema(), housingLoanSchema()};
    return schemas.at(static_cast<std::size_t>(k - 1));
}

const RecordSchema& printSettingsSchema() {
    static const RecordSchema schema = settingsSchema();
    return schema;
}

const RecordSchema& lockMarkSchema() {
    static const RecordSchema schema = lockSchema();
    return schema;
}

const RecordSchema& yearEndEmployeeSchema() {
    static const RecordSchema schema = employeeSchema();
    return schema;
}

} // namespace kakutei
