#include "shell/tax_accountant_panel.h"

#include "core/data_screen.h"
#include "core/record.h"

namespace kakutei {

void TaxAccountantPanel::hideEntry() {
    clearName();
    clearAddress();
    clearTelephone();
}

void TaxAccountantPanel::save() {
    RecordWriter writer;
    writer.text(text5.text, tax_accountant::kNameButton);
    writer.text(text12.text, "税理士の住所");
    writer.text(text4.text, "税理士の電話番号");
    if (const auto error = writer.writeTo(store_.path(names::taxAccountantFile)))
        reportSaveFailure(ui_, tax_accountant::kSaveFailedTitle, writer, error);
}

void TaxAccountantPanel::load() {
    loadFrom(std::string(names::taxAccountantFile));
}

void TaxAccountantPanel::importFromYearEndProgram() {
    loadFrom(names::companionTaxAccountantFile(kYearCode));
}

void TaxAccountantPanel::loadFrom(const std::string& windowsName) {
    RecordReader reader(store_.path(windowsName));
    auto name = reader.text();
    auto address = reader.text();
    auto telephone = reader.text();
    // All three or nothing: a short file changes no box.
    if (!reader.ok())
        return;
    text5.text = std::move(*name);
    text12.text = std::move(*address);
    text4.text = std::move(*telephone);
}

} // namespace kakutei
