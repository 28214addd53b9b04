#pragma once

#include <optional>
#include <string>

namespace kakutei {

// Runs the window program on the data below `root` until the user ends it; returns the exit status.
int runWindowProgram(int& argc, char** argv, const std::string& root);

// True when Qt has somewhere to put a window (an X or Wayland display, or a platform chosen by hand).
bool displayAvailable();

} // namespace kakutei
