// tarnik check, run as a user runs it: answers from a script, and at a real
// (pseudo-)terminal.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "speller/user_dictionary.h"
#include "tarnik_folder_test.h"

namespace tarnik {
namespace {

namespace fs = std::filesystem;

class CheckCommandTest : public TarnikFolderTest {
  protected:
    // Runs `tarnik check ARGS` in the folder with standard input from /dev/null;
    // standard output is returned, standard error kept in Errors().
    std::string Check(const std::string& args, int& status) const {
        std::string command = "cd " + folder_.string() + " && XDG_DATA_HOME=" + folder_.string() +
                              " timeout 120 " + tarnik_ + " check --user user.dic " + args +
                              " </dev/null 2>stderr";
        std::string out;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        int raw = pclose(pipe);
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return out;
    }
    std::string Errors() const { return Read("stderr"); }
};

TEST_F(CheckCommandTest, ChangesAreWrittenBackWithABackupAndChangeAllHoldsAcrossFiles) {
    Write("a.txt", "Ala i krul.\r\nDrugi: wszystkoo!\n");
    Write("b.txt", "Krul, KRUL\n");
    // Change All krul to król; the first suggestion for wszystkoo.
    Write("answers", "R\nkról\n1\n");
    int status = -1;
    std::string out = Check("--dialogs answers a.txt b.txt", status);
    EXPECT_EQ(status, 0) << Errors();
    EXPECT_EQ(Read("a.txt"), "Ala i król.\r\nDrugi: wszystko!\n");
    EXPECT_EQ(Read("a.txt.bak"), "Ala i krul.\r\nDrugi: wszystkoo!\n");
    EXPECT_EQ(Read("b.txt"), "Król, KRUL\n") << "capitals are skipped by default";
    EXPECT_NE(out.find("a.txt:1:7: krul\n    Ala i [krul].\n"), std::string::npos) << out;
    EXPECT_NE(out.find("a.txt:2:8: wszystkoo\n    Drugi: [wszystkoo]!\n"), std::string::npos)
        << out;
    EXPECT_NE(out.find("1) wszystko"), std::string::npos) << out;
    EXPECT_EQ(out.find("b.txt:"), std::string::npos) << "answered by the run's Change All";

    // A second run keeps the first backup.
    Write("a.txt", "zmija\n");
    Write("answers", "r żmija\n");
    Check("--dialogs answers a.txt", status);
    EXPECT_EQ(status, 0) << Errors();
    EXPECT_EQ(Read("a.txt"), "żmija\n");
    EXPECT_EQ(Read("a.txt.bak"), "Ala i krul.\r\nDrugi: wszystkoo!\n");
    EXPECT_EQ(Read("a.txt.bak.1"), "zmija\n");
    EXPECT_NE(Errors().find("a.txt: changes written (the original is "), std::string::npos);
}

TEST_F(CheckCommandTest, AChangeThePlugInRefusesIsExplainedAndAskedAgain) {
    const std::string tooLong(256, 'y');
    struct Case {
        std::string answers;
        const char* after;
        const char* said;  // on standard error, or standard output
    } cases[] = {
        {"R\n" + tooLong + "\nR kot\n", "Ala ma kot i kot.\n", "longer than 255 characters"},
        {"R " + tooLong + "\n \n \n", "Ala ma kotta i kotta.\n", "longer than 255 characters"},
        {"r " + tooLong + "\nr kot\n \n", "Ala ma kot i kotta.\n", "longer than 255 characters"},
        {"r   \nR kot\n", "Ala ma kot i kot.\n", "spaces alone"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answers.substr(0, 8));
        Write("a.txt", "Ala ma kotta i kotta.\n");
        Write("answers", c.answers);
        int status = -1;
        std::string out = Check("--dialogs answers --no-backup a.txt", status);
        EXPECT_EQ(status, 0) << Errors();
        EXPECT_EQ(Read("a.txt"), c.after);
        EXPECT_NE((Errors() + out).find(c.said), std::string::npos) << Errors() << out;
    }
}

// The run's lists and the changes keep every character of the user's text,
// from file to file.
TEST_F(CheckCommandTest, WordsAreKnownWholeAndWrittenAsTyped) {
    const struct {
        const char* a;
        const char* b;
        const char* answers;
        const char* aAfter;
        const char* bAfter;
    } cases[] = {
        // Change All of Кот changes no other Cyrillic word, here or in b.txt.
        {"Pisał do Кот, Дом i Лес.\n", "Кот i Дом.\n", "R kot\n \n \n \n",
         "Pisał do kot, Дом i Лес.\n", "kot i Дом.\n"},
        // Ignore All of Кот ignores neither Дом nor Лес.
        {"Кот, Дом.\n", "Лес i Кот.\n", "I\n \n \n", "Кот, Дом.\n", "Лес i Кот.\n"},
        // A typed piñata, and the word offered back, are written as they are.
        {"krul i kotñ.\n", "krul.\n", "R piñata\nr kotñ\n", "piñata i kotñ.\n", "piñata.\n"},
        // Change All to a capitalised form: every later occurrence gets it.
        {"W polsce i znowu w polsce.\n", "polsce\n", "R Polsce\n", "W Polsce i znowu w Polsce.\n",
         "Polsce\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers);
        Write("a.txt", c.a);
        Write("b.txt", c.b);
        Write("answers", c.answers);
        int status = -1;
        std::string out = Check("--dialogs answers --no-backup a.txt b.txt", status);
        EXPECT_EQ(status, 0) << Errors() << out;
        EXPECT_EQ(Read("a.txt"), c.aAfter) << out;
        EXPECT_EQ(Read("b.txt"), c.bAfter) << out;
        std::string shown = out;  // no '?' but the prompt's and the menu's
        for (size_t at; (at = shown.find("?) help")) != std::string::npos;)
            shown.erase(at, 7);
        EXPECT_EQ(shown.find("?"), shown.find("? ")) << out;
    }
}

TEST_F(CheckCommandTest, AByteOrderMarkIsNoColumn) {
    Write("a.txt", "\xEF\xBB\xBFkrul ma kota\n");
    Write("answers", " \n");
    int status = -1;
    std::string out = Check("--dialogs answers a.txt", status);
    EXPECT_EQ(status, 0) << Errors();
    EXPECT_NE(out.find("a.txt:1:1: krul\n    [krul] ma kota\n"), std::string::npos) << out;
}

TEST_F(CheckCommandTest, IgnoreAllHoldsAcrossFilesAndAFileWithoutChangesIsNotRewritten) {
    Write("a.txt", "krul\n");
    Write("b.txt", "Jest krul i zmija.\n");
    Write("answers", "I\nr żmija\n");
    fs::permissions(Path("a.txt"), fs::perms::owner_read | fs::perms::owner_write);
    auto before = fs::last_write_time(Path("a.txt"));
    int status = -1;
    std::string out = Check("--dialogs answers --no-backup a.txt b.txt", status);
    EXPECT_EQ(status, 0) << Errors();
    EXPECT_EQ(Read("a.txt"), "krul\n");
    EXPECT_EQ(fs::last_write_time(Path("a.txt")), before);
    EXPECT_EQ(Read("b.txt"), "Jest krul i żmija.\n");
    EXPECT_FALSE(fs::exists(Path("a.txt.bak")));
    EXPECT_FALSE(fs::exists(Path("b.txt.bak")));
    EXPECT_NE(Errors().find("a.txt: no changes"), std::string::npos) << Errors();
}

TEST_F(CheckCommandTest, OptionsHoldForTheRestOfTheRun) {
    Write("a.txt", "KRUL i zmija\n");
    Write("b.txt", "KRUL\n");
    // At zmija: Options, capitals no longer skipped, OK; then Ignore.
    Write("answers", "o\npress 1020\npress 1\n \nr KRÓL\n");
    int status = -1;
    std::string out = Check("--dialogs answers a.txt b.txt", status);
    EXPECT_EQ(status, 0) << Errors();
    EXPECT_EQ(Read("a.txt"), "KRUL i zmija\n");
    EXPECT_EQ(Read("b.txt"), "KRÓL\n") << out;
}

TEST_F(CheckCommandTest, CloseKeepsTheChangesSoFar) {
    Write("a.txt", "krul i zmija\n");
    Write("answers", "r król\nx\n");
    int status = -1;
    Check("--dialogs answers a.txt", status);
    EXPECT_EQ(status, 0) << Errors();
    EXPECT_EQ(Read("a.txt"), "król i zmija\n");
}

TEST_F(CheckCommandTest, AnInterruptedCheckLeavesTheFileWhole) {
    for (const char* answers : {"r król\n", "r król\nb\n"}) {
        SCOPED_TRACE(answers);
        Write("a.txt", "krul i zmija\n");
        Write("b.txt", "zmija\n");
        Write("answers", answers);
        int status = -1;
        Check("--dialogs answers a.txt b.txt", status);
        EXPECT_EQ(status, 1);
        EXPECT_EQ(Read("a.txt"), "krul i zmija\n");
        EXPECT_EQ(Read("b.txt"), "zmija\n") << "the run stops";
        EXPECT_FALSE(fs::exists(Path("a.txt.bak")));
    }
}

TEST_F(CheckCommandTest, FilesThatCannotBeCheckedAreNamedAndTheOthersGoOn) {
    Write("latin2.txt", "zmija \xB1\n");
    Write("good.txt", "zmija\n");
    Write("answers", "1\n");
    int status = -1;
    Check("--dialogs answers missing.txt latin2.txt good.txt", status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(Errors().find("missing.txt: No such file or directory"), std::string::npos)
        << Errors();
    EXPECT_NE(Errors().find("latin2.txt: not UTF-8 text (bad byte at offset 6)"), std::string::npos)
        << Errors();
    EXPECT_EQ(Read("latin2.txt"), "zmija \xB1\n");
    EXPECT_NE(Read("good.txt"), "zmija\n");
}

TEST_F(CheckCommandTest, AFileThatCannotBeWrittenIsNamedBeforeItIsChecked) {
    Write("a.txt", "zmija\n");
    fs::permissions(Path("a.txt"), fs::perms::owner_read);
    Write("answers", "");
    int status = -1;
    std::string out = Check("--dialogs answers a.txt", status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(Errors().find("a.txt: Permission denied"), std::string::npos) << Errors();
    EXPECT_EQ(out, "");
    EXPECT_EQ(Read("a.txt"), "zmija\n");
}

// What the check cannot keep fails the run: a word it could not save into the
// user dictionary (the file written all the same), a settings file it cannot
// use (nothing checked).
TEST_F(CheckCommandTest, AnUnsavedWordOrAnUnusableSettingsFileFailsTheRun) {
    const struct {
        const char* args;
        bool readOnlyUser;
        const char* told;
    } cases[] = {
        {"--dialogs answers a.txt", true,
         "a.txt: a change of the user dictionary could not be saved"},
        {"--settings s.ini --dialogs answers a.txt", false,
         "s.ini:2: unknown key '4PominCyfr' in [1Slownik]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        fs::remove(Path("user.dic"));
        int status = -1;
        Write("a.txt", "zmija\n");
        Write("answers", " \n");
        Check("--dialogs answers a.txt", status);  // makes user.dic
        ASSERT_EQ(status, 0) << Errors();
        if (c.readOnlyUser)
            fs::permissions(Path("user.dic"), fs::perms::owner_read);
        const std::string user = Read("user.dic");
        Write("answers", "i\n");
        Write("s.ini", "[1Slownik]\n4PominCyfr=1\n");
        Check(c.args, status);
        EXPECT_EQ(status, 2);
        EXPECT_NE(Errors().find(c.told), std::string::npos) << Errors();
        EXPECT_EQ(Read("user.dic"), user);
        fs::permissions(Path("user.dic"), fs::perms::owner_all);
    }
}

TEST_F(CheckCommandTest, WithoutATerminalOrAScriptItRefuses) {
    Write("a.txt", "zmija\n");
    int status = -1;
    Check("a.txt", status);
    EXPECT_EQ(status, 2);
    EXPECT_NE(Errors().find("standard input is not a terminal"), std::string::npos) << Errors();
}

// Reads from the terminal until `wanted` has appeared (or 10 s have passed).
bool ReadUntil(int fd, std::string& seen, const std::string& wanted) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (seen.find(wanted) == std::string::npos) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 200) <= 0)
            continue;
        char buffer[1024];
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        seen.append(buffer, size_t(n));
    }
    return true;
}

// Starts `tarnik check --user user.dic [EXTRA...] FILE` on a new pseudo-terminal,
// with FOLDER/tmp as its temporary folder; the terminal's side in `terminal`.
pid_t StartAtTerminal(const fs::path& folder, const std::string& file, int& terminal,
                      std::vector<std::string> extra = {}) {
    std::string tarnik = testsupport::PrivateTarnik(folder);
    std::vector<std::string> args = {tarnik, "check", "--user", (folder / "user.dic").string()};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(file);
    fs::create_directories(folder / "tmp");
    pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        setenv("XDG_DATA_HOME", folder.c_str(), 1);
        setenv("TMPDIR", (folder / "tmp").c_str(), 1);
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(tarnik.c_str(), argv.data());
        _exit(127);
    }
    return child;
}

void Send(int terminal, const std::string& keys) {
    ASSERT_EQ(write(terminal, keys.data(), keys.size()), ssize_t(keys.size()));
}

TEST_F(CheckCommandTest, WorksAtATerminalWithPolishLetters) {
    Write("a.txt", "Zażółć gęślą jaźń: żółw i zmija.\n");
    int terminal = -1;
    pid_t child = StartAtTerminal(folder_, Path("a.txt"), terminal);
    ASSERT_GE(child, 0);
    std::string seen;
    ASSERT_TRUE(ReadUntil(terminal, seen, "? ")) << seen;
    EXPECT_NE(seen.find("a.txt:1:27: zmija"), std::string::npos) << seen;
    EXPECT_NE(seen.find("żółw i \x1b[7mzmija\x1b[0m."), std::string::npos) << seen;
    Send(terminal, "r");
    ASSERT_TRUE(ReadUntil(terminal, seen, "Change to: ")) << seen;
    Send(terminal, "żmija\n");
    ReadUntil(terminal, seen, "changes written");
    int status = -1;
    waitpid(child, &status, 0);
    close(terminal);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << seen;
    EXPECT_EQ(Read("a.txt"), "Zażółć gęślą jaźń: żółw i żmija.\n");
}

TEST_F(CheckCommandTest, CtrlCAtTheTerminalLeavesTheFileWhole) {
    Write("a.txt", "krul i zmija\n");
    int terminal = -1;
    pid_t child = StartAtTerminal(folder_, Path("a.txt"), terminal);
    ASSERT_GE(child, 0);
    std::string seen;
    ASSERT_TRUE(ReadUntil(terminal, seen, "? ")) << seen;
    Send(terminal, "4\n");  // krul changed in the story, not yet in the file
    ASSERT_TRUE(ReadUntil(terminal, seen, "a.txt:1:8: zmija")) << seen;
    ASSERT_TRUE(ReadUntil(terminal, seen, "?) help\r\n? ")) << seen;
    Send(terminal, "\x03");
    EXPECT_TRUE(ReadUntil(terminal, seen, "a.txt: interrupted; the file is left as it was"))
        << seen;
    int status = -1;
    waitpid(child, &status, 0);
    close(terminal);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << seen;
    EXPECT_EQ(Read("a.txt"), "krul i zmija\n");
    EXPECT_FALSE(fs::exists(Path("a.txt.bak")));
    EXPECT_TRUE(fs::is_empty(folder_ / "tmp")) << "the run's settings folder is left";
}

// ispell's keys, a key at a time: each answers its word, and the words inserted
// go into the personal word list (-p) or, without one, the user dictionary.
TEST_F(CheckCommandTest, IspellKeysAtTheTerminal) {
    Write("a.txt", "zmija krul zmija Tarnikowo Kotx Mławka wszystkoo krul\n");
    Write("words", "Mławka/X\n");
    int terminal = -1;
    pid_t child = StartAtTerminal(folder_, Path("a.txt"), terminal, {"-x", "-p", Path("words")});
    ASSERT_GE(child, 0);
    struct Step {
        const char* at;    // what the screen shows before the keys
        const char* keys;  // typed
    } steps[] = {
        {"a.txt:1:1: zmija", " "},              // accepted once
        {"a.txt:1:7: krul", "?"},               // help, and then
        {"accept it for the run", "a"},         // accepted for the run
        {"a.txt:1:12: zmija", "r"},             // replaced
        {"Change to: ", "żmija\n"},             //
        {"a.txt:1:18: Tarnikowo", "i"},         // inserted as written
        {"a.txt:1:28: Kotx", "u"},              // inserted in small letters
        {"a.txt:1:40: wszystkoo", "l"},         // looked up, and then
        {"Look up (Enter: the word): ", "\n"},  //
        {"1) wszystko", "1"},                   // the first suggestion
    };
    std::string seen;
    for (const Step& step : steps) {
        ASSERT_TRUE(ReadUntil(terminal, seen, step.at)) << step.at << "\n" << seen;
        seen.clear();
        Send(terminal, step.keys);
    }
    ReadUntil(terminal, seen, "changes written");
    int status = -1;
    waitpid(child, &status, 0);
    close(terminal);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << seen;
    EXPECT_EQ(Read("a.txt"), "zmija krul żmija Tarnikowo Kotx Mławka wszystko krul\n");
    EXPECT_FALSE(fs::exists(Path("a.txt.bak"))) << "-x keeps no backup";
    EXPECT_EQ(Read("words"), "Mławka/X\nTarnikowo\nkotx\n");
}

// q asks first; a 1 among ten or more suggestions waits for a second digit; u
// without a personal word list puts the small letters into the user dictionary.
TEST_F(CheckCommandTest, QuitAsksFirstAndNumbersTakeTwoDigits) {
    Write("a.txt", "Kotx kotta\n");
    int terminal = -1;
    pid_t child = StartAtTerminal(folder_, Path("a.txt"), terminal);
    ASSERT_GE(child, 0);
    std::string seen;
    ASSERT_TRUE(ReadUntil(terminal, seen, "a.txt:1:1: Kotx")) << seen;
    Send(terminal, "u");
    ASSERT_TRUE(ReadUntil(terminal, seen, "a.txt:1:6: kotta")) << seen;
    ASSERT_TRUE(ReadUntil(terminal, seen, "help\r\n? ")) << seen;
    size_t twelfth = seen.find("12) ");
    ASSERT_NE(twelfth, std::string::npos) << seen;
    std::string word = seen.substr(twelfth + 4, seen.find(' ', twelfth + 4) - twelfth - 4);
    Send(terminal, "q");
    ASSERT_TRUE(ReadUntil(terminal, seen, "(y/n) ")) << seen;
    Send(terminal, "n\n");
    Send(terminal, "12");
    ReadUntil(terminal, seen, "changes written");
    int status = -1;
    waitpid(child, &status, 0);
    close(terminal);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << seen;
    EXPECT_EQ(Read("a.txt"), "Kotx " + word + "\n");
    UserDictionary* user = nullptr;
    ASSERT_EQ(UserDictOpen(Path("user.dic"), user), 0);
    EXPECT_EQ(UserDictContains(user, "kotx"), 1);
    EXPECT_EQ(UserDictContains(user, "Kotx"), 0);
    UserDictClose(user);

    // q and y: the file is left as it was, and the run ends there.
    Write("a.txt", "krul\n");
    child = StartAtTerminal(folder_, Path("a.txt"), terminal);
    seen.clear();
    ASSERT_TRUE(ReadUntil(terminal, seen, "help\r\n? ")) << seen;
    Send(terminal, "q");
    ASSERT_TRUE(ReadUntil(terminal, seen, "(y/n) ")) << seen;
    Send(terminal, "y\n");
    ReadUntil(terminal, seen, "left as it was");
    waitpid(child, &status, 0);
    close(terminal);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << seen;
    EXPECT_EQ(Read("a.txt"), "krul\n");
}

}  // namespace
}  // namespace tarnik
