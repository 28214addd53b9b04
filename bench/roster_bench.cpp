// The client roster over 1000 calculated returns with their checks before printing, against opening the same
// files (each taxpayer's record and the six records of the year) and reading them whole with plain POSIX
// calls, and the roster window filled from the same reading.
#include "bench_support.h"

#include "core/record.h"
#include "core/taxpayer_record.h"
#include "office/roster.h"
#include "shell/app.h"
#include "ui/roster_window.h"
#include "ui/screen_window.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kakutei::bench {
namespace {

struct Office {
    ScratchRoot root;
    DataStore store{root.path()};
    Office() {
        store.ensureFolders(kYearCode);
        registerTaxpayers(store, 1000);
        for (int code = 1; code <= 1000; ++code) {
            const auto c = static_cast<PersonCode>(code);
            writeScreenRecord(store, c, 1, 12345 + code);
            writeScreenRecord(store, c, 2, 10'000 + code);
            writeScreenRecord(store, c, 3, 38);
            writeScreenRecord(store, c, 4, 5'000 + code);
            writeScreenRecord(store, c, 5, 6789 + code);
        }
    }
    std::vector<std::string> files() const {
        std::vector<std::string> all;
        for (int code = 1; code <= 1000; ++code) {
            const auto c = static_cast<PersonCode>(code);
            all.push_back(store.path(names::taxpayerFile(c)));
            for (int k = 1; k <= 5; ++k)
                all.push_back(store.path(*names::screenFile(c, k, kYearCode)));
            all.push_back(store.path(*names::housingLoanFile(c, kYearCode))); // not there: tried all the same
        }
        return all;
    }
};

Office& office() {
    static Office instance;
    return instance;
}

void roster(benchmark::State& state) {
    for (auto _ : state) {
        const std::vector<RosterRow> rows = readRoster(office().store, kYearCode);
        if (rows.size() != 1000 || !rows.back().taxDue || !rows.back().warnings)
            state.SkipWithError("the roster does not hold 1000 calculated, checked returns");
        benchmark::DoNotOptimize(rows.data());
    }
}

// The same files opened, stat'ed (the roster shows the time of the last calculation) and read whole.
void posixSameFiles(benchmark::State& state) {
    const std::vector<std::string> files = office().files();
    char buffer[8192];
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const std::string& path : files) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                continue;
            struct stat info {};
            ::fstat(fd, &info);
            for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
                bytes += static_cast<std::size_t>(got);
            ::close(fd);
        }
        benchmark::DoNotOptimize(bytes);
    }
}

// What the user waits for: the same reading and the table of the roster window filled and sized.
void rosterWindow(benchmark::State& state) {
    SilentUserInterface ui;
    App app(office().store, ui);
    app.start();
    WindowRegistry registry;
    RosterWindow window(app, registry);
    for (auto _ : state) {
        window.reload();
        if (window.table().visibleRows().size() != 1000)
            state.SkipWithError("the window does not show 1000 clients");
    }
}

BENCHMARK(posixSameFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(roster)->Unit(benchmark::kMillisecond);
BENCHMARK(rosterWindow)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kakutei::bench

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return kakutei::bench::runAgainstBaseline(argc, argv, "posixSameFiles");
}
