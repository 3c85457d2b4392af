// Runs that stop at a quotation mark, and runs over a selection.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/host_api.h"
#include "platform/plugin_translations.h"
#include "platform/translation_tables.h"
#include "typo_document.h"
#include "typography/run_typography.h"
#include "typography/typography_state.h"

namespace tarnik {
namespace {

using testing::TypoDocument;

void UseSettings(void (*setup)(TypoSettings&) = nullptr) {
    Typography().settings = TypoSettings();
    if (setup)
        setup(Typography().settings);
    BuildTypoCharClasses();
}

struct StopCase {
    const char* before;
    const char* after;  // the text when the run stopped
    const char* message;
    void (*setup)(TypoSettings&) = nullptr;
};

const StopCase kStops[] = {
    {"b  c \" d  e", "b c \" d  e", "Quotation mark between two spaces"},
    {"\"tak\" i b\"c  d", "„tak” i~b\"c  d", "Quotation mark between two non-spaces"},
    {"b -\"- c", "b -\"- c", "Quotation mark between two non-spaces"},
    // With guessing, a mark between blanks that no space can fix stops the run
    // with the same message rather than silently.
    {"b \" c  d", "b \" c  d", "Quotation mark between two spaces",
     [](TypoSettings& s) { s.guessQuotes = 1; }},
    {"b \"\tc  d", "b \"\tc  d", "Quotation mark between two spaces",
     [](TypoSettings& s) { s.guessQuotes = 1, s.quoteSpaceFix = 1; }},
};

TEST(TypographyStopsTest, AmbiguousMarkStopsTheRunWithTheMarkSelected) {
    for (const StopCase& c : kStops) {
        SCOPED_TRACE(c.before);
        UseSettings(c.setup);
        TypoDocument document(c.before);
        RunTypography();
        EXPECT_EQ(document.Text(), c.after);
        ASSERT_EQ(document.host.messages.size(), 1u);
        EXPECT_NE(document.host.messages[0].text.find(c.message), std::string::npos);
        EXPECT_EQ(document.Selected(), "\"");
    }
}

TEST(TypographyStopsTest, ACallerThatAsksIsToldOfEachMarkAndTheRunGoesOn) {
    UseSettings();
    std::vector<std::pair<int32_t, std::string>> left;
    Typography().quoteLeft = [&](int32_t position, const char* message) {
        left.emplace_back(position, message);
        return true;
    };
    TypoDocument document("b  \" c \"d\" e\"f  g");
    RunTypography();
    Typography().quoteLeft = nullptr;
    EXPECT_EQ(document.Text(), "b \" c „d” e\"f g");
    EXPECT_TRUE(document.host.messages.empty());
    EXPECT_EQ(left, (std::vector<std::pair<int32_t, std::string>>{
                        {2, "Quotation mark between two spaces"},
                        {11, "Quotation mark between two non-spaces"}}));
}

TEST(TypographyStopsTest, ACallerCanStopTheRunAtAMarkWithoutAMessage) {
    UseSettings();
    Typography().quoteLeft = [](int32_t, const char*) { return false; };
    TypoDocument document("b  c \" d  e");
    RunTypography();
    Typography().quoteLeft = nullptr;
    EXPECT_EQ(document.Text(), "b c \" d  e");
    EXPECT_TRUE(document.host.messages.empty());
}

TEST(TypographyStopsTest, MessageIsInPolishWhenTheHostIs) {
    UseSettings();
    TypoDocument document("a \" b");
    document.host.language = XT_LANGUAGE_POLISH;
    RegisterPluginTranslations();
    SetLanguageSource([] { return std::optional<uint16_t>(Host().GetInterfaceLanguage()); });
    RunTypography();
    ASSERT_EQ(document.host.messages.size(), 1u);
    EXPECT_NE(document.host.messages[0].text.find("Cudzysłów między spacjami"), std::string::npos)
        << document.host.messages[0].text;
}

TEST(TypographyStopsTest, DepthStartsAtZeroInEveryRun) {
    UseSettings();
    TypoDocument document("\"b");
    RunTypography();
    RunTypography();  // „ is an opening mark again, not a closing one
    EXPECT_EQ(document.Text(), "„b");
}

struct RangeCase {
    const char* text;
    int32_t start, end;
    const char* after;
    const char* selected;  // the selection given back
};

const RangeCase kRanges[] = {
    // A caret, or everything selected: the whole story.
    {"b  c  d", 3, 3, "b c d", ""},
    {"b  c  d", 0, 7, "b c d", "b c d"},
    // A selection: only its text, though a rule may look just before it.
    {"b  c  d  e", 3, 7, "b  c d  e", "c d"},
    {"tak ,nie  i", 4, 8, "tak, nie  i", ", nie"},
    {"b  \"c\"  d", 3, 6, "b  „c”  d", "„c”"},
    // Inserting before the last selected character keeps it selected.
    {"ala(ma", 2, 4, "ala (ma", "a ("},
};

TEST(TypographyStopsTest, RangeIsTheSelectionAndTheSelectionComesBack) {
    for (const RangeCase& c : kRanges) {
        SCOPED_TRACE(c.text);
        UseSettings();
        TypoDocument document(c.text, c.start, c.end);
        RunTypography();
        EXPECT_EQ(document.Text(), c.after);
        EXPECT_EQ(document.Selected(), c.selected);
        EXPECT_EQ(document.host.textUpdateOffDepth, 0);
    }
}

TEST(TypographyStopsTest, EmptyStoryAndNoTextBoxAreLeftAlone) {
    UseSettings();
    TypoDocument empty("");
    RunTypography();
    EXPECT_EQ(empty.Text(), "");

    TypoDocument picture("a  b");
    picture.host.document->items[0].type = host::ItemType::Picture;
    RunTypography();
    EXPECT_EQ(picture.Text(), "a  b");
}

}  // namespace
}  // namespace tarnik
