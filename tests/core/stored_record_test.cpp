// Whether a stored record can be read at all, told apart from "not there yet", for every way a file can
// stand in the way; and no read ever waits on a pipe.
#include "core/stored_record.h"

#include "core/store_error.h"
#include "deductions/deductions_screen.h"

#include "ordinary_user.h"
#include "screen_fixture.h"

#include <sys/stat.h>

namespace kakutei {
namespace {

using testing::crlfLines;

struct StoredRecordFixture : testing::DataScreenFixture {
    std::string path(const std::string& name) const { return root.path() + "/" + name; }
};

TEST_F(StoredRecordFixture, FoldersPipesAndLockedFilesAreUnreadableAndNeverWaitedOn) {
    std::filesystem::create_directory(path("folder.txt"));
    ASSERT_EQ(::mkfifo(path("pipe.txt").c_str(), 0600), 0);
    for (const char* name : {"folder.txt", "pipe.txt"}) {
        const StoredCheck check = readRecordFile(path(name), screenRecordSchema(1)).check;
        EXPECT_EQ(check.state, StoredState::unreadable) << name;
        EXPECT_EQ(check.error, StoreErrc::notRegularFile) << name;
    }
    root.writeBytes("locked.txt", crlfLines({"1"}));
    ::chmod(root.path().c_str(), 0755);
    ::chmod(path("locked.txt").c_str(), 0);
    const int status = testing::exitStatusAsOrdinaryUser([&] {
        const StoredCheck check = readRecordFile(path("locked.txt"), printSettingsSchema()).check;
        return check.state == StoredState::unreadable && check.error == std::errc::permission_denied ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
}

// A pipe in place of the income record: the deductions screen reads the income while it loads, and must
// come back at once.
TEST_F(StoredRecordFixture, AScreenLoadDoesNotHangOnAPipe) {
    ASSERT_EQ(::mkfifo(path("所得税/H16所得税/71.txt").c_str(), 0600), 0);
    DeductionsScreen screen(store, ui);
    openForSeven(screen);
    screen.data();
    EXPECT_EQ(screen.totalIncome.text, "");
}

TEST_F(StoredRecordFixture, FindsEveryUnreadableFileOfATaxpayer) {
    root.writeBytes("所得税/H16所得税/71.txt", "1\r\n");
    testing::writeRecordFields(store, 7, 2, 13, 25, {});
    root.writeBytes("所得税/H16所得税/76住宅.txt", "x\r\n");
    root.writeBytes("所得税/H16所得税/81.txt", "1\r\n"); // another taxpayer's
    const auto found = unreadableRecordsOf(store, 7, kYearCode);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found.at(0).path, path("所得税/H16所得税/71.txt"));
    EXPECT_EQ(found.at(0).check.error, StoreErrc::endOfFile);
    EXPECT_EQ(found.at(1).path, path("所得税/H16所得税/76住宅.txt"));
    EXPECT_EQ(found.at(1).check.error, StoreErrc::typeMismatch);
}

} // namespace
} // namespace kakutei
