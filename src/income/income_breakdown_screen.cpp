#include "income/income_breakdown_screen.h"

#include "core/amount_text.h"
#include "core/wide_result.h"

#include <algorithm>

namespace kakutei {

namespace ib = income_breakdown;

namespace {

constexpr int kRecord = 4;
constexpr int kWithholdingLine = 37; // "源泉徴収税額" of the tax computation screen
// 0-based positions in the amounts (record field 41 is amount 0).
constexpr int kTotal = 12; // field 53
int withholdingRevenue(int r) {
    return 2 * r;
} // fields 41, 43, …
int withholdingTax(int r) {
    return 2 * r + 1;
} // fields 42, 44, …
int detailRevenue(int d) {
    return 13 + 3 * d;
} // fields 54, 57, …
int detailExpenses(int d) {
    return 14 + 3 * d;
}
int detailNet(int d) {
    return 15 + 3 * d;
}
// 0-based positions in the texts.
int withholdingText(int r, int item) {
    return 3 * r + item;
} // item 0 kind, 1 and 2 place lines
int detailText(int d, int item) {
    return 18 + 3 * d + item;
}

// How a message names a detail row.
std::string detailCaption(int d) {
    return "配当所得等に関する事項 " + std::to_string(d + 1) + " 行目";
}

} // namespace

IncomeBreakdownScreen::IncomeBreakdownScreen(DataStore& store, UserInterface& ui, ScreenHost& host)
    : DataScreen(store, ui), host_(host) {
    clear();
}

void IncomeBreakdownScreen::clear() {
    for (WithholdingRow& row : withholding)
        for (Field* field : {&row.note, &row.place1, &row.place2, &row.revenue, &row.tax})
            field->text.clear();
    for (DetailRow& row : details)
        for (Field* field : {&row.note, &row.place1, &row.place2, &row.revenue, &row.expenses, &row.net})
            field->text.clear();
    for (WithholdingRow& row : withholding)
        row.kind.text = ib::kKindPlaceholder;
    for (DetailRow& row : details)
        row.kind.text = ib::kKindPlaceholder;
    total.text.clear();
    // Cleared for the taxpayer in Text60, whose figures a load will bring next.
    host_.setTaxComputationLines({id(), text60.text, Handing::followUp}, {{kWithholdingLine, Field{}}});
}

void IncomeBreakdownScreen::calculate() {
    nenGO();
    if (!fileCode())
        return;
    std::int64_t taxSum = 0;
    WideResults results;
    for (int r = 0; r < ib::kWithholdingRows; ++r) {
        texts_[withholdingText(r, 1)] = withholding[r].place1.text;
        texts_[withholdingText(r, 2)] = withholding[r].place2.text;
        amounts_[withholdingRevenue(r)] = readIntegerAmount(withholding[r].revenue.text);
        amounts_[withholdingTax(r)] = readIntegerAmount(withholding[r].tax.text);
        taxSum += amounts_[withholdingTax(r)];
    }
    // Six 32-bit amounts can leave the 32-bit range together: such a total is refused, never stored as 0.
    amounts_[kTotal] = results.fit(taxSum, "源泉徴収税額の合計");
    for (int d = 0; d < ib::kDetailRows; ++d) {
        texts_[detailText(d, 1)] = details[d].place1.text;
        texts_[detailText(d, 2)] = details[d].place2.text;
        amounts_[detailRevenue(d)] = readIntegerAmount(details[d].revenue.text);
        amounts_[detailExpenses(d)] = readIntegerAmount(details[d].expenses.text);
        const std::int64_t net = std::int64_t{amounts_[detailRevenue(d)]} - amounts_[detailExpenses(d)];
        amounts_[detailNet(d)] = results.fit(net, detailCaption(d) + " の所得金額");
    }
    if (!results.ok()) {
        refuseCalculation(results, kRecord);
        return;
    }
    showAmounts(colours::black);
    for (int r = 0; r < ib::kWithholdingRows; ++r)
        texts_[withholdingText(r, 0)] = withholding[r].kind.text;
    for (int d = 0; d < ib::kDetailRows; ++d)
        texts_[detailText(d, 0)] = details[d].kind.text;

    RecordWriter writer(screenRecordSchema(kRecord));
    for (const std::string& text : texts_)
        writer.text(text);
    for (std::int32_t amount : amounts_)
        writer.integer(amount);
    if (!saveRecord(writer, kRecord))
        return;
    clear();
    data();
}

void IncomeBreakdownScreen::showAmounts(Colour colour) {
    for (int r = 0; r < ib::kWithholdingRows; ++r) {
        withholding[r].revenue = {formatAmount(amounts_[withholdingRevenue(r)]), colour};
        withholding[r].tax = {formatAmount(amounts_[withholdingTax(r)]), colour};
    }
    for (int d = 0; d < ib::kDetailRows; ++d) {
        details[d].revenue = {formatAmount(amounts_[detailRevenue(d)]), colour};
        details[d].expenses = {formatAmount(amounts_[detailExpenses(d)]), colour};
        details[d].net = {formatAmount(amounts_[detailNet(d)]), colour};
    }
    total = {formatAmount(amounts_[kTotal]), colour};
}

void IncomeBreakdownScreen::data() {
    nenGO();
    // A taxpayer without a record starts from an empty one, never from the figures last loaded.
    texts_ = {};
    amounts_ = {};
    load(currentYear());
}

void IncomeBreakdownScreen::previousYearData() {
    nenGO();
    load(previousYear());
}

void IncomeBreakdownScreen::load(Loading loading) {
    if (!fileCode())
        return;
    setWorkingYearCode(std::string(loading.yearCode));
    const StoredRecord stored = readOwnRecord(kRecord);
    if (!stored.readable())
        return;
    std::copy(stored.values.texts.begin(), stored.values.texts.end(), texts_.begin());
    const std::vector<std::int32_t> amounts = int32Numbers(stored.values);
    std::copy(amounts.begin(), amounts.end(), amounts_.begin());
    const auto showText = [&](Field& field, int index) { field = {texts_[index], loading.colour}; };
    for (int r = 0; r < ib::kWithholdingRows; ++r) {
        showText(withholding[r].kind, withholdingText(r, 0));
        showText(withholding[r].place1, withholdingText(r, 1));
        showText(withholding[r].place2, withholdingText(r, 2));
    }
    for (int d = 0; d < ib::kDetailRows; ++d) {
        showText(details[d].kind, detailText(d, 0));
        showText(details[d].place1, detailText(d, 1));
        showText(details[d].place2, detailText(d, 2));
    }
    showAmounts(loading.colour);
    host_.setTaxComputationLines({id(), heldCode(), Handing::followUp}, {{kWithholdingLine, total}});
}

void IncomeBreakdownScreen::end() {
    if (!host_.settleUnsavedInput())
        return;
    ui().beep();
    ui().quit();
}

} // namespace kakutei
