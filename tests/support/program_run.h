#pragma once
// The program itself run as a user runs it, for tests of its commands.

#include "temp_root.h"

#include <string>
#include <vector>

namespace kakutei::testing {

struct ProgramOutcome {
    int status; // the exit status; -1 when it did not exit
    std::string out;
    std::string err;
};

// Runs `binary` --root `root` `words…` on the offscreen platform; stdout and stderr are kept apart in files
// of `scratch`.
ProgramOutcome runProgram(const std::string& binary, const std::string& root,
                          const std::vector<std::string>& words, const TempRoot& scratch);

} // namespace kakutei::testing
