#pragma once
// The stored figures of one return as the explanation reads them: each record's fields by their number,
// and whether the record is there to be read at all.

#include "core/derivation.h"
#include "core/stored_return.h"
#include "explain/explanation.h"

#include <optional>
#include <string>
#include <vector>

namespace kakutei {

inline constexpr int kIncomeRecordNumber = 1;
inline constexpr int kDeductionRecordNumber = 2;
inline constexpr int kPersonalRecordNumber = 3;
inline constexpr int kBreakdownRecordNumber = 4;
inline constexpr int kTaxRecordNumber = 5;
inline constexpr int kHousingLoanRecordNumber = 6;

class ReturnFigures {
public:
    explicit ReturnFigures(const StoredReturn& stored);

    // Whether record k was there and read whole.
    bool has(int k) const;
    // Whether record k is there but cannot be read whole.
    bool unreadable(int k) const;
    // Field n of record k, counted over its texts and then its numbers as the record lays them out; 0 or ""
    // when the record or the field is not there.
    double number(int k, int n) const;
    std::string text(int k, int n) const;
    const RecordValues& values(int k) const { return stored_.record(k).values; }
    const std::string& condition() const { return stored_.taxpayer.record.condition; }

    // Why a screen's figures are not explained: records that cannot be read or were never calculated.
    const std::vector<std::string>& notes() const { return notes_; }

private:
    const StoredReturn& stored_;
    std::vector<std::string> notes_;
};

// An amount as a screen shows it and reads it back: whole yen, halves away from zero.
double asShown(double amount);
// Whether two figures are the same once stored.
bool sameStored(double a, double b);

// Builds the lines of one section.
class SectionWriter {
public:
    SectionWriter(Explanation& explanation, std::string title);

    // A figure a rule computes: computed when the rule, told by `how`, gives the stored figure; otherwise
    // `otherwise` with `why` put before the rule's own steps.
    void derived(LineRef ref, std::string label, double stored, const Derivation& how, Provenance otherwise,
                 const std::string& why);
    // A figure typed by the user.
    void typed(LineRef ref, std::string label, double stored, const std::string& how = {});
    // A figure taken over from another screen's line `source`, named `from`; without `sourceFigure` when the
    // other screen's record cannot be read.
    void carried(LineRef ref, std::string label, double stored, const ExplainedLine* source,
                 const std::string& from, std::optional<double> sourceFigure);
    void add(ExplainedLine line);

private:
    Explanation& explanation_;
    std::size_t index_;
};

} // namespace kakutei
