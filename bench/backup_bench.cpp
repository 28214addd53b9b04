// Backup and restore of 1000 taxpayers with all five screen files and the record (6002 files with the two
// shared files), against copying the same tree with cp and waiting for the disk in the same run.
//
// "Changed": every file differs from what the destination holds (the other set of figures), so each one is
// written and replaced. "Unchanged": the destination holds the same files already, as after restoring this
// morning's backup or backing up onto yesterday's stick when little has changed since. The cases run in
// random turns, so that none of them always meets the disk just after another one's deletions.
#include "bench_support.h"

#include "core/record_kinds.h"
#include "core/taxpayer_record.h"
#include "registry/data_management_screen.h"
#include "shell/app.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

namespace kakutei::bench {
namespace {

// One of two sets of the same clients whose every file differs from the other's.
void writeFigures(const DataStore& store, int set) {
    store.ensureFolders(kYearCode);
    for (int code = 1; code <= 1000; ++code) {
        const auto c = static_cast<PersonCode>(code);
        TaxpayerRecord record;
        record.personCode = c;
        record.name = "山田　太郎" + std::to_string(code) + (set == 0 ? "" : "（改）");
        taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(c)));
        for (int k = 1; k <= 5; ++k)
            writeScreenRecord(store, c, k, code * 1000 + k + set);
    }
    RecordWriter accountant(taxAccountantSchema());
    for (const char* value : {"税理士", "住所", "電話"})
        accountant.text(value + std::string(set == 0 ? "" : "２"));
    accountant.writeTo(store.path(names::taxAccountantFile));
    RecordWriter offsets(printSettingsSchema());
    offsets.integer(set);
    offsets.integer(set);
    offsets.writeTo(store.path(names::printSettingsFile));
}

void run(const std::string& command) {
    if (std::system(command.c_str()) != 0)
        std::abort();
}

struct Data {
    ScratchRoot root;
    ScratchRoot target;
    ScratchRoot sets[2]; // a backup of each set of figures
    DataStore store{root.path()};
    SilentUserInterface ui;
    App app{store, ui};
    int dataSet = 0; // which set the data holds now
    Data() {
        writeFigures(store, 0);
        writeFigures(DataStore(sets[1].path()), 1);
        app.start();
        screen().backupTo(sets[0].path());
    }
    DataManagementScreen& screen() { return *app.screenAs<DataManagementScreen>(ScreenId::dataManagement); }
    const std::string& otherSet() const { return sets[1 - dataSet].path(); }
    const std::string& sameSet() const { return sets[dataSet].path(); }
    // The backup destination, holding a copy of `from`.
    void targetHolds(const std::string& from) {
        std::filesystem::remove_all(target.path() + "/所得税");
        run("cp -rp '" + from + "/所得税' '" + target.path() + "/'");
    }
};

Data& data() {
    static Data instance;
    return instance;
}

// Runs `command` through the shell and waits for the disk, after `prepare`, which is not timed.
void timeCopy(benchmark::State& state, const std::function<void()>& prepare, const std::string& command) {
    for (auto _ : state) {
        state.PauseTiming();
        prepare();
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cp failed");
        std::system(("sync -f '" + data().target.path() + "'").c_str());
    }
}

void copyWithCp(benchmark::State& state) {
    timeCopy(
        state, [] { std::filesystem::remove_all(data().target.path() + "/所得税"); },
        "cp -r '" + data().root.path() + "/所得税' '" + data().target.path() + "/'");
}

// What replacing the tree by hand costs: the old files removed, then the same copy. Backup and restore
// remove the files they replace too, so this is the same work without the safety.
void replaceWithCp(benchmark::State& state) {
    timeCopy(
        state, [] { data().targetHolds(data().otherSet()); },
        "rm -rf '" + data().target.path() + "/所得税' && cp -r '" + data().root.path() + "/所得税' '" +
            data().target.path() + "/'");
}

void backup(benchmark::State& state, bool changed) {
    for (auto _ : state) {
        state.PauseTiming();
        data().targetHolds(changed ? data().otherSet() : data().sameSet());
        state.ResumeTiming();
        if (!data().screen().backupTo(data().target.path()))
            state.SkipWithError("the backup failed");
    }
}

void restore(benchmark::State& state, bool changed) {
    for (auto _ : state) {
        if (!data().screen().restoreFrom(changed ? data().otherSet() : data().sameSet(), true))
            state.SkipWithError("the restore failed");
        if (changed)
            data().dataSet = 1 - data().dataSet;
    }
}

BENCHMARK(copyWithCp)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(replaceWithCp)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK_CAPTURE(backup, changed, true)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK_CAPTURE(restore, changed, true)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK_CAPTURE(backup, unchanged, false)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK_CAPTURE(restore, unchanged, false)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

} // namespace
} // namespace kakutei::bench

int main(int argc, char** argv) {
    kakutei::bench::data(); // made before any case is timed: whichever runs first must not pay for it
    std::vector<char*> arguments(argv, argv + argc);
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleaving);
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    return kakutei::bench::runAgainstBaselines(count, arguments.data(), {"copyWithCp", "replaceWithCp"});
}
