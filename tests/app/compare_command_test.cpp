// `kakutei compare CODE [--csv FILE]` through the real program: the table, the CSV, the errors, and that
// the earlier year's folder is only ever read.
#include "core/cp932.h"
#include "core/data_store.h"

#include "program_run.h"
#include "sample_taxpayer.h"
#include "screen_fixture.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace kakutei {
namespace {

namespace fs = std::filesystem;
using testing::TempRoot;

using Outcome = testing::ProgramRun;

struct CompareCommand : ::testing::Test {
    TempRoot root;
    TempRoot elsewhere; // for the CSV and the output: never below the data root
    DataStore store{root.path()};

    CompareCommand() {
        store.ensureFolders(kYearCode);
        testing::registerTaxpayer(store, 7, "山田太郎");
        // Line 9 is income field 20; lines 10 to 53 are the tax computation's fields 1 to 41.
        testing::writeRecordFields(store, 7, 1, 0, 20, {{20, "5000000"}});
        testing::writeRecordFields(store, 7, 5, 0, 41, {{3, "600000"}, {13, "380000"}, {28, "250000"}});
        testing::writeRecordFields(store, 7, 1, 0, 20, {{20, "4000000"}}, kPreviousYearCode);
        testing::writeRecordFields(store, 7, 5, 0, 41, {{3, "560000"}, {13, "380000"}, {29, "35000"}},
                                   kPreviousYearCode);
    }
    Outcome kakutei(std::vector<std::string> words, const std::string& as = "") {
        words.insert(words.begin(), {"--root", root.path()});
        return testing::runProgram(as, KAKUTEI_BINARY, words, elsewhere);
    }
    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> found;
        for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
            end = text.find('\n', start);
            found.push_back(text.substr(start, end - start));
            if (end == std::string::npos)
                break;
        }
        return found;
    }
};

TEST_F(CompareCommand, TableOfBothYearsWithTheClientOnTopAndChangesMarked) {
    const Outcome run = kakutei({"compare", "7"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> out = lines(run.out);
    ASSERT_GE(out.size(), 48u) << run.out;
    // Columns as wide as their widest cell, a full-width character two: the caption of line 33 takes 23
    // columns, the difference "+1,000,000" 10.
    const std::pair<std::size_t, const char*> expected[] = {
        {0, "個人コード 7　山田太郎"},
        {1, "今年（平成16年分）と前年（平成14年分）"},
        {2, ""},
        {3, "行  項目                          今年       前年        差額"},
        {4, " 9  所得金額                 5,000,000  4,000,000  +1,000,000  ＊"},
        {5, "10  雑損控除                         0          0           0"},
        {7, "12  社会保険料控除             600,000    560,000     +40,000"},
        {32, "40  納める税金                 250,000          0    +250,000  ＊"},
        {33, "41  還付される税金                   0     35,000     -35,000  ＊"},
        {45, "53  修正申告の第３期分               0          0           0"},
        {46, ""},
        {47, "＊ 前年から１割を超えて増減した行"},
    };
    for (auto [index, line] : expected)
        EXPECT_EQ(out.at(index), line) << index;
}

TEST_F(CompareCommand, CsvIsWrittenInCp932WithCrlfAndSaidInOneLine) {
    const std::string csv = elsewhere.path() + "/前年比較.csv";
    const Outcome run = kakutei({"compare", "7", "--csv", csv});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "個人コード 7 の前年比較を「" + csv + "」に書き出しました。\n");
    const std::string bytes = elsewhere.readBytes("前年比較.csv");
    EXPECT_EQ(bytes.substr(0, bytes.find("\r\n12,")),
              testing::sjis("行,項目,今年,前年,差額,１割超の増減\r\n"
                            "9,所得金額,5000000,4000000,1000000,＊\r\n"
                            "10,雑損控除,0,0,0,\r\n"
                            "11,医療費控除,0,0,0,"));
    EXPECT_NE(bytes.find(testing::sjis("\r\n40,納める税金,250000,0,250000,＊\r\n")), std::string::npos);
    std::size_t lineEnds = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "a bare LF at byte " << i;
            ++lineEnds;
        }
    EXPECT_EQ(lineEnds, 43u); // the header and the 42 lines of the form from 9 to 53
    EXPECT_EQ(decodeCp932(bytes).find("予備"), std::string::npos);
}

TEST_F(CompareCommand, BadOrUnregisteredCodesAndWrongWords) {
    struct Case {
        std::vector<std::string> words;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"compare", "abc"}, 2, "個人コードが読めません: abc"},
        {{"compare", "99"}, 1, "個人コード 99 は登録されていません。"},
        {{"compare"}, 2, "知らないコマンドです: compare"},
        {{"compare", "7", "8"}, 2, "知らないコマンドです: compare"},
        {{"compare", "7", "--csv"}, 2, "--csv の後に値を指定して下さい。"},
    };
    for (const Case& c : cases) {
        const Outcome run = kakutei(c.words);
        EXPECT_EQ(run.status, c.status) << c.message << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "") << c.message;
    }
    const Outcome usage = kakutei({"compare"});
    EXPECT_NE(usage.err.find("compare コード [--csv ファイル]"), std::string::npos) << usage.err;
}

TEST_F(CompareCommand, AMissingEarlierYearIsSaidAndIsNoFailure) {
    fs::remove_all(root.path() + "/所得税/H14所得税");
    const Outcome run = kakutei({"compare", "7"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> out = lines(run.out);
    EXPECT_EQ(out.at(4), " 9  所得金額                 5,000,000");
    EXPECT_EQ(out.at(48), "前年のデータがありません。");
    EXPECT_FALSE(fs::exists(root.path() + "/所得税/H14所得税")); // not made either
}

TEST_F(CompareCommand, AnUnreadableRecordIsNamedAndFailsTheCommand) {
    root.writeBytes("所得税/H14所得税/75.txt", "560000\r\nabc\r\n");
    const Outcome run = kakutei({"compare", "7"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("前年の税額の計算のファイル「" + root.path() +
                           "/所得税/H14所得税/75.txt」を読めません。"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find(" 9  所得金額                 5,000,000  4,000,000  +1,000,000  ＊"),
              std::string::npos)
        << run.out; // the rest is still shown
    EXPECT_EQ(root.readBytes("所得税/H14所得税/75.txt"), "560000\r\nabc\r\n");
}

// Root may write anywhere, so as root the program runs as nobody: then the whole data root is one it
// cannot write to, and the earlier year's folder is read-only for everyone.
TEST_F(CompareCommand, AReadOnlyEarlierYearIsReadAndLeftExactlyAsItWas) {
    const std::string previous = root.path() + "/所得税/H14所得税";
    for (const auto& entry : fs::recursive_directory_iterator(root.path()))
        fs::permissions(entry.path(), entry.is_directory() ? fs::perms(0755) : fs::perms(0644));
    fs::permissions(root.path(), fs::perms(0755));
    fs::permissions(elsewhere.path(), fs::perms(0777));
    for (const auto& entry : fs::directory_iterator(previous))
        fs::permissions(entry.path(), fs::perms(0444));
    fs::permissions(previous, fs::perms(0555));

    struct Seen {
        std::string bytes;
        std::int64_t mtime;
        bool operator==(const Seen&) const = default;
    };
    const auto look = [&] {
        std::map<std::string, Seen> seen;
        for (const auto& entry : fs::directory_iterator(previous)) {
            struct stat info {};
            EXPECT_EQ(::stat(entry.path().c_str(), &info), 0);
            seen[entry.path().filename()] = {
                root.readBytes("所得税/H14所得税/" + entry.path().filename().string()),
                info.st_mtim.tv_sec * 1'000'000'000LL + info.st_mtim.tv_nsec};
        }
        return seen;
    };
    const auto before = look();
    ASSERT_EQ(before.size(), 2u);

    const std::string as = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const Outcome shown = kakutei({"compare", "7"}, as);
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find(" 9  所得金額                 5,000,000  4,000,000  +1,000,000  ＊"),
              std::string::npos)
        << shown.out;
    const std::string csv = elsewhere.path() + "/前年比較.csv";
    const Outcome written = kakutei({"compare", "7", "--csv", csv}, as);
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_TRUE(fs::exists(csv));
    EXPECT_EQ(look(), before);
}

} // namespace
} // namespace kakutei
