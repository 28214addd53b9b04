#include "program_run.h"

#include <sys/wait.h>

#include <cstdlib>

namespace kakutei::testing {

ProgramOutcome runProgram(const std::string& binary, const std::string& root,
                          const std::vector<std::string>& words, const TempRoot& scratch) {
    std::string command = "QT_QPA_PLATFORM=offscreen '" + binary + "' --root '" + root + "'";
    for (const std::string& word : words)
        command += " '" + word + "'";
    command += " >'" + scratch.path() + "/out' 2>'" + scratch.path() + "/err'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, scratch.readBytes("out"), scratch.readBytes("err")};
}

} // namespace kakutei::testing
