// `recalc` over 1000 registered taxpayers with all four screen records, against reading and writing the
// same files with plain POSIX calls (the same atomic replace: temporary file, fsync, rename, folder fsync).
#include "bench_support.h"

#include "app/batch_commands.h"
#include "core/record.h"
#include "core/taxpayer_record.h"
#include "shell/app.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace kakutei::bench {
namespace {

constexpr int kTaxpayers = 1000;

void writeRecord(const DataStore& store, PersonCode code, int k, int texts, int numbers, double amount) {
    RecordWriter writer;
    for (int i = 0; i < texts; ++i)
        writer.text(i % 3 == 0 ? "給　与" : "", "text");
    for (int i = 0; i < numbers; ++i)
        writer.number(i % 4 == 0 ? amount : 0);
    writer.fillers();
    writer.writeTo(store.path(*names::screenFile(code, k, kYearCode)));
}

struct Returns {
    ScratchRoot root;
    DataStore store{root.path()};
    Returns() {
        store.ensureFolders(kYearCode);
        for (int code = 1; code <= kTaxpayers; ++code) {
            const auto c = static_cast<PersonCode>(code);
            TaxpayerRecord record;
            record.personCode = c;
            record.name = "山田　太郎" + std::to_string(code);
            record.condition = "該当なし";
            taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(c)));
            writeRecord(store, c, 1, 0, 20, 3'000'000 + code);
            writeRecord(store, c, 2, 13, 25, 10'000 + code);
            writeRecord(store, c, 3, 47, 17, 38);
            writeRecord(store, c, 4, 40, 25, 5'000 + code);
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
