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
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean")
                means[name] = run.GetAdjustedRealTime();
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                sums[name] += run.GetAdjustedRealTime();
                counts[name] += 1;
            }
        }
    }
    // The mean time of each benchmark, over its repetitions.
    std::map<std::string, double> perIteration() const {
        std::map<std::string, double> result;
        for (const auto& [name, sum] : sums)
            result[name] = sum / counts.at(name);
        for (const auto& [name, mean] : means)
            result[name] = mean;
        return result;
    }

private:
    std::map<std::string, double> means;
    std::map<std::string, double> sums;
    std::map<std::string, int> counts;
};

} // namespace

int runAgainstBaseline(int argc, char** argv, const std::string& baselineName) {
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto times = reporter.perIteration();
    const auto baseline = times.find(baselineName);
    if (baseline == times.end() || baseline->second <= 0)
        return 0;
    for (const auto& [name, time] : times)
        if (name != baselineName)
            std::printf("ratio %s / %s: %.2f\n", name.c_str(), baselineName.c_str(), time / baseline->second);
    return 0;
}

} // namespace kakutei::bench
