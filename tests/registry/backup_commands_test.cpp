// `kakutei backup` and `kakutei restore` as the real program runs them: the data folder is never taken for a
// backup folder, and SIGINT, SIGTERM or SIGKILL at any moment leave the old state or the new one, never a
// mix (after SIGKILL, once the program has started again). KAKUTEI_LONG=1 interrupts them many more times.
#include "core/record_kinds.h"
#include "core/taxpayer_record.h"

#include "temp_root.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace kakutei {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;

struct Outcome {
    int status = -1; // the exit status, or -1 when a signal ended the program
    std::string err;
};

pid_t start(const std::vector<std::string>& words, const std::string& errFile) {
    std::vector<std::string> argv = {KAKUTEI_BINARY};
    argv.insert(argv.end(), words.begin(), words.end());
    const pid_t child = ::fork();
    if (child == 0) {
        std::vector<char*> pointers;
        for (std::string& word : argv)
            pointers.push_back(word.data());
        pointers.push_back(nullptr);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(err, 2);
        ::freopen("/dev/null", "w", stdout);
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
    return child;
}

Outcome finish(pid_t child, const std::string& errFile) {
    int status = 0;
    ::waitpid(child, &status, 0);
    std::ifstream in(errFile);
    Outcome run;
    run.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// Every file below `base`/所得税 with its bytes; hidden files of a write under way are left out.
Tree treeOf(const std::string& base) {
    Tree files;
    for (const auto& entry : fs::recursive_directory_iterator(base + "/所得税")) {
        const std::string name = fs::relative(entry.path(), base + "/所得税").string();
        if (!entry.is_regular_file() || entry.path().filename().string().starts_with("."))
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[name] = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

// The hidden folders a change works in, and whether one holds a plan still to be carried out.
std::vector<std::string> changesUnderWay(const std::string& base, bool withPlanOnly) {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(base))
        if (entry.path().filename().string().starts_with(".kakutei-change-") &&
            (!withPlanOnly || fs::exists(entry.path() / "plan")))
            found.push_back(entry.path().string());
    return found;
}

// A whole office: taxpayers 1 to `last`, each with a record, five screen files and a housing loan file.
void fillData(const testing::TempRoot& root, int last, const std::string& mark) {
    const DataStore store(root.path());
    ASSERT_FALSE(store.ensureFolders(kYearCode));
    for (int code = 1; code <= last; ++code) {
        TaxpayerRecord record;
        record.personCode = static_cast<PersonCode>(code);
        record.name = mark + std::to_string(code);
        ASSERT_FALSE(
            taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(record.personCode))));
        // Whole records, each telling its taxpayer, its screen and its state apart from the others'.
        for (int k = 1; k <= 6; ++k) {
            const RecordSchema& schema = screenRecordSchema(k);
            RecordWriter writer(schema);
            for (int i = 0; i < schema.textCount(); ++i)
                writer.text(mark + std::to_string(code * 10 + k));
            for (int i = 0; i < schema.numberCount(); ++i)
                writer.number(code * 10 + k + 1'000'000.0 * static_cast<unsigned char>(mark.at(0)));
            ASSERT_FALSE(
                writer.writeTo(store.path(*names::recordFile(static_cast<PersonCode>(code), k, kYearCode))));
        }
    }
    RecordWriter accountant(taxAccountantSchema());
    for (const std::string& text : {mark, std::string(), std::string()})
        accountant.text(text);
    ASSERT_FALSE(accountant.writeTo(store.path(names::taxAccountantFile)));
}

TEST(BackupCommands, TheDataFolderIsNeverTakenForABackupFolder) {
    testing::TempRoot outer;
    const std::string data = outer.path() + "/data";
    fs::create_directories(data + "/所得税");
    testing::TempRoot seed;
    fillData(seed, 3, "data");
    fs::copy(seed.path() + "/所得税", data + "/所得税", fs::copy_options::recursive);
    fs::create_directory_symlink(data, outer.path() + "/link");
    const Tree before = treeOf(data);
    const std::vector<std::vector<std::string>> commands = {
        {"backup", data},
        {"backup", data + "/"},
        {"backup", outer.path() + "/link/."},
        {"backup", data + "/所得税"},
        {"backup", outer.path()},
        {"restore", data, "--yes"},
        {"restore", outer.path() + "/link/所得税/..", "--yes"},
        {"restore", outer.path(), "--yes"},
    };
    const std::string errFile = outer.path() + "/err";
    for (std::vector<std::string> words : commands) {
        const std::string command = words.at(0) + " " + words.at(1);
        words.insert(words.begin(), {"--root", data});
        const Outcome run = finish(start(words, errFile), errFile);
        EXPECT_EQ(run.status, 1) << command;
        const std::string title = words.at(2) == "backup" ? "バックアップ: " : "リストア: ";
        EXPECT_TRUE(run.err.starts_with(title)) << command << "\n" << run.err;
        EXPECT_NE(run.err.find("データのフォルダ"), std::string::npos) << run.err;
        ASSERT_EQ(treeOf(data), before) << command;
    }
}

struct InterruptFixture : ::testing::Test {
    // Two whole states of an office; each is held by a data folder and by a backup folder.
    testing::TempRoot x, y, backupX, backupY, messages;
    Tree stateX, stateY;
    std::string errFile = messages.path() + "/err";

    InterruptFixture() {
        fillData(x, 200, "X");
        fillData(y, 180, "Y"); // taxpayers 181 to 200 are not in Y: a change to Y removes their files
        for (const auto& [from, to] : {std::pair{&x, &backupX}, std::pair{&y, &backupY}})
            fs::copy(from->path() + "/所得税", to->path() + "/所得税", fs::copy_options::recursive);
        stateX = treeOf(x.path());
        stateY = treeOf(y.path());
    }

    static int interruptions() {
        const char* longMode = std::getenv("KAKUTEI_LONG");
        return longMode && std::string(longMode) == "1" ? 40 : 5;
    }

    // How long the command takes when nobody stops it.
    std::chrono::microseconds duration(std::vector<std::string> words) {
        const auto begin = std::chrono::steady_clock::now();
        const Outcome run = finish(start(words, errFile), errFile);
        EXPECT_EQ(run.status, 0) << run.err;
        return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                     begin);
    }

    // Interrupts `command` on `changed` (a data folder or a backup folder) again and again; each time the
    // folder must hold the state it had or the one it was to get.
    void interruptRepeatedly(bool restore) {
        testing::TempRoot work;
        fs::copy((restore ? x : y).path() + "/所得税", work.path() + "/所得税", fs::copy_options::recursive);
        bool holdsX = restore;
        const auto words = [&](bool toX) -> std::vector<std::string> {
            if (restore)
                return {"--root", work.path(), "restore", (toX ? backupX : backupY).path(), "--yes"};
            return {"--root", (toX ? x : y).path(), "backup", work.path()};
        };
        std::vector<std::string> once = words(!holdsX);
        {
            testing::TempRoot scratch; // the measurement changes a copy
            fs::copy(work.path() + "/所得税", scratch.path() + "/所得税", fs::copy_options::recursive);
            for (std::string& word : once)
                if (word == work.path())
                    word = scratch.path();
            const auto full = duration(once);
            RecordProperty(restore ? "restore_microseconds" : "backup_microseconds",
                           static_cast<int>(full.count()));
            delay_ = std::uniform_int_distribution<long>(0, full.count());
        }
        int changed = 0;
        for (int signal : {SIGINT, SIGTERM, SIGKILL}) {
            for (int i = 0; i < interruptions(); ++i) {
                const pid_t child = start(words(!holdsX), errFile);
                ::usleep(static_cast<useconds_t>(delay_(random_)));
                ::kill(child, signal);
                const Outcome run = finish(child, errFile);
                if (signal == SIGKILL) {
                    // The next start of the program finishes or forgets what was under way.
                    const std::vector<std::string> next =
                        restore ? std::vector<std::string>{"--root", work.path(), "list"}
                                : std::vector<std::string>{"--root", y.path(), "restore", work.path()};
                    finish(start(next, errFile), errFile);
                    ASSERT_TRUE(changesUnderWay(work.path(), true).empty()) << i;
                } else {
                    ASSERT_TRUE(run.status == -1 || run.status == 0 || run.status == 1) << run.status;
                    ASSERT_TRUE(changesUnderWay(work.path(), false).empty())
                        << "signal " << signal << ", " << i;
                }
                const Tree now = treeOf(work.path());
                const Tree& old = holdsX ? stateX : stateY;
                const Tree& fresh = holdsX ? stateY : stateX;
                ASSERT_TRUE(now == old || now == fresh)
                    << (restore ? "restore" : "backup") << ", signal " << signal << ", run " << i << ": "
                    << now.size() << " files, neither state";
                if (now == fresh) {
                    holdsX = !holdsX;
                    ++changed;
                }
            }
        }
        RecordProperty("completed", changed);
    }

    std::mt19937 random_{20050315};
    std::uniform_int_distribution<long> delay_;
};

TEST_F(InterruptFixture, AnInterruptedRestoreLeavesTheOldDataOrTheNew) {
    interruptRepeatedly(true);
}

TEST_F(InterruptFixture, AnInterruptedBackupLeavesTheOldBackupOrTheNew) {
    interruptRepeatedly(false);
}

} // namespace
} // namespace kakutei
