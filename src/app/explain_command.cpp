#include "app/explain_command.h"

#include "checks/return_checks.h"
#include "core/data_store.h"
#include "core/file_io.h"
#include "core/person_code.h"
#include "core/store_error.h"
#include "core/stored_return.h"
#include "explain/explanation.h"
#include "explain/explanation_text.h"
#include "registry/output_gate.h"
#include "ui/print_output.h"

#include <ostream>

namespace kakutei {

int runExplainCommand(const CommandLine& line, PrintOutput& output, std::ostream& out, std::ostream& err) {
    if (line.arguments.size() != 1 || line.all) {
        err << "説明する人の個人コードを一つ指定して下さい。\n" << usageLine() << '\n';
        return kExitUsage;
    }
    const std::string& word = line.arguments.front();
    if (!readCode(word).code) {
        err << "個人コードが読めません: " << word << '\n' << usageLine() << '\n';
        return kExitUsage;
    }
    const DataStore store(resolveRoot(line.root));
    if (!finishInterruptedWork(store, err))
        return kExitFailure;
    const auto code = registeredCode(store, word, err);
    if (!code)
        return kExitFailure;
    const StoredReturn stored = readStoredReturn(store, *code, kYearCode);
    const Explanation explanation = explainReturn(stored);
    if (line.pdf) {
        // A folder gets the sheet under its usual name, as the printing screen would save it.
        const std::string file =
            folderExists(*line.pdf) ? *line.pdf + "/" + workSheetFileName(explanation) : *line.pdf;
        if (const auto error = output.workSheet(OutputGate(store), explanation, file)) {
            err << "計算明細書を「" << file << "」に保存できません。" << describeError(error) << '\n';
            return kExitFailure;
        }
        out << "計算明細書を PDF に保存しました: " << file << '\n';
    } else {
        out << explanationText(explanation);
    }
    const std::vector<UnreadableRecord> unreadable = stored.unreadableFiles();
    for (const UnreadableRecord& record : unreadable)
        err << unreadableLine(record) << '\n';
    return unreadable.empty() ? kExitOk : kExitFailure;
}

} // namespace kakutei
