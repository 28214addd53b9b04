// The files the commands write beside the data — roster and comparison CSVs, work sheet and form PDFs —
// through the program itself: none ever lands in the data folder, each is as private as the data whatever
// the umask, and a CSV hands a spreadsheet text, never a formula.
#include "core/cp932.h"
#include "core/store_error.h"
#include "core/taxpayer_record.h"

#include "file_tree.h"
#include "program_run.h"
#include "sample_taxpayer.h"
#include "screen_fixture.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kakutei {
namespace {

namespace fs = std::filesystem;
using testing::modeOf;
using testing::TempRoot;
using testing::treeOf;

constexpr gid_t kOffice = 60100;

struct OutputsCommand : ::testing::Test {
    TempRoot root;
    TempRoot outputs; // where the outputs should go
    TempRoot scratch; // the program's stdout and stderr
    DataStore store{root.path()};

    OutputsCommand() {
        store.ensureFolders(kYearCode);
        TaxpayerRecord record;
        record.personCode = 7;
        record.name = "山田太郎";
        testing::registerWhole(record); // so that printing asks nothing first
        EXPECT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(7))));
        testing::writeRecordFields(store, 7, 1, 0, 20, {{6, "5000000"}, {17, "3460000"}, {20, "3460000"}});
        ::chmod(outputs.path().c_str(), 01777); // a folder that would let anyone read what it is given
    }
    testing::ProgramRun kakutei(std::vector<std::string> words, const std::string& umask = "022") const {
        words.insert(words.begin(), {"--root", root.path()});
        return testing::runProgram("umask " + umask + "; QT_QPA_PLATFORM=offscreen", KAKUTEI_BINARY, words,
                                   scratch);
    }
    // The commands that write a file, each with the file it writes given `target`.
    static std::vector<std::vector<std::string>> writers(const std::string& target) {
        return {
            {"roster", "--csv", target},
            {"compare", "7", "--csv", target},
            {"explain", "7", "--pdf", target},
            {"print", "7", "--page", "1", "--pdf", target},
        };
    }
};

TEST_F(OutputsCommand, NoCommandWritesIntoTheDataFolderHoweverItIsNamed) {
    ASSERT_EQ(kakutei({"list"}).status, 0); // the folders a start makes, made before the picture is taken
    ASSERT_FALSE(
        ::symlink((root.path() + "/所得税/個人名/7.txt").c_str(), (outputs.path() + "/link").c_str()));
    const auto before = treeOf(root);
    const std::string targets[] = {
        root.path() + "/所得税/個人名/7.txt",              // a record
        root.path() + "/所得税/H16所得税/71.txt",          // a record not there yet
        root.path() + "/所得税/H16所得税",                 // a folder in the data
        root.path(),                                       // the data folder itself
        root.path() + "/新しいフォルダ/一覧",              // in a folder still to be made
        root.path() + "//所得税/./個人名/../個人名/7.txt", // spelt another way
        outputs.path() + "/link",                          // a link to a record
    };
    const std::string refusal = describeError(StoreErrc::insideDataFolder);
    for (const std::string& target : targets) {
        for (const std::vector<std::string>& words : writers(target)) {
            const testing::ProgramRun run = kakutei(words);
            EXPECT_EQ(run.status, 1) << words.at(0) << " " << target << "\n" << run.err;
            EXPECT_EQ(run.out, "") << words.at(0) << " " << target;
            EXPECT_NE(run.err.find(refusal), std::string::npos) << words.at(0) << " " << target << "\n"
                                                                << run.err;
        }
    }
    EXPECT_EQ(treeOf(root), before);
    EXPECT_TRUE(fs::is_symlink(outputs.path() + "/link"));
}

TEST_F(OutputsCommand, EveryOutputIsItsOwnersAloneWhateverTheUmaskAndTheFolder) {
    for (const char* umask : {"022", "000"}) {
        for (const std::vector<std::string>& words : writers(outputs.path() + "/output")) {
            const std::string file = outputs.path() + "/output";
            const auto described = words.at(0) + " under umask " + umask;
            // New, then over a file anyone could read.
            for (const bool replacing : {false, true}) {
                if (replacing) {
                    ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
                }
                const testing::ProgramRun run = kakutei(words, umask);
                EXPECT_EQ(run.status, 0) << described << "\n" << run.err;
                EXPECT_EQ(modeOf(file).bits, 0600u) << described << (replacing ? ", replacing" : "");
            }
            fs::remove(file);
        }
    }
    // Each PDF of a folder of PDFs too.
    const testing::ProgramRun run = kakutei({"print", "7", "--page", "2", "--pdf", outputs.path()}, "000");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(modeOf(outputs.path() + "/07_山田太郎_第二表.pdf").bits, 0600u);
}

// An office shares its data through a group: what it writes out is shared with that group, never with
// anyone else, and a file it replaces keeps no more than it had.
TEST_F(OutputsCommand, DataSharedThroughAGroupSharesItsOutputsWithThatGroupOnly) {
    if (::chown(root.path().c_str(), static_cast<uid_t>(-1), kOffice) != 0)
        GTEST_SKIP() << "only root can give the data folder another group";
    ASSERT_EQ(::chmod(root.path().c_str(), 02770), 0);
    const struct {
        int before; // the replaced file's mode; -1: none there
        unsigned after;
    } cases[] = {{-1, 0660}, {0644, 0640}, {0606, 0600}, {0666, 0660}};
    const std::string file = outputs.path() + "/output";
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"roster", "--csv", file}, {"print", "7", "--page", "1", "--pdf", file}}) {
        for (const auto& c : cases) {
            fs::remove(file);
            if (c.before >= 0) {
                outputs.writeBytes("output", "old");
                ASSERT_EQ(::chmod(file.c_str(), static_cast<mode_t>(c.before)), 0);
            }
            const testing::ProgramRun run = kakutei(words);
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(modeOf(file).bits, c.after) << words.at(0) << " over " << c.before;
            EXPECT_EQ(modeOf(file).group, kOffice) << words.at(0) << " over " << c.before;
        }
    }
}

TEST_F(OutputsCommand, ARosterCsvShowsWhatLooksLikeAFormulaAsText) {
    const struct {
        PersonCode code;
        const char* name;
        const char* reading;
    } clients[] = {
        {8, "=HYPERLINK(A1,B1)", "+ヤマダ"},
        {9, "@SUM(1)", "-1"},
        {10, "-12000", "ア=イ"},
    };
    for (const auto& client : clients) {
        TaxpayerRecord record;
        record.personCode = client.code;
        record.name = client.name;
        record.reading = client.reading;
        ASSERT_FALSE(taxpayerRecordWriter(record).writeTo(store.path(names::taxpayerFile(client.code))));
    }
    const std::string csv = outputs.path() + "/一覧.csv";
    const testing::ProgramRun run = kakutei({"roster", "--csv", csv});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string text = decodeCp932(outputs.readBytes("一覧.csv"));
    for (const char* row :
         {"\r\n8,\"'=HYPERLINK(A1,B1)\",'+ヤマダ,", "\r\n9,'@SUM(1),-1,", "\r\n10,-12000,ア=イ,"})
        EXPECT_NE(text.find(row), std::string::npos) << row << "\n" << text;
}

} // namespace
} // namespace kakutei
