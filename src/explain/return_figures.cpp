#include "explain/return_figures.h"

#include "core/amount_text.h"
#include "core/record.h"
#include "core/record_schema.h"

#include <array>
#include <string_view>

namespace kakutei {

namespace {

constexpr std::array<std::string_view, 6> kScreenNames = {
    "収入金額等・所得金額", "所得控除(1)", "所得控除(2)", "所得の内訳", "税額の計算", "住宅取得控除"};

} // namespace

ReturnFigures::ReturnFigures(const StoredReturn& stored) : stored_(stored) {
    if (stored.taxpayer.check.state == StoredState::unreadable)
        notes_.push_back(unreadableText(stored.taxpayerPath, stored.taxpayer.check) +
                         "（個人の登録）。本人の条件が分からないため、それによる金額は説明できません。");
    for (int k = 1; k <= 6; ++k) {
        const StoredRecord& record = stored.record(k);
        const std::string screen(kScreenNames[static_cast<std::size_t>(k - 1)]);
        if (record.check.state == StoredState::unreadable)
            notes_.push_back(unreadableText(stored.path(k), record.check) + "（" + screen +
                             "）。その画面の金額は説明できません。");
        else if (record.check.state == StoredState::missing && k != kHousingLoanRecordNumber)
            notes_.push_back(screen + "はまだ計算実行されていません。");
    }
}

bool ReturnFigures::has(int k) const {
    return stored_.record(k).check.state == StoredState::readable;
}

bool ReturnFigures::unreadable(int k) const {
    return stored_.record(k).check.state == StoredState::unreadable;
}

double ReturnFigures::number(int k, int n) const {
    if (!has(k))
        return 0;
    const RecordValues& values = stored_.record(k).values;
    const auto index = static_cast<std::size_t>(n - 1) - values.texts.size();
    return n > static_cast<int>(values.texts.size()) && index < values.numbers.size() ? values.numbers[index]
                                                                                      : 0;
}

std::string ReturnFigures::text(int k, int n) const {
    if (!has(k))
        return {};
    const RecordValues& values = stored_.record(k).values;
    const auto index = static_cast<std::size_t>(n - 1);
    return n >= 1 && index < values.texts.size() ? values.texts[index] : std::string();
}

double asShown(double amount) {
    return readAmount(formatAmount(amount));
}

bool sameStored(double a, double b) {
    return formatRecordNumber(a) == formatRecordNumber(b);
}

SectionWriter::SectionWriter(Explanation& explanation, std::string title)
    : explanation_(explanation), index_(explanation.sections.size()) {
    explanation.sections.push_back({std::move(title), {}});
}

void SectionWriter::add(ExplainedLine line) {
    explanation_.sections[index_].lines.push_back(std::move(line));
}

void SectionWriter::derived(LineRef ref, std::string label, double stored, const Derivation& how,
                            Provenance otherwise, const std::string& why) {
    ExplainedLine line{ref, std::move(label), stored, Provenance::computed, how.steps()};
    if (!how.figure() || !sameStored(*how.figure(), stored)) {
        line.provenance = otherwise;
        line.steps.insert(line.steps.begin(), why);
    }
    add(std::move(line));
}

void SectionWriter::typed(LineRef ref, std::string label, double stored, const std::string& how) {
    std::string sentence = stored == 0 ? "入力はありません（0）。" : "入力された金額です。";
    add({ref, std::move(label), stored, Provenance::typed, {how.empty() ? sentence : sentence + how}});
}

void SectionWriter::carried(LineRef ref, std::string label, double stored, const ExplainedLine* source,
                            const std::string& from, std::optional<double> sourceFigure) {
    ExplainedLine line{ref, std::move(label), stored, Provenance::carried, {}};
    if (!sourceFigure) {
        line.steps.push_back(from + " の記録を読めないため、元の計算は示せません: " + yenText(stored));
        add(std::move(line));
        return;
    }
    if (!sameStored(stored, *sourceFigure)) {
        line.provenance = Provenance::stale;
        line.steps.push_back("この金額は " + from + " の今の金額 " + yenText(*sourceFigure) +
                             " と違います。入力し直したか、その後 " + from +
                             " が変わりました（計算実行で今の金額になります）。");
        add(std::move(line));
        return;
    }
    line.steps.push_back(from + " から: " + yenText(stored));
    if (source && source->provenance != Provenance::typed)
        line.steps.insert(line.steps.begin(), source->steps.begin(), source->steps.end());
    else if (source)
        line.steps.insert(line.steps.begin(), from + " に入力された金額です。");
    add(std::move(line));
}

} // namespace kakutei
