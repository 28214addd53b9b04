#pragma once
// What every benchmark program shares: a throw-away data root, a silent user interface, and a main that
// prints each measured case's time against the baseline measured in the same run.

#include "core/user_interface.h"

#include <string>

namespace kakutei::bench {

class SilentUserInterface : public UserInterface {
public:
    void warn(std::string_view, std::string_view) override {}
    bool ask(std::string_view, std::string_view) override { return false; }
    void beep() override {}
    void show(ScreenId) override {}
    void hide(ScreenId) override {}
    void openAddress(std::string_view) override {}
    void quit() override {}
};

// A fresh folder below the system's temporary folder, removed when the object goes.
class ScratchRoot {
public:
    ScratchRoot();
    ~ScratchRoot();
    ScratchRoot(const ScratchRoot&) = delete;
    ScratchRoot& operator=(const ScratchRoot&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Runs the registered benchmarks and prints "ratio <name>/<baseline>: X" for every other benchmark.
int runAgainstBaseline(int argc, char** argv, const std::string& baselineName);

} // namespace kakutei::bench
