// The tarnik typo command, run as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/tarnik_folder.h"
#include "typo_document.h"
#include "typography/run_typography.h"
#include "typography/typography_state.h"

namespace tarnik {
namespace {

using Result = clitest::Outcome;

class TypoCommandTest : public clitest::TarnikFolder {
  protected:
    std::string File(const std::string& name, const std::string& text) { return Write(name, text); }

    // Runs `tarnik typo ARGS` with `input` on standard input, standard error
    // into Errors().
    Result Typo(const std::string& args, const std::string& input = "") {
        return Tarnik("typo " + args, input);
    }
    Result Tarnik(const std::string& args, const std::string& input = "") {
        return Run(args, input);
    }
    std::string Errors() { return Read(".stderr"); }
};

TEST_F(TypoCommandTest, CorrectsTextAndWritesBoundSpacesAsNoBreakSpaces) {
    Result r = Typo(File("in.txt", "Rzekł \"tak\" - w domu , 5 kg\r\nkoniec.\n"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Rzekł „tak” –\u00A0w\u00A0domu,\u00A05\u00A0kg\r\nkoniec.\n");
    EXPECT_EQ(Errors(), "");
}

TEST_F(TypoCommandTest, ReadsTheSettingsFileAndStandardInput) {
    std::string settings =
        File("s.ini", "[1Typografia]\n23ZgadnijCudzyslow=1\n24CudzyslowSpacja=1\n9Pauza=0\n");
    Result r = Typo("--settings " + settings, "powiedz \" tak\" - a");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "powiedz „tak” —\u00A0a");
}

TEST_F(TypoCommandTest, StopAtQuoteWritesTheRestAsItStands) {
    std::string in = File("in.txt", "b  c\nd \" e  f\n\"g\"  h");
    Result r = Typo("--stop-at-quote " + in);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "b c\nd \" e  f\n\"g\"  h");
    EXPECT_EQ(Errors(), in + ":2:3: Quotation mark between two spaces\n");
}

TEST_F(TypoCommandTest, GoesOnPastEveryMarkItCannotPlaceAndReportsEach) {
    // Columns count characters of the corrected text: the edit before the
    // second mark moves it, Polish letters count one each.
    std::string in = File("in.txt", "żółw \" b  c\r\nx\nąę  ,a\"b , c \"d\"\n");
    Result r = Typo(in);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "żółw \" b c\r\nx\nąę, a\"b, c „d”\n");
    EXPECT_EQ(Errors(), in + ":1:6: Quotation mark between two spaces\n" + in +
                            ":3:6: Quotation mark between two non-spaces\n");
}

TEST_F(TypoCommandTest, OptionsAreLaidOverTheSettingsFile) {
    std::string settings = File("s.ini", "[1Typografia]\n9Pauza=0\n3Cytat=2\n");
    struct Case {
        std::string args;
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"", "b - c", "b –\u00A0c"},
        {"--dash em", "b - c", "b —\u00A0c"},
        {"--settings " + settings, "b - \"c \"d\"\"", "b —\u00A0„c «d»”"},
        {"--settings " + settings + " --dash=en --inner-quotes 3", "b - \"c \"d\"\"",
         "b –\u00A0„c »d«”"},
        {"--off dashes,after-words", "w domu - tak", "w domu - tak"},
        {"--off=dash-binding --off repeated-spaces", "b  - c", "b  – c"},
        {"--off quotes", "\"a\"", "\"a\""},
        {"--on guess-quotes,quote-space-fix", "powiedz \" tak\"", "powiedz „tak”"},
        {"--on guess-quotes", "a\"b\"c", "a„b”c"},
    };
    for (const Case& c : cases) {
        Result r = Typo(c.args + " " + File("in.txt", c.in));
        EXPECT_EQ(r.status, 0) << c.args << Errors();
        EXPECT_EQ(r.out, c.out) << c.args;
    }
}

TEST_F(TypoCommandTest, SettingsFileFaultsAreReportedWithTheirLines) {
    std::string settings =
        File("s.ini", "[Prefs]\nx=1\n[1Typografia]\n2Cudzyslow=1\n2Cudzyslwo=0\n9Pauza=pauza\n");
    Result r = Typo("--settings " + settings + " " + File("in.txt", "a  b"));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Errors(), "tarnik typo: the settings file " + settings + " cannot be used:\n" +
                            settings + ":5: unknown key '2Cudzyslwo' in [1Typografia]\n" +
                            settings + ":6: bad value 'pauza' for 9Pauza (0 or 1)\n");
}

TEST_F(TypoCommandTest, SeveralFilesStandardInputAndOutputFile) {
    std::string a = File("a.txt", "b  c\n");
    std::string b = File("b.txt", "\"c\n");  // the depth starts afresh in every file
    Result r = Typo(a + " - " + b, "\"x , y\"\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "b c\n„x, y”\n„c\n");

    std::string out = File("out.txt", "old");
    r = Typo("-o " + out + " " + a + " " + b);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    std::ifstream saved(out);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), "b c\n„c\n");
}

TEST_F(TypoCommandTest, InPlaceKeepsTheOriginalAsABackupUnlessToldNot) {
    std::string a = File("a.txt", "b  c");
    std::string b = File("b.txt", "c  d");
    std::string bad = File("bad.txt", "e  f\xff");
    EXPECT_EQ(Typo("--in-place " + a + " " + bad).status, 2);
    EXPECT_EQ(Typo("--in-place --no-backup " + b).status, 0);
    auto read = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return in ? std::string(std::istreambuf_iterator<char>(in), {}) : std::string("(none)");
    };
    EXPECT_EQ(read(a), "b c");
    EXPECT_EQ(read(a + ".bak"), "b  c");
    EXPECT_EQ(read(b), "c d");
    EXPECT_EQ(read(b + ".bak"), "(none)");
    // A file that cannot be read as UTF-8 is left as it was, with no backup.
    EXPECT_EQ(read(bad), "e  f\xff");
    EXPECT_EQ(read(bad + ".bak"), "(none)");
    Result failed = Typo("--in-place " + bad);
    EXPECT_EQ(failed.status, 2);
    EXPECT_EQ(Errors(), "tarnik typo: " + bad + ": not UTF-8 text (bad byte at offset 4)\n");
}

TEST_F(TypoCommandTest, InPlaceWithoutAChangeWritesNothing) {
    std::string path = File("done.txt", "Rzekł „tak”.\n");
    auto before = std::filesystem::last_write_time(path);
    Result r = Typo("--in-place " + path);
    EXPECT_EQ(r.status, 0) << Errors();
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
    EXPECT_FALSE(std::filesystem::exists(path + ".bak"));
}

TEST_F(TypoCommandTest, ALongFileComesOutAsOneRunOverItWouldGiveIt) {
    // Over two megabytes, so the file goes through the story in several pieces,
    // its cuts falling inside words, quotations, tokens and runs of spaces: the
    // result must be what the engine gives in one run over the whole text.
    const char* pieces[] = {"Rzekł \"tak\" - w domu , 5 kg o 10:30 ",
                            "na debian.pl i config.txt ",
                            "( tekst )  \"zdanie ,\"nie\" ",
                            "a \" b ",
                            "Dave'a oraz XX wieku :-) ",
                            "żółć\n",
                            "koniec.Start  www.example.com.pl/a.b,c "};
    std::string text;
    for (size_t i = 0; text.size() < (size_t(5) << 19); ++i)
        text += pieces[(i * 7 + i / 5) % std::size(pieces)];

    size_t left = 0;
    Typography().settings = TypoSettings();
    BuildTypoCharClasses();
    Typography().quoteLeft = [&](int32_t, const char*) {
        ++left;
        return true;
    };
    std::string expected;
    {
        testing::TypoDocument document(text);
        RunTypography();
        expected = document.Text();
    }
    Typography().quoteLeft = nullptr;
    std::string bound;
    for (char c : expected)
        bound += c == '~' ? std::string("\u00A0") : std::string(1, c);

    Result r = Typo(File("long.txt", text));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out == bound);  // megabytes: not printed
    std::string errors = Errors();
    EXPECT_EQ(size_t(std::count(errors.begin(), errors.end(), '\n')), left);
    EXPECT_GT(left, 0u);
}

TEST_F(TypoCommandTest, BadInputIsRefusedWithAMessage) {
    for (const std::string& args :
         {File("bad.txt",
               "ab\xff"
               "cd"),
          std::string("--settings /nonexistent/s.ini"), std::string("--in-place -"),
          std::string("--in-place -o x ") + File("in.txt", "x"), std::string("--on nothing"),
          std::string("--inner-quotes 4"), std::string("--dash long"), std::string("--bogus")}) {
        Result r = Typo(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(Errors(), "") << args;
    }
}

TEST_F(TypoCommandTest, TheMenuCommandRunsOnDocumentsThroughTarnikRun) {
    // The plug-in module and its hyphenation data in an XTensions folder of its
    // own, with default settings.
    std::filesystem::path xtensions = Folder() / "XTensions";
    std::filesystem::create_directory(xtensions);
    for (const char* file : {"Tarnik11.so", "PLHYPH.DAT"})
        std::filesystem::copy_file(std::string(TARNIK_BIN_DIR) + "/XTensions/" + file,
                                   xtensions / file);
    std::string document = File("doc.json", R"({"stories": [{"text": "b  \"c\" - d"}],
        "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}], "current": "t"})");
    Result r = Tarnik("run " + document + " --command 'Typography In Box' --xtensions " +
                      xtensions.string() + " -o " + (Folder() / "out.json").string());
    ASSERT_EQ(r.status, 0) << Errors();
    std::ifstream in(Folder() / "out.json");
    std::string saved(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(saved.find("\"text\": \"b „c” – d\""), std::string::npos) << saved;
}

}  // namespace
}  // namespace tarnik
