// The built tarnik program with the built module: tarnik menus and tarnik run,
// as a user runs them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/support/one_box.h"
#include "tests/support/tarnik_folder.h"

namespace {

namespace fs = std::filesystem;

using clitest::Outcome;

class CommandLine : public clitest::TarnikFolder {
  protected:
    bool Exists(const std::string& name) const { return fs::exists(Path(name)); }

    // Runs tarnik with `arguments` (shell words) and `input` on standard input.
    Outcome Tarnik(const std::string& arguments, const std::string& input = "") {
        return Run(arguments, input);
    }
};

const char kGroupDocument[] =
    R"({"spreads": [{"items": [{"id": "g", "type": "group", "items": [{"id": "p", "type": "picture"}]}]}], "current": "g"})";

TEST_F(CommandLine, MenusPrintsTheMenusForTheCurrentBox) {
    Write("group.json", kGroupDocument);
    Outcome o = Tarnik("menus group.json");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out,
              "Polish Hyphenation\n"
              "  + Hyphenate Boxes\n"
              "  + Remove Hyphens From Boxes\n"
              "  - Suggest Hyphenation...\n"
              "  + Remove hyphens from document\n"
              "  ----\n"
              "  + Hyphenation Preferences...\n"
              "  + About Tarnik...\n"
              "Polish Spell Checker\n"
              "  - Check Word...\n"
              "  - Check Story...\n"
              "  + Check Document...\n"
              "  ----\n"
              "  + Dictionary Preferences...\n"
              "  + About Tarnik...\n"
              "Typography\n"
              "  + Typography In Boxes\n"
              "  ----\n"
              "  + Typography Preferences...\n"
              "  + About Tarnik...\n");
}

TEST_F(CommandLine, RunAnswersTheAboutBoxFromTheScriptAndSavesTheDocument) {
    Write("doc.json", tarnik::testing::OneBox("kot", 0, 0, "pl"));
    Write("about.txt", "# the About box\npress 1\n");
    Outcome o = Tarnik(
        "run doc.json --command 'Informacje o Tarniku...' --dialogs about.txt "
        "-o out.json");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    EXPECT_NE(Read("out.json").find("\"kot\""), std::string::npos);
}

TEST_F(CommandLine, RunOnATerminalShowsTheDialogAndReadsTheSteps) {
    Write("doc.json", tarnik::testing::OneBox("kot"));
    Outcome o = Tarnik("run doc.json --command 'About Tarnik...'", "press 1\n");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("== O rozszerzeniu ==\n  [3] text Tarnik11 ("), std::string::npos)
        << o.out;
}

TEST_F(CommandLine, RunRefusesWhatItCannotDo) {
    Write("doc.json", tarnik::testing::OneBox(""));
    Write("short.txt", "");
    Write("long.txt", "press 1\npress 1\n");
    Write("bad.txt", "press 1\nclick 2\n");
    struct Case {
        const char* arguments;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"run doc.json --command 'Spell Everything'", 2, "no menu item \"Spell Everything\""},
        {"run doc.json --command 'Check Story...'", 1, "is disabled"},
        {"run doc.json --command 'About Tarnik...' --dialogs short.txt -o out.json", 1,
         "no action left in the script"},
        {"run doc.json --command 'About Tarnik...' --dialogs long.txt -o out.json", 1, "left over"},
        {"run doc.json --command 'About Tarnik...' --dialogs bad.txt", 2,
         "bad.txt: line 2: unknown step 'click'"},
        {"run doc.json --command 'About Tarnik...' --xtensions nowhere", 2, "cannot load"},
        {"run missing.json --command 'About Tarnik...'", 2, "missing.json"},
        {"run doc.json", 2, "no --command given"},
        {"menus", 2, "no document given"},
    };
    for (const Case& c : cases) {
        Outcome o = Tarnik(c.arguments);
        EXPECT_EQ(o.status, c.status) << c.arguments << "\n" << o.err;
        EXPECT_NE(o.err.find(c.message), std::string::npos) << c.arguments << "\n" << o.err;
        EXPECT_FALSE(Exists("out.json")) << c.arguments;
    }
}

// The user's settings cannot be carried into a writable XTensions folder (the
// XTensions copy is a link into a folder that does not exist): the plug-in tells
// the user once the host can show a message, and keeps to the user copy.
TEST_F(CommandLine, AFailedCopyOfTheSettingsIsReportedAtStart) {
    fs::path xtensions = Folder() / "XTensions";
    fs::create_directories(xtensions);
    fs::copy_file(fs::path(TARNIK_BIN_DIR) / "XTensions" / "Tarnik11.so",
                  xtensions / "Tarnik11.so");
    fs::copy_file(fs::path(TARNIK_BIN_DIR) / "XTensions" / "PLHYPH.DAT", xtensions / "PLHYPH.DAT");
    fs::create_symlink(fs::path(TARNIK_BIN_DIR) / "XTensions" / "son.dic", xtensions / "son.dic");
    fs::create_symlink(Folder() / "nowhere" / "Tarnik11.ini", xtensions / "Tarnik11.ini");
    fs::create_directories(Path(".xdg/Tarnik"));
    Write(".xdg/Tarnik/Tarnik11.ini", "[1Typografia]\n2Cudzyslow=0\n");
    Write("doc.json", tarnik::testing::OneBox("kot"));
    Write("script.txt", "answer ok\npress 1\n");
    Outcome o = Tarnik(
        "run doc.json --command 'About Tarnik...' --dialogs script.txt "
        "--xtensions XTensions");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.err.find(")-: Error: 1 Nie udała się próba przekopiowania poprzednich ustawień "
                         "rozszerzenia ('" +
                         Path(".xdg/Tarnik/Tarnik11.ini") + "', '" + xtensions.string() +
                         "/Tarnik11.ini')."),
              std::string::npos)
        << o.err;
}

// A user dictionary that is no longer what it claims to be (its stated length
// zeroed, cut to a few bytes, all zeros) may still hold the user's words: even a
// command that never edits it keeps it aside and says so before starting anew.
TEST_F(CommandLine, ADamagedUserDictionaryIsKeptAsideWithAMessage) {
    const std::string damaged[] = {
        std::string("\0\0\0\0\0kot\1\0\0", 11),
        std::string("\x02", 1),
        std::string(300, '\0'),
    };
    Write("doc.json", tarnik::testing::OneBox("kot"));
    const std::string userFile = Path(".tarnik/XTensions/user.dic");
    for (const std::string& bytes : damaged) {
        std::error_code ignored;
        fs::remove(userFile + ".bak", ignored);
        std::ofstream(userFile, std::ios::binary) << bytes;
        Outcome o = Tarnik("menus doc.json");
        EXPECT_EQ(o.status, 0) << o.err;
        EXPECT_EQ(Read(userFile + ".bak"), bytes);
        EXPECT_NE(
            o.err.find("The user dictionary was damaged. It has been kept as " + userFile + ".bak"),
            std::string::npos)
            << o.err;
    }
}

// Output to a device, a pipe or a terminal is written into it: no command ever
// replaces one by a file of its own, and an in-place edit refuses anything but
// a regular file.
TEST_F(CommandLine, OutputIntoADeviceOrAPipeIsWrittenIntoIt) {
    Write("a.txt", "Ala ma \"kota\".\n");
    Write("doc.json", tarnik::testing::OneBox("kot"));
    Write("script.txt", "press 1\n");
    const char* toNull[] = {
        "typo -o /dev/null a.txt",
        "hyphenate -o /dev/null a.txt",
        "run doc.json --command 'About Tarnik...' --dialogs script.txt -o /dev/null",
    };
    for (const char* arguments : toNull) {
        Outcome o = Tarnik(arguments);
        EXPECT_EQ(o.status, 0) << arguments << "\n" << o.err;
        struct stat status;
        ASSERT_EQ(::stat("/dev/null", &status), 0);
        ASSERT_TRUE(S_ISCHR(status.st_mode)) << arguments;
    }

    for (const char* command : {"typo", "hyphenate"}) {
        std::string piped = Path("piped.txt");
        std::string line = "cd '" + Folder().string() + "' && '" + Program() + "' " + command +
                           " -o /dev/stdout a.txt | cat >'" + piped + "'";
        EXPECT_EQ(std::system(line.c_str()), 0) << command;
        EXPECT_NE(Read(piped).find("Ala ma"), std::string::npos) << command;
    }

    // Refused before anything is read: a FIFO with no writer would hold the
    // command for ever.
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    for (const char* arguments :
         {"typo --in-place /dev/null", "hyphenate --in-place /dev/null", "typo --in-place fifo",
          "hyphenate --in-place fifo", "check --dialogs script.txt fifo"}) {
        Outcome inPlace = Tarnik(arguments);
        EXPECT_EQ(inPlace.status, 2) << arguments << "\n" << inPlace.err;
        EXPECT_NE(inPlace.err.find(": it is not a regular file"), std::string::npos)
            << arguments << "\n"
            << inPlace.err;
    }
}

// A command writes only the files it owns: a typography run starts neither
// the spell check nor the hyphenation, so it makes no user dictionary, no
// exceptions file and no lock; no run writes settings.
TEST_F(CommandLine, ACommandLeavesNoFileItDoesNotOwn) {
    Write("a.txt", "Ala ma \"kota\" -- i psa.\n");
    Outcome typo = Tarnik("typo a.txt");
    EXPECT_EQ(typo.status, 0) << typo.err;
    EXPECT_NE(typo.out.find("„kota”"), std::string::npos) << typo.out;
    std::vector<std::string> made;
    for (const auto& entry : fs::recursive_directory_iterator(Folder()))
        made.push_back(entry.path().lexically_relative(Folder()).string());
    std::sort(made.begin(), made.end());
    EXPECT_EQ(made, (std::vector<std::string>{
                        ".stderr", ".stdin", ".stdout", ".tarnik", ".tarnik/XTensions",
                        ".tarnik/XTensions/PLHYPH.DAT", ".tarnik/XTensions/Tarnik11.so",
                        ".tarnik/XTensions/son.dic", ".tarnik/tarnik", "a.txt"}));
}

}  // namespace
