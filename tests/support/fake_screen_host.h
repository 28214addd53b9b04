#pragma once
// Records what a screen asks of the screens around it.

#include "core/screen_host.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kakutei::testing {

class FakeScreenHost : public ScreenHost {
public:
    void openScreen(ScreenId screen) override { calls.emplace_back("open", screen); }
    void discardScreen(ScreenId screen) override { calls.emplace_back("discard", screen); }
    void setActualAmountRevenue(const std::string& text) override {
        writes.emplace_back("actualAmountRevenue", text);
    }
    void setSalaryIncome(const std::string& text) override { writes.emplace_back("salaryIncome", text); }
    void setDeductionsTotalIncome(const std::string& text) override {
        writes.emplace_back("deductionsTotalIncome", text);
    }
    void setTaxComputationLine(int line, const Field& field) override {
        writes.emplace_back("line" + std::to_string(line), field.text);
        lineColours[line] = field.colour;
    }

    bool settleUnsavedInput() override {
        calls.emplace_back("settle", ScreenId::mainMenu);
        return settles;
    }
    void pressCalculate(ScreenId screen) override { calls.emplace_back("calculate", screen); }
    void openDividendCredit(double taxableIncome, double dividends) override {
        writes.emplace_back("dividendCredit", std::to_string(static_cast<long long>(taxableIncome)) + "/" +
                                                  std::to_string(static_cast<long long>(dividends)));
    }
    void openHousingLoan(const std::string& personCode, const std::string& yearCode) override {
        writes.emplace_back("housingLoan", personCode + "/" + yearCode);
    }

    std::vector<std::pair<std::string, ScreenId>> calls;
    std::vector<std::pair<std::string, std::string>> writes; // target, text
    std::map<int, Colour> lineColours;
    bool settles = true; // the answer of settleUnsavedInput()
};

} // namespace kakutei::testing
