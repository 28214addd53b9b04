#include "explain/explanation.h"

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

// A first shape only: every stored figure of the tax computation record, without its derivation yet.
Explanation explainReturn(const StoredReturn& stored) {
    Explanation explanation;
    explanation.code = stored.code;
    explanation.name = stored.taxpayer.record.name;
    ExplanationSection section{"税額の計算", {}};
    const RecordValues& record = stored.record(5).values;
    for (int field = 1; field <= 41 && field <= static_cast<int>(record.numbers.size()); ++field) {
        ExplainedLine line;
        line.ref = {ExplainedScreen::taxComputation, field + 12};
        line.label = std::to_string(field + 12);
        line.figure = record.numbers[static_cast<std::size_t>(field - 1)];
        line.steps = {"（準備中）"};
        section.lines.push_back(line);
    }
    explanation.sections.push_back(section);
    return explanation;
}

} // namespace kakutei
