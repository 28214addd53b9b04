#include "deductions/personal_deductions_screen.h"

#include "core/amount_text.h"
#include "core/taxpayer_record.h"
#include "core/wide_result.h"
#include "deductions/deduction_rules.h"

#include <algorithm>
#include <vector>

namespace kakutei {

namespace pd = personal_deductions;

namespace {

constexpr int kIncomeRecord = 1;
constexpr int kPersonalRecord = 3;
constexpr int kIncomeTotalField = 20;
constexpr double kIncomeLimit = kOwnIncomeLimit; // above it: no 老年者控除 and no special spouse deduction
constexpr int kSpouseDeductionLine = 21;
constexpr int kSpecialSpouseDeductionLine = 22;
constexpr int kSpouseTotalIncomeLine = 42;

// The registered own condition (TaxpayerRecord field 3) and the option it calls up.
struct ConditionRow {
    std::string_view condition;
    pd::SelfOption option;
};
constexpr ConditionRow kConditions[] = {
    {"老年者", pd::elderly},
    {"寡婦", pd::widow},
    {"寡夫", pd::widow},
    {"該当なし", pd::none},
    {"特別寡婦", pd::specialWidow},
    {"勤労学生", pd::student},
    {"障害者", pd::disabled},
    {"特別障害者", pd::speciallyDisabled},
};

bool inFirstSlot(pd::SelfOption option) {
    return option == pd::elderly || option == pd::widow || option == pd::specialWidow || option == pd::none;
}

} // namespace

PersonalDeductionsScreen::PersonalDeductionsScreen(DataStore& store, UserInterface& ui, ScreenHost& host)
    : DataScreen(store, ui), selfOptions(makeOptions(pd::kSelfCaptions)),
      causeOptions(makeOptions(pd::kCauses)), host_(host) {
    for (Field* era : {&spouseEra, &dependents[0].era, &dependents[1].era, &dependents[2].era,
                       &dependents[3].era, &employees[0].era, &employees[1].era, &employees[2].era})
        era->text = pd::kEraPlaceholder;
}

void PersonalDeductionsScreen::selectSelf(std::size_t option) {
    if (!selfOptions[option].on)
        applySelfRule(option);
}

void PersonalDeductionsScreen::selectCause(std::size_t cause) {
    if (causeOptions[cause].on)
        return;
    switchOff(causeOptions);
    causeOptions[cause].on = true;
    text(33) = pd::kCauses[cause];
}

void PersonalDeductionsScreen::applySelfRule(std::size_t option) {
    switchOff(selfOptions);
    selfOptions[option].on = true;
    switch (option) {
    case pd::widow:
    case pd::specialWidow:
        // The cause of widowhood stays: it belongs to these two.
        text(32) = option == pd::widow ? "寡婦" : "特別寡婦";
        text(34).clear();
        return;
    case pd::elderly:
    case pd::none:
        text(32) = option == pd::elderly ? "老年者" : "該当なし";
        break;
    default:
        text(32).clear();
        text(34) = pd::kSelfCaptions[option];
        break;
    }
    if (option == pd::elderly || option == pd::none)
        text(34).clear();
    text(33).clear();
    switchOff(causeOptions);
}

void PersonalDeductionsScreen::setSelfAmounts(std::int32_t elderlyOrWidow, std::int32_t studentOrDisability) {
    amount(57) = elderlyOrWidow;
    amount(58) = studentOrDisability;
}

void PersonalDeductionsScreen::setSelfAmounts(std::string_view kind, pd::SelfOption option) {
    // A kind of the first slot leaves the second slot's amount at 0, and the other way round.
    if (inFirstSlot(option))
        setSelfAmounts(elderlyOrWidowDeduction(kind, readAmount(totalIncome.text), nullptr), 0);
    else
        setSelfAmounts(0, studentOrDisabilityDeduction(kind));
}

void PersonalDeductionsScreen::applySelfSlots() {
    // The slots as the record holds them; each test reads them as the rules before it left them.
    struct SlotTest {
        int field; // 32 SelfKind, 34 StudentDisabilityKind
        ConditionRow row;
    };
    static constexpr SlotTest kSelfKindTests[] = {
        {32, {"老年者", pd::elderly}},
        {32, {"寡婦", pd::widow}},
        {32, {"該当なし", pd::none}},
        {32, {"特別寡婦", pd::specialWidow}},
    };
    static constexpr SlotTest kStudentTests[] = {
        {34, {"勤労学生", pd::student}},
        {34, {"障害者", pd::disabled}},
        {34, {"特別障害者", pd::speciallyDisabled}},
    };
    const auto run = [this](const SlotTest& test) {
        if (text(test.field) == test.row.condition) {
            selectSelf(test.row.option);
            setSelfAmounts(test.row.condition, test.row.option);
        }
    };
    for (const SlotTest& test : kSelfKindTests)
        run(test);
    for (std::size_t cause = 0; cause < pd::kCauses.size(); ++cause)
        if (widowCause() == pd::kCauses[cause])
            selectCause(cause);
    for (const SlotTest& test : kStudentTests)
        run(test);
}

bool PersonalDeductionsScreen::readTotalIncome(std::string_view yearCode, Colour colour) {
    if (!fileCode())
        return false;
    setWorkingYearCode(std::string(yearCode));
    const StoredRecord income = readScreenRecord(kIncomeRecord);
    // Without an income record the income is unknown: an empty field, never the previous taxpayer's.
    totalIncome = {income.readable() ? formatAmount(income.values.numbers.at(kIncomeTotalField - 1))
                                     : std::string(),
                   colour};
    return true;
}

void PersonalDeductionsScreen::elderlyJudgement() {
    nenGO();
    if (!readTotalIncome(text100.text, colours::black))
        return;
    const TaxpayerRead registered = readTaxpayerRecord(store(), *personCode());
    if (!registered.readable())
        return;
    // Read wide: an income beyond 32 bits must not count as 0 and pass the limit.
    const double income = readAmount(totalIncome.text);
    std::size_t kept;
    if (registered.record.condition == "老年者" && income <= kIncomeLimit) {
        text(32) = "老年者";
        selectSelf(pd::elderly);
        selfOptions[pd::none].on = false;
        kept = pd::elderly;
    } else {
        text(32).clear();
        selfOptions[pd::elderly].on = false;
        selectSelf(pd::none);
        kept = pd::none;
    }
    text(33).clear();
    text(34).clear();
    for (std::size_t i = 0; i < selfOptions.size(); ++i)
        if (i != kept)
            selfOptions[i].on = false;
    switchOff(causeOptions);
}

void PersonalDeductionsScreen::judgeElderlySlot() {
    const TaxpayerRead registered = readTaxpayerRecord(store(), *personCode());
    if (!claimsElderly(text(32), text(34),
                       registered.readable() ? registered.record.condition : std::string()))
        return;
    // Read wide: an income beyond 32 bits must not count as 0 and pass the limit. Above it the slot is left
    // empty, not 該当なし, so that the registration is judged again once the income is within it.
    if (readAmount(totalIncome.text) <= kIncomeLimit) {
        text(32) = "老年者";
        return;
    }
    text(32).clear();
    amount(57) = 0;
    switchOff(selfOptions);
    selfOptions[pd::none].on = true;
}

void PersonalDeductionsScreen::selfConditionCallUp() {
    const auto code = personCode();
    if (!code)
        return;
    const TaxpayerRead registered = readTaxpayerRecord(store(), *code);
    if (!registered.readable())
        return;
    for (const ConditionRow& row : kConditions) {
        if (registered.record.condition == row.condition) {
            // The income limit of 老年者控除 holds here too: above it the judgement's 該当なし stands.
            if (row.option == pd::elderly && readAmount(totalIncome.text) > kIncomeLimit)
                return;
            selectSelf(row.option);
            setSelfAmounts(row.condition, row.option);
            return;
        }
    }
}

void PersonalDeductionsScreen::calculateSpouse() {
    const std::int32_t revenue = readIntegerAmount(spouseSalaryRevenue.text);
    spouseSalaryRevenue.text = formatAmount(revenue);
    spouseSalaryIncome.text = formatAmount(kakutei::spouseSalaryIncome(revenue));
    const std::int64_t salary = readIntegerAmount(spouseSalaryIncome.text);
    const std::int64_t other = readIntegerAmount(spouseOtherIncome.text);
    WideResults results;
    const std::int32_t total = results.fit(
        static_cast<std::int64_t>(sumOf({static_cast<double>(salary), static_cast<double>(other)})),
        "合計所得");
    if (!results.ok()) {
        results.report(ui());
        return;
    }
    spouseSalaryIncome.text = formatAmount(salary);
    spouseOtherIncome.text = formatAmount(other);
    spouseTotalIncome.text = formatAmount(total);

    const double ownIncome = readAmount(totalIncome.text);
    const std::int64_t deduction = kakutei::specialSpouseDeduction(total, ownIncome, nullptr);
    // Above the income limit the box stays empty rather than showing a 0 the user might take for a figure.
    specialSpouseDeduction.text = ownIncome > kOwnIncomeLimit ? std::string() : formatAmount(deduction);
    host_.setTaxComputationLines({id(), heldCode()},
                                 {{kSpouseTotalIncomeLine, Field{spouseTotalIncome.text}},
                                  {kSpouseDeductionLine, Field{}},
                                  {kSpecialSpouseDeductionLine, Field{formatAmount(deduction)}}});
}

void PersonalDeductionsScreen::fillSpouseDeduction() {
    spouseDeduction.text = "380000";
}

void PersonalDeductionsScreen::toggleSpecialDisability() {
    text(1) = disabledNames.text;
    const std::int32_t presses = readIntegerAmount(counter.text) + 1;
    counter.text = std::to_string(presses);
    const bool bracketed = presses % 2 != 0;
    bracketOpen.text = bracketed ? "( " : "";
    bracketClose.text = bracketed ? ")" : "";
}

void PersonalDeductionsScreen::clearSpouse() {
    for (Field* field : {&spouseSalaryRevenue, &spouseSalaryIncome, &spouseOtherIncome, &spouseTotalIncome,
                         &spouseDeduction, &specialSpouseDeduction})
        field->text.clear();
}

void PersonalDeductionsScreen::clear() {
    for (Field* field : {&disabledNames, &schoolName, &spouseName, &spouseBirth, &dependentsTotal,
                         &employeesTotal, &specialProvisions, &bracketOpen, &bracketClose})
        field->text.clear();
    for (Dependent& d : dependents) {
        for (Field* field : {&d.name, &d.relation, &d.birth, &d.amount})
            field->text.clear();
        d.era.text = pd::kEraPlaceholder;
    }
    for (FamilyEmployee& e : employees) {
        for (Field* field : {&e.name, &e.birth, &e.relation, &e.months, &e.work, &e.salary})
            field->text.clear();
        e.era.text = pd::kEraPlaceholder;
    }
    spouseEra.text = pd::kEraPlaceholder;
    spouseDeductionChecked = false;
    specialSpouseDeductionChecked = false;
    applySelfRule(pd::none);
    clearSpouse();
}

bool PersonalDeductionsScreen::save() {
    RecordWriter writer(screenRecordSchema(kPersonalRecord));
    for (const std::string& text : texts_)
        writer.text(text);
    for (std::int32_t value : amounts_)
        writer.integer(value);
    return saveRecord(writer, kPersonalRecord);
}

void PersonalDeductionsScreen::calculate() {
    nenGO();
    if (!fileCode())
        return;
    const auto read = [](const Field& field) { return readIntegerAmount(field.text); };
    WideResults results;
    text(1) = disabledNames.text;
    text(2) = spouseName.text;
    text(3) = spouseBirth.text;
    std::vector<double> dependentAmounts;
    for (int i = 0; i < pd::kDependents; ++i) {
        Dependent& d = dependents[i];
        text(4 + 3 * i) = d.name.text;
        text(5 + 3 * i) = d.relation.text;
        text(6 + 3 * i) = d.birth.text;
        amount(48 + i) = read(d.amount);
        dependentAmounts.push_back(amount(48 + i));
        d.amount.text = formatAmount(amount(48 + i));
    }
    amount(52) = results.fit(static_cast<std::int64_t>(sumOf(dependentAmounts)), "扶養控除の合計額");
    dependentsTotal.text = formatAmount(amount(52));
    std::vector<double> salaries;
    for (int i = 0; i < pd::kEmployees; ++i) {
        FamilyEmployee& e = employees[i];
        const int first = 16 + 5 * i;
        text(first) = e.name.text;
        text(first + 1) = e.birth.text;
        text(first + 2) = e.relation.text;
        text(first + 3) = e.months.text;
        text(first + 4) = e.work.text;
        amount(53 + i) = read(e.salary);
        salaries.push_back(amount(53 + i));
        e.salary.text = formatAmount(amount(53 + i));
    }
    amount(56) = results.fit(static_cast<std::int64_t>(sumOf(salaries)), "専従者給与の合計額");
    employeesTotal.text = formatAmount(amount(56));
    if (!results.ok()) {
        refuseCalculation(results, kPersonalRecord);
        return;
    }
    text(31) = specialProvisions.text;
    applySelfSlots();
    text(35) = schoolName.text;
    const Field* spouseAmounts[] = {&spouseSalaryRevenue, &spouseSalaryIncome, &spouseOtherIncome,
                                    &spouseTotalIncome,   &spouseDeduction,    &specialSpouseDeduction};
    for (int i = 0; i < 6; ++i)
        amount(59 + i) = read(*spouseAmounts[i]);
    spouseDeduction.text = formatAmount(amount(63));
    text(36) = spouseEra.text;
    for (int i = 0; i < pd::kDependents; ++i)
        text(37 + i) = dependents[i].era.text;
    for (int i = 0; i < pd::kEmployees; ++i)
        text(41 + i) = employees[i].era.text;
    text(44) = bracketOpen.text;
    text(45) = bracketClose.text;
    text(46) = spouseDeductionChecked ? "配偶者控除" : "";
    text(47) = specialSpouseDeductionChecked ? "配偶者特別控除" : "";
    if (!save())
        return;
    clear();
    data();
}

void PersonalDeductionsScreen::data() {
    nenGO();
    // A taxpayer without a record starts from an empty one, never from the figures last loaded.
    texts_ = {};
    amounts_ = {};
    elderlyJudgement();
    selfConditionCallUp();
    if (readTotalIncome(text100.text, colours::black))
        loadRecord(currentYear());
}

void PersonalDeductionsScreen::previousYearData() {
    nenGO();
    selfConditionCallUp();
    if (readTotalIncome(kPreviousYearCode, colours::red))
        loadRecord(previousYear());
    elderlyJudgement();
}

bool PersonalDeductionsScreen::loadRecord(Loading loading) {
    setWorkingYearCode(std::string(loading.yearCode));
    const StoredRecord stored = readOwnRecord(kPersonalRecord);
    if (!stored.readable())
        return false;
    // Fields 57 and 58 keep their values unless the stored slots call for others.
    const std::int32_t elderlyOrWidow = amount(57);
    const std::int32_t studentOrDisability = amount(58);
    std::copy(stored.values.texts.begin(), stored.values.texts.end(), texts_.begin());
    const std::vector<std::int32_t> amounts = int32Numbers(stored.values);
    std::copy(amounts.begin(), amounts.end(), amounts_.begin());
    setSelfAmounts(elderlyOrWidow, studentOrDisability);
    judgeElderlySlot();
    showRecord(loading.colour);
    applySelfSlots();
    spouseDeductionChecked = text(46) == "配偶者控除";
    specialSpouseDeductionChecked = text(47) == "配偶者特別控除";
    return true;
}

void PersonalDeductionsScreen::showRecord(Colour colour) {
    const auto show = [&](Field& field, std::string value) { field = {std::move(value), colour}; };
    show(disabledNames, text(1));
    show(spouseName, text(2));
    show(spouseBirth, text(3));
    for (int i = 0; i < pd::kDependents; ++i) {
        Dependent& d = dependents[i];
        show(d.name, text(4 + 3 * i));
        show(d.relation, text(5 + 3 * i));
        show(d.birth, text(6 + 3 * i));
        show(d.era, text(37 + i));
        show(d.amount, formatAmount(amount(48 + i)));
    }
    show(dependentsTotal, formatAmount(amount(52)));
    for (int i = 0; i < pd::kEmployees; ++i) {
        FamilyEmployee& e = employees[i];
        const int first = 16 + 5 * i;
        show(e.name, text(first));
        show(e.birth, text(first + 1));
        show(e.relation, text(first + 2));
        show(e.months, text(first + 3));
        show(e.work, text(first + 4));
        show(e.era, text(41 + i));
        show(e.salary, formatAmount(amount(53 + i)));
    }
    show(employeesTotal, formatAmount(amount(56)));
    show(specialProvisions, text(31));
    show(schoolName, text(35));
    show(spouseEra, text(36));
    show(bracketOpen, text(44));
    show(bracketClose, text(45));
    Field* spouseAmounts[] = {&spouseSalaryRevenue, &spouseSalaryIncome, &spouseOtherIncome,
                              &spouseTotalIncome,   &spouseDeduction,    &specialSpouseDeduction};
    for (int i = 0; i < 6; ++i)
        show(*spouseAmounts[i], formatAmount(amount(59 + i)));
}

} // namespace kakutei
