#include "shell/tax_accountant_panel.h"

#include "core/data_screen.h"
#include "core/record_kinds.h"

namespace kakutei {

void TaxAccountantPanel::hideEntry() {
    clearName();
    clearAddress();
    clearTelephone();
}

void TaxAccountantPanel::save() {
    RecordWriter writer(taxAccountantSchema());
    writer.text(text5.text);
    writer.text(text12.text);
    writer.text(text4.text);
    if (writer.problem()) {
        reportSaveFailure(ui_, tax_accountant::kSaveFailedTitle, writer, {});
        return;
    }
    const std::string path = store_.path(names::taxAccountantFile);
    // Replacing a file that cannot be read loses whatever it held: only when the user says so.
    const StoredRecord stored = readRecordFile(path, taxAccountantSchema());
    if (stored.check.state == StoredState::unreadable &&
        !ui_.ask(tax_accountant::kReplaceDamagedTitle,
                 unreadableText(path, stored.check) + "\nいま入力した税理士名で置き換えますか。"))
        return;
    if (const auto error = writer.writeTo(path))
        reportSaveFailure(ui_, tax_accountant::kSaveFailedTitle, writer, error);
}

void TaxAccountantPanel::load() {
    loadFrom(std::string(names::taxAccountantFile), taxAccountantSchema());
}

void TaxAccountantPanel::loadQuietly() {
    loadFrom(std::string(names::taxAccountantFile), taxAccountantSchema(), false);
}

void TaxAccountantPanel::importFromYearEndProgram() {
    loadFrom(names::companionTaxAccountantFile(kYearCode), yearEndTaxAccountantSchema());
}

void TaxAccountantPanel::loadFrom(const std::string& windowsName, const RecordSchema& schema,
                                  bool sayDamage) {
    const std::string path = store_.path(windowsName);
    const StoredRecord stored = readRecordFile(path, schema);
    // All three or nothing: a damaged file changes no box, and is said.
    if (stored.check.state == StoredState::unreadable && sayDamage)
        ui_.warn(tax_accountant::kUnreadableTitle, unreadableText(path, stored.check));
    if (!stored.readable())
        return;
    text5.text = stored.values.texts.at(0);
    text12.text = stored.values.texts.at(1);
    text4.text = stored.values.texts.at(2);
}

} // namespace kakutei
