// The tarnik hyph command, run as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/tarnik_folder.h"

namespace tarnik {
namespace {

using clitest::Outcome;

class HyphCommandTest : public clitest::TarnikFolder {
  protected:
    void SetUp() override {
        TarnikFolder::SetUp();
        std::filesystem::copy_file(TARNIK_SOURCE_DIR "/data/PLHYPH.DAT", Folder() / "PLHYPH.DAT");
    }

    // Runs `tarnik hyph` on the folder's data with `args` and `input`.
    Outcome Tarnik(const std::string& args, const std::string& input = "") {
        return Run("hyph --data " + Folder().string() + " " + args, input);
    }
};

TEST_F(HyphCommandTest, HyphenatesArgumentsAndLines) {
    Outcome run = Tarnik("--no-user konstantynopolitańczykowianeczka Przedszkole a1bc ab12cdef");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "kon-stan-ty-no-po-li-tań-czy-ko-wia-necz-ka\nPrzed-szko-le\na1bc\nab12cdef\n");
    EXPECT_FALSE(std::filesystem::exists(Folder() / "PLHYPH.USR"));

    run = Tarnik("", "niebieski\r\n\nŻÓŁTEGO\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "nie-bie-ski\n\nŻÓŁ-TE-GO\n");
    EXPECT_TRUE(std::filesystem::exists(Folder() / "PLHYPH.USR"));  // started from the seed
}

TEST_F(HyphCommandTest, HyphenatesTheLinesOfFiles) {
    Write("a.txt", "niebieski\nwszczepić");  // no line end at the end
    std::string a = (Folder() / "a.txt").string();
    Outcome run = Tarnik("--no-user --file " + a + " - " + a, "kotek\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "nie-bie-ski\nwszcze-pić\nko-tek\nnie-bie-ski\nwszcze-pić\n");
    // A line longer than any word is printed as it is, in bounded memory.
    std::string line(200000, 'a');
    run = Tarnik("--no-user -", line + "\nkotek\n");
    EXPECT_EQ(run.out, line + "\nko-tek\n");

    run = Tarnik("--file " + (Folder() / "absent.txt").string() + " " + a);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("absent.txt: No such file or directory"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "nie-bie-ski\nwszcze-pić\n");   // the other file is still read
    EXPECT_EQ(Tarnik("kotek --file " + a).status, 2);  // words or files, not both
}

TEST_F(HyphCommandTest, ManagesTheUserExceptions) {
    std::string user = "--user " + (Folder() / "mine.usr").string() + " ";
    EXPECT_EQ(Tarnik(user + "--add kot-ek").out, "Added: kot-ek\n");
    Outcome again = Tarnik(user + "--add ko-tek");
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("already listed"), std::string::npos) << again.err;
    EXPECT_EQ(Tarnik(user + "--add Źdź-bło").status, 0);
    EXPECT_EQ(Tarnik(user + "--list").out, "źdź-bło\nkot-ek\n");
    EXPECT_EQ(Tarnik(user + "kotek").out, "kot-ek\n");
    EXPECT_EQ(Tarnik(user + "--no-user kotek").out, "ko-tek\n");
    EXPECT_EQ(Tarnik(user + "--remove kotek").out, "Removed: kotek\n");
    Outcome missing = Tarnik(user + "--remove kotek");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("not listed"), std::string::npos) << missing.err;
    EXPECT_EQ(Tarnik(user + "--add " + std::string(252, 'k')).status, 1);
}

TEST_F(HyphCommandTest, ReportsBadUseAndMissingData) {
    std::filesystem::remove(Folder() / "PLHYPH.DAT");
    Outcome run = Tarnik("kotek");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("PLHYPH.DAT: No such file or directory (error -43)"), std::string::npos)
        << run.err;
    EXPECT_EQ(Tarnik("--frobnicate").status, 2);
    EXPECT_EQ(Tarnik("--add").status, 2);
    EXPECT_EQ(Tarnik("--list kotek").status, 2);
}

TEST_F(HyphCommandTest, ADamagedExceptionsFileIsReportedAndKept) {
    std::string user = "--user " + (Folder() / "mine.usr").string() + " ";
    const std::string damaged("\x32\0\0\0\x01", 5);
    Write("mine.usr", damaged);
    Outcome run = Tarnik(user + "kotek");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "ko-tek\n");
    EXPECT_NE(run.err.find("mine.usr.bak"), std::string::npos) << run.err;
    EXPECT_EQ(Read("mine.usr.bak"), damaged);
    EXPECT_EQ(Tarnik(user + "--list").status, 0);
}

}  // namespace
}  // namespace tarnik
