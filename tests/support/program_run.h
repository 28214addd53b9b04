#pragma once
// Runs a program as a user starts it from a shell, for tests of the real binary.

#include "temp_root.h"

#include <string>
#include <vector>

namespace kakutei::testing {

struct ProgramRun {
    int status; // the exit status, or -1 when the program did not exit by itself
    std::string out;
    std::string err;
};

// Runs `binary` with `words`, each quoted for the shell, and `prefix` in front (an environment setting, or a
// command that runs it as another user). Its output goes to files in `scratch`, so a long stderr can never
// block it while stdout is read.
ProgramRun runProgram(const std::string& prefix, const std::string& binary,
                      const std::vector<std::string>& words, const TempRoot& scratch);

} // namespace kakutei::testing
