// The files a backup or restore makes take exactly the mode and group they are given, whatever the umask
// and whichever file of the folder came first: the folder learns from its first file what a new file gets
// by itself and changes only what differs.
#include "registry/folder_handle.h"

#include "file_tree.h"
#include "temp_root.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace kakutei {
namespace {

using testing::modeOf;
using testing::TempRoot;

constexpr gid_t kOtherGroup = 60110;

struct MadeFile {
    const char* name;
    unsigned mode;
    bool otherGroup; // given the other group; otherwise none (-1) or the folder's own, by `own`
    bool own;
};

// Restores the umask the test found.
struct UmaskScope {
    mode_t before;
    explicit UmaskScope(mode_t mask) : before(::umask(mask)) {}
    ~UmaskScope() { ::umask(before); }
};

TEST(FolderPermissions, EveryNewFileTakesItsModeAndGroupWhateverTheUmask) {
    const bool root = ::geteuid() == 0;
    // The first file decides what the folder learns, so each order is tried: another group first, the
    // folder's own first, and no group first.
    const std::vector<std::vector<MadeFile>> orders{
        {{"a", 0640, true, false},
         {"b", 0644, false, true},
         {"c", 0660, false, false},
         {"d", 0600, true, false}},
        {{"a", 0600, false, true},
         {"b", 0660, true, false},
         {"c", 0644, false, true},
         {"d", 0640, false, false}},
        {{"a", 0664, false, false},
         {"b", 0600, false, false},
         {"c", 0640, true, false},
         {"d", 0666, false, true}},
    };
    for (const mode_t mask : {mode_t(022), mode_t(077), mode_t(0), mode_t(002)})
        for (std::size_t order = 0; order < orders.size(); ++order) {
            SCOPED_TRACE("umask " + std::to_string(mask) + ", order " + std::to_string(order));
            TempRoot temp;
            std::error_code error;
            const OpenFolder folder = OpenFolder::open(temp.path(), error);
            ASSERT_FALSE(error) << error.message();
            const gid_t own = modeOf(temp.path()).group;
            // Only root may give a file a group it is not in; another user gives those files its own.
            const gid_t other = root ? kOtherGroup : own;
            const UmaskScope umask(mask);
            for (const MadeFile& file : orders[order]) {
                const std::int64_t group = file.otherGroup ? other : file.own ? own : -1;
                ASSERT_FALSE(folder.createFile(file.name, "x", Permissions{file.mode, group}));
            }
            for (const MadeFile& file : orders[order]) {
                SCOPED_TRACE(file.name);
                EXPECT_EQ(modeOf(temp.path() + "/" + file.name).bits, file.mode);
                EXPECT_EQ(modeOf(temp.path() + "/" + file.name).group, file.otherGroup ? other : own);
            }
        }
}

} // namespace
} // namespace kakutei
