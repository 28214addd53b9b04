// Garbage, truncated and oversized files of every kind through the batch commands: no crash, a message
// where the user must know, and nothing stored lost.
#include "app/batch_commands.h"

#include "core/taxpayer_record.h"

#include "ordinary_user.h"
#include "screen_fixture.h"

#include <sstream>
#include <sys/stat.h>

namespace kakutei {
namespace {

struct Hostile {
    const char* name;
    std::string bytes;
};

std::vector<Hostile> hostileContents() {
    return {
        {"garbage", std::string("\x80\xff\x00\x01\"\"\"\r\r\n\xfe", 12)},
        {"empty", ""},
        {"truncated", "7\r\n\"山"},
        {"one long line", std::string(2 << 20, '9')},
        {"numbers where texts stand", "1\r\n2\r\n3\r\n"},
        {"texts where numbers stand", std::string(100 * 5, '"')},
        {"huge numbers", "1e308\r\n-1e308\r\n99999999999999999999999\r\n"},
    };
}

struct HostileFixture : testing::DataScreenFixture {
    int run(std::vector<std::string> words, std::string* err = nullptr) {
        std::vector<const char*> argv = {"kakutei", "--root", root.path().c_str()};
        for (const std::string& word : words)
            argv.push_back(word.c_str());
        std::ostringstream out, errors;
        const int status =
            runBatchCommand(parseCommandLine(static_cast<int>(argv.size()), argv.data()), out, errors);
        if (err)
            *err = errors.str();
        return status;
    }
    void registerCode(PersonCode code, const std::string& name) {
        TaxpayerRecord record;
        record.personCode = code;
        record.name = name;
        taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(code)));
    }
    void registerSeven() { registerCode(7, "七"); }
};

std::string screenFileName(PersonCode code, int k) {
    return "所得税/H16所得税/" + std::to_string(code * 10 + k) + ".txt";
}

// A taxpayer with one damaged screen file gets nothing written at all: not the other screens, not the tax.
// The file is named, the next taxpayer on the command line is still done, and the status says it failed.
TEST_F(HostileFixture, DamagedScreenFilesAreNamedAndKeptAndNothingElseIsWritten) {
    for (const Hostile& hostile : hostileContents()) {
        for (int k = 1; k <= 6; ++k) {
            registerCode(7, "七");
            registerCode(8, "八");
            const std::string name = k == 6 ? "所得税/H16所得税/76住宅.txt" : screenFileName(7, k);
            root.writeBytes(name, hostile.bytes);
            std::string err;
            EXPECT_EQ(run({"recalc", "7", "8"}, &err), 1) << hostile.name << " k=" << k;
            EXPECT_NE(err.find("「" + root.path() + "/" + name + "」を読めません"), std::string::npos)
                << hostile.name << " k=" << k << "\n"
                << err;
            EXPECT_NE(err.find("個人コード 7（七）: 「"), std::string::npos) << err;
            EXPECT_NE(err.find("何も計算せず、保存も印刷もしていません。"), std::string::npos) << err;
            EXPECT_EQ(root.readBytes(name), hostile.bytes) << hostile.name << " k=" << k;
            for (int other = 1; other <= 5; ++other) {
                const bool written = std::filesystem::exists(root.path() + "/" + screenFileName(7, other));
                EXPECT_EQ(written, other == k) << hostile.name << " k=" << k << " file " << other;
            }
            EXPECT_TRUE(std::filesystem::exists(root.path() + "/" + screenFileName(8, 5))) << hostile.name;
            EXPECT_EQ(run({"show", "7"}), 1) << hostile.name;
            EXPECT_EQ(run({"list"}), 0) << hostile.name;
            std::filesystem::remove_all(root.path() + "/所得税/H16所得税");
            std::filesystem::create_directory(root.path() + "/所得税/H16所得税");
        }
    }
}

// Files that are there but not readable by the user: the same refusal, whatever stops the read. A folder
// or a pipe where a record should be is never waited on or replaced.
TEST_F(HostileFixture, ScreenFilesThatCannotBeOpenedAreNamedAndKept) {
    registerCode(7, "七");
    const std::string income = root.path() + "/" + screenFileName(7, 1);
    std::filesystem::create_directory(income);
    std::string err;
    EXPECT_EQ(run({"recalc", "7"}, &err), 1);
    EXPECT_NE(err.find("71.txt」を読めません"), std::string::npos) << err;
    EXPECT_TRUE(std::filesystem::is_directory(income));
    std::filesystem::remove(income);

    ASSERT_EQ(::mkfifo(income.c_str(), 0600), 0);
    EXPECT_EQ(run({"recalc", "7"}, &err), 1);
    EXPECT_NE(err.find("71.txt」を読めません"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(root.path() + "/" + screenFileName(7, 5)));
    std::filesystem::remove(income);

    // No permission to read: as root nothing is unreadable, so the command runs as an ordinary user.
    const std::string bytes = testing::crlfLines({"1", "2"});
    root.writeBytes(screenFileName(7, 2), bytes);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root.path()))
        ::chmod(entry.path().c_str(), entry.is_directory() ? 0777 : 0666);
    ::chmod(root.path().c_str(), 0777);
    ::chmod((root.path() + "/" + screenFileName(7, 2)).c_str(), 0);
    EXPECT_EQ(testing::exitStatusAsOrdinaryUser([&] { return run({"recalc", "7"}); }), 1);
    ::chmod((root.path() + "/" + screenFileName(7, 2)).c_str(), 0600);
    EXPECT_EQ(root.readBytes(screenFileName(7, 2)), bytes);
    EXPECT_FALSE(std::filesystem::exists(root.path() + "/" + screenFileName(7, 1)));
}

TEST_F(HostileFixture, DamagedRecordsOfEveryOtherKindNeverCrash) {
    const char* files[] = {"所得税/個人名/7.txt", "所得税/H16所得税/76住宅.txt", "所得税/税理士名.txt",
                           "所得税/印刷要領.txt", "年末調整/H16税理士報酬/税理士名.txt"};
    for (const Hostile& hostile : hostileContents())
        for (const char* file : files) {
            registerSeven();
            root.writeBytes(file, hostile.bytes);
            EXPECT_LE(run({"list"}), 1) << hostile.name << " " << file;
            EXPECT_LE(run({"recalc", "7"}), 1) << hostile.name << " " << file;
            EXPECT_LE(run({"show", "7"}), 1) << hostile.name << " " << file;
            std::filesystem::remove(root.path() + "/" + file);
        }
}

TEST_F(HostileFixture, CodesOutOfRangeAndBadRoots) {
    std::string err;
    for (const char* code : {"0", "-5", "32768", "3277", "abc", ""}) {
        EXPECT_NE(run({"recalc", code}, &err), 0) << code; // "-5" reads as an unknown option: a usage error
        EXPECT_FALSE(err.empty());
    }
    root.writeBytes("afile", "x");
    const std::string below = root.path() + "/afile/below";
    std::vector<const char*> argv = {"kakutei", "--root", below.c_str(), "list"};
    std::ostringstream out, errors;
    EXPECT_EQ(runBatchCommand(parseCommandLine(4, argv.data()), out, errors), 1);
    EXPECT_NE(errors.str().find("データのフォルダを作れません"), std::string::npos);
}

} // namespace
} // namespace kakutei
