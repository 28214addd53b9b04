#include "app/check_command.h"

#include "app/batch_commands.h"
#include "app/code_argument.h"
#include "checks/return_checks.h"

#include <ostream>

namespace kakutei {

int runCheckCommand(const DataStore& store, const std::string& word, std::ostream& out, std::ostream& err) {
    int status = kExitOk;
    const auto code = commandCode(store, word, err, status);
    if (!code)
        return status;
    const ReturnChecks checks = checkReturn(store, *code);
    for (const ReturnWarning& warning : checks.warnings)
        out << warningLine(warning) << '\n';
    for (const UnreadableRecord& record : checks.unreadable)
        err << unreadableLine(record) << '\n';
    if (!checks.unreadable.empty()) {
        err << "読めないファイルがあるため、チェックは途中までです。\n";
        return kExitFailure;
    }
    if (checks.warnings.empty())
        out << "警告はありません\n";
    return kExitOk;
}

} // namespace kakutei
