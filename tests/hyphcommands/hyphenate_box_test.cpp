// Hyphenate Box and Remove Hyphens through the plug-in, on one box, groups,
// anchored boxes and selections.
#include <gtest/gtest.h>

#include <string>

#include "hyph_document.h"
#include "hyphcommands/hyph_case_class.h"

namespace {

using hyphtest::HyphDocument;
using hyphtest::OneBox;

TEST(HyphCaseClass, ClassesWordsByTheirLetters) {
    const struct {
        const char* word;
        uint16_t expected;
    } cases[] = {
        {"kot", 2},    {"KOT", 4}, {"Kot", 34},   {"kOT", 70},
        {"XPress", 6}, {"A4", 1},  {"iPhone", 6}, {"\xA3\xF3\x64\x9F", 34},  // Łódź
        {"k", 0},      {"", 0},    {"ab.c", 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tarnik::HyphCaseClass(c.word), c.expected) << c.word;
}

// Each text hyphenated whole: the result, which hyphenating again leaves as it
// is, and which Remove Hyphens takes back to the text without its soft hyphens.
TEST(HyphenateBox, PutsThePointsOnceAndRemoveTakesThemOut) {
    const struct {
        const char* text;
        const char* hyphenated;
    } cases[] = {
        {"niebieski kotek", "nie~bie~ski ko~tek"},
        {"NATO PKP XPress iPhone Warszawa Kot", "NATO PKP XPress iPhone War~sza~wa Kot"},
        // A compound: a point before the hyphen, which no longer breaks.
        {"biało-czerwony", "bia~ło~-czer~wo~ny"},
        // Points the hyphenation confirms stay, the others go.
        {"ko~nstanty kon~stan~ty", "kon~stan~ty kon~stan~ty"},
        // The hyphenation stops at a digit; the rest keeps its points.
        {"ab~12 A4-format", "ab~12 A4~-for~mat"},
        // Points at a word's end stand at no break.
        {"kot~ wiel~ki~", "kot wiel~ki"},
        // Only the first 100 letters: 108 letters, the last 9 untouched.
        {"niebieskiniebieskiniebieskiniebieskiniebieskiniebieskiniebieskiniebieski"
         "niebieskiniebieskiniebieskiniebieski-ok",
         "nie~bie~ski~nie~bie~ski~nie~bie~ski~nie~bie~ski~nie~bie~ski~nie~bie~ski~nie~bie~ski~"
         "nie~bie~ski~nie~bie~ski~nie~bie~ski~nie~bie~skiniebieski-ok"},
    };
    for (const auto& c : cases) {
        HyphDocument d(OneBox(c.text));
        ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK) << c.text;
        EXPECT_EQ(d.Text(), c.hyphenated) << c.text;
        ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
        EXPECT_EQ(d.Text(), c.hyphenated) << "twice: " << c.text;
        ASSERT_EQ(d.Choose("Remove Hyphens From Box"), XT_OK);
        std::string plain = c.text;
        std::erase(plain, '~');
        EXPECT_EQ(d.Text(), plain) << c.text;
        for (int32_t p = 0; p < d.host.document->stories[0].Length(); ++p)
            EXPECT_FALSE(d.NoBreak(p)) << c.text << " at " << p;
        EXPECT_EQ(d.host.UndoSteps(), 3u);
    }
}

TEST(HyphenateBox, TheCompoundHyphenKeepsToItsLine) {
    HyphDocument d(OneBox("biało-czerwony"));
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
    ASSERT_EQ(d.Text(), "bia~ło~-czer~wo~ny");
    EXPECT_TRUE(d.NoBreak(7));   // the hyphen
    EXPECT_FALSE(d.NoBreak(6));  // the point before it
}

TEST(HyphenateBox, SettingsChooseWhichWordsAreHyphenated) {
    const struct {
        const char* settings;
        const char* hyphenated;
    } cases[] = {
        {"", "NATO XPress War~sza~wa"},
        {"[1Dzielenie]\n4PominWersaliki=0\n", "NA~TO XPress War~sza~wa"},
        {"[1Dzielenie]\n5PominXPress=0\n", "NATO XPress War~sza~wa"},
        {"[1Dzielenie]\n4PominWersaliki=0\n5PominXPress=0\n", "NA~TO XPress War~sza~wa"},
    };
    for (const auto& c : cases) {
        HyphDocument d(OneBox("NATO XPress Warszawa"), c.settings);
        ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
        EXPECT_EQ(d.Text(), c.hyphenated) << c.settings;
    }
}

TEST(HyphenateBox, ASelectionLimitsThePassToTheWholeWordsItTouches) {
    // A word the selection cuts is hyphenated whole, never as the piece inside the
    // selection (which would delete points valid in the whole word); the words
    // outside stay as they are, and the selection comes back over the words taken.
    const struct {
        const char* text;
        int start;
        int end;
        const char* hyphenated;
        int selectionStart;
        int selectionEnd;
    } cases[] = {
        {"niebieski niebieski niebieski kot", 3, 24, "nie~bie~ski nie~bie~ski nie~bie~ski kot", 0,
         35},
        // The selection over "przed~szko" of a word already hyphenated.
        {"ko~tek przed~szko~le", 7, 17, "ko~tek przed~szko~le", 7, 20},
        {"ko~tek przedszkole ab", 9, 12, "ko~tek przed~szko~le ab", 7, 20},
        // Ending right after a word, starting right before one: no word is cut.
        {"niebieski niebieski niebieski", 10, 19, "niebieski nie~bie~ski niebieski", 10, 21},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        HyphDocument d(OneBox(c.text, c.start, c.end));
        ASSERT_EQ(d.Choose("Hyphenate Selection"), XT_OK);
        EXPECT_EQ(d.Text(), c.hyphenated);
        const tarnik::host::Story& story = d.host.document->stories[0];
        EXPECT_EQ(story.selectionStart, c.selectionStart);
        EXPECT_EQ(story.selectionEnd, c.selectionEnd);
    }
}

TEST(HyphenateBox, TheCompoundPointNeverCarriesTheNoBreakStyle) {
    // Also where the compound's hyphen is the story's last character.
    for (const char* text : {"biało-czerwony", "biało-", "biało- i"}) {
        SCOPED_TRACE(text);
        HyphDocument d(OneBox(text));
        ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
        ASSERT_EQ(d.Text().rfind("bia~ło~-", 0), 0u) << d.Text();
        EXPECT_FALSE(d.NoBreak(6)) << "the point";
        EXPECT_TRUE(d.NoBreak(7)) << "the hyphen";
    }
}

TEST(HyphenateBox, RemoveKeepsTheUsersOwnNoBreakHyphens) {
    // The hyphen of "22-333" carries the user's no-break style; Tarnik never
    // touched it, so neither hyphenating nor removing the points takes it off.
    HyphDocument d(R"({"stories": [{"text": "tel. 22-333 i bia\u0142o-czerwony",
        "noBreak": [[7, 8]]}], "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}],
        "current": "t"})");
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
    ASSERT_EQ(d.Text(), "tel. 22-333 i bia~ło~-czer~wo~ny");
    ASSERT_EQ(d.Choose("Remove Hyphens From Box"), XT_OK);
    ASSERT_EQ(d.Text(), "tel. 22-333 i biało-czerwony");
    EXPECT_TRUE(d.NoBreak(7)) << "the user's";
    EXPECT_FALSE(d.NoBreak(19)) << "the compound's, which Tarnik set";
}

TEST(HyphenateBox, ACaretCoversTheWholeStoryAndStaysWhereItWas) {
    HyphDocument d(OneBox("niebieski niebieski", 12, 12));
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
    EXPECT_EQ(d.Text(), "nie~bie~ski nie~bie~ski");
    EXPECT_EQ(d.host.document->stories[0].selectionStart, 12);
    EXPECT_EQ(d.host.document->stories[0].selectionEnd, 12);
}

TEST(HyphenateBox, AShortStoryIsLeftAlone) {
    HyphDocument d(OneBox("ko~"));
    ASSERT_EQ(d.Choose("Remove Hyphens From Box"), XT_OK);
    EXPECT_EQ(d.Text(), "ko~");
}

const char kGroupWithAnchor[] = R"({
  "stories": [
    {"text": "niebieski ", "anchors": [{"at": 10, "item": {"id": "a", "type": "text", "story": 2}}]},
    {"text": "czerwony"},
    {"text": "zielony"}
  ],
  "spreads": [{"items": [
    {"id": "g", "type": "group", "items": [
      {"id": "t1", "type": "text", "story": 0}, {"id": "p", "type": "picture"},
      {"id": "t2", "type": "text", "story": 1}]}]}],
  "current": "g"})";

TEST(HyphenateBox, AGroupHasEveryTextBoxAndItsAnchoredBoxesHyphenated) {
    HyphDocument d(kGroupWithAnchor);
    ASSERT_EQ(d.Choose("Hyphenate Boxes"), XT_OK);
    EXPECT_EQ(d.Text(0), "nie~bie~ski \uFFFC");
    EXPECT_EQ(d.Text(1), "czer~wo~ny");
    EXPECT_EQ(d.Text(2), "zie~lo~ny");
    EXPECT_EQ(d.host.UndoSteps(), 1u);
    ASSERT_TRUE(d.host.Undo());
    EXPECT_EQ(d.Text(1), "czerwony");
    EXPECT_EQ(d.Text(2), "zielony");
    ASSERT_EQ(d.Choose("Hyphenate Boxes"), XT_OK);
    ASSERT_EQ(d.Choose("Remove Hyphens From Boxes"), XT_OK);
    EXPECT_EQ(d.Text(1), "czerwony");
    EXPECT_EQ(d.Text(2), "zielony");
}

TEST(HyphenateBox, TypographyFirstRunsInsideTheSameUndoStep) {
    HyphDocument d(kGroupWithAnchor, "[1Dzielenie]\n3NajpierTypografia=1\n");
    d.host.document->stories[1] = tarnik::host::Story(u"\"czerwony\"  kolor");
    ASSERT_EQ(d.Choose("Hyphenate Boxes"), XT_OK);
    EXPECT_EQ(d.Text(1), "„czer~wo~ny” ko~lor");
    EXPECT_EQ(d.Text(2), "zie~lo~ny");
    EXPECT_EQ(d.host.UndoSteps(), 1u);
    EXPECT_EQ(d.host.document->items[size_t(d.host.document->current)].id, "g");
}

TEST(HyphenateBox, NothingWithoutATextBoxOrGroup) {
    HyphDocument d(R"({"spreads": [{"items": [{"id": "p", "type": "picture"}]}], "current": "p"})");
    d.host.UpdateMenus();
    EXPECT_EQ(d.Choose("Hyphenate Box"), XT_ERR_PARAM);  // disabled
    EXPECT_EQ(d.host.UndoSteps(), 0u);
}

}  // namespace
