#include "bench_support.h"

#include "core/record_kinds.h"
#include "core/taxpayer_record.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

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

void registerTaxpayers(const DataStore& store, int count) {
    for (int code = 1; code <= count; ++code) {
        TaxpayerRecord record;
        record.personCode = static_cast<PersonCode>(code);
        record.name = "山田　太郎" + std::to_string(code);
        record.reading = "ヤマダ　タロウ";
        record.condition = "該当なし";
        record.address1 = "東京都千代田区霞が関3-1-1";
        record.returnKind = "青色";
        taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(record.personCode)));
    }
}

void writeScreenRecord(const DataStore& store, PersonCode code, int k, double amount) {
    const RecordSchema& schema = screenRecordSchema(k);
    RecordWriter writer(schema);
    for (int i = 0; i < schema.textCount(); ++i)
        writer.text(i % 3 == 0 ? "給　与" : "");
    for (int i = 0; i < schema.numberCount(); ++i)
        writer.number(i % 4 == 0 ? amount : 0);
    writer.writeTo(store.path(*names::screenFile(code, k, kYearCode)));
}

namespace {

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            // A run that stopped with an error measured nothing: no ratio is made of it.
            if (run.error_occurred) {
                failed.insert(name);
                continue;
            }
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean")
                means[name] = run.GetAdjustedRealTime();
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                sums[name] += run.GetAdjustedRealTime();
                counts[name] += 1;
            }
        }
    }
    std::set<std::string> failed;
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
    return runAgainstBaselines(argc, argv, {baselineName});
}

int runAgainstBaselines(int argc, char** argv, const std::vector<std::string>& baselineNames) {
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto times = reporter.perIteration();
    const auto isBaseline = [&](const std::string& name) {
        return std::find(baselineNames.begin(), baselineNames.end(), name) != baselineNames.end();
    };
    for (const std::string& baselineName : baselineNames) {
        const auto baseline = times.find(baselineName);
        if (baseline == times.end() || baseline->second <= 0 || reporter.failed.contains(baselineName)) {
            std::printf("no ratio: the baseline %s measured nothing\n", baselineName.c_str());
            return 1;
        }
    }
    for (const std::string& name : reporter.failed)
        std::printf("no ratio for %s: it stopped with an error\n", name.c_str());
    for (const std::string& baselineName : baselineNames)
        for (const auto& [name, time] : times)
            if (!isBaseline(name) && !reporter.failed.contains(name))
                std::printf("ratio %s / %s: %.2f\n", name.c_str(), baselineName.c_str(),
                            time / times.at(baselineName));
    return reporter.failed.empty() ? 0 : 1;
}

} // namespace kakutei::bench
