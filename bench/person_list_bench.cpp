// The main menu's person list over codes 1 to 1000 with 1000 registered taxpayers, against opening the same
// files and reading their first two lines with plain POSIX calls.
#include "bench_support.h"

#include "core/taxpayer_record.h"
#include "shell/app.h"
#include "shell/main_menu.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kakutei::bench {
namespace {

struct Registry {
    ScratchRoot root;
    DataStore store{root.path()};
    Registry() {
        store.ensureFolders(kYearCode);
        registerTaxpayers(store, 1000);
    }
};

Registry& registry() {
    static Registry instance;
    return instance;
}

void personList(benchmark::State& state) {
    SilentUserInterface ui;
    App app(registry().store, ui);
    app.start();
    for (auto _ : state) {
        app.mainMenu().display();
        benchmark::DoNotOptimize(app.mainMenu().list1.data());
    }
    if (app.mainMenu().list1.size() != 1000)
        state.SkipWithError("the list does not hold 1000 entries");
}

void posixFirstTwoLines(benchmark::State& state) {
    const std::string folder = registry().store.path(names::personFolder);
    char path[4096];
    char buffer[4096];
    for (auto _ : state) {
        std::size_t lines = 0;
        for (int code = 1; code <= 1000; ++code) {
            std::snprintf(path, sizeof path, "%s/%d.txt", folder.c_str(), code);
            const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                continue;
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            ::close(fd);
            const char* end = buffer + (got > 0 ? got : 0);
            const char* first =
                static_cast<const char*>(std::memchr(buffer, '\n', static_cast<std::size_t>(end - buffer)));
            if (first && std::memchr(first + 1, '\n', static_cast<std::size_t>(end - first - 1)))
                ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
}

BENCHMARK(posixFirstTwoLines)->Unit(benchmark::kMillisecond);
BENCHMARK(personList)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kakutei::bench

int main(int argc, char** argv) {
    return kakutei::bench::runAgainstBaseline(argc, argv, "posixFirstTwoLines");
}
