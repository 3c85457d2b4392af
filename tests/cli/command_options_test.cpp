// The option skeleton every tarnik command shares, run as a user runs it: the
// shared vocabulary wherever it applies, options after operands, the encodings
// of -i, and the one answer to input that is not text of its encoding.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/tarnik_folder.h"

namespace {

using clitest::Outcome;
using ::testing::HasSubstr;

struct Case {
    std::string args;
    std::string input;
    int status;
    std::string out;           // the whole of standard output
    std::string err = "";      // a part of standard error
    std::string file = "";     // a file the run writes,
    std::string written = "";  // and all it holds then
};

class CommandOptionsTest : public clitest::TarnikFolder {
  protected:
    void SetUp() override {
        clitest::TarnikFolder::SetUp();
        Write("in.txt", "Ala ma kotta.\n");
        Write("clean.txt", "Ala ma kota.\n");
        Write("words.txt", "kotek\n");
        Write("quotes.txt", "Rzekł \"tak\".\n");
        Write("-x.txt", "Rzekł \"tak\".\n");
        Write("answers.txt", "");
    }

    void Check(const Case& c) {
        Outcome o = Run(c.args, c.input);
        EXPECT_EQ(o.status, c.status) << c.args << "\n" << o.err;
        EXPECT_EQ(o.out, c.out) << c.args;
        EXPECT_THAT(o.err, HasSubstr(c.err)) << c.args;
        if (!c.file.empty()) {
            EXPECT_EQ(Read(c.file), c.written) << c.args;
        }
    }
};

TEST_F(CommandOptionsTest, EveryCommandTakesTheSharedOptionsInAnyPlace) {
    // A user exceptions file and a user dictionary of the test's own.
    ASSERT_EQ(Run("hyph --user mine.usr --add kot-ek").status, 0);
    ASSERT_EQ(Run("dict add Wąchock --user words.dic").status, 0);
    const std::string data = DataFolder();
    const Case cases[] = {
        {"check --data " + data + " --dialogs answers.txt clean.txt", "", 0, "",
         "clean.txt: no changes"},
        {"check clean.txt --dialogs answers.txt --xtensions " + data, "", 0, "",
         "clean.txt: no changes"},
        {"hyphenate --output=out.txt", "kotek\n", 0, "", "", "out.txt", "ko\u00ADtek\n"},
        {"hyphenate words.txt -o out2.txt", "", 0, "", "", "out2.txt", "ko\u00ADtek\n"},
        {"hyphenate --user mine.usr", "kotek\n", 0, "kot\u00ADek\n"},
        {"hyphenate --user absent.usr", "kotek\n", 2, "",
         "tarnik hyphenate: absent.usr: No such file or directory"},
        {"dict list --user words.dic", "", 0, "Wąchock\n"},
        {"dict list -p words.dic --data " + data, "", 0, "Wąchock\n"},
        {"hyph --file words.txt --user mine.usr --no-user", "", 0, "ko-tek\n"},
        {"hyph kotek --user mine.usr", "", 0, "kot-ek\n"},
        // An exceptions file that cannot be written is an error (2), not a refusal (1).
        {"hyph --user nowhere/mine.usr --add ko-tek", "", 2, "", "nowhere/mine.usr"},
        // The misspelt words are list's output: status 0, as Emacs's flyspell needs of -l.
        {"list in.txt --locations", "", 0, "in.txt:1:8: kotta\n"},
        {"typo quotes.txt --output out3.txt --data " + data, "", 0, "", "", "out3.txt",
         "Rzekł „tak”.\n"},
        {"-d pl -a -i utf-8", "kota\n", 0, Run("-vv").out + "*\n\n"},
        // Short options bundled as ispell's callers write them: -B and -t (TeX: \cite
        // holds no prose).
        {"-a -Bt", "\\cite{kotx} kota\n", 0, Run("-vv").out + "*\n\n"},
        // "--" ends the options: a file whose name starts with '-'.
        {"typo -- -x.txt", "", 0, "Rzekł „tak”.\n"},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(CommandOptionsTest, InputIsReadInTheEncodingGiven) {
    const Case cases[] = {
        // "książka kotx" in ISO-8859-2: read whole, not cut at the Polish letters.
        {"list -i ISO-8859-2", "ksi\xB1\xBFka kotx\n", 0, "kotx\n"},
        {"hyphenate --encoding latin2",
         "\xBF"
         "aba kr\xF3lowa\n",
         0, "ża\u00ADba kró\u00ADlo\u00ADwa\n"},
        {"hyph -i iso8859-2", "kr\xF3lowa\n", 0, "kró-lo-wa\n"},
        // Windows-1250 has „ ” and the dashes, which ISO-8859-2 lacks.
        {"typo --encoding=windows-1250", "Rzek\xB3 \x84tak\x94 \x96 nie\n", 0,
         "Rzekł „tak” –\u00A0nie\n"},
        {"dict --user new.dic import - -i cp1250",
         "W\xB9"
         "chock\n",
         0, "Imported 1 new word into new.dic (0 already there, 0 lines skipped)\n"},
        {"list -i koi8-r", "kot\n", 2, "", "tarnik list: unknown encoding 'koi8-r'"},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(CommandOptionsTest, BadInputIsRefusedAlikeByEveryTextCommand) {
    const std::string bad =
        "kot ab\xB1"
        "c\n";  // a Latin-2 byte in UTF-8 text
    Write("bad.txt", bad);
    const char* utf8 = "not UTF-8 text (bad byte at offset 6)";
    const Case cases[] = {
        {"list", bad, 2, "", std::string("tarnik list: standard input: ") + utf8},
        {"list bad.txt clean.txt", "", 2, "", std::string("tarnik list: bad.txt: ") + utf8},
        {"pipe", bad, 2, Run("-vv").out, std::string("tarnik pipe: standard input: ") + utf8},
        {"hyph --file bad.txt", "", 2, "", std::string("tarnik hyph: bad.txt: ") + utf8},
        {"dict --user new.dic import bad.txt", "", 2, "",
         std::string("tarnik dict: bad.txt: ") + utf8},
        {"hyphenate", bad, 2, "", std::string("tarnik hyphenate: standard input: ") + utf8},
        {"typo bad.txt", "", 2, "", std::string("tarnik typo: bad.txt: ") + utf8},
        {"check --dialogs answers.txt bad.txt", "", 2, "",
         std::string("tarnik check: bad.txt: ") + utf8, "bad.txt", bad},
        // Windows-1250 leaves five bytes undefined.
        {"list -i windows-1250", "ko\x98t\n", 2, "",
         "tarnik list: standard input: not Windows-1250 text (bad byte at offset 2)"},
    };
    for (const Case& c : cases)
        Check(c);
}

// A whole-file command never holds more than it can work on: a huge file (or
// endless input) is refused with a message and status 2, never an abort for
// want of memory.
TEST_F(CommandOptionsTest, EndlessInputIsRefusedNotHeldUntilMemoryRunsOut) {
    Write("big.txt", std::string((64 << 20) + 1, 'a'));
    const Case cases[] = {
        {"hyphenate big.txt", "", 2, "",
         "tarnik hyphenate: big.txt: a line too long to work on (more than 64 MiB); split it "
         "into shorter lines"},
        {"check --dialogs answers.txt big.txt", "", 2, "",
         "tarnik check: big.txt: a line too long to work on (more than 64 MiB)"},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(CommandOptionsTest, EveryCommandAnswersHelpAndVersion) {
    const std::string version = Run("--version").out;
    ASSERT_THAT(version, ::testing::StartsWith("tarnik "));
    for (const char* command :
         {"pipe", "list", "dict", "check", "hyph", "hyphenate", "typo", "menus", "run"}) {
        Outcome o = Run(std::string(command) + " --version");
        EXPECT_EQ(o.status, 0) << command << ": " << o.err;
        EXPECT_EQ(o.out, version) << command;
        o = Run(std::string(command) + " x --help");  // after an operand too
        EXPECT_EQ(o.status, 0) << command << ": " << o.err;
        EXPECT_THAT(o.out, HasSubstr(std::string("Usage: tarnik ") + command)) << command;
    }
}

TEST_F(CommandOptionsTest, UsageErrorsNameTheOption) {
    const Case cases[] = {
        {"typo --in-place=yes x.txt", "", 2, "", "tarnik typo: --in-place takes no value"},
        {"hyphenate -o", "", 2, "", "tarnik hyphenate: -o needs a value"},
        {"hyphenate --output", "", 2, "", "tarnik hyphenate: --output needs a value"},
        {"dict list --frobnicate", "", 2, "", "tarnik dict: unknown option '--frobnicate'"},
        {"list -q", "", 2, "", "tarnik list: unknown option '-q'"},
        {"hyph --list --add ko-tek", "", 2, "",
         "tarnik hyph: give only one of --add, --remove and --list"},
    };
    for (const Case& c : cases)
        Check(c);
}

// A damaged bundled file (here cut to half) is named on standard error: the
// main dictionary and the hyphenation data stop the command, the lists that
// only help go unused with a warning.
TEST_F(CommandOptionsTest, DamagedDataFilesAreNamed) {
    const Case cases[] = {
        {"son.dic", "list clean.txt", 2, ""},
        {"PLHYPH.DAT", "hyphenate clean.txt", 2, ""},
        {"mixedcase.dic", "list in.txt", 0, "kotta\n"},
        {"frequency.txt", "list in.txt", 0, "kotta\n"},
        {"replacements.txt", "list in.txt", 0, "kotta\n"},
    };
    for (const Case& c : cases) {
        // The data folder links to the build's files: the damaged copy replaces the link.
        std::string path = DataFolder() + "/" + c.args;
        std::ifstream in(TARNIK_SOURCE_DIR "/data/" + c.args, std::ios::binary);
        std::string whole(std::istreambuf_iterator<char>(in), {});
        ASSERT_FALSE(whole.empty()) << path;
        std::filesystem::remove(path);
        std::ofstream(path, std::ios::binary) << whole.substr(0, whole.size() / 2);
        Outcome o = Run(c.input);
        EXPECT_EQ(o.status, c.status) << c.args << "\n" << o.err;
        EXPECT_EQ(o.out, c.out) << c.args;
        EXPECT_THAT(o.err, HasSubstr("XTensions/" + c.args)) << c.args;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << whole;
    }
}

}  // namespace
