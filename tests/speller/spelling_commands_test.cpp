// tarnik pipe and tarnik list, run as a user runs them, on a fixture data folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fixture_dictionary.h"
#include "speller/user_dictionary.h"

namespace tarnik {
namespace {

using testing::Cp;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

struct Result {
    int status;
    std::vector<std::string> lines;  // standard output
    std::string errors;
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Whether the user dictionary file `path` holds `word` (cp1250).
bool Holds(const std::string& path, const std::string& word) {
    UserDictionary* user = nullptr;
    if (UserDictOpen(path, user) != 0)
        return false;
    bool holds = UserDictContains(user, word) == 1;
    UserDictClose(user);
    return holds;
}

class SpellingCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(data_);
        testing::WriteFixtureDictionary(data_ + "/son.dic");
    }

    // Runs `tarnik ARGS` with `input` on standard input.
    Result Run(const std::string& args, const std::string& input) {
        std::ofstream(dir_.File("in.txt"), std::ios::binary) << input;
        return RunOn(args, dir_.File("in.txt"));
    }
    // Runs `tarnik ARGS` with the file `inputPath` on standard input, after the
    // shell commands `before` (limits, say).
    Result RunOn(const std::string& args, const std::string& inputPath,
                 const std::string& before = "") {
        std::string command = before + std::string("XDG_DATA_HOME=") + dir_.File("xdg") + " " +
                              TARNIK_BIN_DIR "/tarnik " + args + " < " + inputPath + " > " +
                              dir_.File("out.txt") + " 2> " + dir_.File("err.txt");
        int raw = std::system(command.c_str());
        Result result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, {}, Slurp(dir_.File("err.txt"))};
        std::istringstream out(Slurp(dir_.File("out.txt")));
        for (std::string line; std::getline(out, line);)
            result.lines.push_back(line);
        return result;
    }
    // The pipe's answer lines after the banner.
    std::vector<std::string> Pipe(const std::string& input, const std::string& options = "") {
        Result result = Run("pipe --data " + data_ + " " + options, input);
        EXPECT_EQ(result.status, 0) << result.errors;
        EXPECT_THAT(result.lines, ::testing::Not(::testing::IsEmpty()));
        if (result.lines.empty())
            return {};
        EXPECT_THAT(result.lines[0], StartsWith("@(#) "));
        return std::vector<std::string>(result.lines.begin() + 1, result.lines.end());
    }

    testing::TempDir dir_;
    std::string data_ = dir_.File("data");
};

TEST_F(SpellingCommandsTest, PipeAnswersEachWordOfEachLine) {
    EXPECT_THAT(Pipe("kot kotx Warszawa\nżółw qqqqq.\n\nKOTX\n"),
                ElementsAre("*", "& kotx 3 4: kot, kota, koty", "*", "",  //
                            "# żółw 0", "# qqqqq 5", "",                  // offsets in characters
                            "",                                           //
                            "& KOTX 3 0: KOT, KOTA, KOTY", ""));
}

TEST_F(SpellingCommandsTest, PipeChecksWordsAsTheSpellCheckDoes) {
    EXPECT_THAT(
        Pipe("tzw. tzw\n"
             "ko\u00ADtem 2015kot kot1 1kot\n"  // soft hyphen inside, digits
             "warszawa Bielsko-Biała\n"),
        ElementsAre("*", "# tzw 5", "",  //
                    "*", "*", "*", "*", "", "& warszawa 1 0: Warszawa", "# Bielsko-Biała 9", ""));
}

TEST_F(SpellingCommandsTest, PipeKeepsForeignWordsWholeAndStoresThemWhole) {
    std::string user = dir_.File("mine.dic");
    Result result = Run("pipe --data " + data_ + " --user " + user,
                        "kotü Peña kot-dom\n"
                        "*Müller\n*Jose\u0301\n*Peña\n"
                        "Müller MÜLLER José kotx\n");
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_THAT(result.lines,
                ElementsAre(StartsWith("@(#) "),
                            // never cut at the foreign letter into the word kot
                            "& kotü 3 0: koty, kot, kota", "# Peña 5", "*", "",
                            // added whole (the decomposed é composed), or refused whole
                            "*", "*", "*", "& kotx 3 19: kot, kota, koty", ""));
    EXPECT_THAT(result.errors, HasSubstr("'Peña' was not added"));
    EXPECT_TRUE(Holds(user, Cp("Müller")));
    EXPECT_TRUE(Holds(user, Cp("José")));
    EXPECT_FALSE(Holds(user, "Pe"));
}

TEST_F(SpellingCommandsTest, PipeSuggestsTheLikeliestFirstOrAlphabetically) {
    // z lies next to a on the keyboard; książką needs three changes at once
    EXPECT_THAT(Pipe("ksiazka kotz\n"),
                ElementsAre("& ksiazka 2 0: książka, książką", "& kotz 3 8: kota, kot, koty", ""));
    EXPECT_THAT(Pipe("ksiazka kotz\n", "--alphabetical"),
                ElementsAre("& ksiazka 1 0: książka", "& kotz 3 8: kot, kota, koty", ""));
}

TEST_F(SpellingCommandsTest, PipeSendsTwoWordsRunTogetherWithTheirSpace) {
    EXPECT_THAT(Pipe("kotdom Kotdom\n"),
                ElementsAre("& kotdom 1 0: kot dom", "& Kotdom 1 7: Kot dom", ""));
}

TEST_F(SpellingCommandsTest, PipeCommands) {
    std::string user = dir_.File("mine.dic");
    EXPECT_THAT(Pipe("*Kowalski\nKowalski kowalski\n"
                     "@Kotx\nkotx Kotx KOTX\n"
                     "!\nkot kotem qqqqq\n%\nkot\n"
                     "#\n+\n~tex\n-kotx\n"
                     "^*kot qqqqq\n"
                     "&Nowak\nnowak\n",
                     "--user " + user),
                ElementsAre(
                    // added to the user dictionary
                    "*", "& kowalski 1 9: Kowalski", "",
                    // accepted with the capitals a dictionary word may take; the
                    // accepted word differs only in case, so it is suggested first
                    "& kotx 4 0: Kotx, kot, kota, koty", "*", "*", "",
                    // terse, then verbose again
                    "# qqqqq 10", "", "*", "",
                    // '#', '+', '~' and '-' lines are commands, answered with nothing;
                    // the escape counts in offsets
                    "*", "# qqqqq 6", "",
                    // '&' adds the word in small letters
                    "*", ""));
    EXPECT_TRUE(Holds(user, "Kowalski"));
    EXPECT_TRUE(Holds(user, "nowak"));
    EXPECT_FALSE(Holds(user, "Nowak"));
    EXPECT_FALSE(Holds(user, "Kotx"));  // accepted for the run only
}

TEST_F(SpellingCommandsTest, PipeStoresAWordAsWrittenOrNotAtAll) {
    std::string user = dir_.File("mine.dic");
    Result result = Run("-a --data " + data_ + " --user " + user, "*abc1\n*Kot-ek\n*-kot\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_THAT(result.errors, HasSubstr("'abc1' was not added to " + user +
                                         ": only letters and the hyphen can be stored"));
    EXPECT_THAT(result.errors,
                HasSubstr("'-kot' was not added to " + user + ": a word starts with a letter"));
    EXPECT_TRUE(Holds(user, "Kot-ek"));
    EXPECT_FALSE(Holds(user, "abc"));
}

TEST_F(SpellingCommandsTest, SkipOptionsSkipCapitalsAndDigits) {
    EXPECT_THAT(Pipe("KOTX kotx1 Kotx\n", "--skip-caps --skip-digits"),
                ElementsAre("*", "*", "& Kotx 3 11: Kot, Kota, Koty", ""));
    EXPECT_THAT(Pipe("KOTX kotx1\n"),
                ElementsAre("& KOTX 3 0: KOT, KOTA, KOTY", "& kotx1 3 5: kot, kota, koty", ""));
}

TEST_F(SpellingCommandsTest, UserDictionaryIsCreatedInTheDataFolder) {
    ASSERT_FALSE(std::filesystem::exists(data_ + "/user.dic"));
    EXPECT_THAT(Pipe("*Kowalski\n"), ElementsAre());
    EXPECT_THAT(Pipe("Kowalski\n"), ElementsAre("*", ""));
    EXPECT_TRUE(Holds(data_ + "/user.dic", "Kowalski"));
}

TEST_F(SpellingCommandsTest, AliasAndHelp) {
    Result alias = Run("-a --data " + data_, "kot\n");
    EXPECT_EQ(alias.status, 0);
    EXPECT_THAT(alias.lines, ElementsAre(StartsWith("@(#) "), "*", ""));
    for (const char* command : {"pipe --help", "list --help"}) {
        Result help = Run(command, "");
        EXPECT_EQ(help.status, 0) << command;
        std::string text;
        for (const std::string& line : help.lines)
            text += line + "\n";
        for (const char* option : {"--data", "--user", "--skip-caps", "--skip-digits"}) {
            EXPECT_THAT(text, HasSubstr(option)) << command;
        }
    }
    Result overview = Run("--help", "");
    EXPECT_EQ(overview.status, 0);
    std::string text;
    for (const std::string& line : overview.lines)
        text += line + "\n";
    EXPECT_THAT(text, HasSubstr("pipe, -a"));
    EXPECT_THAT(text, HasSubstr("list"));
}

TEST_F(SpellingCommandsTest, FailuresExitWithStatusTwo) {
    struct Case {
        std::string args;
        std::string message;
    };
    const Case cases[] = {
        {"pipe --data " + dir_.File("nowhere"),
         dir_.File("nowhere") + "/son.dic: No such file or directory (error -43)"},
        {"list --data " + dir_.File("nowhere"), "(error -43)"},
        {"pipe --frobnicate", "unknown option '--frobnicate'"},
        {"pipe --data", "--data needs a value"},
        {"pipe --data " + data_ + " text.txt", "unexpected argument"},
        {"list --data " + data_ + " " + dir_.File("absent.txt"),
         "tarnik list: " + dir_.File("absent.txt") + ": No such file or directory"},
        {"pipe -d en_US --data " + data_, "Tarnik checks Polish: name it among the dictionaries"},
        {"pipe -i koi8-r --data " + data_, "unknown encoding 'koi8-r'"},
        {"-x", "tarnik check: no file given"},  // options alone: the check of no file
        {"-Z", "tarnik check: unknown option '-Z'"},
        {"lsit", "unknown command 'lsit'"},
    };
    for (const Case& c : cases) {
        Result result = Run(c.args, "kot\n");
        EXPECT_EQ(result.status, 2) << c.args;
        EXPECT_THAT(result.errors, HasSubstr(c.message)) << c.args;
    }
}

TEST_F(SpellingCommandsTest, UnreadableUserDictionaryIsReportedAndKept) {
    std::string user = dir_.File("user.dic");
    testing::WriteFile(user, {0, 0, 0, 0});  // a list of no bytes
    Result result = Run("pipe --data " + data_ + " --user " + user, "kot\n");
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.errors,
                HasSubstr(user + ": its word list is damaged; it is left as it is (error 3)"));
    EXPECT_EQ(testing::ReadFile(user), (tools::Bytes{0, 0, 0, 0}));
}

TEST_F(SpellingCommandsTest, AReadOnlyUserDictionaryIsUsedAndOnlyAddingFails) {
    std::string user = dir_.File("user.dic");
    ASSERT_EQ(UserDictCreate(user), 0);
    UserDictionary* record = nullptr;
    ASSERT_EQ(UserDictOpen(user, record), 0);
    ASSERT_EQ(UserDictAddWord(record, "kotx"), 0);
    UserDictClose(record);
    ::chmod(user.c_str(), 0444);
    tools::Bytes before = testing::ReadFile(user);

    Result list = Run("list --data " + data_ + " --user " + user, "kotx qqq\n");
    EXPECT_EQ(list.status, 0) << list.errors;
    EXPECT_THAT(list.lines, ElementsAre("qqq"));

    Result pipe = Run("pipe --data " + data_ + " --user " + user, "*pies\nkotx\n");
    EXPECT_EQ(pipe.status, 2) << pipe.errors;  // the run answers to its end, then fails
    EXPECT_THAT(pipe.errors, HasSubstr("'pies' was not added to " + user));
    EXPECT_THAT(pipe.errors, HasSubstr("Permission denied"));
    EXPECT_THAT(pipe.errors, HasSubstr("words were not saved into " + user));
    EXPECT_THAT(pipe.lines, ElementsAre(StartsWith("@(#)"), "*", ""));  // kotx still passes

    EXPECT_EQ(testing::ReadFile(user), before);
    struct stat status;
    ASSERT_EQ(::stat(user.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0444u);  // never made writable behind the user's back
}

// On a full disk (a file-size limit, its signal ignored) every way of adding
// a word to the user dictionary fails with the save's reason and status 2,
// and the file keeps its words.
TEST_F(SpellingCommandsTest, AFailedSaveOfTheUserDictionaryIsReportedAndFails) {
    std::string user = dir_.File("user.dic");
    ASSERT_EQ(UserDictCreate(user), 0);
    UserDictionary* record = nullptr;
    ASSERT_EQ(UserDictOpen(user, record), 0);
    std::vector<std::string> words;
    for (int i = 0; i < 2000; ++i) {
        std::string word = "kotx";
        for (int n = i; n > 0; n /= 20)
            word.push_back(static_cast<char>('a' + n % 20));
        words.push_back(word);
    }
    ASSERT_EQ(UserDictAddWords(record, words), 0);
    UserDictClose(record);
    tools::Bytes before = testing::ReadFile(user);
    ASSERT_GT(before.size(), 2048u);
    const std::string fullDisk = "trap '' XFSZ; ulimit -f 2; ";
    for (const char* line : {"*pies\n", "&Pies\n"}) {
        std::ofstream(dir_.File("in.txt"), std::ios::binary) << line << "kotx\n";
        Result pipe =
            RunOn("pipe --data " + data_ + " --user " + user, dir_.File("in.txt"), fullDisk);
        EXPECT_EQ(pipe.status, 2) << line << pipe.errors;
        EXPECT_THAT(pipe.errors, HasSubstr("was not added to " + user)) << line;
        EXPECT_THAT(pipe.errors, HasSubstr("File too large")) << line;
        EXPECT_EQ(testing::ReadFile(user), before) << line;
    }
}

TEST_F(SpellingCommandsTest, ListPrintsEachMisspeltOccurrence) {
    std::string input = "kot kotx, Kotx kotx.\nżółw ma kota\n";
    Result result = Run("list --data " + data_, input);
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_THAT(result.lines, ElementsAre("kotx", "Kotx", "kotx", "żółw", "ma"));
    std::ofstream(dir_.File("a.txt")) << "qqq kot\n";
    std::ofstream(dir_.File("b.txt")) << "KOTX\n";
    result = Run(
        "list --skip-caps --data " + data_ + " " + dir_.File("a.txt") + " " + dir_.File("b.txt"),
        "");
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_THAT(result.lines, ElementsAre("qqq"));
}

TEST_F(SpellingCommandsTest, StartUpOptionsOfEditorsAreAccepted) {
    const std::string user = dir_.File("mine.dic");
    const std::string cases[] = {
        "-a -m -d polish -B",         // Emacs, with an ispell dictionary entry
        "-a -m -d pl_PL -p " + user,  // and with a personal dictionary
        "-a -C -i utf-8 -S -P",
        "-d pl --encoding=utf-8 -a",  // options before the mode, as scripts write them
        "-a -dpolski -w '&' -W 3 -T tex -x -b --check-apostrophe",
        "pipe -o -d pl-PL.UTF-8",
    };
    for (const std::string& args : cases) {
        Result result = Run(args + " --data " + data_, "kotx\n");
        EXPECT_EQ(result.status, 0) << args << ": " << result.errors;
        EXPECT_THAT(result.lines,
                    ElementsAre(StartsWith("@(#) International Ispell Version 3.2.06 (but "
                                           "really Tarnik "),
                                "& kotx 3 0: kot, kota, koty", ""))
            << args;
    }
    for (const char* args : {"-vv", "-v", "-a -vv", "pipe -v", "-l -v"}) {
        Result result = Run(args, "");
        EXPECT_EQ(result.status, 0) << args;
        EXPECT_THAT(result.lines, ElementsAre(StartsWith("@(#) International Ispell Version")))
            << args;
    }
    Result version = Run("--version", "");
    EXPECT_EQ(version.status, 0);
    EXPECT_THAT(version.lines, ElementsAre(StartsWith("tarnik 11.")));
}

TEST_F(SpellingCommandsTest, PipeAnswersExactlyOneBlockPerLineOfText) {
    // As Emacs drives it: terse mode, parsing mode, then each line escaped.
    EXPECT_THAT(Pipe("!\n-\n^kotx kot\n+\n^\\cite{kotx} kotx $kotx$\n-\n~tex\n"
                     "^kotx\n%\n`\n^kot\n+tex\n+nroff\n^.B kotx\n\n"),
                ElementsAre("& kotx 3 1: kot, kota, koty", "",   //
                            "& kotx 3 13: kot, kota, koty", "",  // TeX
                            "& kotx 3 1: kot, kota, koty", "",   // plain text again
                            "* kot", "",                         // verbose correction
                            "& kotx 3 4: kot, kota, koty", "",   // nroff
                            ""));                                // an empty line
}

TEST_F(SpellingCommandsTest, MarkupAndAddressesAreSkippedWithOffsetsRight) {
    EXPECT_THAT(Pipe("\\emph{kotx} $kotx$ kotx % kotx\n", "-t"),
                ElementsAre("& kotx 3 6: kot, kota, koty", "& kotx 3 19: kot, kota, koty", ""));
    EXPECT_THAT(Pipe("<b title=\"kotx\">żółw</b> &amp; <code>kotx</code>\n", "-H"),
                ElementsAre("& kotx 3 10: kot, kota, koty", "# żółw 16", ""));
    EXPECT_THAT(Pipe(".SH kotx\n\\fBkot\\fP\n", "-n"),
                ElementsAre("& kotx 3 4: kot, kota, koty", "", "*", ""));
    EXPECT_THAT(Pipe("http://kotx.pl kotx@kotx.pl /kotx/kotx kotx\n"),
                ElementsAre("& kotx 3 39: kot, kota, koty", ""));
    EXPECT_THAT(Pipe("/kotx kotx\n", "--check-url"),
                ElementsAre("& kotx 3 1: kot, kota, koty", "& kotx 3 6: kot, kota, koty", ""));
}

TEST_F(SpellingCommandsTest, ListGivesLocations) {
    std::ofstream(dir_.File("a.tex")) << "kot kotx\n\n\\cite{qqq} żółw kot\n";
    Result result =
        Run("-l --locations -t --data " + data_ + " " + dir_.File("a.tex") + " -", "qqq\n");
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_THAT(result.lines, ElementsAre(dir_.File("a.tex") + ":1:5: kotx",
                                          dir_.File("a.tex") + ":3:12: żółw", "-:1:1: qqq"));
}

// A line of any length is read in pieces: a line eight times as long takes no
// more memory (it would take some 100 MB more if lines were held whole).
TEST_F(SpellingCommandsTest, ALongLineTakesBoundedMemory) {
    // Written piece by piece: a forked child starts with its parent's memory.
    auto write = [&](const std::string& name, int megabytes) {
        std::ofstream input(dir_.File(name), std::ios::binary);
        input << "!\n";
        std::string piece;
        while (piece.size() < (1u << 20))
            piece += "kot kotem ";
        for (int i = 0; i < megabytes; ++i)
            input << piece;
        input << "\n";
    };
    write("short.txt", 2);
    write("long.txt", 16);
    // Under AddressSanitizer, freed memory is held back for a while; not here.
    const char* asan = std::getenv("ASAN_OPTIONS");
    std::string options =
        std::string(asan ? asan : "") + (asan ? ":" : "") + "quarantine_size_mb=0";
    setenv("ASAN_OPTIONS", options.c_str(), 1);
    for (const char* command : {"pipe", "list"}) {
        long peak[2] = {0, 0};
        int i = 0;
        for (const char* input : {"short.txt", "long.txt"}) {
            Result result = RunOn(std::string(command) + " --data " + data_, dir_.File(input));
            EXPECT_EQ(result.status, 0) << command << ": " << result.errors;
            rusage usage{};
            ASSERT_EQ(getrusage(RUSAGE_CHILDREN, &usage), 0);
            peak[i++] = usage.ru_maxrss;  // kilobytes, the largest child so far
        }
        EXPECT_LT(peak[1] - peak[0], 8 * 1024) << command;
    }
}

TEST_F(SpellingCommandsTest, DictManagesTheUserDictionaryAsAWordList) {
    const std::string user = "--data " + data_;  // user.dic beside son.dic, as pipe uses it
    Result added = Run("dict " + user + " add Kowalski e-mail abc1 żółw", "");
    EXPECT_EQ(added.status, 1);  // one word refused, the others stored
    EXPECT_THAT(added.errors, HasSubstr("'abc1' not added: only letters and the hyphen"));
    std::ofstream(dir_.File("words.txt"), std::ios::binary)
        << "Nowak/XY\n*zly\n\n  Zofia \nfoo!\nμ\nKowalski\n"
        << std::string(3000, 'a') << "\n";
    Result imported = Run("dict " + user + " import " + dir_.File("words.txt"), "");
    EXPECT_EQ(imported.status, 1);
    EXPECT_THAT(imported.lines, ElementsAre("Imported 2 new words into " + data_ +
                                            "/user.dic (1 already there, 4 lines skipped)"));
    const std::string name = dir_.File("words.txt");
    EXPECT_THAT(imported.errors, HasSubstr(name + ":2: skipped: a forbidden word"));
    EXPECT_THAT(imported.errors, HasSubstr(name + ":5: skipped: 'foo!'"));
    EXPECT_THAT(imported.errors, HasSubstr(name + ":6: skipped: 'μ'"));
    EXPECT_THAT(imported.errors, HasSubstr(name + ":8: skipped: the line is longer"));

    EXPECT_THAT(Run("dict " + user + " list", "").lines,
                ElementsAre("Kowalski", "Nowak", "Zofia", "e-mail", "żółw"));
    EXPECT_THAT(Pipe("Nowak Zofia nowak\n"), ElementsAre("*", "*", "& nowak 1 12: Nowak", ""));

    Result removed = Run("dict " + user + " remove Nowak Kot", "");
    EXPECT_EQ(removed.status, 1);
    EXPECT_THAT(removed.errors, HasSubstr("'Kot' is not in " + data_ + "/user.dic"));
    EXPECT_EQ(Run("dict " + user + " export " + dir_.File("out.txt"), "").status, 0);
    EXPECT_EQ(Slurp(dir_.File("out.txt")), "Kowalski\nZofia\ne-mail\nżółw\n");
    // The exported list imports back into an empty dictionary as it was.
    std::string copy = dir_.File("copy.dic");
    EXPECT_EQ(Run("dict --user " + copy + " import -", Slurp(dir_.File("out.txt"))).status, 0);
    EXPECT_EQ(Run("dict -p " + copy + " export", "").lines,
              (std::vector<std::string>{"Kowalski", "Zofia", "e-mail", "żółw"}));
}

TEST_F(SpellingCommandsTest, DictKeepsAFileItCannotRead) {
    std::string user = dir_.File("user.dic");
    testing::WriteFile(user, {0, 0, 0, 0});
    for (const char* action : {"list", "add kot"}) {
        Result result = Run(std::string("dict --user ") + user + " " + action, "");
        EXPECT_EQ(result.status, 2) << action;
        EXPECT_THAT(result.errors, HasSubstr("its word list is damaged")) << action;
    }
    EXPECT_EQ(testing::ReadFile(user), (tools::Bytes{0, 0, 0, 0}));
    // A hunspell personal dictionary named as the user dictionary is refused,
    // untouched (the pipe's -p reads it as the word list it is).
    std::string words = dir_.File("hunspell_pl");
    std::ofstream(words, std::ios::binary) << "Kowalski\nNowak\n";
    for (const std::string& args :
         {"dict --user " + words + " add Zofia", "-a --data " + data_ + " --user " + words}) {
        Result result = Run(args, "*Zofia\n");
        EXPECT_EQ(result.status, 2) << args;
        EXPECT_THAT(result.errors, HasSubstr("is a plain word list, not a Tarnik user dictionary"))
            << args;
    }
    EXPECT_EQ(Slurp(words), "Kowalski\nNowak\n");
    // A read-only dictionary takes no word: an import saves all its words or none.
    std::string locked = dir_.File("locked.dic");
    ASSERT_EQ(Run("dict --user " + locked + " add Kot", "").status, 0);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    Result imported = Run("dict --user " + locked + " import -", "Nowak\nZofia\n");
    EXPECT_EQ(imported.status, 2);
    EXPECT_THAT(imported.errors, HasSubstr("nothing was imported: "));
    Result added = Run("dict --user " + locked + " add Nowak", "");
    EXPECT_EQ(added.status, 2);
    EXPECT_THAT(added.errors, HasSubstr("'Nowak' was not saved: "));
    EXPECT_THAT(Run("dict --user " + locked + " list", "").lines, ElementsAre("Kot"));
    for (const char* args : {"dict", "dict frob", "dict import", "dict list x", "dict --user"}) {
        EXPECT_EQ(Run(args, "").status, 2) << args;
    }
}

}  // namespace
}  // namespace tarnik
