#include "explain/explanation.h"

#include "core/amount_text.h"
#include "explain/return_figures.h"
#include "explain/screen_explanations.h"

namespace kakutei {

const ExplainedLine* Explanation::find(LineRef ref) const {
    for (const ExplanationSection& section : sections)
        for (const ExplainedLine& line : section.lines)
            if (line.ref == ref)
                return &line;
    return nullptr;
}

std::string_view provenanceCaption(Provenance provenance) {
    switch (provenance) {
    case Provenance::computed:
        return "計算";
    case Provenance::typed:
        return "入力";
    case Provenance::carried:
        return "他の画面から";
    case Provenance::stale:
        return "要再計算";
    }
    return {};
}

Explanation explainReturn(const StoredReturn& stored) {
    Explanation explanation;
    explanation.code = stored.code;
    if (stored.taxpayer.readable())
        explanation.name = stored.taxpayer.record.name;
    else if (stored.taxpayer.registered())
        explanation.name = kDamagedRegistration;
    const ReturnFigures figures(stored);
    for (const std::string& note : figures.notes())
        explanation.notes.push_back(note);
    explainIncome(figures, explanation);
    explainDeductions(figures, explanation);
    explainTaxComputation(figures, explanation);
    return explanation;
}

} // namespace kakutei
