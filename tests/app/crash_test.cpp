// Power cuts and crashes: `kakutei recalc` over many taxpayers is killed with SIGKILL at random moments;
// afterwards every file reads whole (all its values and the twelve fillers) and is either the old or the
// new version. KAKUTEI_LONG=1 kills it a few hundred times instead of a few dozen.
#include "core/record_kinds.h"
#include "core/taxpayer_record.h"

#include "screen_fixture.h"

#include <csignal>
#include <cstdlib>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace kakutei {
namespace {

constexpr int kTaxpayers = 40;

pid_t startRecalc(const std::string& root) {
    std::vector<std::string> words = {KAKUTEI_BINARY, "--root", root, "recalc"};
    for (int code = 1; code <= kTaxpayers; ++code)
        words.push_back(std::to_string(code));
    const pid_t child = ::fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        ::freopen("/dev/null", "w", stderr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return child;
}

// Every file of the tree, by name, with its bytes; temporary files of an interrupted write are left out.
std::map<std::string, std::string> records(const testing::TempRoot& root) {
    std::map<std::string, std::string> files;
    for (const char* folder : {"所得税/個人名", "所得税/H16所得税"})
        for (const auto& entry : std::filesystem::directory_iterator(root.path() + "/" + folder)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with("."))
                continue;
            files[std::string(folder) + "/" + name] = root.readBytes(std::string(folder) + "/" + name);
        }
    return files;
}

// The record reads whole through its schema: every value, then the twelve fillers in order.
bool readsWhole(const std::string& path, int k) {
    return readRecordFile(path, screenRecordSchema(k)).readable();
}

struct CrashFixture : testing::DataScreenFixture {
    CrashFixture() {
        for (int code = 1; code <= kTaxpayers; ++code) {
            const auto c = static_cast<PersonCode>(code);
            TaxpayerRecord record;
            record.personCode = c;
            record.name = "納税者" + std::to_string(code);
            taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(c)));
            testing::writeRecordFields(store, c, 1, 0, 20, {{6, std::to_string(3'000'000 + code)}});
            testing::writeRecordFields(store, c, 2, 13, 25, {{17, "400000"}});
            testing::writeRecordFields(store, c, 3, 47, 17, {{48, "38"}});
            testing::writeRecordFields(store, c, 4, 40, 25, {{42, "100000"}});
        }
    }
};

TEST_F(CrashFixture, KilledAtRandomEveryFileIsWholeAndOldOrNew) {
    const auto before = records(root);
    // The new version of every file: one run to the end on a copy.
    testing::TempRoot finished;
    std::filesystem::copy(root.path() + "/所得税", finished.path() + "/所得税",
                          std::filesystem::copy_options::recursive);
    int status = 0;
    ::waitpid(startRecalc(finished.path()), &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const auto after = records(finished);

    const char* longMode = std::getenv("KAKUTEI_LONG");
    const int kills = longMode && std::string(longMode) == "1" ? 300 : 25;
    std::mt19937 random(20041231);
    std::uniform_int_distribution<int> wait(0, 400'000);
    for (int kill = 0; kill < kills; ++kill) {
        const pid_t child = startRecalc(root.path());
        ::usleep(static_cast<useconds_t>(wait(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        for (const auto& [name, bytes] : records(root)) {
            const bool old = before.count(name) && before.at(name) == bytes;
            const bool fresh = after.count(name) && after.at(name) == bytes;
            ASSERT_TRUE(old || fresh) << "kill " << kill << ": " << name << " is neither version";
            if (name.starts_with("所得税/H16所得税/")) {
                const int k = name[name.size() - 5] - '0';
                ASSERT_TRUE(readsWhole(root.path() + "/" + name, k)) << name;
            }
        }
    }
    RecordProperty("kills", kills);
}

} // namespace
} // namespace kakutei
