#pragma once
// How each figure of a client's return came about, told by the same rules that computed it, read from the
// stored records alone. The screens' panels, the printed work sheet and `kakutei explain` all show this.

#include "core/stored_return.h"

#include <string>
#include <string_view>
#include <vector>

namespace kakutei {

// The screen a figure stands on.
enum class ExplainedScreen { income, deductions, personalDeductions, taxComputation };

// A figure's place: its screen and its number there. On the tax computation screen the number is the
// return's line (9 to 53); on the other three it is the field of that screen's record (the income screen:
// 1 to 11 the revenue rows ア to サ, 12 to 19 lines 1 to 8, 20 line 9).
struct LineRef {
    ExplainedScreen screen = ExplainedScreen::taxComputation;
    int number = 0;
    friend bool operator==(const LineRef&, const LineRef&) = default;
};

enum class Provenance {
    computed, // the rule gives exactly this figure from the stored figures it is computed from
    typed,    // typed by the user: the rules did not make it
    carried,  // taken over from another screen, whose rule the steps tell
    stale,    // computed earlier; what it was computed from has changed since (the steps say so)
};

struct ExplainedLine {
    LineRef ref;
    std::string label; // the return's line or the screen's caption, e.g. "26 課税所得金額"
    double figure = 0; // as stored
    Provenance provenance = Provenance::computed;
    // One sentence each: the inputs with their lines and values, the band or row chosen, the formula with
    // the numbers put in and the rounding, e.g.
    // "9 所得金額 10,000,000 − 25 所得控除の合計 3,275,000 = 6,725,000（1,000円未満切捨て）".
    std::vector<std::string> steps;
};

struct ExplanationSection {
    std::string title; // e.g. "所得金額"
    std::vector<ExplainedLine> lines;
};

struct Explanation {
    PersonCode code = 0;
    std::string name; // the registered name, empty when not registered
    std::vector<ExplanationSection> sections;
    // What could not be explained and why: a record that cannot be read, a screen never calculated.
    std::vector<std::string> notes;

    // The line at `ref`, or nullptr when the return has none there.
    const ExplainedLine* find(LineRef ref) const;
};

Explanation explainReturn(const StoredReturn& stored);

// A word for where a figure came from, shown beside it: "計算", "入力", "他の画面から", "要再計算".
std::string_view provenanceCaption(Provenance provenance);

} // namespace kakutei
