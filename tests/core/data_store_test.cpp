#include "core/data_store.h"
#include "core/file_io.h"

#include "temp_root.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sys/stat.h>

namespace kakutei {
namespace {

using testing::TempRoot;

TEST(DataStore, MapsDriveCNamesBelowTheRoot) {
    DataStore store("/data/kakutei/");
    EXPECT_EQ(store.path(names::taxpayerFile(7)), "/data/kakutei/所得税/個人名/7.txt");
    EXPECT_EQ(store.path(names::baseFolder), "/data/kakutei/所得税");
    EXPECT_EQ(store.path(names::yearDataFolder(kYearCode)), "/data/kakutei/所得税/H16所得税");
    EXPECT_EQ(store.path(names::taxAccountantFile), "/data/kakutei/所得税/税理士名.txt");
    EXPECT_EQ(store.path(names::companionTaxAccountantFile("H16")),
              "/data/kakutei/年末調整/H16税理士報酬/税理士名.txt");
}

TEST(DataStore, ScreenFileNamesUseSixteenBitNumbers) {
    struct Case {
        PersonCode code;
        int k;
        std::optional<std::string> name;
    } cases[] = {
        {7, 3, "c:\\所得税\\H16所得税\\73.txt"},
        {120, 1, "c:\\所得税\\H16所得税\\1201.txt"},
        {1000, 5, "c:\\所得税\\H16所得税\\10005.txt"},
        {3276, 7, "c:\\所得税\\H16所得税\\32767.txt"},
        {3277, 1, std::nullopt},
        {32767, 1, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(names::screenFile(c.code, c.k, kYearCode), c.name) << c.code;
    EXPECT_EQ(names::housingLoanFile(7, kYearCode), "c:\\所得税\\H16所得税\\76住宅.txt");
    EXPECT_EQ(names::housingLoanFile(1000, kYearCode), "c:\\所得税\\H16所得税\\10006住宅.txt");
    EXPECT_EQ(names::screenFile(7, 1, kPreviousYearCode), "c:\\所得税\\H14所得税\\71.txt");
}

TEST(DataStore, FirstStartMakesThePrivateTreeButNeverThePreviousYear) {
    TempRoot temp;
    DataStore store(temp.path() + "/new/root");
    ASSERT_FALSE(store.ensureFolders(kYearCode));
    for (auto name : {std::string(names::baseFolder), std::string(names::personFolder),
                      names::yearDataFolder(kYearCode)}) {
        struct stat info {};
        ASSERT_EQ(::stat(store.path(name).c_str(), &info), 0) << name;
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        EXPECT_EQ(info.st_mode & 0777, 0700u) << name;
    }
    EXPECT_FALSE(folderExists(store.path(names::yearDataFolder(kPreviousYearCode))));
    EXPECT_FALSE(store.ensureFolders(kYearCode)); // again: nothing to do, no error
}

TEST(DataStore, LeftoversOfInterruptedWritesGoOnceTheyAreOld) {
    TempRoot temp;
    DataStore store(temp.path());
    ASSERT_FALSE(store.ensureFolders(kYearCode));
    for (const char* name :
         {"所得税/H16所得税/.kakutei-old", "所得税/個人名/.kakutei-new", "所得税/H16所得税/71.txt"})
        temp.writeBytes(name, "x");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
    std::filesystem::last_write_time(temp.path() + "/所得税/H16所得税/.kakutei-old", old);
    std::filesystem::last_write_time(temp.path() + "/所得税/H16所得税/71.txt", old);
    store.removeInterruptedWrites(kYearCode);
    EXPECT_FALSE(std::filesystem::exists(temp.path() + "/所得税/H16所得税/.kakutei-old"));
    EXPECT_TRUE(
        std::filesystem::exists(temp.path() + "/所得税/個人名/.kakutei-new")); // perhaps still being written
    EXPECT_TRUE(std::filesystem::exists(temp.path() + "/所得税/H16所得税/71.txt"));
}

TEST(DataStore, ARootThatIsAFileFails) {
    TempRoot temp;
    temp.writeBytes("file", "x");
    DataStore store(temp.path() + "/file");
    EXPECT_TRUE(store.ensureFolders(kYearCode));
}

TEST(DataStore, RootComesFromOptionThenEnvironment) {
    ::setenv("KAKUTEI_ROOT", "/from/env", 1);
    ::setenv("XDG_DATA_HOME", "/xdg", 1);
    EXPECT_EQ(resolveRoot("/from/option"), "/from/option");
    EXPECT_EQ(resolveRoot(std::nullopt), "/from/env");
    ::unsetenv("KAKUTEI_ROOT");
    EXPECT_EQ(resolveRoot(std::nullopt), "/xdg/kakutei");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(resolveRoot(std::nullopt), "/home/someone/.local/share/kakutei");
}

} // namespace
} // namespace kakutei
