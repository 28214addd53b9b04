#include "checks/return_checks.h"

#include "checks/era_date.h"
#include "core/amount_text.h"
#include "core/record.h"
#include "core/store_error.h"
#include "core/taxpayer_record.h"
#include "core/utf8.h"
#include "deductions/deductions_screen.h"
#include "deductions/personal_deductions_screen.h"
#include "income/income_rules.h"
#include "income/income_screen.h"
#include "registry/registration_screen.h"
#include "tax/tax_computation_screen.h"

#include <algorithm>
#include <optional>

namespace kakutei {
namespace {

constexpr int kTaxYear = 2004; // 平成16年: ages are taken at its last day
constexpr CalendarDate kYearEnd{kTaxYear, 12, 31};
constexpr double kElderlyIncomeLimit = 10'000'000; // 老年者控除, 配偶者特別控除
constexpr double kStudentIncomeLimit = 650'000;    // 勤労学生控除
constexpr double kSpouseIncomeLimit = 380'000;
constexpr double kSpecialSpouseIncomeEnd = 760'000;
constexpr double kSpouseDeduction = 380'000;
constexpr double kElderlySpouseDeduction = 480'000; // 老人控除対象配偶者, 70 and over

// The personal deductions record, numbered as in its file. Amounts stay as read: a damaged file may hold
// any number, and comparing it does no harm where converting it could.
struct PersonalRecord {
    RecordValues values;
    const std::string& text(int field) const { return values.texts.at(static_cast<std::size_t>(field - 1)); }
    double amount(int field) const { return values.numbers.at(static_cast<std::size_t>(field - 48)); }
};

// "52,300円"; unlike a box, a sentence says "0円" rather than nothing.
std::string yen(double amount) {
    return (amount == 0 ? std::string("0") : formatAmount(amount)) + "円";
}

// Names compare without the spaces people put between family and given name, or leave out.
std::string withoutSpaces(std::string_view name) {
    std::string plain;
    for (char c : toHalfWidthAscii(name))
        if (c != ' ')
            plain += c;
    return plain;
}

class Checker {
public:
    explicit Checker(const StoredReturn& stored) : stored_(stored) {}

    ReturnChecks run();

private:
    std::optional<RecordValues> screenRecord(int k) const;
    void warn(std::string_view screen, std::string line, std::string message) {
        result_.warnings.push_back({std::string(screen), std::move(line), std::move(message)});
    }
    void warnPersonal(std::string line, std::string message) {
        warn(personal_deductions::kCaption, std::move(line), std::move(message));
    }
    void warnRegistration(std::string line, std::string message) {
        warn(registration::kCaption, std::move(line), std::move(message));
    }

    void checkRegistration();
    void checkRefundAccount();
    void checkIncome(const RecordValues& income);
    void checkNeverNegative();
    void checkSelfDeduction();
    void checkSpouse();
    void checkDependents();
    // The family employee rows that are paid, by their names without spaces.
    std::vector<std::pair<int, std::string>> paidEmployees() const;

    const StoredReturn& stored_;
    ReturnChecks result_;
    TaxpayerRecord taxpayer_;
    std::optional<CalendarDate> birth_;      // the taxpayer's, when registered as a real day
    std::optional<double> totalIncome_;      // line 9
    std::optional<PersonalRecord> personal_; // screen file 3
    std::optional<double> refund_;           // line 41
};

std::optional<RecordValues> Checker::screenRecord(int k) const {
    // Missing is an empty screen and unreadable is already reported: neither has anything to check.
    const StoredRecord& record = stored_.record(k);
    if (record.check.state != StoredState::readable)
        return std::nullopt;
    return record.values;
}

ReturnChecks Checker::run() {
    const TaxpayerRead& registered = stored_.taxpayer;
    if (!registered.registered())
        result_.unreadable.push_back({stored_.taxpayerPath, missingFile()});
    for (UnreadableRecord& record : stored_.unreadableFiles())
        result_.unreadable.push_back(std::move(record));
    if (const auto income = screenRecord(1)) {
        totalIncome_ = income->numbers.at(19);
        checkIncome(*income);
    }
    if (auto personal = screenRecord(3))
        personal_ = PersonalRecord{std::move(*personal)};
    if (const auto tax = screenRecord(5))
        refund_ = tax->numbers.at(28);

    if (registered.readable()) {
        taxpayer_ = registered.record;
        checkRegistration();
        checkRefundAccount();
    }
    checkNeverNegative();
    if (personal_) {
        checkSelfDeduction();
        checkSpouse();
        checkDependents();
    }
    return std::move(result_);
}

void Checker::checkRegistration() {
    if (withoutSpaces(taxpayer_.taxOffice).empty())
        warnRegistration(std::string(registration::kTaxOffice), "税務署名がありません。");

    const TaxpayerRecord& r = taxpayer_;
    // The registration stores 1 for a box that does not read as a number, so 1.1.1 is an empty date.
    const bool empty =
        withoutSpaces(r.birthEra).empty() || (r.birthYear == 1 && r.birthMonth == 1 && r.birthDay == 1);
    birth_ = eraDate(r.birthEra, r.birthYear, r.birthMonth, r.birthDay);
    if (empty) {
        birth_.reset();
        warnRegistration("生年月日", "生年月日（元号と年月日）がありません。");
    } else if (!birth_ || *birth_ > kYearEnd) {
        birth_.reset();
        warnRegistration("生年月日", eraDateText(r.birthEra, r.birthYear, r.birthMonth, r.birthDay) +
                                         "という日はありません。");
    }
    if (r.condition == "老年者" && birth_ && ageAtYearEnd(*birth_, kTaxYear) < 65)
        warnRegistration("本人の条件", "「老年者」ですが、平成16年12月31日の年齢は" +
                                           std::to_string(ageAtYearEnd(*birth_, kTaxYear)) +
                                           "歳です。老年者は65歳以上の人です。");
}

// A revenue whose income line was left at 0: typed without 自動計算, or with the income forgotten. The
// pension's income is always worked out, and a salary or transfer small enough to give none is no fault.
void Checker::checkIncome(const RecordValues& income) {
    namespace is = income_screen;
    const auto revenue = [&](int row) { return income.numbers.at(static_cast<std::size_t>(row)); };
    const auto line = [&](int number) { return income.numbers.at(static_cast<std::size_t>(10 + number)); };
    const auto warnRow = [&](int row, int number, double amount) {
        warn(is::kCaption,
             std::string(is::kRowLetters[static_cast<std::size_t>(row)]) + " " +
                 std::string(is::kClassCaptions[static_cast<std::size_t>(row)]),
             "収入金額等が" + yen(amount) + "ありますが、所得金額（" + std::to_string(number) +
                 "）が0円です。「自動計算」か所得金額の入力を確かめて下さい。");
    };
    for (int row = 0; row <= is::kSalaryRow; ++row) {
        const int number = row + 1;
        const bool gives =
            row == is::kSalaryRow ? salaryIncomeFromRevenue(revenue(row)) > 0 : revenue(row) > 0;
        if (gives && line(number) == 0)
            warnRow(row, number, revenue(row));
    }
    const double parts[] = {revenue(is::kShortTermRow), revenue(is::kLongTermRow),
                            revenue(is::kOccasionalRow)};
    if (line(8) == 0 && transferOccasionalIncome(parts[0], parts[1], parts[2]) > 0)
        for (int row = is::kShortTermRow; row <= is::kOccasionalRow; ++row)
            if (revenue(row) != 0) {
                warnRow(row, 8, revenue(row));
                break;
            }
}

// Deductions, credits, withholding and prepayments are never below 0: the calculation takes a negative one
// as 0, and this names where it is stored so that it can be put right.
void Checker::checkNeverNegative() {
    // Each screen's file with the fields it stores of such lines, as numbered in the record (texts first).
    struct Stored {
        int field;
        std::string_view line;
        std::string_view unit = "円";
    };
    struct ScreenFile {
        int k;
        std::string_view screen;
        std::vector<Stored> fields;
    };
    static const ScreenFile kNeverNegative[] = {
        {2,
         deductions1::kCaption,
         {{34, "10 雑損控除"},
          {35, "11 医療費控除"},
          {20, "12 社会保険料控除"},
          {24, "13 小規模企業共済等掛金控除"},
          {36, "14 生命保険料控除"},
          {37, "15 損害保険料控除"},
          {38, "16 寄付金控除"}}},
        {3,
         personal_deductions::kCaption,
         {{57, "17・18 老年者・寡婦（寡夫）控除"},
          {58, "19・20 勤労学生・障害者控除"},
          {63, "21 配偶者控除"},
          {64, "22 配偶者特別控除"},
          {52, "23 扶養控除", "万円"}}},
        {5,
         tax_computation::kCaption,
         {{17, "28 配当控除"},
          {18, "29"},
          {19, "30 住宅借入金等特別控除"},
          {20, "31 政党等寄附金特別控除"},
          {22, "33 災害減免額 外国税額控除"},
          {25, "37 源泉徴収税額"},
          {27, "39 予定納税額"}}},
    };
    for (const ScreenFile& file : kNeverNegative) {
        const auto record = screenRecord(file.k);
        if (!record)
            continue;
        for (const Stored& stored : file.fields) {
            const std::size_t at = static_cast<std::size_t>(stored.field - 1) - record->texts.size();
            if (at >= record->numbers.size() || !(record->numbers[at] < 0))
                continue;
            warn(file.screen, std::string(stored.line),
                 formatAmount(record->numbers[at]) + std::string(stored.unit) +
                     "です。0円未満にはならないため、計算では0円とします。入力を確かめて下さい。");
        }
    }
}

void Checker::checkRefundAccount() {
    if (!refund_ || *refund_ <= 0)
        return;
    std::vector<std::string> missing;
    if (withoutSpaces(taxpayer_.bankName).empty())
        missing.emplace_back("銀行名");
    if (withoutSpaces(taxpayer_.accountNumber).empty())
        missing.emplace_back("口座番号");
    if (missing.empty())
        return;
    std::string what = missing.front();
    if (missing.size() > 1)
        what += "と" + missing.back();
    warnRegistration("還付される税金の受取場所", "還付される税金（41）が" + yen(*refund_) +
                                                     "ありますが、振込先の" + what + "がありません。");
}

void Checker::checkSelfDeduction() {
    const PersonalRecord& p = *personal_;
    static const std::string kElderlyLine = "本人控除（老年者控除）";
    if (p.text(32) == "老年者" && p.amount(57) > 0) {
        if (totalIncome_ && *totalIncome_ > kElderlyIncomeLimit)
            warnPersonal(kElderlyLine, "合計所得金額（9）が" + yen(*totalIncome_) +
                                           "で1,000万円を超えるため、老年者控除は受けられません。");
        // A registration as 老年者 is already named where it is made; this is a record made before it
        // changed.
        if (taxpayer_.condition != "老年者" && birth_ && ageAtYearEnd(*birth_, kTaxYear) < 65)
            warnPersonal(kElderlyLine, "平成16年12月31日の年齢は" +
                                           std::to_string(ageAtYearEnd(*birth_, kTaxYear)) +
                                           "歳です。老年者控除は65歳以上の人に限られます。");
    }
    if (p.text(34) == "勤労学生" && p.amount(58) > 0 && totalIncome_ && *totalIncome_ > kStudentIncomeLimit)
        warnPersonal("本人控除（勤労学生）", "合計所得金額（9）が" + yen(*totalIncome_) +
                                                 "で65万円を超えるため、勤労学生控除は受けられません。");
}

std::vector<std::pair<int, std::string>> Checker::paidEmployees() const {
    std::vector<std::pair<int, std::string>> paid;
    for (int i = 0; i < personal_deductions::kEmployees; ++i)
        if (personal_->amount(53 + i) > 0)
            paid.emplace_back(i, withoutSpaces(personal_->text(16 + 5 * i)));
    return paid;
}

void Checker::checkSpouse() {
    const PersonalRecord& p = *personal_;
    const double spouseIncome = p.amount(62);
    const double deduction = p.amount(63);
    const double special = p.amount(64);
    const std::string incomeText = "配偶者の合計所得（" + yen(spouseIncome) + "）";
    static const std::string kDeductionLine = "配偶者控除の額";
    static const std::string kSpecialLine = "配偶者特別控除";

    if (deduction > 0) {
        const auto spouseBirth = typedEraDate(p.text(36), p.text(3));
        const bool elderly = spouseBirth && ageAtYearEnd(*spouseBirth, kTaxYear) >= 70;
        if (spouseIncome > kSpouseIncomeLimit)
            warnPersonal(kDeductionLine, incomeText + "が38万円を超えるため、配偶者控除は受けられません。");
        else if (deduction != kSpouseDeduction && !(elderly && deduction == kElderlySpouseDeduction))
            warnPersonal(kDeductionLine, "配偶者控除の額が" + yen(deduction) +
                                             "です。配偶者控除は38万円（12月31日に70歳以上の配偶者は48万円）"
                                             "です。");
    }
    if (special > 0) {
        if (spouseIncome <= kSpouseIncomeLimit)
            warnPersonal(kSpecialLine, incomeText + "が38万円以下のため、配偶者特別控除は受けられません"
                                                    "（配偶者控除の対象です）。");
        else if (spouseIncome >= kSpecialSpouseIncomeEnd)
            warnPersonal(kSpecialLine, incomeText + "が76万円以上のため、配偶者特別控除は受けられません。");
        if (totalIncome_ && *totalIncome_ > kElderlyIncomeLimit)
            warnPersonal(kSpecialLine, "合計所得金額（9）が" + yen(*totalIncome_) +
                                           "で1,000万円を超えるため、配偶者特別控除は受けられません。");
    }
    if (deduction <= 0 && special <= 0)
        return;
    const std::string spouse = withoutSpaces(p.text(2));
    for (const auto& [row, name] : paidEmployees()) {
        const std::string relation = withoutSpaces(p.text(18 + 5 * row));
        if ((!spouse.empty() && name == spouse) || relation == "妻" || relation == "夫")
            warnPersonal(deduction > 0 ? kDeductionLine : kSpecialLine,
                         "配偶者は専従者に関する事項の" + std::to_string(row + 1) +
                             "行目で専従者給与を受けています。専従者は配偶者控除・配偶者特別控除の対象に"
                             "なりません。");
    }
}

void Checker::checkDependents() {
    const PersonalRecord& p = *personal_;
    const auto employees = paidEmployees();
    for (int i = 0; i < personal_deductions::kDependents; ++i) {
        const double amount = p.amount(48 + i); // units of 10,000 yen
        if (amount <= 0)
            continue;
        const std::string line = "扶養家族の明細 " + std::to_string(i + 1) + "行目";
        const std::string name = withoutSpaces(p.text(4 + 3 * i));
        const auto employee = std::find_if(employees.begin(), employees.end(),
                                           [&](const auto& paid) { return paid.second == name; });
        if (!name.empty() && employee != employees.end())
            warnPersonal(line,
                         "専従者に関する事項の" + std::to_string(employee->first + 1) +
                             "行目で専従者給与を受けている人です。専従者は扶養控除の対象になりません。");

        const auto birth = typedEraDate(p.text(37 + i), p.text(6 + 3 * i));
        if (!birth) {
            warnPersonal(line, "生年月日（年号と 13.01.31 の形の年月日）が読めないため、控除額" +
                                   formatAmount(amount) + "万円を確かめられません。");
            continue;
        }
        if (*birth > kYearEnd) {
            warnPersonal(line,
                         "平成16年12月31日より後に生まれた人は、平成16年分の扶養控除の対象になりません。");
            continue;
        }
        const int age = ageAtYearEnd(*birth, kTaxYear);
        std::string allowed;
        bool fits;
        if (age >= 16 && age <= 22) {
            allowed = "特定扶養親族の63万円";
            fits = amount == 63;
        } else if (age >= 70) {
            allowed = "老人扶養親族の48万円（同居老親等は58万円）";
            fits = amount == 48 || amount == 58;
        } else {
            allowed = "一般の扶養親族の38万円";
            fits = amount == 38;
        }
        if (!fits)
            warnPersonal(line, "平成16年12月31日の年齢は" + std::to_string(age) + "歳なので、控除額は" +
                                   allowed + "です（" + formatAmount(amount) + "万円になっています）。");
    }
}

} // namespace

ReturnChecks checkReturn(const StoredReturn& stored) {
    return Checker(stored).run();
}

ReturnChecks checkReturn(const DataStore& store, PersonCode code, std::string_view yearCode) {
    return checkReturn(readStoredReturn(store, code, yearCode));
}

std::string warningLine(const ReturnWarning& warning) {
    return warning.screen + " — " + warning.line + ": " + warning.message;
}

std::string checksText(const ReturnChecks& checks) {
    std::string text;
    for (const ReturnWarning& warning : checks.warnings)
        text += warningLine(warning) + "\n";
    for (const UnreadableRecord& record : checks.unreadable)
        text += unreadableLine(record) + "\n";
    return text;
}

} // namespace kakutei
