// services::Typographer: the corrections of a text, each with its place and
// its rule, in a plug-in started for typography as tarnik lsp starts it.
#include "services/typographer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "cli/text_file_run.h"

namespace tarnik::cli {
namespace {

class TypographerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TextRunOptions options;
        options.xtensionsDir = TARNIK_BIN_DIR "/XTensions";
        options.components = kTypographyComponent;
        std::string error;
        ASSERT_TRUE(run_.Start(u"", options, nullptr, error)) << error;
        ASSERT_FALSE(typographer_.Open({}));
    }

    // The text with every finding's replacement made.
    static std::string Applied(std::string_view text, const services::TypoCorrection& correction) {
        std::string out;
        std::size_t done = 0;
        for (const services::TypoFinding& finding : correction.findings) {
            EXPECT_GE(finding.start, done) << "findings overlap";
            out.append(text.substr(done, finding.start - done));
            out += finding.replacement;
            done = finding.end;
        }
        return out + std::string(text.substr(done));
    }

    TextFileRun run_;
    services::Typographer typographer_;
};

TEST_F(TypographerTest, NamesEachCorrectionByItsRule) {
    struct Case {
        const char* text;
        std::vector<std::tuple<std::size_t, std::size_t, std::string, std::string>> findings;
    };
    const Case cases[] = {
        {"Mówił \"tak\".", {{8, 9, "„", "quotes"}, {12, 13, "”", "quotes"}}},
        {"potem( znowu )",
         {{5, 5, " ", "insert-space-before"},
          {6, 7, "", "remove-space-after"},
          {12, 13, "", "remove-space-before"}}},
        {"tak ,nie", {{3, 4, "", "remove-space-before"}, {5, 5, " ", "insert-space-after"}}},
        {"tak - nie", {{4, 5, "–", "dashes"}, {5, 6, "\u00A0", "dash-binding"}}},
        {"kot  pies", {{4, 5, "", "repeated-spaces"}}},
        {"tak , nie", {{3, 4, "", "remove-space-before"}}},
        {"tak,nie", {{4, 4, " ", "insert-space-after"}}},
        {"( tak)", {{1, 2, "", "remove-space-after"}}},
        {"to(tak)", {{2, 2, " ", "insert-space-before"}}},
        {"w domu", {{1, 2, "\u00A0", "after-words"}}},
        {"5 kg", {{1, 2, "\u00A0", "after-digits"}}},
        {"rok 2020", {{3, 4, "\u00A0", "before-digits"}}},
        {"wiek XX", {{4, 5, "\u00A0", "before-roman"}}},
        // Markup passed over is never changed, and the rules see past it.
        {"\x1e\x1e\"tak\"\x1e\x1e", {{2, 3, "„", "quotes"}, {6, 7, "”", "quotes"}}},
        {"\x1f\"tak\"", {{1, 2, "„", "quotes"}, {5, 6, "”", "quotes"}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        services::TypoCorrection correction = typographer_.Correct(c.text);
        std::vector<std::tuple<std::size_t, std::size_t, std::string, std::string>> found;
        for (const services::TypoFinding& finding : correction.findings)
            found.emplace_back(finding.start, finding.end, finding.replacement, finding.rule);
        EXPECT_EQ(found, c.findings);
        EXPECT_EQ(Applied(c.text, correction), correction.text);
    }
}

TEST_F(TypographerTest, FindingsMakeTheCorrectedTextOfLongProse) {
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "Ala \"ma\" kota - 5 kg , (tak)i   w 2020 r. 😀 „cytat\" i 'x' ;-) .\n";
    services::TypoCorrection correction = typographer_.Correct(text);
    EXPECT_GT(correction.findings.size(), 300u * 5);
    EXPECT_EQ(Applied(text, correction), correction.text);
}

TEST_F(TypographerTest, ALineTooLongToCompareIsOneFinding) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "Ala \"ma\" kota - 5 kg , (tak)i   w 2020 r. ";
    services::TypoCorrection correction = typographer_.Correct(text);
    EXPECT_EQ(correction.findings.size(), 1u);
    EXPECT_EQ(Applied(text, correction), correction.text);
}

TEST_F(TypographerTest, LeavesAMarkItCannotPlaceAndSaysWhy) {
    services::TypoCorrection correction = typographer_.Correct("tak \" nie \"tak\"");
    auto left = std::ranges::find_if(correction.findings, [](const services::TypoFinding& found) {
        return !found.message.empty();
    });
    ASSERT_NE(left, correction.findings.end());
    EXPECT_EQ(left->start, 4u);
    EXPECT_EQ(left->end, 5u);
    EXPECT_EQ(left->replacement, "\"");
    EXPECT_EQ(left->rule, "quotes");
    EXPECT_EQ(left->message, "Quotation mark between two spaces");
}

TEST_F(TypographerTest, TakesOptionsByTheRulesNames) {
    ASSERT_FALSE(
        typographer_.Open({.rules = {{"quotes", false}}, .innerQuotes = 2, .emDash = true}));
    services::TypoCorrection correction = typographer_.Correct("\"tak\" - nie");
    EXPECT_EQ(correction.text, "\"tak\" —\u00A0nie");
    std::optional<Error> refused = typographer_.Open({.rules = {{"cudzyslowy", true}}});
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->Message(), "unknown typography rule 'cudzyslowy'");
    EXPECT_TRUE(typographer_.Open({.innerQuotes = 7}));
    // A refused option leaves the options in force.
    EXPECT_EQ(typographer_.Correct("\"tak\"").text, "\"tak\"");
}

}  // namespace
}  // namespace tarnik::cli
