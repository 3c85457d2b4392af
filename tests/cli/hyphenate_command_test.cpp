// The built tarnik program: tarnik hyphenate on text files, and the hyphenation
// commands through the loaded module with tarnik run, as a user runs them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "charsets/utf8.h"
#include "host/document_file.h"
#include "host/memory_host.h"
#include "tests/support/one_box.h"
#include "tests/support/soft_hyphens.h"
#include "tests/support/tarnik_folder.h"

namespace {

namespace fs = std::filesystem;
using hyphtest::Soft;
using hyphtest::Tilde;

using clitest::Outcome;

class HyphenateCommand : public clitest::TarnikFolder {
  protected:
    void SetUp() override {
        TarnikFolder::SetUp();
        fs::create_directory(Path("data"));
        fs::copy_file(fs::path(TARNIK_SOURCE_DIR) / "data" / "PLHYPH.DAT", Path("data/PLHYPH.DAT"));
        fs::create_symlink(fs::path(TARNIK_BIN_DIR) / "XTensions" / "son.dic",
                           Path("data/son.dic"));
    }

    Outcome Tarnik(const std::string& arguments, const std::string& input = "") {
        return Run(arguments, input);
    }
    Outcome Hyphenate(const std::string& arguments, const std::string& input = "") {
        return Tarnik("hyphenate --data data " + arguments, input);
    }
};

TEST_F(HyphenateCommand, PutsSoftHyphensIntoText) {
    Outcome o = Hyphenate("", "Niebieski i biało-czerwony NATO.\nPrzedszkole XPress\n");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(Tilde(o.out), "Nie~bie~ski i bia~ło~-czer~wo~ny NATO.\nPrzed~szko~le XPress\n");
}

TEST_F(HyphenateCommand, RoundTripsByteForByte) {
    // A byte-order mark, CRLF and lone CR line ends, tabs, a character outside
    // the Basic Multilingual Plane inside a word, letters cp1250 lacks, the
    // control character U+001F (which shares the discretionary hyphen's code in
    // the plug-in), no final line end.
    const std::string text =
        "\xEF\xBB\xBF"
        "Zażółć gęślą jaźń.\r\nKonstantynopolitańczykowianeczka\tbiało-czerwony\r"
        "kot\xF0\x9F\x98\x80"
        "ek Straße Ελλάδα wszczepić 2015r A4-format — „cytat” Numer\x1F: Licz\x1Fnik";
    Write("in.txt", text);
    Outcome once = Hyphenate("in.txt -o once.txt");
    ASSERT_EQ(once.status, 0) << once.err;
    EXPECT_NE(Read("once.txt"), text);
    Outcome twice = Hyphenate("once.txt");
    EXPECT_EQ(twice.out, Read("once.txt"));
    Outcome back = Hyphenate("--remove once.txt");
    EXPECT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(back.out, text);
}

TEST_F(HyphenateCommand, EmptyInputGivesEmptyOutput) {
    Outcome o = Hyphenate("");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "");
}

TEST_F(HyphenateCommand, InPlaceReplacesTheFileWholeAndKeepsItsMode) {
    Write("story.txt", "niebieski\n");
    Write("story.txt.bak", "an older backup");
    ASSERT_EQ(chmod(Path("story.txt").c_str(), 0640), 0);
    Outcome o = Hyphenate("--in-place story.txt");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(Tilde(Read("story.txt")), "nie~bie~ski\n");
    // The older backup is kept; the replaced text takes the next free name.
    EXPECT_EQ(Read("story.txt.bak"), "an older backup");
    EXPECT_EQ(Read("story.txt.bak.1"), "niebieski\n");
    EXPECT_EQ(fs::status(Path("story.txt")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Files(), (std::vector<std::string>{".stderr", ".stdin", ".stdout", "data",
                                                 "story.txt", "story.txt.bak", "story.txt.bak.1"}));

    Write("other.txt", "kotek");
    o = Hyphenate("--in-place --no-backup other.txt");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(Tilde(Read("other.txt")), "ko~tek");
    EXPECT_FALSE(fs::exists(Path("other.txt.bak")));
}

TEST_F(HyphenateCommand, InPlaceWithoutAChangeWritesNothing) {
    // Already hyphenated, or nothing to hyphenate: no new file, no backup.
    for (const char* text : {"nie\u00adbie\u00adski\n", "NATO i PKP\n", ""}) {
        SCOPED_TRACE(text);
        Write("story.txt", text);
        auto before = fs::last_write_time(Path("story.txt"));
        Outcome o = Hyphenate("--in-place story.txt");
        EXPECT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(Read("story.txt"), text);
        EXPECT_EQ(fs::last_write_time(Path("story.txt")), before);
        EXPECT_FALSE(fs::exists(Path("story.txt.bak")));
    }
}

TEST_F(HyphenateCommand, TheHelpTellsHowBackupsAreKept) {
    Outcome o = Tarnik("hyphenate --help");
    EXPECT_EQ(o.out.find("older one replaced"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("FILE.bak.1"), std::string::npos) << o.out;
}

// tarnik hyph takes the words of a line as Hyphenate Box takes them: punctuation
// and a compound's hyphen are no part of a word, each word is hyphenated alone.
TEST_F(HyphenateCommand, HyphHyphenatesEachWordOfALine) {
    const struct {
        const char* line;
        const char* hyphenated;
    } cases[] = {
        {"kotek-piesek", "ko-tek--pie-sek"},  // the break before the hyphen too
        {"(przedszkole)", "(przed-szko-le)"},    {"\"rozumieć\"", "\"ro-zu-mieć\""},
        {"Ala ma kota", "Ala ma ko-ta"},         {"kotek ", "ko-tek "},
        {"biało–czerwony", "bia-ło–czer-wo-ny"},
    };
    std::string input;
    std::string expected;
    for (const auto& c : cases) {
        input += std::string(c.line) + "\n";
        expected += std::string(c.hyphenated) + "\n";
    }
    Outcome o = Tarnik("hyph --data data --file -", input);
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, expected);
    o = Tarnik("hyph --data data kotek-piesek '(przedszkole)'");
    EXPECT_EQ(o.out, "ko-tek--pie-sek\n(przed-szko-le)\n");
}

// An exception is stored as written or refused with the reason.
TEST_F(HyphenateCommand, HyphAddRefusesWhatCannotBeStoredAsWritten) {
    const struct {
        const char* word;
        const char* reason;
    } cases[] = {
        {"'ko tek'", "write only the word's letters"},
        {"Москва", "Windows-1250 lacks"},
        {"-kotek-", "between two letters"},
        {"ko--tek", "between two letters"},
        {"ko-tek2", "write only the word's letters"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        Outcome o = Tarnik(std::string("hyph --data data --add ") + c.word);
        EXPECT_EQ(o.status, 1);
        EXPECT_NE(o.err.find(c.reason), std::string::npos) << o.err;
    }
    Outcome o = Tarnik("hyph --data data --list");
    for (const char* stored : {"ko tek", "?", "\nkotek\n", "ko--tek"})
        EXPECT_EQ(("\n" + o.out).find(stored), std::string::npos) << stored << "\n" << o.out;
}

TEST_F(HyphenateCommand, AnOutputLinkIsFollowed) {
    Write("real.txt", "old");
    fs::create_symlink("real.txt", Path("link.txt"));
    Outcome o = Hyphenate("-o link.txt", "kotek");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_TRUE(fs::is_symlink(Path("link.txt")));
    EXPECT_EQ(Tilde(Read("real.txt")), "ko~tek");
}

TEST_F(HyphenateCommand, RefusesWhatItCannotDoAndWritesNothing) {
    Write("latin2.txt", "za\xBF\xF3\xB3\xE6");  // ISO 8859-2, not UTF-8
    Write("good.txt", "kotek");
    // Settings files are checked as typo checks them: unknown keys, bad values,
    // bytes that are no settings file.
    Write("misspelt.ini", "[1Dzielenie]\n4PominWersalki=0\n5PominXPress=tak\n");
    Write("binary.ini", std::string("[1Dzielenie]\n\x89\0\xFF\x01", 17));
    fs::create_directory(Path("empty"));
    fs::create_directory(Path("folder"));
    const struct {
        const char* arguments;
        int status;
        const char* message;
    } cases[] = {
        {"latin2.txt -o out.txt", 2, "latin2.txt: not UTF-8 text (bad byte at offset 2)"},
        {"missing.txt -o out.txt", 2, "missing.txt: No such file or directory"},
        {"folder -o out.txt", 2, "folder: Is a directory"},
        {"good.txt -o nowhere/out.txt", 2, "nowhere/out.txt: No such file or directory"},
        {"good.txt -o folder", 2, "cannot save folder: Is a directory"},
        {"--in-place", 2, "--in-place needs an input file"},
        {"good.txt --in-place -o out.txt", 2, "exclude each other"},
        {"good.txt --settings missing.ini -o out.txt", 2,
         "cannot read the settings file missing.ini"},
        {"good.txt --settings misspelt.ini -o out.txt", 2,
         "misspelt.ini:2: unknown key '4PominWersalki' in [1Dzielenie]\n"
         "misspelt.ini:3: bad value 'tak' for 5PominXPress (0 or 1)"},
        {"good.txt --settings binary.ini -o out.txt", 2,
         "binary.ini:2: not a settings file (a NUL byte)"},
        {"good.txt --colour", 2, "unknown option '--colour'"},
        {"good.txt --on capitals -o out.txt", 2, "unknown rule 'capitals'"},
        {"good.txt --off", 2, "--off needs a value"},
        {"good.txt good.txt", 2, "one input file at most"},
    };
    for (const auto& c : cases) {
        Outcome o = Hyphenate(c.arguments);
        EXPECT_EQ(o.status, c.status) << c.arguments << "\n" << o.err;
        EXPECT_NE(o.err.find(c.message), std::string::npos) << c.arguments << "\n" << o.err;
        EXPECT_EQ(o.out, "") << c.arguments;
        EXPECT_FALSE(fs::exists(Path("out.txt"))) << c.arguments;
        EXPECT_TRUE(fs::is_empty(Path("folder"))) << c.arguments;
    }
    EXPECT_EQ(Read("good.txt"), "kotek");
}

TEST_F(HyphenateCommand, TheSpellChecksMissingDictionaryIsNoConcern) {
    fs::create_directory(Path("hyphonly"));
    fs::copy_file(Path("data/PLHYPH.DAT"), Path("hyphonly/PLHYPH.DAT"));
    Outcome o = Tarnik("hyphenate --data hyphonly", "kotek");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(Tilde(o.out), "ko~tek");
}

TEST_F(HyphenateCommand, WithoutTheDataNothingPassesForHyphenated) {
    fs::create_directory(Path("nodata"));
    Outcome o = Tarnik("hyphenate --data nodata -o out.txt", "kotek");
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("Can't open hyphenation (probably file plhyph.dat is missing)"),
              std::string::npos)
        << o.err;
    EXPECT_FALSE(fs::exists(Path("out.txt")));
    Outcome removal = Tarnik("hyphenate --data nodata --remove", Soft("ko~tek"));
    EXPECT_EQ(removal.status, 0);
    EXPECT_EQ(removal.out, "kotek");
}

TEST_F(HyphenateCommand, UsesTheUsersExceptionsUnlessTold) {
    ASSERT_EQ(Tarnik("hyph --data data --add kot-ek").status, 0);
    EXPECT_EQ(Tilde(Hyphenate("", "kotek").out), "kot~ek");
    EXPECT_EQ(Tilde(Hyphenate("--no-user", "kotek").out), "ko~tek");
}

TEST_F(HyphenateCommand, OptionsAreLaidOverTheSettingsFile) {
    Write("my.ini", "[1Dzielenie]\n4PominWersaliki=0\n5PominXPress=0\n");
    const struct {
        const char* options;
        const char* hyphenated;
    } cases[] = {
        {"", "NATO iPhone \"War~sza~wa\""},
        {"--off skip-capitals,skip-mixed-case", "NA~TO iPho~ne \"War~sza~wa\""},
        {"--settings my.ini --on skip-capitals", "NATO iPho~ne \"War~sza~wa\""},
        {"--on typography-first", "NATO iPhone „War~sza~wa”"},
    };
    for (const auto& c : cases) {
        Outcome o = Hyphenate(c.options, "NATO iPhone \"Warszawa\"");
        EXPECT_EQ(o.status, 0) << c.options << "\n" << o.err;
        EXPECT_EQ(Tilde(o.out), c.hyphenated) << c.options;
    }
}

TEST_F(HyphenateCommand, ReadsASettingsFileWithoutWritingIt) {
    const std::string settings = "[1Dzielenie]\n4PominWersaliki=0\n";
    Write("my.ini", settings);
    Outcome o = Hyphenate("--settings my.ini", "NATO XPress");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(Tilde(o.out), "NA~TO XPress");
    EXPECT_EQ(Read("my.ini"), settings);
    EXPECT_FALSE(fs::exists(Path(".xdg/Tarnik/Tarnik11.ini")));
}

// The loaded module in a private XTensions folder, so that the settings and the
// exceptions it saves stay in the test's folder.
class RunCommand : public HyphenateCommand {
  protected:
    void SetUp() override {
        HyphenateCommand::SetUp();
        fs::create_directory(Path("XTensions"));
        fs::copy_file(fs::path(TARNIK_BIN_DIR) / "XTensions" / "Tarnik11.so",
                      Path("XTensions/Tarnik11.so"));
        fs::copy_file(Path("data/PLHYPH.DAT"), Path("XTensions/PLHYPH.DAT"));
        fs::create_symlink(fs::path(TARNIK_BIN_DIR) / "XTensions" / "son.dic",
                           Path("XTensions/son.dic"));
    }
    Outcome RunInModule(const std::string& arguments, const std::string& input = "") {
        return Tarnik("run doc.json --xtensions XTensions " + arguments, input);
    }
    // Story 0 of out.json, with '~' for soft hyphens and each character carrying
    // the no-break style followed by '^'.
    std::string Story() {
        tarnik::host::MemoryHost saved;
        std::string error;
        if (!tarnik::host::LoadDocumentFile(Path("out.json"), saved, error))
            return error;
        const tarnik::host::Story& story = saved.document->stories[0];
        std::string marked;
        for (int32_t p = 0; p < story.Length(); ++p) {
            marked += Tilde(tarnik::Utf16ToUtf8(std::u16string(1, story.UnitAt(p))));
            if (story.StyleAt(p) & XT_STYLE_NO_BREAK)
                marked += '^';
        }
        return marked;
    }
};

TEST_F(RunCommand, HyphenatesAndRemovesThroughTheModule) {
    Write("doc.json", tarnik::testing::OneBox(Soft("biało-czerwony")));
    Outcome o = RunInModule("--command 'Hyphenate Box' -o out.json");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(Story(), "bia~ło~-^czer~wo~ny");
    fs::rename(Path("out.json"), Path("doc.json"));
    o = RunInModule("--command 'Remove Hyphens From Box' -o out.json");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(Story(), "biało-czerwony");
}

TEST_F(RunCommand, ThePreferencesAndTheEditorFromAScript) {
    Write("doc.json", tarnik::testing::OneBox(Soft("kotek NATO")));
    Write("prefs.txt", "press 1015\npress 1019\ntype 1079 kot-ek\npress 1080\npress 1\npress 1\n");
    Outcome o =
        RunInModule("--command 'Hyphenation Preferences...' --dialogs prefs.txt -o out.json");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(Read("XTensions/Tarnik11.ini").find("4PominWersaliki=0"), std::string::npos);
    o = RunInModule("--command 'Hyphenate Box' -o out.json");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(Story(), "kot~ek NA~TO");
}

TEST_F(RunCommand, TheExceptionsEditorRefusesWhatCannotBeStoredAsTyped) {
    // Each refused word is told, and the list keeps only the word that could be.
    Write("doc.json", tarnik::testing::OneBox(Soft("kotek")));
    std::string script = "press 1019\n";
    for (const char* word : {"ko tek", "Москва", "-kotek-", "ko-tek"})
        script += std::string("type 1079 ") + word + "\npress 1080\n" +
                  (word[0] == 'k' && word[2] == '-' ? "" : "answer ok\n");
    script += "press 1\npress 1\n";
    Write("prefs.txt", script);
    Outcome o =
        RunInModule("--command 'Hyphenation Preferences...' --dialogs prefs.txt -o out.json");
    ASSERT_EQ(o.status, 0) << o.err;
    for (const char* reason :
         {"write only the word's letters", "Windows-1250 lacks", "between two letters"})
        EXPECT_NE(o.err.find(reason), std::string::npos) << reason << "\n" << o.err;
    o = Tarnik("hyph --data XTensions --list");
    EXPECT_NE(o.out.find("ko-tek\n"), std::string::npos) << o.out;
    for (const char* stored : {"ko tek", "?", "\nkotek\n"})
        EXPECT_EQ(("\n" + o.out).find(stored), std::string::npos) << stored << "\n" << o.out;
}

TEST_F(RunCommand, SuggestionsOfACompoundAsHyphenateBoxHyphenatesIt) {
    Write("doc.json", tarnik::testing::OneBox(Soft("kotek-piesek"), 2, 2));
    Outcome o = RunInModule("--command 'Suggest Hyphenation...' -o out.json", "press 1\n");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("[1041] text ko-tek--pie-sek"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("[1042] text ko-tek--pie-sek"), std::string::npos) << o.out;
}

TEST_F(RunCommand, SuggestionsAtTheTerminal) {
    Write("doc.json", tarnik::testing::OneBox(Soft("kotek"), 2, 2));
    Outcome o = RunInModule("--command 'Suggest Hyphenation...' -o out.json", "press 1\n");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("== Suggested Hyphenation =="), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("[1041] text ko-tek"), std::string::npos) << o.out;
}

TEST_F(RunCommand, TheDocumentWideRemovalAsksFirst) {
    Write("doc.json", tarnik::testing::OneBox(Soft("ko~tek")));
    Write("yes.txt", "answer yes\n");
    Outcome o =
        RunInModule("--command 'Remove hyphens from document' --dialogs yes.txt -o out.json");
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.err.find("Do you really want to remove all hyphenation points"), std::string::npos);
    EXPECT_EQ(Story(), "kotek");
}

}  // namespace
