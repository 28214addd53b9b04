// Garbage, truncated and oversized files of every kind through the batch commands: no crash, a message
// where the user must know, and nothing stored lost.
#include "app/batch_commands.h"

#include "core/taxpayer_record.h"

#include "screen_fixture.h"

#include <sstream>

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
    void registerSeven() {
        TaxpayerRecord record;
        record.personCode = 7;
        record.name = "七";
        taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7)));
    }
};

TEST_F(HostileFixture, DamagedScreenFilesAreNamedAndKept) {
    for (const Hostile& hostile : hostileContents()) {
        for (int k = 1; k <= 5; ++k) {
            registerSeven();
            const std::string name = "所得税/H16所得税/7" + std::to_string(k) + ".txt";
            root.writeBytes(name, hostile.bytes);
            std::string err;
            const int status = run({"recalc", "7"}, &err);
            if (status != 0) {
                EXPECT_NE(err.find("壊れている"), std::string::npos) << hostile.name << " k=" << k << err;
                EXPECT_EQ(root.readBytes(name), hostile.bytes) << hostile.name << " k=" << k;
            }
            EXPECT_LE(run({"show", "7"}), 1) << hostile.name;
            EXPECT_EQ(run({"list"}), 0) << hostile.name;
            std::filesystem::remove(root.path() + "/" + name);
        }
    }
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
