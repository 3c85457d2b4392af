// The spell-check commands through the loaded plug-in module, as a user runs
// them with tarnik run: from a dialog script and answered at the terminal.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "speller/user_dictionary.h"
#include "tests/support/one_box.h"
#include "tests/support/tarnik_folder.h"

namespace tarnik {
namespace {

namespace fs = std::filesystem;

class RunCommandTest : public clitest::TarnikFolder {
  protected:
    // Runs tarnik with `input` on standard input; standard output is returned,
    // standard error kept in Errors().
    std::string Tarnik(const std::string& args, const std::string& input, int& status) const {
        clitest::Outcome outcome = Run(args, input);
        status = outcome.status;
        return outcome.out;
    }
    std::string Errors() const { return Read(".stderr"); }
};

TEST_F(RunCommandTest, ScriptedCheckStoryChangesAddsAndSaves) {
    Write("doc.json", testing::OneBox("Wielkie wszystkoo i Krulik."));
    Write("script.txt", "type 1045 wszystko\npress 1048\npress 1051\nanswer ok\n");
    int status = -1;
    Tarnik("run doc.json --command 'Check Story...' --dialogs script.txt -o out.json", "", status);
    EXPECT_EQ(status, 0) << Errors();
    EXPECT_NE(Read("out.json").find("Wielkie wszystko i Krulik."), std::string::npos)
        << Read("out.json");
    EXPECT_NE(Errors().find("No more errors."), std::string::npos);
    UserDictionary* user = nullptr;
    // user.dic beside son.dic in the plug-in's (writable) folder.
    ASSERT_EQ(UserDictOpen(Path(".tarnik/XTensions/user.dic"), user), 0);
    EXPECT_EQ(UserDictContains(user, "Krulik"), 1);
    UserDictClose(user);
}

TEST_F(RunCommandTest, TheDialogIsAnsweredAtTheTerminal) {
    Write("doc.json", testing::OneBox("To jest zmija."));
    int status = -1;
    std::string out = Tarnik("run doc.json --command 'Check Document...' -o out.json",
                             "type 1045 żmija\npress 1049\nok\n", status);
    EXPECT_EQ(status, 0) << Errors();
    EXPECT_NE(out.find("== Check Spelling =="), std::string::npos) << out;
    EXPECT_NE(out.find("[1059] text zmija"), std::string::npos) << out;
    EXPECT_NE(Read("out.json").find("To jest żmija."), std::string::npos) << Read("out.json");
}

// A command that cannot save a file of its own on a full disk (no file may
// grow, the signal ignored) says why and ends the run with status 2.
TEST_F(RunCommandTest, AFailedSaveOfTheCommandFailsTheRun) {
    Write("doc.json", testing::OneBox("kotek"));
    int status = -1;
    // The exceptions file and the user dictionary are made first, with room.
    Tarnik("run doc.json --command 'Hyphenate Box' -o out.json", "", status);
    ASSERT_EQ(status, 0) << Errors();
    const struct {
        const char* command;
        const char* script;
        const char* told;
    } cases[] = {
        {"Hyphenation Preferences...", "press 1\nanswer ok\n", "Can't save the settings."},
        {"Hyphenation Preferences...",
         "press 1019\ntype 1079 kot-ek\npress 1080\nanswer ok\npress 1\npress 2\n",
         "Can't save the hyphenation exceptions file."},
        {"Dictionary Preferences...", "press 1\nanswer ok\n", "Can't save the settings."},
    };
    for (const auto& c : cases) {
        Write("script.txt", c.script);
        // The program alone under the limit of no file size; what it says, and
        // its status, come through a pipe, which the limit does not reach.
        std::string out =
            RunWrapped(
                "sh -c '( trap \"\" XFSZ; ulimit -f 0; \"$0\" \"$@\"; echo \"status $?\" ) 2>&1 | "
                "cat'",
                std::string("run doc.json --command '") + c.command +
                    "' --dialogs script.txt -o /dev/null")
                .out;
        EXPECT_NE(out.find(c.told), std::string::npos) << c.script << out;
        EXPECT_NE(out.find("File too large"), std::string::npos) << c.script << out;
        EXPECT_NE(out.find("the command could not save its changes"), std::string::npos)
            << c.script << out;
        EXPECT_NE(out.find("status 2\n"), std::string::npos) << c.script << out;
    }
}

}  // namespace
}  // namespace tarnik
