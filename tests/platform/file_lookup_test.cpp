#include "platform/file_lookup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "temp_folder.h"

namespace fs = std::filesystem;

namespace tarnik {
namespace {

using testing::TempFolder;
using testing::WriteFile;

TEST(FileLookupTest, EachPlaceNamesItsFolder) {
    TempFolder root;
    setenv("XDG_DATA_HOME", root.Path("data").c_str(), 1);
    fs::create_directories(root.Path("host/XTension"));
    fs::create_directories(root.Path("xt"));
    HostFolders folders{root.Path("host"), root.Path("xt")};
    WriteFile(root.Path("host/XTension/a.ini"), "");
    WriteFile(root.Path("xt/a.ini"), "");
    fs::create_directories(root.Path("host/a.ini"));  // a folder is no file
    struct Case {
        FilePlace place;
        std::string path;
        int16_t result;
    };
    for (const Case& c : {Case{FilePlace::kUserData, root.Path("data/Tarnik/a.ini"), kFileNotFound},
                          Case{FilePlace::kProgramXTension, root.Path("host/XTension/a.ini"), 0},
                          Case{FilePlace::kProgram, root.Path("host/a.ini"), kFileNotFound},
                          Case{FilePlace::kXTensions, root.Path("xt/a.ini"), 0}}) {
        FileLookup lookup = LocateFile("a.ini", c.place, folders);
        EXPECT_EQ(lookup.path, c.path);
        EXPECT_EQ(lookup.result, c.result) << c.path;
    }
    EXPECT_TRUE(fs::is_directory(root.Path("data/Tarnik"))) << "the per-user folder is made";
}

TEST(FileLookupTest, AbsoluteNameInTheUserPlaceIsUsedUnchanged) {
    TempFolder root;
    WriteFile(root.Path("b.ini"), "x");
    FileLookup lookup = LocateFile(root.Path("b.ini"), FilePlace::kUserData, HostFolders{});
    EXPECT_EQ(lookup.path, root.Path("b.ini"));
    EXPECT_EQ(lookup.result, 0);
    // The same absolute name elsewhere is joined like any other.
    EXPECT_EQ(LocateFile("b.ini", FilePlace::kProgram, HostFolders{}).result, kFileNotFound);
}

}  // namespace
}  // namespace tarnik
