// Where the data lives when the user names no folder: the user's own data folder on Linux, and on Windows
// the real drive C, so that an office's existing c:\所得税 tree is used where it stands.
#include "core/data_store.h"
#include "core/this_system.h"

#include <gtest/gtest.h>

namespace kakutei {
namespace {

TEST(DataRoot, WithoutAFolderNamedTheProgramUsesThePlatformsOwnPlace) {
    const std::string root = defaultDataRoot();
#ifdef _WIN32
    EXPECT_EQ(root, "C:");
    EXPECT_EQ(DataStore(root).path(names::personFolder), "C:/所得税/個人名");
    EXPECT_EQ(DataStore("D:\\").path(names::taxAccountantFile), "D:/所得税/税理士名.txt");
#else
    EXPECT_TRUE(root.ends_with("/kakutei")) << root;
    EXPECT_EQ(DataStore("/srv/data/").path(names::personFolder), "/srv/data/所得税/個人名");
#endif
    EXPECT_EQ(resolveRoot("elsewhere"), "elsewhere");
}

} // namespace
} // namespace kakutei
