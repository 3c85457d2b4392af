// What editors and hunspell's users pass: -p naming a personal word list as
// hunspell keeps it, -d naming several languages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "services/personal_words.h"
#include "tarnik_folder.h"

namespace {

using clitest::Outcome;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(PersonalWords, LinesAreReadAsHunspellReadsThem) {
    struct Case {
        std::string text;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"", {}},
        {"Kowalski\nżółw\n", {"Kowalski", "żółw"}},
        {"Nowakowa/XY\nkot/pies\r\nlast", {"Nowakowa", "kot", "last"}},
        {"\n\n*zły\n  \n", {"  "}},
        {"a\\/b/F\n\\", {"a/b", "\\"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tarnik::services::PersonalWords(c.text), c.words) << c.text;
}

class EditorOptionsTest : public clitest::TarnikFolder {
  protected:
    // The pipe's answers to `input` after its version line.
    std::string Pipe(const std::string& options, const std::string& input) {
        Outcome o = Run("-a " + options, input);
        EXPECT_EQ(o.status, 0) << options << "\n" << o.err;
        return o.out.substr(o.out.find('\n') + 1);
    }
};

TEST_F(EditorOptionsTest, APersonalWordListIsReadAndAddedToAsHunspellKeepsIt) {
    // A list hunspell wrote, without a final line end.
    Write("hunspell_pl", "Kowalski\nTarnikowo/XY\n*Kotx");
    EXPECT_EQ(Pipe("-d pl_PL -p hunspell_pl",
                   "Kowalski Tarnikowo Kotx\n*Żabowo\nŻabowo\n&Mławka\nmławka\n*Kowalski\n"
                   "*abc1\nabc1\n"),
              "*\n*\n& Kotx 9 19: Kot, Kota, Kotą, Kotę, Koto, Kott, Kotu, Kotw, Koty\n\n"
              "*\n\n*\n\n*\n\n");
    // Appended after a line end of their own, once each; the rest kept byte for byte.
    EXPECT_EQ(Read("hunspell_pl"), "Kowalski\nTarnikowo/XY\n*Kotx\nŻabowo\nmławka\nabc1\n");
    // The next run reads them.
    EXPECT_EQ(Pipe("-p hunspell_pl", "Żabowo mławka abc1\n"), "*\n*\n*\n\n");

    // Missing, it is made with its folders; the words added are there at once.
    EXPECT_EQ(Pipe("-p new/folder/words", "*Tarnikowo\nTarnikowo\n"), "*\n\n");
    EXPECT_EQ(Read("new/folder/words"), "Tarnikowo\n");

    // One that cannot be made is told, and the check goes on; a word to be
    // added to it is told too, and the run ends with a failure.
    Write("file", "");
    Outcome o = Run("-a -p file/words", "kot\n*Tarnikowo\n");
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out.substr(o.out.find('\n') + 1), "*\n\n");
    EXPECT_THAT(o.err,
                HasSubstr("file/words: Not a directory; the check goes on without its words"));
    EXPECT_THAT(o.err, HasSubstr("'Tarnikowo' was not added to file/words"));

    // A Tarnik user dictionary named with -p is used as one, as before.
    ASSERT_EQ(Run("dict --user mine.dic add Zofia").status, 0);
    EXPECT_EQ(Pipe("-p mine.dic", "*Kowalsky\nZofia Kowalsky\n"), "*\n*\n\n");
    EXPECT_EQ(Run("dict --user mine.dic list").out, "Kowalsky\nZofia\n");
}

TEST_F(EditorOptionsTest, ProgramsAddingAtOnceLoseNoWord) {
    constexpr int kPrograms = 4;
    constexpr int kWords = 15;
    for (int p = 0; p < kPrograms; ++p) {
        std::string input;
        for (int w = 0; w < kWords; ++w) {
            input += "*słowo";
            input += {char('a' + p), char('a' + w), '\n'};
        }
        Write("in" + std::to_string(p), input);
    }
    // The programs run side by side.
    std::string script =
        "cd '" + Path("") +
        "' && for p in 0 1 2 3; do .tarnik/tarnik -a -p shared <in$p >/dev/null & done; wait";
    ASSERT_EQ(std::system(script.c_str()), 0);
    std::vector<std::string> words = tarnik::services::PersonalWords(Read("shared"));
    EXPECT_EQ(words.size(), size_t(kPrograms * kWords));
}

TEST_F(EditorOptionsTest, OtherLanguagesAcceptTheirWordsAndSuggestAfterTarnik) {
    if (!std::filesystem::exists("/usr/share/hunspell/en_US.dic"))
        GTEST_SKIP() << "Debian's hunspell-en-us is not installed";
    const std::string text = "Ala ma computer i kotta.\n";
    std::string polish = Pipe("-d pl", text);
    std::string mixed = Pipe("-d pl_PL,en_US", text);
    EXPECT_THAT(polish, HasSubstr("& computer "));
    EXPECT_EQ(mixed.substr(0, 8), "*\n*\n*\n*\n") << mixed;
    // kotta: Tarnik's suggestions first, in their order, then English ones.
    std::string tarnikOnes = polish.substr(polish.find(": ", polish.find("& kotta")) + 2);
    tarnikOnes = tarnikOnes.substr(0, tarnikOnes.find('\n'));
    std::string mixedOnes = mixed.substr(mixed.find(": ", mixed.find("& kotta")) + 2);
    EXPECT_EQ(mixedOnes.substr(0, tarnikOnes.size()), tarnikOnes);
    EXPECT_GT(mixedOnes.find('\n'), tarnikOnes.size());
    EXPECT_EQ(Pipe("-d pl,en", text), mixed) << "en is en_US when that is the one installed";

    // A missing language is named; the others still work.
    Outcome o = Run("-l -d pl_PL,xx_YY,en_US", text);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "kotta\n");
    EXPECT_THAT(o.err, HasSubstr("no hunspell dictionary 'xx_YY' was found in "));
    EXPECT_EQ(Run("-l -d en_US", text).status, 2) << "Polish is Tarnik's, and is needed";
}

// hunspell's listing modes, and tarnik FILE as hunspell FILE.
TEST_F(EditorOptionsTest, HunspellsModesAndFilesWithoutACommand) {
    Write("t.txt", "Ala ma kotta.\nDobre zdanie.\nZły tekts tu.\n");
    Write("clean.txt", "Ala ma kota.\n");
    const std::string words = "kot\n\n qxz \nkotta\n";
    struct Case {
        std::string args;
        std::string input;
        int status;
        std::string out;
        std::string err = "";
    };
    const Case cases[] = {
        {"-L t.txt", "", 0, "Ala ma kotta.\nZły tekts tu.\n"},
        {"list -L t.txt", "", 0, "Ala ma kotta.\nZły tekts tu.\n"},
        {"-L -G t.txt", "", 0, "Dobre zdanie.\n"},
        {"-G t.txt", "", 0, "Ala\nma\nDobre\nzdanie\nZły\ntu\n"},
        {"-u t.txt", "", 0, "Line 1: kotta -> kota\nLine 3: tekts -> tekst\n"},
        {"-w", words, 0, " qxz \nkotta\n"},
        {"-w -G", words, 0, "kot\n"},
        // Files, and options first: the interactive check, which needs a terminal here.
        {"t.txt", "", 2, "", "tarnik check: standard input is not a terminal"},
        {"-d pl_PL -x -p words t.txt", "", 2, "", "tarnik check: standard input is not a terminal"},
        // check checks Polish alone, and says so of the other languages named.
        {"check -d pl,en_US --dialogs /dev/null clean.txt", "", 0, "",
         "the dictionary 'en_US' is not used: tarnik check checks Polish alone"},
        {"nosuch.txt", "", 2, "",
         "unknown command 'nosuch.txt', and there is no file of that name"},
    };
    for (const Case& c : cases) {
        Outcome o = Run(c.args, c.input);
        EXPECT_EQ(o.status, c.status) << c.args << "\n" << o.err;
        EXPECT_EQ(o.out, c.out) << c.args;
        EXPECT_THAT(o.err, HasSubstr(c.err)) << c.args;
    }
}

}  // namespace
