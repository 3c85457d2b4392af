// The word scanner on stories in the host.
#include <gtest/gtest.h>

#include "tests/host/host_fixture.h"
#include "text/unicode_case.h"
#include "text/word_scanner.h"

using namespace tarnik;

namespace {

struct Word {
    std::string text;  // cp1250
    int32_t start, end;
    bool operator==(const Word&) const = default;
};

void PrintTo(const Word& w, std::ostream* os) {
    *os << w.text << " [" << w.start << ", " << w.end << ")";
}

std::vector<Word> AllWords(WordScanner& scanner) {
    std::vector<Word> words;
    char buffer[kWordBufferSize];
    int32_t start, end;
    while (scanner.NextWord(buffer, &start, &end) == 1)
        words.push_back({buffer, start, end});
    return words;
}

struct ScanCase {
    const char* text;  // JSON string contents
    std::vector<Word> words;
};

class NextWordCase : public testing::TestWithParam<ScanCase> {};

TEST_P(NextWordCase, FindsTheWordsAndTheirRanges) {
    fake::HostFixture f(fake::OneBox(GetParam().text));
    WordScanner scanner;
    ASSERT_EQ(scanner.BeginScan(0), 1);
    EXPECT_EQ(AllWords(scanner), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NextWordCase,
    testing::Values(ScanCase{"123 abc", {{"abc", 4, 7}}}, ScanCase{"2015r.", {{"r", 4, 5}}},
                    // Discretionary hyphens lie inside the range and stay out of the text.
                    ScanCase{"po\u00ADli\u00ADty\u00ADka", {{"polityka", 0, 11}}},
                    ScanCase{"biało-czerwony sztandar",
                             {{"bia\xB3o-czerwony", 0, 14}, {"sztandar", 15, 23}}},
                    ScanCase{"„Kot” i pies2", {{"Kot", 1, 4}, {"i", 6, 7}, {"pies2", 8, 13}}},
                    // Foreign letters belong to the word: cp1250 ones as they are, the
                    // others as the letter no code holds; decomposed letters composed.
                    ScanCase{"Müller", {{"M\xFCller", 0, 6}}},
                    ScanCase{"naïve Иван", {{"na\x81ve", 0, 5}, {"\x81\x81\x81\x81", 6, 10}}},
                    ScanCase{"Dvor\u030Ca\u0301k z\u0307o\u0301\u0142w",
                             {{"Dvo\xF8\xE1k", 0, 8}, {"\xBF\xF3\xB3w", 9, 15}}},
                    ScanCase{"e\u0331x", {{"\x81x", 0, 3}}}, ScanCase{" -- 42 ", {}}));

TEST(WordScanner, BeginScanNeedsACurrentTextBoxWithText) {
    fake::HostFixture f(R"({"stories": [{"text": ""}], "spreads": [{"items": [
        {"id": "t", "type": "text", "story": 0}, {"id": "p", "type": "picture"}]}]})");
    WordScanner scanner;
    EXPECT_EQ(scanner.BeginScan(0), -1);  // no current box
    f.MakeCurrent("p");
    EXPECT_EQ(scanner.BeginScan(1), -1);
    f.MakeCurrent("t");
    EXPECT_EQ(scanner.BeginScan(1), 0);
    EXPECT_EQ(scanner.BeginScan(WordScanner::kWholeDocument), 1);
}

TEST(WordScanner, ASelectionLimitsTheScan) {
    fake::HostFixture f(fake::OneBox("jeden dwa trzy", 6, 9));
    WordScanner scanner;
    ASSERT_EQ(scanner.BeginScan(0), 1);
    EXPECT_EQ(AllWords(scanner), (std::vector<Word>{{"dwa", 6, 9}}));
    scanner.ScanRange(-1, -1);
    EXPECT_EQ(AllWords(scanner).size(), 3u);
}

TEST(WordScanner, ExhaustedRangeGivesAnEmptyWordAtItsEnd) {
    fake::HostFixture f(fake::OneBox("kot ", 0, 0));
    WordScanner scanner;
    scanner.BeginScan(0);
    char word[kWordBufferSize];
    int32_t start = -5, end = -5;
    ASSERT_EQ(scanner.NextWord(word, &start, &end), 1);
    EXPECT_EQ(scanner.NextWord(word, &start, &end), 0);
    EXPECT_STREQ(word, "");
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 4);
    EXPECT_EQ(scanner.NextWord(nullptr, &start, &end), -1);
}

TEST(WordScanner, ARunLongerThanTheBufferIsOneWordCutInItsText) {
    std::string run(400, 'a');
    fake::HostFixture f(fake::OneBox(run + " kot"));
    WordScanner scanner;
    scanner.BeginScan(0);
    auto words = AllWords(scanner);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].text, std::string(kMaxWordText, 'a'));
    EXPECT_EQ(words[0].end, 400);
    EXPECT_EQ(words[1], (Word{"kot", 401, 404}));
}

TEST(WordScanner, ReplacingAWordMovesTheWalk) {
    fake::HostFixture f(fake::OneBox("kot i pies"));
    WordScanner scanner;
    scanner.BeginScan(0);
    char word[kWordBufferSize];
    int32_t start, end;
    scanner.NextWord(word, &start, &end);
    ASSERT_TRUE(scanner.ReplaceWord("kotek", start, end));
    EXPECT_EQ(f.Text(0), u"kotek i pies");
    EXPECT_EQ(scanner.Current(), 5);
    EXPECT_EQ(scanner.End(), 12);
    ASSERT_EQ(scanner.NextWord(word, &start, &end), 1);
    EXPECT_EQ(start, 6);  // 2 later than before the replacement
    // Too long: nothing written, nothing moved.
    EXPECT_FALSE(scanner.ReplaceWord(std::string(256, 'x'), start, end));
    EXPECT_EQ(scanner.End(), 12);
    EXPECT_EQ(f.Text(0), u"kotek i pies");
}

TEST(WordScanner, ReplacementTakesTheWordsCase) {
    fake::HostFixture f(fake::OneBox("ab cd"));
    WordScanner scanner;
    scanner.BeginScan(0);
    scanner.ReplaceWordWithCase("\xB3\xF3\x64\x9F", 3, 5, kCaseCapitals);
    scanner.ReplaceWordWithCase("\xBF\xF3\xB3w", 0, 2, kCaseInitial);
    EXPECT_EQ(f.Text(0), u"Żółw ŁÓDŹ");
}

TEST(WordScanner, CaseClasses) {
    const std::pair<const char*, uint16_t> cases[] = {{"kot", 0x04},
                                                      {"Kot", 0x01},
                                                      {"KOT", 0x02},
                                                      {"K", 0x01},
                                                      {"kOt", 0x08},
                                                      {"KoT", 0x09},
                                                      {"a-b", 0x14},
                                                      {"x2", 0x24},
                                                      {"", 0x00},
                                                      {"\xA3\xF3\x64\x9F", 0x01},
                                                      {"\xAF\xD3\xA3W", 0x02},
                                                      {"42", 0x20}};
    for (const auto& [word, flags] : cases)
        EXPECT_EQ(WordCaseClass(word), flags) << word;
}

TEST(WordScanner, CaseAppliesToEverySuggestion) {
    struct Node {
        Node* next;
        char word[8];
    };
    Node second{nullptr, "\xB9kt"};
    Node first{&second, "kot"};
    WordScanner::ApplyCaseToList(&first, kCaseInitial);
    EXPECT_STREQ(first.word, "Kot");
    EXPECT_STREQ(second.word, "\xA5kt");
    WordScanner::ApplyCaseToList(&first, kCaseCapitals | kCaseInitial);
    EXPECT_STREQ(first.word, "KOT");
}

TEST(WordScanner, IgnoreAndReplaceLists) {
    WordScanner scanner;
    scanner.IgnoreAdd("Kot");
    EXPECT_TRUE(scanner.IgnoreContains("Kot"));
    EXPECT_TRUE(scanner.IgnoreContains("kot"));
    EXPECT_FALSE(scanner.IgnoreContains("KOT"));
    scanner.ReplaceAdd("Kto", "Kot");
    scanner.ReplaceAdd("kto", "tok");  // newest first
    EXPECT_EQ(scanner.ReplaceFind("kto"), "tok");
    EXPECT_EQ(scanner.ReplaceFind("Kto"), std::nullopt);  // stored in small letters only
    scanner.IgnoreClear();
    scanner.ReplaceClear();
    EXPECT_FALSE(scanner.IgnoreContains("kot"));
    EXPECT_EQ(scanner.ReplaceFind("kto"), std::nullopt);
}

TEST(WordScanner, ListsKnowWordsWholeByTheirOwnCharacters) {
    WordScanner scanner;
    scanner.IgnoreAdd(u"Кот");
    EXPECT_TRUE(scanner.IgnoreContains(std::u16string_view(u"Кот")));
    EXPECT_TRUE(scanner.IgnoreContains(std::u16string_view(u"кот")));
    EXPECT_FALSE(scanner.IgnoreContains(std::u16string_view(u"КОТ")));
    EXPECT_FALSE(scanner.IgnoreContains(std::u16string_view(u"Дом")));  // both were ??? in cp1250
    const std::u16string longWord(60, u'x');
    scanner.IgnoreAdd(longWord);
    EXPECT_TRUE(scanner.IgnoreContains(std::u16string_view(longWord)));
    EXPECT_FALSE(scanner.IgnoreContains(std::u16string_view(longWord.substr(0, 49))));

    // A replacement in the word's case pattern follows each word's case; one in
    // another pattern stays as the user gave it.
    const struct {
        const char16_t* word;
        const char16_t* replacement;
        bool follows;
        const char16_t* kept;
    } cases[] = {
        {u"krul", u"Król", false, u"Król"}, {u"krul", u"król", true, u"król"},
        {u"Krul", u"Król", true, u"król"},  {u"polsce", u"Polsce", false, u"Polsce"},
        {u"Кот", u"Кіт", true, u"кіт"},     {u"ZMIJA", u"żmija", false, u"żmija"},
    };
    for (const auto& c : cases) {
        scanner.ReplaceClear();
        scanner.ReplaceAdd(std::u16string_view(c.word), std::u16string_view(c.replacement));
        std::optional<ChangeAllAnswer> answer = scanner.ReplaceFind(LoweredUnits(c.word));
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ(answer->followsCase, c.follows);
        EXPECT_EQ(answer->replacement, c.kept);
    }
}

TEST(UnicodeCase, CasesOfLatinPolishGreekAndCyrillic) {
    EXPECT_EQ(LoweredUnits(u"ZAŻÓŁĆ GĘŚLĄ JAŹŃ ÀÑ ΑΒΓ ДОМ ЁЇ"), u"zażółć gęślą jaźń àñ αβγ дом ёї");
    const struct {
        const char16_t* word;
        uint16_t flags;
    } cases[] = {
        {u"kot", kCaseSmall},
        {u"Kot", kCaseInitial},
        {u"KOT", kCaseCapitals},
        {u"kOt", kCaseMixed},
        {u"Łódź", kCaseInitial},
        {u"ДОМ", kCaseCapitals},
        {u"дом", kCaseSmall},
        {u"x2", kCaseSmall | kCaseDigit},
        {u"a-b", kCaseSmall | kCaseOther},
        {u"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnitsCaseClass(c.word), c.flags);
    std::u16string word = u"żółw";
    ApplyCaseToUnits(word, kCaseCapitals);
    EXPECT_EQ(word, u"ŻÓŁW");
    word = u"ёж";
    ApplyCaseToUnits(word, kCaseInitial);
    EXPECT_EQ(word, u"Ёж");
}

TEST(WordScanner, BeginScanEmptiesTheLists) {
    fake::HostFixture f(fake::OneBox("x"));
    WordScanner scanner;
    scanner.IgnoreAdd("kot");
    scanner.BeginScan(WordScanner::kWholeDocument);
    EXPECT_TRUE(scanner.IgnoreContains("kot"));  // kept across the boxes of a document
    scanner.BeginScan(0);
    EXPECT_FALSE(scanner.IgnoreContains("kot"));
}

struct CaretCase {
    int32_t selectionStart, selectionEnd;
    int32_t start, end, length;
};

class WordAtCaretCase : public testing::TestWithParam<CaretCase> {};

TEST_P(WordAtCaretCase, FindsTheWordsTouchingTheSelection) {
    const CaretCase& c = GetParam();
    fake::HostFixture f(
        fake::OneBox("Ala ma biało-czerwony\u00ADflag", c.selectionStart, c.selectionEnd));
    int32_t start = -1, end = -1;
    EXPECT_EQ(WordScanner().WordAtCaret(&start, &end), c.length);
    if (c.length > 0) {
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(end, c.end);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, WordAtCaretCase,
                         testing::Values(CaretCase{0, 0, 0, 3, 3},    // at the start
                                         CaretCase{9, 9, 7, 26, 19},  // inside a compound
                                         CaretCase{3, 3, 0, 3, 3},    // just after a word
                                         CaretCase{1, 5, 0, 6, 6},    // across two words
                                         CaretCase{26, 26, 7, 26, 19}));

TEST(WordScanner, NoWordAtACaretBetweenSpaces) {
    fake::HostFixture f(fake::OneBox("a  b", 2, 2));
    int32_t start, end;
    EXPECT_EQ(WordScanner().WordAtCaret(&start, &end), 0);
}

TEST(WordScanner, EndScanGivesBackTheSelectionWithinTheStory) {
    fake::HostFixture f(fake::OneBox("abcdefgh", 4, 8));
    WordScanner scanner;
    scanner.BeginScan(0);
    Host().SetTextSelection(scanner.Story(), 1, 2, false);
    scanner.EndScan();
    EXPECT_EQ(f.StoryAt(0).selectionStart, 4);
    EXPECT_EQ(f.StoryAt(0).selectionEnd, 8);
    EXPECT_EQ(scanner.Story(), 0u);

    scanner.BeginScan(0);
    Host().DeleteTextRange(Host().GetBoxTextInfo(0).story, 0, 3);
    scanner.EndScan();
    EXPECT_EQ(f.StoryAt(0).selectionStart, 4);
    EXPECT_EQ(f.StoryAt(0).selectionEnd, 5);
}

}  // namespace
