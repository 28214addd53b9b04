#include "program_run.h"

#include <cstdlib>
#include <sys/wait.h>

namespace kakutei::testing {

ProgramRun runProgram(const std::string& prefix, const std::string& binary,
                      const std::vector<std::string>& words, const TempRoot& scratch) {
    std::string command = prefix + " '" + binary + "'";
    for (const std::string& word : words)
        command += " '" + word + "'";
    command += " >'" + scratch.path() + "/out' 2>'" + scratch.path() + "/err'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, scratch.readBytes("out"), scratch.readBytes("err")};
}

} // namespace kakutei::testing
