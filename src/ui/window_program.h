#pragma once

#include <string>

class QApplication;

namespace kakutei {

// Runs the window program on the data below `root` until the user ends it; returns the exit status.
int runWindowProgram(int& argc, char** argv, const std::string& root);

// Japanese dialogs, the application font and the printing typefaces' stand-ins.
void setUpJapanese(QApplication& application);

// True when Qt has somewhere to put a window (an X or Wayland display, or a platform chosen by hand).
bool displayAvailable();

} // namespace kakutei
