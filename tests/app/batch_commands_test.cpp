#include "app/batch_commands.h"
#include "core/path_text.h"

#include "core/taxpayer_record.h"

#include "screen_fixture.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kakutei {
namespace {

using testing::TempRoot;

struct BatchRun {
    int status;
    std::string out;
    std::string err;
};

BatchRun run(std::vector<const char*> words) {
    words.insert(words.begin(), "kakutei");
    std::ostringstream out;
    std::ostringstream err;
    const int status =
        runBatchCommand(parseCommandLine(static_cast<int>(words.size()), words.data()), out, err);
    return {status, out.str(), err.str()};
}

TEST(BatchList, PrintsThePersonListInUtf8) {
    TempRoot root;
    DataStore store(root.path());
    ASSERT_FALSE(store.ensureFolders(kYearCode));
    for (auto [code, name] :
         {std::pair<PersonCode, const char*>{42, "髙橋　花子"}, {7, "山田太郎"}, {1000, "千"}}) {
        TaxpayerRecord record;
        record.personCode = code;
        record.name = name;
        ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(code))));
    }
    const BatchRun result = run({"--root", root.path().c_str(), "list"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "07 : 山田太郎\n042 : 髙橋　花子\n1000 : 千\n");
    EXPECT_EQ(result.err, "");
}

TEST(BatchList, EmptyRootPrintsNothingAndMakesTheTree) {
    TempRoot root;
    const std::string where = root.path() + "/fresh";
    const BatchRun result = run({"list", "--root", where.c_str()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(std::filesystem::is_directory(fsPath(where + "/所得税/H16所得税")));
}

TEST(BatchList, ARootThatIsAFileIsAFailureTheUserSees) {
    TempRoot root;
    root.writeBytes("file", "x");
    const BatchRun result = run({"--root", (root.path() + "/file").c_str(), "list"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("データのフォルダを作れません"), std::string::npos);
}

TEST(BatchBackup, BackupAndRestoreThroughTheCommands) {
    TempRoot root;
    TempRoot other;
    DataStore store(root.path());
    ASSERT_FALSE(store.ensureFolders(kYearCode));
    TaxpayerRecord record;
    record.personCode = 7;
    record.name = "山田";
    ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7))));
    testing::writeRecordFields(store, 7, 1, {{1, "1"}});
    const std::string backedUp = root.readBytes("所得税/H16所得税/71.txt");
    EXPECT_EQ(run({"--root", root.path().c_str(), "backup", other.path().c_str()}).status, 0);
    EXPECT_EQ(other.readBytes("所得税/H16所得税/71.txt"), backedUp);
    testing::writeRecordFields(store, 7, 1, {{1, "2"}});
    const std::string changed = root.readBytes("所得税/H16所得税/71.txt");
    const BatchRun refused = run({"--root", root.path().c_str(), "restore", other.path().c_str()});
    EXPECT_EQ(refused.status, 1); // a restore deletes drive C first: only with --yes
    EXPECT_EQ(root.readBytes("所得税/H16所得税/71.txt"), changed);
    EXPECT_EQ(run({"--root", root.path().c_str(), "restore", other.path().c_str(), "--yes"}).status, 0);
    EXPECT_EQ(root.readBytes("所得税/H16所得税/71.txt"), backedUp);
    const BatchRun nothing =
        run({"--root", root.path().c_str(), "restore", (other.path() + "/none").c_str(), "--yes"});
    EXPECT_EQ(nothing.status, 1);
    EXPECT_NE(nothing.err.find("そのまま"), std::string::npos);
}

TEST(BatchUsage, BadWordsExitTwo) {
    for (auto words :
         {std::vector<const char*>{"frobnicate"}, {"--root"}, {"--bogus", "list"}, {"list", "extra"}}) {
        const BatchRun result = run(words);
        EXPECT_EQ(result.status, 2) << words[0];
        EXPECT_NE(result.err.find("使い方"), std::string::npos);
    }
}

} // namespace
} // namespace kakutei
