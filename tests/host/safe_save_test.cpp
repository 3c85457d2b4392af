#include "host/safe_save.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tarnik::host {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace fs = std::filesystem;

class HostSafeSaveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tarnik-host-save-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string File(const std::string& name) const { return (dir_ / name).string(); }
    static void Write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static mode_t ModeOf(const std::string& path) {
        struct stat status;
        return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
    }

    fs::path dir_;
};

TEST_F(HostSafeSaveTest, SavesThroughALinkKeepingPermissionsAndLeavesNothingBeside) {
    Write(File("real.txt"), "old");
    ::chmod(File("real.txt").c_str(), 0640);
    fs::create_symlink("real.txt", File("out.txt"));
    std::string error;
    ASSERT_TRUE(SaveFileSafely(File("out.txt"), "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(File("out.txt")));
    EXPECT_EQ(Read(File("real.txt")), "new");
    EXPECT_EQ(ModeOf(File("real.txt")), 0640u);
    EXPECT_THAT(Names(), ElementsAre("out.txt", "real.txt"));
}

TEST_F(HostSafeSaveTest, KeptBackupsNeverReplaceAnOlderOne) {
    std::string path = File("text.txt");
    std::string error, backup;
    ASSERT_TRUE(SaveFileSafely(path, "one", error, true, &backup)) << error;
    EXPECT_EQ(backup, "");  // nothing to keep yet
    for (const char* next : {"two", "three"}) {
        ASSERT_TRUE(SaveFileSafely(path, next, error, true, &backup)) << error;
        EXPECT_EQ(Read(path), next);
    }
    EXPECT_EQ(backup, path + ".bak.1");
    EXPECT_EQ(Read(path + ".bak"), "one");
    EXPECT_EQ(Read(path + ".bak.1"), "two");
    EXPECT_THAT(Names(), ElementsAre("text.txt", "text.txt.bak", "text.txt.bak.1"));
}

TEST_F(HostSafeSaveTest, FailuresKeepTheOldFileAndGiveTheSystemsReason) {
    std::string path = File("doc.json");
    Write(path, "old");
    std::string error;

    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(SaveFileSafely(path, "new", error, true));
    EXPECT_THAT(error, HasSubstr("Permission denied"));
    ::chmod(path.c_str(), 0644);

    EXPECT_FALSE(SaveFileSafely(File("none/doc.json"), "new", error));
    EXPECT_THAT(error, HasSubstr("No such file or directory"));

    // A full disk: the child may write no file past 1000 bytes.
    pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string childError;
        bool saved = SaveFileSafely(path, std::string(50000, 'n'), childError, true);
        ::_exit(!saved && childError.find("File too large") != std::string::npos ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_EQ(Read(path), "old");
    EXPECT_THAT(Names(), ElementsAre("doc.json"));  // no temporary file, no backup
}

}  // namespace
}  // namespace tarnik::host
