#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/places.h"
#include "temp_folder.h"

namespace tarnik::testing {
namespace {

// The probe of a folder leaves nothing behind, and a file that already bears
// the probe's name is neither emptied nor removed.
TEST(PlacesTest, TheWritableProbeLeavesTheFolderAsItWas) {
    TempFolder folder;
    EXPECT_TRUE(IsFolderWritable(folder.Path()));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));

    WriteFile(folder.Path("__xxXXXxx__.test"), "kept");
    EXPECT_TRUE(IsFolderWritable(folder.Path()));
    EXPECT_EQ(ReadFile(folder.Path("__xxXXXxx__.test")), "kept");

    if (geteuid() != 0) {
        chmod(folder.Path().c_str(), 0500);
        EXPECT_FALSE(IsFolderWritable(folder.Path()));
        chmod(folder.Path().c_str(), 0700);
    }
}

}  // namespace
}  // namespace tarnik::testing
