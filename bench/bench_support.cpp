#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace kakutei::bench {

ScratchRoot::ScratchRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kakutei-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        std::abort();
    path_ = pattern;
}

ScratchRoot::~ScratchRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

namespace {

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                perIteration[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> perIteration;
};

} // namespace

int runAgainstBaseline(int argc, char** argv, const std::string& baselineName) {
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto baseline = reporter.perIteration.find(baselineName);
    if (baseline == reporter.perIteration.end() || baseline->second <= 0)
        return 0;
    for (const auto& [name, time] : reporter.perIteration)
        if (name != baselineName)
            std::printf("ratio %s / %s: %.2f\n", name.c_str(), baselineName.c_str(), time / baseline->second);
    return 0;
}

} // namespace kakutei::bench
