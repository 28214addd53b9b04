#include "app/code_argument.h"

#include "app/batch_commands.h"
#include "core/person_code.h"

#include <ostream>

namespace kakutei {

std::optional<PersonCode> commandCode(const DataStore& store, const std::string& word, std::ostream& err,
                                      int& status) {
    if (!readCode(word).code) {
        err << "個人コードが読めません: " << word << '\n' << usageLine() << '\n';
        status = kExitUsage;
        return std::nullopt;
    }
    const auto code = registeredCode(store, word, err);
    status = code ? kExitOk : kExitFailure;
    return code;
}

} // namespace kakutei
