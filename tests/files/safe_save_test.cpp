#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <string>

#include "file_fixture.h"
#include "files/file_lock.h"
#include "tarnik/safe_save.h"

namespace tarnik {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

mode_t ModeOf(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// Runs `body` in a child process and gives its exit status (-1 when it did not exit).
template <typename Body>
int InChild(Body body) {
    pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SafeSaveTest : public ::testing::Test {
  protected:
    testing::TempDir dir_;
    std::string path_ = dir_.Path("user.dic");
};

TEST_F(SafeSaveTest, ReplacesTheWholeFileKeepingItsPermissionsAndLeavesNothingBeside) {
    EXPECT_TRUE(SaveFileSafely(path_, "first").Ok());
    EXPECT_EQ(testing::ReadFile(path_), "first");
    mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(ModeOf(path_), 0666 & ~mask);  // a new file as the process makes files

    for (mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0755}}) {
        ::chmod(path_.c_str(), mode);
        EXPECT_TRUE(SaveFileSafely(path_, "second, longer than the first").Ok());
        EXPECT_EQ(testing::ReadFile(path_), "second, longer than the first");
        EXPECT_EQ(ModeOf(path_), mode);
        EXPECT_TRUE(SaveFileSafely(path_, "3").Ok());  // shorter: nothing of the old one stays
        EXPECT_EQ(testing::ReadFile(path_), "3");
    }
    EXPECT_THAT(dir_.Names(), ElementsAre("user.dic"));
}

TEST_F(SafeSaveTest, ALinkStaysALinkAndTheLinkedFileChanges) {
    std::filesystem::create_directory(dir_.Path("real"));
    std::string real = dir_.Path("real/user.dic");
    testing::WriteFile(real, "old");
    ::chmod(real.c_str(), 0604);
    std::filesystem::create_symlink("real/user.dic", dir_.Path("middle"));  // relative
    std::filesystem::create_symlink(dir_.Path("middle"), path_);            // absolute, chained

    ASSERT_TRUE(SaveFileSafely(path_, "new").Ok());
    EXPECT_TRUE(std::filesystem::is_symlink(path_));
    EXPECT_TRUE(std::filesystem::is_symlink(dir_.Path("middle")));
    EXPECT_EQ(testing::ReadFile(real), "new");
    EXPECT_EQ(ModeOf(real), 0604u);
    EXPECT_EQ(SaveTarget(path_), dir_.Path("real/user.dic"));
    EXPECT_THAT(dir_.Names(), ElementsAre("middle", "real", "user.dic"));

    // A link to a file not made yet makes the linked file.
    std::filesystem::create_symlink("later.dic", dir_.Path("dangling"));
    ASSERT_TRUE(SaveFileSafely(dir_.Path("dangling"), "made").Ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir_.Path("dangling")));
    EXPECT_EQ(testing::ReadFile(dir_.Path("later.dic")), "made");

    std::filesystem::create_symlink("loop", dir_.Path("loop"));
    SaveResult loop = SaveFileSafely(dir_.Path("loop"), "x");
    EXPECT_EQ(loop.step, SaveStep::kTarget);
    EXPECT_EQ(loop.osError, ELOOP);
}

TEST_F(SafeSaveTest, FailedSavesLeaveTheOldFileWholeNoTemporaryFileAndSayWhy) {
    testing::WriteFile(path_, "old");

    // A read-only file is refused (for a privileged user too).
    ::chmod(path_.c_str(), 0444);
    SaveResult readOnly = SaveFileSafely(path_, "new");
    EXPECT_EQ(readOnly.step, SaveStep::kTarget);
    EXPECT_EQ(readOnly.osError, EACCES);
    EXPECT_THAT(readOnly.Describe(path_), HasSubstr("Permission denied"));
    ::chmod(path_.c_str(), 0644);

    // The check refuses the written file.
    std::string checked;
    SaveResult rejected = SaveFileSafely(path_, "new", {.check = [&](const std::string& temporary) {
                                             checked = testing::ReadFile(temporary);
                                             return false;
                                         }});
    EXPECT_EQ(rejected.step, SaveStep::kRejected);
    EXPECT_EQ(checked, "new");

    // No folder to make the temporary file in.
    SaveResult noFolder = SaveFileSafely(dir_.Path("none/user.dic"), "new");
    EXPECT_EQ(noFolder.step, SaveStep::kCreate);
    EXPECT_THAT(noFolder.Describe("user.dic"), HasSubstr("No such file or directory"));

    // A folder in the target's place cannot be replaced.
    std::filesystem::create_directories(dir_.Path("folder/inside"));
    SaveResult folder = SaveFileSafely(dir_.Path("folder"), "new");
    EXPECT_EQ(folder.step, SaveStep::kTarget);
    EXPECT_EQ(folder.osError, EISDIR);

    EXPECT_EQ(testing::ReadFile(path_), "old");
    EXPECT_THAT(dir_.Names(), ElementsAre("folder", "user.dic"));
}

TEST_F(SafeSaveTest, AFullDiskFailsTheSaveAndKeepsTheOldFile) {
    std::string old(5000, 'o');
    testing::WriteFile(path_, old);
    // The child may write no file past 4096 bytes, as on a disk that is full.
    int status = InChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        SaveResult result = SaveFileSafely(path_, std::string(100000, 'n'));
        return result.step == SaveStep::kWrite && result.osError == EFBIG ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(testing::ReadFile(path_), old);
    EXPECT_THAT(dir_.Names(), ElementsAre("user.dic"));
}

TEST_F(SafeSaveTest, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewWholeFile) {
    // Large enough that a kill often lands inside a write, unequal so that a
    // mixture of the two shows.
    const std::string a(300000, 'a');
    const std::string b(200000, 'b');
    testing::WriteFile(path_, a);
    std::mt19937 random(12345);
    int sawA = 0, sawB = 0;
    for (int run = 0; run < 40; ++run) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        pid_t child = ::fork();
        if (child == 0) {
            ::close(ready[0]);
            for (int i = 0;; ++i) {
                SaveFileSafely(path_, i % 2 ? a : b);
                if (i == 0) [[maybe_unused]]
                    ssize_t told = ::write(ready[1], "x", 1);
            }
        }
        ::close(ready[1]);
        char byte;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);  // the first save is done
        ::close(ready[0]);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 30000)(random));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        std::string now = testing::ReadFile(path_);
        ASSERT_TRUE(now == a || now == b) << "run " << run << ": " << now.size() << " bytes";
        (now == a ? sawA : sawB)++;
    }
    EXPECT_GT(sawA + sawB, 0);
    // Killed saves leave their temporary files, never anything under the file's
    // own name; the next save of the same file removes them, and only them.
    for (const std::string& name : dir_.Names())
        EXPECT_TRUE(name == "user.dic" || name.starts_with("user.dic.tmp-")) << name;
    testing::WriteFile(dir_.Path("user.dic.tmp-Ab12Cd"), "left");  // at least one
    testing::WriteFile(dir_.Path("user.dic.tmp-notes.txt"), "kept");
    testing::WriteFile(dir_.Path("other.dic.tmp-abc123"), "kept");
    ASSERT_TRUE(SaveFileSafely(path_, "next").Ok());
    EXPECT_THAT(dir_.Names(),
                ElementsAre("other.dic.tmp-abc123", "user.dic", "user.dic.tmp-notes.txt"));
}

// The temporary file of a save that is still running is locked: another save
// of the same file at that moment leaves it alone.
TEST_F(SafeSaveTest, ARunningSavesTemporaryFileIsNeverTakenForALeftover) {
    testing::WriteFile(path_, "old");
    std::string seen;
    SaveResult outer = SaveFileSafely(path_, "outer", {.check = [&](const std::string& temporary) {
                                          EXPECT_TRUE(SaveFileSafely(path_, "inner").Ok());
                                          seen = testing::ReadFile(temporary);
                                          return true;
                                      }});
    EXPECT_TRUE(outer.Ok());
    EXPECT_EQ(seen, "outer");
    EXPECT_EQ(testing::ReadFile(path_), "outer");
}

TEST_F(SafeSaveTest, BackupsNeverReplaceAnOlderOne) {
    for (const char* contents : {"first", "second", "third"}) {
        testing::WriteFile(path_, contents);
        BackupResult backup = MoveFileAside(path_);
        ASSERT_TRUE(backup.ok) << contents;
        EXPECT_FALSE(std::filesystem::exists(path_));
    }
    EXPECT_EQ(testing::ReadFile(dir_.Path("user.dic.bak")), "first");
    EXPECT_EQ(testing::ReadFile(dir_.Path("user.dic.bak.1")), "second");
    EXPECT_EQ(testing::ReadFile(dir_.Path("user.dic.bak.2")), "third");
    EXPECT_EQ(BackupName(path_, 3), path_ + ".bak.3");

    // Through a link the linked file moves aside; the link stays.
    testing::WriteFile(dir_.Path("real"), "linked");
    std::filesystem::create_symlink("real", dir_.Path("link"));
    BackupResult linked = MoveFileAside(dir_.Path("link"));
    ASSERT_TRUE(linked.ok);
    EXPECT_EQ(linked.backupPath, dir_.Path("real.bak"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir_.Path("link")));

    BackupResult missing = MoveFileAside(dir_.Path("absent"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.osError, ENOENT);
}

TEST_F(SafeSaveTest, KeptBackupsNeverReplaceAnOlderOne) {
    SaveResult first = SaveFileSafely(path_, "one", {.keepBackup = true});
    ASSERT_TRUE(first.Ok());
    EXPECT_EQ(first.backupPath, "");  // nothing to keep yet
    SaveResult last;
    for (const char* next : {"two", "three"}) {
        last = SaveFileSafely(path_, next, {.keepBackup = true});
        ASSERT_TRUE(last.Ok()) << last.Describe(path_);
        EXPECT_EQ(testing::ReadFile(path_), next);
    }
    EXPECT_EQ(last.backupPath, path_ + ".bak.1");
    EXPECT_EQ(testing::ReadFile(path_ + ".bak"), "one");
    EXPECT_EQ(testing::ReadFile(path_ + ".bak.1"), "two");
    EXPECT_THAT(dir_.Names(), ElementsAre("user.dic", "user.dic.bak", "user.dic.bak.1"));
}

// A device, a FIFO or a terminal is written into, never replaced by a file;
// a save that must replace a file refuses them.
TEST_F(SafeSaveTest, DevicesAndPipesAreWrittenDirectlyNeverReplaced) {
    SaveResult null = SaveFileSafely("/dev/null", "gone");
    EXPECT_TRUE(null.Ok()) << null.Describe("/dev/null");
    struct stat status;
    ASSERT_EQ(::stat("/dev/null", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
    EXPECT_EQ(null.backupPath, "");
    EXPECT_TRUE(SaveFileSafely("/dev/null", "gone", {.keepBackup = true}).Ok());

    std::string fifo = dir_.Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    pid_t reader = ::fork();
    if (reader == 0)
        ::_exit(testing::ReadFile(fifo) == "through the pipe" ? 0 : 1);
    EXPECT_TRUE(SaveFileSafely(fifo, "through the pipe").Ok());
    int exitStatus = 0;
    ::waitpid(reader, &exitStatus, 0);
    EXPECT_TRUE(WIFEXITED(exitStatus) && WEXITSTATUS(exitStatus) == 0);

    SaveResult inPlace = SaveFileSafely(fifo, "x", {.regularFileOnly = true});
    EXPECT_EQ(inPlace.step, SaveStep::kNotAFile);
    EXPECT_THAT(inPlace.Describe(fifo), HasSubstr("not a regular file"));
    ASSERT_EQ(::lstat(fifo.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_THAT(dir_.Names(), ElementsAre("fifo"));
}

TEST_F(SafeSaveTest, TheLockKeepsEveryChangeOfTwoProgramsAtOnce) {
    testing::WriteFile(path_, "0");
    // Each program adds one to the number in the file, many times over.
    auto count = [&] {
        for (int i = 0; i < 25; ++i) {
            FileLock lock(path_);
            if (!lock.Held())
                return 1;
            int n = std::stoi(testing::ReadFile(path_));
            if (!SaveFileSafely(path_, std::to_string(n + 1)).Ok())
                return 1;
        }
        return 0;
    };
    pid_t first = ::fork();
    if (first == 0)
        ::_exit(count());
    EXPECT_EQ(count(), 0);
    int status = 0;
    ::waitpid(first, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(testing::ReadFile(path_), "50");
}

}  // namespace
}  // namespace tarnik
