#include "platform/settings_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/log_file.h"
#include "platform/settings_store.h"
#include "shown_text.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace tarnik {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

// A host installation (program folder with its XTensions folder) and a home
// whose per-user data folder is Tarnik under XDG_DATA_HOME.
class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(root.Path("host/XTensions"));
        fs::create_directories(root.Path("data/Tarnik"));
        setenv("XDG_DATA_HOME", root.Path("data").c_str(), 1);
        folders = {root.Path("host"), root.Path("host/XTensions")};
        SetStoreTarget(nullptr, "Prefs");
    }
    std::string UserCopy() const { return root.Path("data/Tarnik/Tarnik11.ini"); }
    std::string XTensionCopy() const { return root.Path("host/XTensions/Tarnik11.ini"); }

    TempFolder root;
    HostFolders folders;
};

TEST_F(SettingsFileTest, FirstStartUsesTheXTensionsCopyThatTheFirstWriteCreates) {
    SettingsFileChoice choice = ChooseSettingsFile("Tarnik11", folders, true);
    EXPECT_TRUE(choice.writable);
    EXPECT_FALSE(choice.copyFailed);
    EXPECT_EQ(choice.moduleName, "Tarnik11Win");
    EXPECT_EQ(StoreFile(), XTensionCopy());
    EXPECT_EQ(StoreSection(), "Prefs") << "the section is left as it was";
    EXPECT_EQ(LogFile(), root.Path("host/Tarnik11.log"));
    EXPECT_EQ(GetInt("x", 3), 3);
    PutInt("x", 4);
    FlushStore();
    EXPECT_EQ(ReadFile(XTensionCopy()), "[Prefs]\nx=4\n");
    EXPECT_FALSE(fs::exists(UserCopy()));
}

TEST_F(SettingsFileTest, UserCopyIsCarriedIntoTheXTensionsFolderOnce) {
    WriteFile(UserCopy(), "[Prefs]\nx=7\n");
    ChooseSettingsFile("Tarnik11", folders, true);
    EXPECT_EQ(StoreFile(), XTensionCopy());
    EXPECT_EQ(ReadFile(XTensionCopy()), "[Prefs]\nx=7\n");
    EXPECT_EQ(GetInt("x", 0), 7);
}

TEST_F(SettingsFileTest, BothCopiesPresentUsesTheXTensionCopyAndCopiesNothing) {
    WriteFile(UserCopy(), "[Prefs]\nx=1\n");
    WriteFile(XTensionCopy(), "[Prefs]\nx=2\n");
    ChooseSettingsFile("Tarnik11", folders, true);
    EXPECT_EQ(StoreFile(), XTensionCopy());
    EXPECT_EQ(GetInt("x", 0), 2);
    EXPECT_EQ(ReadFile(XTensionCopy()), "[Prefs]\nx=2\n");
}

TEST_F(SettingsFileTest, UnwritableXTensionsFolderFallsBackToTheUserCopy) {
    // A folder that does not exist takes no probe file, whoever runs the test.
    folders.xtensions = root.Path("host/Missing");
    WriteFile(UserCopy(), "[Prefs]\nx=5\n");
    SettingsFileChoice choice = ChooseSettingsFile("Tarnik11", folders, true);
    EXPECT_FALSE(choice.writable);
    EXPECT_EQ(StoreFile(), UserCopy());
    EXPECT_EQ(GetInt("x", 0), 5);
}

TEST_F(SettingsFileTest, ClearedFlagUsesTheUserCopyWithoutProbing) {
    SettingsFileChoice choice = ChooseSettingsFile("Tarnik11", folders, false);
    EXPECT_FALSE(choice.writable);
    EXPECT_EQ(StoreFile(), UserCopy());
}

TEST_F(SettingsFileTest, FailedCopyUsesTheUserCopyAndForcesALogLine) {
    WriteFile(UserCopy(), "[Prefs]\nx=8\n");
    // A folder in the way of the XTensions copy: it is no readable file, and no
    // file can be copied over it.
    fs::create_directories(XTensionCopy());
    SettingsFileChoice choice = ChooseSettingsFile("Tarnik11", folders, true);
    EXPECT_TRUE(choice.copyFailed);
    EXPECT_EQ(StoreFile(), UserCopy());
    EXPECT_EQ(GetInt("x", 0), 8);
    EXPECT_TRUE(fs::is_directory(XTensionCopy())) << "what was in the way is left alone";
    EXPECT_EQ(testing::Shown(CopyFailedMessage(choice)),
              "Nie udała się próba przekopiowania poprzednich ustawień rozszerzenia ('" +
                  UserCopy() + "', '" + XTensionCopy() + "').");
    EXPECT_NE(ReadFile(root.Path("host/Tarnik11.log"))
                  .find("Kopiowanie preferencji się nie powiodło: cPrefsFilePath='" + UserCopy() +
                        "', cXTensionFilePath='" + XTensionCopy() + "'\r\n"),
              std::string::npos);
}

TEST(SettingsFileModuleNameTest, WinIsAppendedOnce) {
    TempFolder root;
    HostFolders folders{root.Path(), root.Path()};
    EXPECT_EQ(ChooseSettingsFile("Tarnik11", folders, false).moduleName, "Tarnik11Win");
    EXPECT_EQ(ChooseSettingsFile("TarnikWin", folders, false).moduleName, "TarnikWin");
}

}  // namespace
}  // namespace tarnik
