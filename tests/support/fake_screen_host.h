#pragma once
// Records what a screen asks of the screens around it.

#include "core/screen_host.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kakutei::testing {

class FakeScreenHost : public ScreenHost {
public:
    void openScreen(ScreenId screen) override { calls.emplace_back("open", screen); }
    void discardScreen(ScreenId screen) override { calls.emplace_back("discard", screen); }
    void setActualAmountRevenue(const std::string& code, const std::string& text) override {
        writes.emplace_back("actualAmountRevenue", text);
        sources.push_back({ScreenId::actualAmount, code});
    }
    bool setSalaryIncome(const FigureSource& from, const std::string& text) override {
        return take(from, "salaryIncome", text);
    }
    bool setDeductionsTotalIncome(const FigureSource& from, const std::string& text) override {
        return take(from, "deductionsTotalIncome", text);
    }
    bool setTaxComputationLines(const FigureSource& from, const std::vector<LineFigure>& lines) override {
        if (!admits)
            return false;
        for (const LineFigure& figure : lines) {
            take(from, "line" + std::to_string(figure.line), figure.field.text);
            lineColours[figure.line] = figure.field.colour;
        }
        return true;
    }

    bool settleUnsavedInput() override {
        calls.emplace_back("settle", ScreenId::mainMenu);
        return settles;
    }
    bool pressCalculate(ScreenId screen) override {
        calls.emplace_back("calculate", screen);
        return screen != refusesCalculation;
    }
    void openDividendCredit(const std::string& code, double taxableIncome, double dividends) override {
        sources.push_back({ScreenId::dividendCredit, code});
        writes.emplace_back("dividendCredit", std::to_string(static_cast<long long>(taxableIncome)) + "/" +
                                                  std::to_string(static_cast<long long>(dividends)));
    }
    void openHousingLoan(const std::string& personCode, const std::string& yearCode) override {
        writes.emplace_back("housingLoan", personCode + "/" + yearCode);
        sources.push_back({ScreenId::housingLoan, personCode});
    }

    std::vector<std::pair<std::string, ScreenId>> calls;
    std::vector<std::pair<std::string, std::string>> writes; // target, text
    std::vector<FigureSource> sources;                       // whose figures each of `writes` was
    std::map<int, Colour> lineColours;
    bool settles = true;                        // the answer of settleUnsavedInput()
    bool admits = true;                         // whether a write between screens goes ahead
    std::optional<ScreenId> refusesCalculation; // a screen whose "計算実行" stores nothing

private:
    bool take(const FigureSource& from, std::string target, const std::string& text) {
        if (!admits)
            return false;
        writes.emplace_back(std::move(target), text);
        sources.push_back(from);
        return true;
    }
};

} // namespace kakutei::testing
