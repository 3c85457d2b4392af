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

#include "plugin_fixture.h"
#include "tests/support/private_tarnik.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class CommandLine : public ::testing::Test {
  protected:
    void TearDown() override {
        std::error_code error;
        fs::remove_all(folder_, error);
    }

    std::string Write(const std::string& name, const std::string& text) {
        std::string path = (fs::path(folder_) / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool Exists(const std::string& name) const { return fs::exists(fs::path(folder_) / name); }

    // Runs tarnik with `arguments` (shell words) and `input` on standard input.
    Outcome Tarnik(const std::string& arguments, const std::string& input = "") {
        std::string in = Write("stdin.txt", input);
        std::string out = (fs::path(folder_) / "stdout.txt").string();
        std::string err = (fs::path(folder_) / "stderr.txt").string();
        std::string command = "cd '" + folder_ + "' && XDG_DATA_HOME='" + folder_ + "' '" +
                              tarnik_ + "' " + arguments + " <'" + in + "' >'" + out + "' 2>'" +
                              err + "'";
        int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(out), Read(err)};
    }

    std::string folder_ = shelltest::TempFolder();
    std::string tarnik_ = testsupport::PrivateTarnik(folder_);
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
    Write("doc.json", shelltest::OneBox("kot", 0, 0, "content", "pl"));
    Write("about.txt", "# the About box\npress 1\n");
    Outcome o = Tarnik(
        "run doc.json --command 'Informacje o Tarniku...' --dialogs about.txt "
        "-o out.json");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    EXPECT_NE(Read((fs::path(folder_) / "out.json").string()).find("\"kot\""), std::string::npos);
}

TEST_F(CommandLine, RunOnATerminalShowsTheDialogAndReadsTheSteps) {
    Write("doc.json", shelltest::OneBox("kot"));
    Outcome o = Tarnik("run doc.json --command 'About Tarnik...'", "press 1\n");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("== O rozszerzeniu ==\n  [3] text Tarnik11 ("), std::string::npos)
        << o.out;
}

TEST_F(CommandLine, RunRefusesWhatItCannotDo) {
    Write("doc.json", shelltest::OneBox(""));
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
    fs::path xtensions = fs::path(folder_) / "XTensions";
    fs::create_directories(xtensions);
    fs::copy_file(fs::path(TARNIK_BIN_DIR) / "XTensions" / "Tarnik11.so",
                  xtensions / "Tarnik11.so");
    fs::copy_file(fs::path(TARNIK_BIN_DIR) / "XTensions" / "PLHYPH.DAT", xtensions / "PLHYPH.DAT");
    fs::create_symlink(fs::path(TARNIK_BIN_DIR) / "XTensions" / "son.dic", xtensions / "son.dic");
    fs::create_symlink(fs::path(folder_) / "nowhere" / "Tarnik11.ini", xtensions / "Tarnik11.ini");
    fs::create_directories(fs::path(folder_) / "Tarnik");
    Write("Tarnik/Tarnik11.ini", "[1Typografia]\n2Cudzyslow=0\n");
    Write("doc.json", shelltest::OneBox("kot"));
    Write("script.txt", "answer ok\npress 1\n");
    Outcome o = Tarnik(
        "run doc.json --command 'About Tarnik...' --dialogs script.txt "
        "--xtensions XTensions");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_NE(
        o.err.find(")-: Error: 1 Nie udała się próba przekopiowania poprzednich ustawień "
                   "rozszerzenia ('" +
                   folder_ + "/Tarnik/Tarnik11.ini', '" + xtensions.string() + "/Tarnik11.ini')."),
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
    Write("doc.json", shelltest::OneBox("kot"));
    const std::string userFile = folder_ + "/.tarnik/XTensions/user.dic";
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
    Write("doc.json", shelltest::OneBox("kot"));
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
        std::string piped = folder_ + "/piped.txt";
        std::string line = "cd '" + folder_ + "' && '" + tarnik_ + "' " + command +
                           " -o /dev/stdout a.txt | cat >'" + piped + "'";
        EXPECT_EQ(std::system(line.c_str()), 0) << command;
        EXPECT_NE(Read(piped).find("Ala ma"), std::string::npos) << command;
    }

    // Refused before anything is read: a FIFO with no writer would hold the
    // command for ever.
    ASSERT_EQ(::mkfifo((folder_ + "/fifo").c_str(), 0600), 0);
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
    for (const auto& entry : fs::recursive_directory_iterator(folder_))
        made.push_back(entry.path().string().substr(folder_.size() + 1));
    std::sort(made.begin(), made.end());
    EXPECT_EQ(made, (std::vector<std::string>{
                        ".tarnik", ".tarnik/XTensions", ".tarnik/XTensions/PLHYPH.DAT",
                        ".tarnik/XTensions/Tarnik11.so", ".tarnik/XTensions/son.dic",
                        ".tarnik/tarnik", "a.txt", "stderr.txt", "stdin.txt", "stdout.txt"}));
}

}  // namespace
