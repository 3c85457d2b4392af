#include "hyphenation/user_exceptions.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "charsets/utf8.h"
#include "hyph_fixture.h"
#include "hyphenation/hyphenate_word.h"

namespace tarnik {
namespace {

class UserExceptionsTest : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = test::TestFolder();
        path_ = (folder_ / "PLHYPH.USR").string();
        dict_ = Open("ba-ba\n");
        ASSERT_TRUE(dict_);
    }

    std::unique_ptr<HyphDict> Open(const std::string& seed) {
        return test::OpenData(folder_, "a1\ne1\no1\ny1\n", "", seed);
    }

    std::string WithUser(const std::string& word) {
        std::string out;
        HyphenateWordWithUser(*dict_, Utf8ToCp1250(word), &out);
        return Cp1250ToUtf8(out);
    }

    std::vector<std::string> Listed() {
        std::vector<std::string> words;
        std::string word;
        for (bool restart = true; NextHyphException(*dict_, word, restart); restart = false)
            words.push_back(Cp1250ToUtf8(word));
        return words;
    }

    std::filesystem::path folder_;
    std::string path_;
    std::unique_ptr<HyphDict> dict_;
};

TEST_F(UserExceptionsTest, FirstStartCreatesTheFileFromTheSeed) {
    EXPECT_EQ(LoadUserExceptions(*dict_, path_), 0);
    const std::vector<uint8_t> seed = {9, 4, 'b', 'a', 'b', 'a', 0, 2, 0, 0};
    EXPECT_EQ(dict_->blocks[kUserListSlot], seed);
    std::vector<uint8_t> file = {10, 0, 0, 0};
    file.insert(file.end(), seed.begin(), seed.end());
    EXPECT_EQ(test::ReadFile(path_), file);
    EXPECT_EQ(Listed(), std::vector<std::string>{"ba-ba"});
}

TEST_F(UserExceptionsTest, AddKeepsTheFirstBreaksAndEveryChangeIsSaved) {
    ASSERT_EQ(LoadUserExceptions(*dict_, path_), 0);
    EXPECT_EQ(AddHyphException(*dict_, "ko-tek"), kHyphExceptionDone);
    EXPECT_EQ(AddHyphException(*dict_, "kot-ek"), kHyphExceptionPresent);
    EXPECT_EQ(WithUser("kotek"), "ko-tek");
    EXPECT_EQ(RemoveHyphException(*dict_, "kotek"), kHyphExceptionDone);
    EXPECT_EQ(AddHyphException(*dict_, "kot-ek"), kHyphExceptionDone);
    EXPECT_EQ(WithUser("Kotek"), "Kot-ek");

    dict_ = Open("");
    ASSERT_EQ(LoadUserExceptions(*dict_, path_), 0);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"kot-ek", "ba-ba"}));
}

TEST_F(UserExceptionsTest, ListsLongestFirstInStoredSmallLetters) {
    ASSERT_EQ(LoadUserExceptions(*dict_, path_), 0);
    for (const char* word : {"ko-tek", "ŹDŹ-BŁO-WA-TY", "ko-ty-ko-wy", "ko-tem"})
        ASSERT_EQ(AddHyphException(*dict_, Utf8ToCp1250(word)), kHyphExceptionDone) << word;
    EXPECT_EQ(Listed(), (std::vector<std::string>{"źdź-bło-wa-ty", "ko-ty-ko-wy", "ko-tek",
                                                  "ko-tem", "ba-ba"}));
    EXPECT_EQ(IsHyphException(*dict_, "kotem"), 1);
    EXPECT_EQ(IsHyphException(*dict_, "KOTEK"), 1);
    EXPECT_EQ(IsHyphException(*dict_, "koty"), 0);
}

TEST_F(UserExceptionsTest, AWordWithoutHyphensIsNeverBroken) {
    ASSERT_EQ(LoadUserExceptions(*dict_, path_), 0);
    ASSERT_EQ(AddHyphException(*dict_, "kotek"), kHyphExceptionDone);
    EXPECT_EQ(WithUser("kotek"), "kotek");
    std::string out;
    HyphenateWordWithoutUser(*dict_, "kotek", &out);
    EXPECT_EQ(out, "ko-tek");
    // Hyphens at the edges or doubled add nothing.
    ASSERT_EQ(AddHyphException(*dict_, "-ko--ty-"), kHyphExceptionDone);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"kotek", "ba-ba", "ko-ty"}));
}

TEST_F(UserExceptionsTest, ASizeWrittenBigEndianIsRecognisedAndTrailingBytesKept) {
    std::vector<uint8_t> file = {0, 0, 0, 32, 8, 3, 'k', 'o', 't', 0, 1, 0, 0};  // "k-ot"
    file.resize(4 + 32, 0xEE);
    test::WriteFile(path_, file);
    ASSERT_EQ(LoadUserExceptions(*dict_, path_), 0);
    EXPECT_EQ(Listed(), std::vector<std::string>{"k-ot"});
    ASSERT_EQ(AddHyphException(*dict_, "ko-tek"), kHyphExceptionDone);
    std::vector<uint8_t> saved = test::ReadFile(path_);
    ASSERT_EQ(saved.size(), 4u + 32 + 10);
    EXPECT_EQ(saved[0], 42);  // written little-endian
    EXPECT_EQ(saved.back(), 0xEE);
}

TEST_F(UserExceptionsTest, RemovingAnUnlistedWordWritesNothing) {
    ASSERT_EQ(LoadUserExceptions(*dict_, path_), 0);
    std::filesystem::remove(path_);
    EXPECT_EQ(RemoveHyphException(*dict_, "kotek"), kHyphExceptionPresent);
    EXPECT_FALSE(std::filesystem::exists(path_));
    EXPECT_EQ(RemoveHyphException(*dict_, "ba-ba"), kHyphExceptionDone);  // hyphens are ignored
    EXPECT_TRUE(std::filesystem::exists(path_));
}

TEST_F(UserExceptionsTest, ADamagedFileIsKeptAsideAndAFreshListStarted) {
    const std::vector<std::vector<uint8_t>> damaged = {
        {1, 0},                           // size cut short: 201
        {0xFF, 0xFF, 0xFF, 0xFF},         // negative size: 202
        {100, 0, 0, 0, 5, 1, 'a', 0, 0},  // block cut short: 203
        {5, 0, 0, 0, 5, 1, 'a', 0, 0},    // no end mark: 203
        {0, 0, 0, 0},                     // empty block: 202
    };
    const int16_t results[] = {kUserFileSizeShort, kUserFileBadSize, kUserFileDamaged,
                               kUserFileDamaged, kUserFileBadSize};
    for (size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        dict_ = Open("ba-ba\n");
        std::filesystem::remove(path_ + ".bak");
        test::WriteFile(path_, damaged[i]);
        EXPECT_EQ(LoadUserExceptions(*dict_, path_), results[i]);
        EXPECT_EQ(test::ReadFile(path_ + ".bak"), damaged[i]);
        EXPECT_EQ(Listed(), std::vector<std::string>{"ba-ba"});
        dict_ = Open("");
        EXPECT_EQ(LoadUserExceptions(*dict_, path_), 0);  // the fresh file reads back
        EXPECT_EQ(Listed(), std::vector<std::string>{"ba-ba"});
    }
}

TEST_F(UserExceptionsTest, ASecondDamagedFileNeverReplacesTheFirstBackup) {
    const std::vector<uint8_t> first = {1, 0}, second = {100, 0, 0, 0, 5, 1, 'a', 0, 0};
    test::WriteFile(path_, first);
    EXPECT_EQ(LoadUserExceptions(*dict_, path_), kUserFileSizeShort);
    EXPECT_EQ(dict_->userBackupPath, path_ + ".bak");
    dict_ = Open("ba-ba\n");
    test::WriteFile(path_, second);
    EXPECT_EQ(LoadUserExceptions(*dict_, path_), kUserFileDamaged);
    EXPECT_EQ(dict_->userBackupPath, path_ + ".bak.1");
    EXPECT_EQ(test::ReadFile(path_ + ".bak"), first);
    EXPECT_EQ(test::ReadFile(path_ + ".bak.1"), second);
}

TEST_F(UserExceptionsTest, AReadOnlyFileIsUsedAndOnlyChangesFail) {
    ASSERT_EQ(LoadUserExceptions(*dict_, path_), 0);
    ASSERT_EQ(AddHyphException(*dict_, "ko-tek"), kHyphExceptionDone);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_read |
                                            std::filesystem::perms::group_read |
                                            std::filesystem::perms::others_read);
    std::vector<uint8_t> before = test::ReadFile(path_);
    dict_ = Open("ba-ba\n");
    ASSERT_EQ(LoadUserExceptions(*dict_, path_), 0);
    EXPECT_EQ(WithUser("kotek"), "ko-tek");
    EXPECT_EQ(AddHyphException(*dict_, "do-mek"), kUserFileCannotCreate);
    EXPECT_EQ(dict_->lastSave.osError, EACCES);
    EXPECT_EQ(IsHyphException(*dict_, "domek"), 0);  // not pretended to be stored
    EXPECT_EQ(RemoveHyphException(*dict_, "kotek"), kUserFileCannotCreate);
    EXPECT_EQ(WithUser("kotek"), "ko-tek");
    EXPECT_EQ(test::ReadFile(path_), before);
}

TEST_F(UserExceptionsTest, TwoProgramsAddingAtOnceBothKeepTheirWords) {
    ASSERT_EQ(LoadUserExceptions(*dict_, path_), 0);
    // Both programs have the list loaded; each adds its own words.
    auto add = [&](const std::string& stem) {
        for (char last = 'a'; last < 'a' + 10; ++last) {
            if (AddHyphException(*dict_, stem + "-" + last + last) != kHyphExceptionDone)
                return 1;
        }
        return 0;
    };
    pid_t child = ::fork();
    if (child == 0)
        ::_exit(add("ko"));
    EXPECT_EQ(add("pie"), 0);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    dict_ = Open("");
    ASSERT_EQ(LoadUserExceptions(*dict_, path_), 0);
    EXPECT_EQ(Listed().size(), 21u);  // the seed's ba-ba and twenty words
    for (char last = 'a'; last < 'a' + 10; ++last) {
        EXPECT_EQ(IsHyphException(*dict_, std::string("ko") + last + last), 1) << last;
        EXPECT_EQ(IsHyphException(*dict_, std::string("pie") + last + last), 1) << last;
    }
}

TEST_F(UserExceptionsTest, WordsThatCannotBeStoredAreRefused) {
    ASSERT_EQ(LoadUserExceptions(*dict_, path_), 0);
    auto joined = [](int parts) {
        std::string word = "ab";
        for (int i = 1; i < parts; ++i)
            word += "-ab";
        return word;
    };
    EXPECT_EQ(AddHyphException(*dict_, joined(50)), kHyphExceptionDone);  // 49 breaks
    EXPECT_EQ(AddHyphException(*dict_, joined(51)), kHyphExceptionTooLong);
    EXPECT_EQ(AddHyphException(*dict_, std::string(251, 'k')), kHyphExceptionDone);  // entry of 255
    EXPECT_EQ(AddHyphException(*dict_, std::string(252, 'k')), kHyphExceptionTooLong);
    EXPECT_EQ(AddHyphException(*dict_, std::string(249, 'k') + "-k-k"), kHyphExceptionTooLong);
    EXPECT_EQ(AddHyphException(*dict_, "--"), kHyphExceptionTooLong);
    EXPECT_EQ(Listed().size(), 3u);
}

TEST_F(UserExceptionsTest, WithoutAnyListNothingIsAdded) {
    dict_->blocks[kUserListSlot].clear();
    EXPECT_EQ(LoadUserExceptions(*dict_, path_), kUserFileNoSeed);
    EXPECT_FALSE(std::filesystem::exists(path_));
    EXPECT_EQ(AddHyphException(*dict_, "ko-tek"), kHyphExceptionNoList);
    EXPECT_EQ(RemoveHyphException(*dict_, "kotek"), kHyphExceptionPresent);
    EXPECT_EQ(IsHyphException(*dict_, "kotek"), 0);
    EXPECT_TRUE(Listed().empty());
}

TEST_F(UserExceptionsTest, AFileThatCannotBeCreatedIsReported) {
    std::string unreachable = (folder_ / "no-such-folder" / "PLHYPH.USR").string();
    EXPECT_EQ(LoadUserExceptions(*dict_, unreachable), kUserFileCannotCreate);
    EXPECT_EQ(Listed(), std::vector<std::string>{"ba-ba"});  // the seed stays in use

    std::filesystem::create_directory(path_);
    EXPECT_EQ(LoadUserExceptions(*dict_, path_), kUserFileCannotOpen);
    EXPECT_TRUE(std::filesystem::is_directory(path_));
    EXPECT_FALSE(std::filesystem::exists(path_ + ".bak"));
}

}  // namespace
}  // namespace tarnik
