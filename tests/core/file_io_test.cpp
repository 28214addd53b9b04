#include "core/client_lock.h"
#include "core/data_store.h"
#include "core/file_io.h"

#include "counted_flushes.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kakutei {
namespace {

using testing::TempRoot;
namespace fs = std::filesystem;

std::size_t entries(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// What the stand-in link(2) does; a plain function pointer cannot carry state of its own.
int linkErrno = 0;
void (*beforeFailing)(const char* newName) = nullptr;

int failingLink(const char*, const char* newName) {
    if (beforeFailing)
        beforeFailing(newName);
    errno = linkErrno;
    return -1;
}

struct LinkCase {
    int error;
    const char* name;
    bool createsAnyway; // the file system simply has no hard links
};
void PrintTo(const LinkCase& c, std::ostream* out) {
    *out << c.name;
}

class CreateNewWithoutLinks : public ::testing::TestWithParam<LinkCase> {
protected:
    void SetUp() override {
        linkErrno = GetParam().error;
        beforeFailing = nullptr;
        file_io_testing::linkFile = failingLink;
    }
    void TearDown() override {
        file_io_testing::linkFile = ::link;
        beforeFailing = nullptr;
    }
    TempRoot root;
};

TEST_P(CreateNewWithoutLinks, CreatesExclusivelyOnlyWhenLinksAreUnsupported) {
    const std::string path = root.path() + "/15.txt";
    const std::error_code error = writeFileAtomically(path, "\"山田\"\r\n", WriteMode::createNew);
    if (GetParam().createsAnyway) {
        EXPECT_FALSE(error) << error.message();
        EXPECT_EQ(contents(path), "\"山田\"\r\n");
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
    } else {
        EXPECT_EQ(error, std::error_code(GetParam().error, std::generic_category()));
        EXPECT_FALSE(fs::exists(path));
    }
    // Whichever way it went, the temporary file is gone.
    EXPECT_EQ(entries(root.path()), GetParam().createsAnyway ? 1u : 0u);
}

TEST_P(CreateNewWithoutLinks, NeverOverwrites) {
    root.writeBytes("15.txt", "old");
    EXPECT_EQ(writeFileAtomically(root.path() + "/15.txt", "new", WriteMode::createNew),
              std::errc::file_exists);
    EXPECT_EQ(root.readBytes("15.txt"), "old");
    EXPECT_EQ(entries(root.path()), 1u);
}

INSTANTIATE_TEST_SUITE_P(LinkErrors, CreateNewWithoutLinks,
                         ::testing::Values(LinkCase{EPERM, "EPERM", true},
                                           LinkCase{EOPNOTSUPP, "EOPNOTSUPP", true},
                                           LinkCase{ENOSYS, "ENOSYS", true}, LinkCase{EXDEV, "EXDEV", true},
                                           LinkCase{ENOSPC, "ENOSPC", false}, LinkCase{EIO, "EIO", false},
                                           LinkCase{EACCES, "EACCES", false}),
                         [](const auto& info) { return std::string(info.param.name); });

class CreateNewWithoutLinksFallingBack : public CreateNewWithoutLinks {};

// Another workstation may make the same record between our check and our create: the exclusive create
// must still refuse it rather than write over the other one.
TEST_P(CreateNewWithoutLinksFallingBack, ANameTakenMeanwhileIsNotOverwritten) {
    beforeFailing = [](const char* newName) { std::ofstream(newName, std::ios::binary) << "theirs"; };
    const std::string path = root.path() + "/15.txt";
    EXPECT_EQ(writeFileAtomically(path, "ours", WriteMode::createNew), std::errc::file_exists);
    EXPECT_EQ(contents(path), "theirs");
    EXPECT_EQ(entries(root.path()), 1u);
}

// A write that fails part-way (a full stick) must not leave half a record under the name, or the taxpayer
// could neither be called up nor registered again without the overwrite question.
TEST_P(CreateNewWithoutLinksFallingBack, AWriteThatFailsLeavesNoHalfFile) {
    // The temporary file is written whole first; only the fallback's own write meets the size limit.
    beforeFailing = [](const char*) {
        rlimit small{};
        ::getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &small);
    };
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    const std::string path = root.path() + "/15.txt";
    const std::error_code error = writeFileAtomically(path, std::string(100000, 'x'), WriteMode::createNew);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(error, std::errc::file_too_large);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(entries(root.path()), 0u);
}

INSTANTIATE_TEST_SUITE_P(LinkErrors, CreateNewWithoutLinksFallingBack,
                         ::testing::Values(LinkCase{EPERM, "EPERM", true}, LinkCase{EXDEV, "EXDEV", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The same on a real FAT or exFAT folder, where the machine can mount one (a loop device and a FUSE driver
// need root): KAKUTEI_NO_HARD_LINK_FOLDER names an empty folder on it.
TEST(CreateNewOnARealFileSystemWithoutLinks, CreatesAndNeverOverwrites) {
    const char* folder = std::getenv("KAKUTEI_NO_HARD_LINK_FOLDER");
    if (!folder)
        GTEST_SKIP() << "KAKUTEI_NO_HARD_LINK_FOLDER is not set";
    const std::string base = std::string(folder) + "/kakutei-file-io-test";
    fs::remove_all(base);
    ASSERT_FALSE(createFolders(base));
    const std::string other = base + "/other.txt";
    ASSERT_FALSE(writeFileAtomically(other, "x", WriteMode::replace));
    ASSERT_NE(::link(other.c_str(), (base + "/probe.txt").c_str()), 0) << "this file system has hard links";
    const std::string path = base + "/15.txt";
    EXPECT_FALSE(writeFileAtomically(path, "\"山田\"\r\n", WriteMode::createNew));
    EXPECT_EQ(contents(path), "\"山田\"\r\n");
    EXPECT_EQ(writeFileAtomically(path, "new", WriteMode::createNew), std::errc::file_exists);
    EXPECT_EQ(contents(path), "\"山田\"\r\n");
    EXPECT_FALSE(writeFileAtomically(path, "new", WriteMode::replace));
    EXPECT_EQ(contents(path), "new");
    EXPECT_EQ(entries(base), 2u);
    fs::remove_all(base);
}

// Each write waits for the disk as far as it promises and no further: a record and the folder entry that
// names it, a batch's folder once for all its records, a lock mark not at all.
TEST(Flushes, EachWriteWaitsForWhatItPromisesAndNoMore) {
    TempRoot root;
    const std::string folder = root.path() + "/H16所得税";
    std::filesystem::create_directory(folder);
    struct Case {
        const char* what;
        std::function<void()> write;
        int files;
        int folders;
    } cases[] = {
        {"a record replaced", [&] { writeFileAtomically(folder + "/71.txt", "1\r\n", WriteMode::replace); },
         1, 1},
        {"a record made new", [&] { writeFileAtomically(folder + "/72.txt", "1\r\n", WriteMode::createNew); },
         1, 1},
        {"a file that needs no wait",
         [&] { writeFileAtomically(folder + "/73.txt", "1\r\n", WriteMode::replace, Flush::none); }, 0, 0},
        {"five records of one client and one elsewhere, as a batch saves them",
         [&] {
             FolderFlushes flushes;
             for (int k = 1; k <= 5; ++k)
                 writeFileAtomically(folder + "/7" + std::to_string(k) + ".txt", "2\r\n", WriteMode::replace);
             writeFileAtomically(root.path() + "/印刷要領.txt", "0\r\n0\r\n", WriteMode::replace);
         },
         6, 2},
        {"a lock mark made and removed",
         [&] {
             std::filesystem::create_directory(root.path() + "/所得税");
             DataStore store(root.path());
             ClientLocks locks(store);
             ASSERT_TRUE(locks.open(7).held);
             locks.close(7);
         },
         0, 0},
    };
    for (const Case& c : cases) {
        testing::CountedFlushes counted;
        c.write();
        EXPECT_EQ(counted.files, c.files) << c.what;
        EXPECT_EQ(counted.folders, c.folders) << c.what;
    }
}

// Inside a batch's scope the folder waits until the scope says the records are kept, not before.
TEST(Flushes, ABatchFlushesItsFolderWhenItEnds) {
    TempRoot root;
    testing::CountedFlushes counted;
    {
        FolderFlushes flushes;
        writeFileAtomically(root.path() + "/71.txt", "1\r\n", WriteMode::replace);
        writeFileAtomically(root.path() + "/72.txt", "1\r\n", WriteMode::replace);
        EXPECT_EQ(counted.folders, 0);
        {
            FolderFlushes inner;
            writeFileAtomically(root.path() + "/73.txt", "1\r\n", WriteMode::replace);
        }
        EXPECT_EQ(counted.folders, 1);
    }
    EXPECT_EQ(counted.files, 3);
    EXPECT_EQ(counted.folders, 2);
    writeFileAtomically(root.path() + "/74.txt", "1\r\n", WriteMode::replace);
    EXPECT_EQ(counted.folders, 3); // no scope left: the write waits for its folder itself
}

} // namespace
} // namespace kakutei
