#include "shell/office_batch.h"

#include "checks/return_checks.h"
#include "core/file_io.h"
#include "core/store_error.h"
#include "core/stored_return.h"
#include "core/taxpayer_record.h"
#include "print/printing_screen.h"
#include "shell/app.h"
#include "shell/main_menu.h"

#include <utility>

namespace kakutei {
namespace {

using PrintButton = void (PrintingScreen::*)();

PrintButton printButtonOf(OfficeJob job) {
    switch (job) {
    case OfficeJob::printPage1:
        return &PrintingScreen::printPage1;
    case OfficeJob::printPage2:
        return &PrintingScreen::printPage2;
    case OfficeJob::copyPage1:
        return &PrintingScreen::copyPage1;
    case OfficeJob::copyPage2:
        return &PrintingScreen::copyPage2;
    case OfficeJob::recalculate:
        break;
    }
    return nullptr;
}

BatchOutcome recalculateOne(App& app, PersonCode code, BatchOutcome outcome) {
    if (const auto notSaved = recalculateReturn(app, code)) {
        outcome.result = BatchResult::failed;
        outcome.reason =
            "「" + *notSaved + "」に保存できなかったため、ここで止めました。税額の計算はしていません。";
    }
    return outcome;
}

BatchOutcome printOne(App& app, PersonCode code, PrintButton press, BatchOutcome outcome) {
    auto* screen = app.screenAs<PrintingScreen>(ScreenId::printing);
    const std::size_t jobsBefore = screen->jobs().size();
    app.openPrinting(code);
    (screen->*press)();
    if (screen->jobs().size() == jobsBefore) {
        outcome.result = BatchResult::skipped;
        outcome.reason = "印刷しませんでした。";
        return outcome;
    }
    const JobReport& job = screen->jobs().back();
    outcome.result = job.failed ? BatchResult::failed : BatchResult::done;
    outcome.reason = job.file.empty() ? job.message : job.file;
    return outcome;
}

} // namespace

std::optional<std::string> recalculateReturn(App& app, PersonCode code) {
    // The five records go into one folder: it is flushed once, before the client is reported done.
    FolderFlushes flushes;
    MainMenu& menu = app.mainMenu();
    menu.text3.text = std::to_string(code);
    menu.callUp();
    // The screens below must hold this client's figures and nobody else's.
    if (menu.currentPersonCode() != code)
        return std::string();
    const std::pair<void (MainMenu::*)(), ScreenId> screens[] = {
        {&MainMenu::income, ScreenId::income},
        {&MainMenu::deductions1, ScreenId::deductions1},
        {&MainMenu::deductions2, ScreenId::personalDeductions},
        {&MainMenu::taxCredits, ScreenId::incomeBreakdown},
    };
    for (const auto& [open, id] : screens) {
        (menu.*open)();
        DataScreen* screen = app.screen(id);
        if (!screen->calculateForCurrentTaxpayer())
            return screen->failedSave();
    }
    DataScreen* tax = app.screen(ScreenId::taxComputation);
    tax->forgetFailedSave();
    menu.taxComputation();
    return tax->failedSave();
}

std::string_view officeJobCaption(OfficeJob job) {
    switch (job) {
    case OfficeJob::recalculate:
        return "再計算";
    case OfficeJob::printPage1:
        return "第一表の印刷";
    case OfficeJob::printPage2:
        return "第二表の印刷";
    case OfficeJob::copyPage1:
        return "A４コピー（第一表）";
    case OfficeJob::copyPage2:
        return "A４コピー（第二表）";
    }
    return {};
}

std::size_t BatchSummary::count(BatchResult result) const {
    std::size_t n = 0;
    for (const BatchOutcome& outcome : outcomes)
        n += outcome.result == result;
    return n;
}

std::string BatchSummary::text() const {
    std::string text = "完了 " + std::to_string(count(BatchResult::done)) + " 人、対象外 " +
                       std::to_string(count(BatchResult::skipped)) + " 人、失敗 " +
                       std::to_string(count(BatchResult::failed)) + " 人";
    if (cancelled)
        text += "（中止したため " + std::to_string(notReached) + " 人は手を付けていません）";
    text += "。";
    for (const BatchOutcome& outcome : outcomes)
        if (outcome.result != BatchResult::done)
            text += "\n" + outcome.who + ": " + outcome.reason;
    return text;
}

// One question for the whole batch, naming every client whose return has warnings: a hundred questions,
// one per client, would be answered without reading.
bool confirmChecksForBatch(App& app, const std::vector<PersonCode>& codes) {
    std::string list;
    std::size_t clients = 0;
    for (PersonCode code : codes) {
        const ReturnChecks checks = checkReturn(app.store(), code);
        if (checks.warnings.empty())
            continue;
        ++clients;
        list += clientName(app.store(), code) + "\n";
        for (const ReturnWarning& warning : checks.warnings)
            list += "　" + warningLine(warning) + "\n";
    }
    if (clients == 0)
        return true;
    return app.ui().ask(kReturnChecksTitle, std::to_string(clients) + " 人に警告があります。\n" + list +
                                                std::string(printing::kContinueQuestion));
}

BatchSummary runOfficeBatch(App& app, OfficeJob job, const std::vector<PersonCode>& codes,
                            BatchProgress* progress) {
    BatchSummary summary;
    // Each client is called up in turn, which reloads the screens: figures typed and not stored are
    // settled once, before the first, or the batch does not start.
    if (!app.settleUnsavedInput()) {
        summary.cancelled = true;
        summary.notReached = codes.size();
        return summary;
    }
    auto* printing = app.screenAs<PrintingScreen>(ScreenId::printing);
    if (job != OfficeJob::recalculate) {
        if (!confirmChecksForBatch(app, codes)) {
            summary.cancelled = true;
            summary.notReached = codes.size();
            return summary;
        }
        printing->setChecksAnsweredForBatch(true);
    }
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const PersonCode code = codes[i];
        BatchOutcome outcome{code, clientName(app.store(), code), BatchResult::done, {}};
        if (progress && !progress->next(i, codes.size(), outcome.who)) {
            summary.cancelled = true;
            summary.notReached = codes.size() - i;
            break;
        }
        // A damaged record, the registration among them, would be replaced by an empty screen (or printed
        // as one): such a client is left exactly as stored.
        const StoredReturn stored = readStoredReturn(app.store(), code, kYearCode);
        if (!stored.taxpayer.registered()) {
            outcome.result = BatchResult::skipped;
            outcome.reason = "登録されていません。";
            summary.outcomes.push_back(std::move(outcome));
            continue;
        }
        if (const auto holder = app.clients().openElsewhere(code)) {
            outcome.result = BatchResult::skipped;
            outcome.reason = openElsewhereText(app.store(), code, *holder) + "何もしていません。";
            summary.outcomes.push_back(std::move(outcome));
            continue;
        }
        const auto unreadable = stored.unreadableFiles();
        if (!unreadable.empty()) {
            outcome.result = BatchResult::skipped;
            for (const UnreadableRecord& record : unreadable)
                outcome.reason += unreadableLine(record);
            outcome.reason += "何も計算せず、保存も印刷もしていません。";
            summary.outcomes.push_back(std::move(outcome));
            continue;
        }
        summary.outcomes.push_back(job == OfficeJob::recalculate
                                       ? recalculateOne(app, code, std::move(outcome))
                                       : printOne(app, code, printButtonOf(job), std::move(outcome)));
    }
    printing->setChecksAnsweredForBatch(false);
    return summary;
}

} // namespace kakutei
