#include "tools/dictc/dictionary_compiler.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "charsets/utf8.h"
#include "speller/main_dictionary.h"
#include "speller/word_check.h"
#include "temp_folder.h"
#include "tools/dictc/verification.h"

namespace tarnik::tools {
namespace {

constexpr char kAffix[] = R"(SET UTF-8
PFX N Y 1
PFX N 0 nie .

SFX A Y 3
SFX A 0 a .
SFX A 0 em .
SFX A 0 y .

SFX W Y 2
SFX W a ę a
SFX W a y a
)";

// A few words of every kind, and many that share the beginning "kot", so that
// the tree of prefixes grows deep below it and "kot" itself becomes a node.
std::string WordList() {
    std::string words = "kot/AN\nkota/A\nkotara/A\nżółw/A\nWarszawa/W\nPKP\nMcDonald\n";
    std::mt19937 random(7);
    const std::string letters = "abcdefghijklmnoprstuwyz";
    for (int i = 0; i < 400; ++i) {
        std::string word = "kot";
        for (int k = 0; k < 3; ++k)
            word += letters[random() % letters.size()];
        words += word + "/A\n";
    }
    return "0\n" + words;
}

struct Compiled {
    testing::TempFolder folder;
    CompiledDictionary dictionary;
    std::string path;
};

std::unique_ptr<Compiled> Compile(size_t maxNodes) {
    auto compiled = std::make_unique<Compiled>();
    CompileOptions options;
    options.affixPath = compiled->folder.Write("t.aff", kAffix);
    options.wordListPath = compiled->folder.Write("t.dic", WordList());
    options.alwaysAcceptedPath = compiled->folder.Write("always.txt", "ach\nOch\n");
    options.abbreviationsPath = compiled->folder.Write("abbreviations.txt", "np\r\n\nitd\n");
    options.maxNodes = maxNodes;
    compiled->dictionary = CompileDictionary(options);
    const auto& bytes = compiled->dictionary.file;
    compiled->path = compiled->folder.Write("son.dic", std::string(bytes.begin(), bytes.end()));
    return compiled;
}

// Many nodes make a deep tree in which most forms are found from the nodes above
// their path's end; few nodes make long blocks searched in full.
class CompiledDictionaryTest : public ::testing::TestWithParam<size_t> {};

TEST_P(CompiledDictionaryTest, TheSpellerFindsWhatWasStoredAndNothingElse) {
    std::unique_ptr<Compiled> compiled = Compile(GetParam());
    EXPECT_EQ(VerifyDictionary(compiled->path, compiled->dictionary), std::vector<std::string>{});

    ASSERT_EQ(SpellerOpen(compiled->path), 0);
    struct Case {
        const char* word;
        int16_t correct;
    };
    const Case cases[] = {
        {"kot", 1},       {"kota", 1},   {"kotem", 1},    {"koty", 1},     {"niekotem", 1},
        {"kotaem", 1},    {"kotara", 1}, {"kotaray", 1},  {"Kot", 1},      {"KOTEM", 1},
        {"kotu", 0},      {"ko", 0},     {"kotemy", 0},   {"niekota", 1},  {"niekotara", 0},
        {"żółwem", 1},    {"zolw", 0},   {"Warszawa", 1}, {"WARSZAWĘ", 1}, {"warszawa", 0},
        {"Warszawaa", 0}, {"PKP", 1},    {"Pkp", 0},      {"pkp", 0},      {"McDonald", 0},
        {"ach", 1},       {"Ach", 1},    {"och", 1},      {"np", 0},       {"itd", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(SpellerCheckWord(Utf8ToCp1250(c.word)), c.correct) << c.word;
    EXPECT_EQ(SpellerCheckWordBeforeStop("np"), 1);
    EXPECT_EQ(SpellerCheckWordBeforeStop("itd"), 1);
    SpellerClose();
}

INSTANTIATE_TEST_SUITE_P(NodeCounts, CompiledDictionaryTest, ::testing::Values(4000, 8));

TEST(DictionaryCompiler, ReportsWhatItCouldNotStore) {
    std::unique_ptr<Compiled> compiled = Compile(4000);
    EXPECT_EQ(compiled->dictionary.mixedForms, std::vector<std::string>{"McDonald"});
    std::ostringstream report;
    PrintReport(compiled->dictionary, report);
    EXPECT_NE(report.str().find("mixed case (not stored):          1"), std::string::npos);
    EXPECT_NE(report.str().find("\n  McDonald\n"), std::string::npos);
    EXPECT_NE(report.str().find("Abbreviation lists: 2 words, 1 pair(s)"), std::string::npos);
}

TEST(DictionaryCompiler, SameSourceSameBytes) {
    EXPECT_EQ(Compile(4000)->dictionary.file, Compile(4000)->dictionary.file);
}

TEST(DictionaryCompiler, ItsOwnCheckCatchesADamagedFile) {
    std::unique_ptr<Compiled> compiled = Compile(4000);
    std::vector<uint8_t> bytes = compiled->dictionary.file;
    // The word blocks close the file: wipe the last third of them.
    std::fill(bytes.end() - static_cast<ptrdiff_t>(bytes.size() / 6), bytes.end(), 0);
    std::string damaged =
        compiled->folder.Write("damaged.dic", std::string(bytes.begin(), bytes.end()));
    EXPECT_FALSE(VerifyDictionary(damaged, compiled->dictionary).empty());
}

TEST(DictionaryCompiler, RefusesBadInputWithAMessage) {
    testing::TempFolder folder;
    struct Case {
        CompileOptions options;
        const char* message;
    };
    std::string affix = folder.Write("t.aff", kAffix);
    std::string words = folder.Write("t.dic", "1\nkot/A\n");
    const Case cases[] = {
        {{folder.Path("none.aff"), words, "", ""}, "cannot open"},
        {{folder.Write("c.aff", "COMPOUNDMIN 3\n"), words, "", ""}, "COMPOUNDMIN is not supported"},
        {{affix, words, folder.Write("a.txt", "ok\nnie ok\n"), ""},
         "a.txt line 2: a word may hold"},
    };
    for (const Case& c : cases) {
        try {
            CompileDictionary(c.options);
            ADD_FAILURE() << c.message;
        } catch (const std::exception& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace tarnik::tools
