// Whether a stored record can be read whole, told apart from "not there yet", for every way a file can be
// damaged or stand in the way; and no read ever waits on a pipe.
#include "core/stored_record.h"

#include "core/record.h"
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

TEST_F(StoredRecordFixture, TellsMissingReadableAndDamagedApart) {
    const RecordShape shape{2, 3};
    struct Case {
        const char* what;
        std::string bytes;
        StoredState state;
        std::error_code error;
    } cases[] = {
        {"whole", crlfLines({"\"a\"", "\"b\"", "1", "2.5", "-3"}), StoredState::readable, {}},
        {"whole, LF only, fillers missing", "\"a\"\n\"b\"\n1\n2\n3\n", StoredState::readable, {}},
        {"one value short", crlfLines({"\"a\"", "\"b\"", "1", "2"}), StoredState::unreadable,
         StoreErrc::endOfFile},
        {"empty", "", StoredState::unreadable, StoreErrc::endOfFile},
        {"a text where a number stands", crlfLines({"\"a\"", "\"b\"", "1", "\"x\"", "3"}),
         StoredState::unreadable, StoreErrc::typeMismatch},
        {"one endless line", std::string(1 << 20, '7'), StoredState::unreadable, StoreErrc::lineTooLong},
    };
    for (const Case& c : cases) {
        root.writeBytes("r.txt", c.bytes);
        const StoredCheck check = checkStoredRecord(path("r.txt"), shape);
        EXPECT_EQ(check.state, c.state) << c.what;
        EXPECT_EQ(check.error, c.error) << c.what;
    }
    EXPECT_EQ(checkStoredRecord(path("none.txt"), shape).state, StoredState::missing);
    EXPECT_EQ(checkStoredRecord(path("no/folder/none.txt"), shape).state, StoredState::missing);
}

TEST_F(StoredRecordFixture, FoldersPipesAndLockedFilesAreUnreadableAndNeverWaitedOn) {
    std::filesystem::create_directory(path("folder.txt"));
    ASSERT_EQ(::mkfifo(path("pipe.txt").c_str(), 0600), 0);
    for (const char* name : {"folder.txt", "pipe.txt"}) {
        const StoredCheck check = checkStoredRecord(path(name), kIncomeShape);
        EXPECT_EQ(check.state, StoredState::unreadable) << name;
        EXPECT_EQ(check.error, StoreErrc::notRegularFile) << name;
        RecordReader reader(path(name));
        EXPECT_FALSE(reader.number()) << name;
        EXPECT_EQ(reader.error(), StoreErrc::notRegularFile) << name;
    }
    root.writeBytes("locked.txt", crlfLines({"1"}));
    ::chmod(root.path().c_str(), 0755);
    ::chmod(path("locked.txt").c_str(), 0);
    const int status = testing::exitStatusAsOrdinaryUser([&] {
        const StoredCheck check = checkStoredRecord(path("locked.txt"), RecordShape{0, 1});
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
    EXPECT_EQ(found.at(0).error, StoreErrc::endOfFile);
    EXPECT_EQ(found.at(1).path, path("所得税/H16所得税/76住宅.txt"));
    EXPECT_EQ(found.at(1).error, StoreErrc::typeMismatch);
}

} // namespace
} // namespace kakutei
