// `recalc` over 1000 registered taxpayers with all four screen records, against reading and writing the
// same five files of each with plain POSIX calls and the least a durable atomic replace needs: each file
// written to a temporary one, flushed and renamed, then the folder flushed once per taxpayer.
#include "bench_support.h"

#include "app/batch_commands.h"
#include "core/record.h"
#include "core/taxpayer_record.h"
#include "shell/app.h"
#include "shell/office_batch.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace kakutei::bench {
namespace {

constexpr int kTaxpayers = 1000;

struct Returns {
    ScratchRoot root;
    DataStore store{root.path()};
    Returns() {
        store.ensureFolders(kYearCode);
        registerTaxpayers(store, kTaxpayers);
        for (int code = 1; code <= kTaxpayers; ++code) {
            const auto c = static_cast<PersonCode>(code);
            writeScreenRecord(store, c, 1, 3'000'000 + code);
            writeScreenRecord(store, c, 2, 10'000 + code);
            writeScreenRecord(store, c, 3, 38);
            writeScreenRecord(store, c, 4, 5'000 + code);
        }
    }
};

Returns& returns() {
    static Returns instance;
    return instance;
}

void recalcAll(benchmark::State& state) {
    SilentUserInterface ui;
    App app(returns().store, ui);
    app.start();
    for (auto _ : state)
        for (int code = 1; code <= kTaxpayers; ++code)
            recalculateReturn(app, static_cast<PersonCode>(code));
    state.counters["returns/s"] =
        benchmark::Counter(static_cast<double>(kTaxpayers), benchmark::Counter::kIsIterationInvariantRate);
}

std::string readWhole(const std::string& path) {
    std::string content;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return content;
    char buffer[8192];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        content.append(buffer, static_cast<std::size_t>(got));
    ::close(fd);
    return content;
}

void replaceWhole(const std::string& folder, const std::string& path, const std::string& bytes) {
    std::string temporary = folder + "/.bench-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return;
    if (::write(fd, bytes.data(), bytes.size()) < 0 || ::fsync(fd) != 0) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return;
    }
    ::close(fd);
    ::rename(temporary.c_str(), path.c_str());
}

void flushFolder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::fsync(dir);
    ::close(dir);
}

void posixReadAndReplace(benchmark::State& state) {
    const DataStore& store = returns().store;
    const std::string folder = store.path(names::yearDataFolder(kYearCode));
    for (auto _ : state) {
        for (int code = 1; code <= kTaxpayers; ++code) {
            const auto c = static_cast<PersonCode>(code);
            benchmark::DoNotOptimize(readWhole(store.path(names::taxpayerFile(c))));
            for (int k = 1; k <= 5; ++k) {
                const std::string path = store.path(*names::screenFile(c, k, kYearCode));
                const std::string bytes = readWhole(path);
                replaceWhole(folder, path, bytes.empty() ? std::string("0\r\n") : bytes);
            }
            flushFolder(folder);
        }
    }
}

BENCHMARK(posixReadAndReplace)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();
BENCHMARK(recalcAll)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();

} // namespace
} // namespace kakutei::bench

int main(int argc, char** argv) {
    return kakutei::bench::runAgainstBaseline(argc, argv, "posixReadAndReplace");
}
