#pragma once
// What every benchmark program shares: a throw-away data root, a silent user interface, and a main that
// prints each measured case's time against the baseline measured in the same run.

#include "core/data_store.h"
#include "core/user_interface.h"

#include <string>
#include <vector>

namespace kakutei::bench {

using kakutei::SilentUserInterface;

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

// Registers taxpayers 1 to `count` as a busy office would have them: a name, an address, a blue return.
void registerTaxpayers(const DataStore& store, int count);
// Writes screen file k of `code`: `texts` texts, then `numbers` numbers of which every fourth is `amount`.
void writeScreenRecord(const DataStore& store, PersonCode code, int k, double amount);

// Runs the registered benchmarks and prints "ratio <name>/<baseline>: X" for every other benchmark.
int runAgainstBaseline(int argc, char** argv, const std::string& baselineName);
// The same against each of several baselines.
int runAgainstBaselines(int argc, char** argv, const std::vector<std::string>& baselineNames);

} // namespace kakutei::bench
