// Record files on a POSIX file system: modes, a size limit, a folder the user may not write.
#include "core/record_schema.h"

#include "file_size_limit.h"
#include "ordinary_user.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kakutei {
namespace {

using testing::sjis;
using testing::TempRoot;

// One text and nothing else: the file holds exactly what a test writes.
const RecordSchema kOneText{"見本", {{FieldKind::text, "a"}}, false};

TEST(RecordFile, ReplacesAtomicallyWithPrivatePermissions) {
    TempRoot root;
    const std::string path = root.path() + "/r.txt";
    RecordWriter first(kOneText);
    first.text("一");
    ASSERT_FALSE(first.writeTo(path));
    RecordWriter second(kOneText);
    second.text("二");
    ASSERT_FALSE(second.writeTo(path));
    EXPECT_EQ(root.readBytes("r.txt"), sjis("\"二\"\r\n"));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.path()), {}), 1);
}

TEST(RecordFile, CreateNewRefusesAnExistingFile) {
    TempRoot root;
    root.writeBytes("r.txt", "old");
    RecordWriter writer(kOneText);
    writer.text("new");
    EXPECT_EQ(writer.writeTo(root.path() + "/r.txt", WriteMode::createNew), std::errc::file_exists);
    EXPECT_EQ(root.readBytes("r.txt"), "old");
    EXPECT_FALSE(writer.writeTo(root.path() + "/s.txt", WriteMode::createNew));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.path()), {}), 2);
}

TEST(RecordFile, AWriteThatCannotCompleteLeavesTheOldFileWhole) {
    TempRoot root;
    root.writeBytes("r.txt", "old");
    RecordWriter writer(kOneText);
    writer.text(std::string(100000, 'x'));
    const std::error_code error = [&] {
        const testing::FileSizeLimit limit(4096);
        return writer.writeTo(root.path() + "/r.txt");
    }();
    EXPECT_EQ(error, std::errc::file_too_large);
    EXPECT_EQ(root.readBytes("r.txt"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.path()), {}), 1);
}

TEST(RecordFile, AFolderThatCannotBeWrittenLeavesTheOldFileWhole) {
    TempRoot root;
    root.writeBytes("d/r.txt", "old");
    ::chmod(root.path().c_str(), 0755);
    ::chmod((root.path() + "/d").c_str(), 0555);
    RecordWriter writer(kOneText);
    writer.text("new");
    // Root writes into read-only folders, so the write runs as an ordinary user.
    const int status = testing::exitStatusAsOrdinaryUser(
        [&] { return writer.writeTo(root.path() + "/d/r.txt") == std::errc::permission_denied ? 0 : 1; });
    ::chmod((root.path() + "/d").c_str(), 0700);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(root.readBytes("d/r.txt"), "old");
}

} // namespace
} // namespace kakutei
