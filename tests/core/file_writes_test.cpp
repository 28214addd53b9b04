// What the data store asks of the file system, on Linux and on Windows alike: whole files under Japanese
// names, replaced in one step, never created over another, and nothing but regular files read as records.
#include "core/file_io.h"
#include "core/path_text.h"
#include "core/store_error.h"

#include "temp_root.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kakutei {
namespace {

using testing::TempRoot;

// Every name in the folder, temporary files included.
std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(fsPath(folder)))
        names.push_back(utf8Path(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

std::string readAll(const std::string& path) {
    FileReader reader;
    if (reader.open(path))
        return "(unreadable)";
    std::string bytes;
    char buffer[7]; // small, so that a file takes several reads
    std::error_code error;
    while (const auto got = reader.read(buffer, sizeof buffer, error)) {
        if (*got == 0)
            break;
        bytes.append(buffer, *got);
    }
    return error ? "(read failed)" : bytes;
}

TEST(FileWrites, ReplaceAndCreateNewUnderJapaneseNames) {
    TempRoot root;
    const std::string folder = root.path() + "/所得税/H16所得税";
    ASSERT_FALSE(createFolders(folder));
    EXPECT_TRUE(folderExists(folder));
    const std::string file = folder + "/76住宅.txt";

    ASSERT_FALSE(writeFileAtomically(file, "first\r\n", WriteMode::createNew));
    EXPECT_EQ(writeFileAtomically(file, "second\r\n", WriteMode::createNew), std::errc::file_exists);
    EXPECT_EQ(readAll(file), "first\r\n");
    ASSERT_FALSE(writeFileAtomically(file, std::string(100000, 'x'), WriteMode::replace));
    EXPECT_EQ(readAll(file), std::string(100000, 'x'));
    ASSERT_FALSE(writeFileAtomically(file, "\x8f\x8a\x93\xbe\r\n", WriteMode::replace));
    EXPECT_EQ(readAll(file), "\x8f\x8a\x93\xbe\r\n");
    // The name on the disk is the Japanese one, and no temporary file is left beside it.
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"76住宅.txt"});
    EXPECT_EQ(namesIn(root.path()), std::vector<std::string>{"所得税"});
    EXPECT_TRUE(fileExists(file));
    EXPECT_TRUE(modificationTime(file).has_value());
}

TEST(FileWrites, AFolderInTheWayIsNeverReplaced) {
    TempRoot root;
    const std::string folder = root.path() + "/個人名";
    ASSERT_FALSE(createFolder(folder));
    EXPECT_EQ(createFolder(folder), std::errc::file_exists);
    EXPECT_EQ(writeFileAtomically(folder, "x", WriteMode::replace), std::errc::is_a_directory);
    EXPECT_TRUE(folderExists(folder));
    EXPECT_EQ(createFolder(root.path() + "/無い/個人名"), std::errc::no_such_file_or_directory);
}

TEST(FileWrites, OnlyRegularFilesAreRead) {
    TempRoot root;
    root.writeBytes("個人名/7.txt", "7\r\n");
    FileReader reader;
    EXPECT_FALSE(reader.open(root.path() + "/個人名/7.txt"));
    EXPECT_EQ(reader.open(root.path() + "/個人名"), StoreErrc::notRegularFile);
    EXPECT_FALSE(reader.isOpen());
    EXPECT_EQ(reader.open(root.path() + "/個人名/8.txt"), std::errc::no_such_file_or_directory);
    EXPECT_FALSE(modificationTime(root.path() + "/個人名/8.txt"));
}

TEST(FileWrites, CopiesAndRemovals) {
    TempRoot root;
    root.writeBytes("元/税理士名.txt", "a\r\nb\r\n");
    ASSERT_FALSE(createFolders(root.path() + "/先"));
    bool missing = true;
    ASSERT_FALSE(copyFile(root.path() + "/元/税理士名.txt", root.path() + "/先/税理士名.txt", &missing));
    EXPECT_FALSE(missing);
    root.writeBytes("元/税理士名.txt", "changed\r\n");
    // Copying over an existing file replaces it whole.
    ASSERT_FALSE(copyFile(root.path() + "/元/税理士名.txt", root.path() + "/先/税理士名.txt"));
    EXPECT_EQ(root.readBytes("先/税理士名.txt"), "changed\r\n");
    EXPECT_EQ(copyFile(root.path() + "/元/無い.txt", root.path() + "/先/無い.txt", &missing),
              std::errc::no_such_file_or_directory);
    EXPECT_TRUE(missing);
    EXPECT_FALSE(fileExists(root.path() + "/先/無い.txt"));
    EXPECT_FALSE(removeFile(root.path() + "/先/税理士名.txt"));
    EXPECT_FALSE(removeFile(root.path() + "/先/税理士名.txt")); // already gone: no error
    EXPECT_TRUE(namesIn(root.path() + "/先").empty());
}

} // namespace
} // namespace kakutei
