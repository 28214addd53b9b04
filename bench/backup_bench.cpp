// Backup and restore of 1000 taxpayers with all five screen files and the record (6002 files with the two
// shared files), against copying the same files with cp in the same run.
#include "bench_support.h"

#include "core/record_kinds.h"
#include "core/taxpayer_record.h"
#include "registry/data_management_screen.h"
#include "shell/app.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace kakutei::bench {
namespace {

struct Data {
    ScratchRoot root;
    ScratchRoot target;
    DataStore store{root.path()};
    SilentUserInterface ui;
    App app{store, ui};
    Data() {
        store.ensureFolders(kYearCode);
        for (int code = 1; code <= 1000; ++code) {
            const auto c = static_cast<PersonCode>(code);
            TaxpayerRecord record;
            record.personCode = c;
            record.name = "山田　太郎" + std::to_string(code);
            taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(c)));
            for (int k = 1; k <= 5; ++k)
                writeScreenRecord(store, c, k, code * 1000 + k);
        }
        RecordWriter accountant(taxAccountantSchema());
        for (const char* value : {"税理士", "住所", "電話"})
            accountant.text(value);
        accountant.writeTo(store.path(names::taxAccountantFile));
        RecordWriter offsets(printSettingsSchema());
        offsets.integer(0);
        offsets.integer(0);
        offsets.writeTo(store.path(names::printSettingsFile));
        app.start();
    }
    DataManagementScreen& screen() { return *app.screenAs<DataManagementScreen>(ScreenId::dataManagement); }
};

Data& data() {
    static Data instance;
    return instance;
}

void copyWithCp(benchmark::State& state) {
    const std::string command = "cp -r '" + data().root.path() + "/所得税' '" + data().target.path() + "/'";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(data().target.path() + "/所得税");
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cp failed");
        std::system(("sync -f '" + data().target.path() + "'").c_str());
    }
}

void backup(benchmark::State& state) {
    for (auto _ : state)
        data().screen().backupTo(data().target.path());
}

void restore(benchmark::State& state) {
    data().screen().backupTo(data().target.path());
    for (auto _ : state)
        data().screen().restoreFrom(data().target.path(), true);
}

BENCHMARK(copyWithCp)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(backup)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
BENCHMARK(restore)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);

} // namespace
} // namespace kakutei::bench

int main(int argc, char** argv) {
    return kakutei::bench::runAgainstBaseline(argc, argv, "copyWithCp");
}
