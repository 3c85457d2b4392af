#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>

#include "charsets/char_classes.h"
#include "hyph_fixture.h"
#include "hyphenation/hyphenate_word.h"
#include "tools/hyphc/char_maps.h"
#include "tools/hyphc/pattern_file.h"

namespace tarnik {
namespace {

// Liang's method spelled out: every substring of ".word." looked up among the
// patterns, the highest level kept between each pair of letters.
class ReferenceHyphenator {
  public:
    explicit ReferenceHyphenator(const std::vector<tools::Pattern>& patterns) {
        for (const tools::Pattern& p : patterns) {
            std::vector<uint8_t>& levels = patterns_[{p.codes.begin(), p.codes.end()}];
            levels.resize(p.levels.size());
            for (size_t i = 0; i < levels.size(); ++i)
                levels[i] = std::max(levels[i], p.levels[i]);
        }
    }

    // Breaks of a word given in the patterns' codes, with the same limits.
    std::vector<size_t> Breaks(const std::string& word) const {
        std::string s = "." + word + ".";
        std::vector<uint8_t> level(s.size() + 1, 0);
        for (size_t i = 0; i < s.size(); ++i)
            for (size_t j = i + 1; j <= s.size(); ++j)
                if (auto it = patterns_.find(s.substr(i, j - i)); it != patterns_.end())
                    for (size_t t = 0; t < it->second.size(); ++t)
                        level[i + t] = std::max(level[i + t], it->second[t]);
        size_t leftMin = word.rfind("wszcz", 0) == 0 ? 5 : 2;
        std::vector<size_t> breaks;
        for (size_t k = leftMin; k + 2 <= word.size(); ++k)
            if (level[k + 1] & 1)
                breaks.push_back(k);
        return breaks;
    }

  private:
    std::map<std::string, std::vector<uint8_t>> patterns_;
};

std::vector<size_t> BreaksOf(const std::string& hyphenated) {
    std::vector<size_t> breaks;
    size_t letters = 0;
    for (char c : hyphenated)
        c == '-' ? breaks.push_back(letters) : void(++letters);
    return breaks;
}

// Hyphenates `count` random words over `alphabet` (cp1250, small letters, no
// '-') with the data and with the reference, and compares the breaks.
void ExpectSameAsReference(const HyphDict& dict, const std::vector<tools::Pattern>& patterns,
                           const std::string& alphabet, int count, uint32_t seed) {
    ReferenceHyphenator reference(patterns);
    std::mt19937 random(seed);
    std::uniform_int_distribution<size_t> length(1, 16), letter(0, alphabet.size() - 1);
    for (int n = 0; n < count; ++n) {
        std::string word, mapped;
        for (size_t i = length(random); i > 0; --i)
            word.push_back(alphabet[letter(random)]);
        for (char c : word)
            mapped.push_back(static_cast<char>(MapInput(dict, static_cast<uint8_t>(c))));
        std::string out;
        HyphenateWordWithoutUser(dict, word, &out);
        ASSERT_EQ(BreaksOf(out), reference.Breaks(mapped)) << word;
    }
}

TEST(PatternCompiler, PackedTrieMatchesLiangOnCrowdedPatterns) {
    // Many short patterns over a few letters crowd the double array, so children
    // of different nodes interleave everywhere.
    std::mt19937 random(7);
    std::string letters = "abcdef";
    auto level = [&] { return random() % 3 ? std::string() : std::to_string(1 + random() % 5); };
    std::string text;
    for (int n = 0; n < 300; ++n) {
        std::string pattern = random() % 4 == 0 ? "." : "";
        for (size_t i = 1 + random() % 5; i > 0; --i)
            pattern += level() + letters[random() % letters.size()];
        pattern += level();
        if (random() % 4 == 0)
            pattern += ".";
        text += pattern + "\n";
    }
    std::istringstream in("ISO8859-2\n" + text);
    tools::PatternFile file = tools::ReadPatternFile(in);
    std::unique_ptr<HyphDict> dict = test::OpenData(test::TestFolder(), text);
    ASSERT_TRUE(dict);
    ExpectSameAsReference(*dict, file.patterns, letters, 5000, 1);
}

TEST(PatternCompiler, PolishDataMatchesLiang) {
    const char* path = "/usr/share/hyphen/hyph_pl_PL.dic";
    std::ifstream in(path, std::ios::binary);
    if (!in)
        GTEST_SKIP() << "hyphen-pl is not installed";
    tools::PatternFile file = tools::ReadPatternFile(in);
    std::unique_ptr<HyphDict> dict;
    ASSERT_EQ(OpenHyphDict(TARNIK_SOURCE_DIR "/data/PLHYPH.DAT", dict), 0);
    ExpectSameAsReference(*dict, file.patterns,
                          "a\xb9"
                          "bc\xe6"
                          "de\xea"
                          "fghijkl\xb3mn\xf1o\xf3pqrs\x9ctuvwxyz\x9f\xbf",
                          20000, 2);
}

TEST(PatternCompiler, RegeneratingTheBundledDataGivesTheSameBytes) {
    const char* patterns = "/usr/share/hyphen/hyph_pl_PL.dic";
    if (!std::filesystem::exists(patterns))
        GTEST_SKIP() << "hyphen-pl is not installed";
    std::filesystem::path out = test::TestFolder() / "PLHYPH.DAT";
    std::string command = std::string(TARNIK_BIN_DIR "/hyphc ") + patterns + " -o " + out.string();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(test::ReadFile(out), test::ReadFile(TARNIK_SOURCE_DIR "/data/PLHYPH.DAT"));
}

TEST(PatternCompiler, DirectivesWarnOrRefuse) {
    std::istringstream good(
        "ISO8859-2\n% comment\nLEFTHYPHENMIN 2\nRIGHTHYPHENMIN 3\nNOHYPHEN -\n\n.a2b1s\n");
    tools::PatternFile file = tools::ReadPatternFile(good);
    ASSERT_EQ(file.patterns.size(), 1u);
    EXPECT_EQ(file.patterns[0].codes, (std::vector<uint8_t>{'.', 'a', 'b', 's'}));
    EXPECT_EQ(file.patterns[0].levels, (std::vector<uint8_t>{0, 0, 2, 1, 0}));
    ASSERT_EQ(file.warnings.size(), 2u);  // RIGHTHYPHENMIN 3 and NOHYPHEN
    EXPECT_NE(file.warnings[0].find("line 4"), std::string::npos);

    for (const char* bad : {"ISO8859-2\nNEXTLEVEL\n", "ISO8859-2\nf1f/ff=f,1,2\n",
                            "ISO8859-2\n123\n", "", "ISO8859-2\nLEFTHYPHENMIN\n"}) {
        std::istringstream in(bad);
        EXPECT_THROW(tools::ReadPatternFile(in), std::runtime_error) << bad;
    }
}

TEST(PatternCompiler, WordListsAreSortedAndChecked) {
    std::istringstream patterns("ISO8859-2\na1\n"), exceptions("ko-tek\nkot\nbanany\nko-tek\n");
    tools::CompiledHyphData data = tools::CompileHyphData(patterns, &exceptions);
    ASSERT_EQ(data.warnings.size(), 1u);  // ko-tek twice
    std::filesystem::path path = test::TestFolder() / "PLHYPH.DAT";
    test::WriteFile(path, data.container);
    std::unique_ptr<HyphDict> dict;
    ASSERT_EQ(OpenHyphDict(path.string(), dict), 0);
    const std::vector<uint8_t> expected = {10, 6, 'b', 'a', 'n', 'a', 'n', 'y', 0, 0,
                                           10, 5, 'k', 'o', 't', 'e', 'k', 0,   2, 0,
                                           7,  3, 'k', 'o', 't', 0,   0,   0};
    EXPECT_EQ(dict->blocks[kBuiltInListSlot], expected);
    EXPECT_EQ(dict->blocks[kUserListSlot], std::vector<uint8_t>{0});

    std::string fifty = "a";
    for (int i = 0; i < 50; ++i)
        fifty += "-a";
    std::istringstream patterns2("ISO8859-2\na1\n"), tooMany(fifty);
    EXPECT_THROW(tools::CompileHyphData(patterns2, &tooMany), std::runtime_error);
}

TEST(PatternCompiler, CharMapsFoldCapitalsAndKeepOtherCharactersApart) {
    tools::CharMaps maps = tools::BuildCharMaps("ISO8859-2");
    // cp1250 -> ISO 8859-2: capitals fold, Polish letters move to their ISO bytes.
    EXPECT_EQ(maps.input['K'], 'k');
    EXPECT_EQ(maps.input[0xA5], 0xB1);  // Ą -> ą
    EXPECT_EQ(maps.input[0xB9], 0xB1);  // ą
    EXPECT_EQ(maps.input[0x8C], 0xB6);  // Ś -> ś
    EXPECT_EQ(maps.input['.'], '.');
    EXPECT_EQ(maps.input['-'], '-');
    // Every cp1250 byte gets a code of its own but for case, and the output map undoes it.
    std::map<uint8_t, int> users;
    for (int b = 1; b < 256; ++b) {
        auto byte = static_cast<uint8_t>(b);
        if (ToLower(byte) == byte) {
            EXPECT_EQ(++users[maps.input[b]], 1) << "byte " << b;
            EXPECT_EQ(maps.output[maps.input[b]], b) << "byte " << b;
        }
    }
    EXPECT_THROW(tools::BuildCharMaps("NO-SUCH-CHARSET"), std::runtime_error);
    EXPECT_THROW(tools::BuildCharMaps("UTF-8"), std::runtime_error);
}

}  // namespace
}  // namespace tarnik
