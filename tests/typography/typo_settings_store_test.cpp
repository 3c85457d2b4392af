#include "typography/typo_settings_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/settings_store.h"
#include "tests/support/temp_folder.h"
#include "typography/typography_state.h"

namespace tarnik {
namespace {

class TypoSettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = folder_.Path("Tarnik11.ini");
        SetStoreTarget(path_.c_str(), "Prefs");
    }

    void Write(const std::string& text) {
        std::ofstream(path_, std::ios::binary) << text;
        SetStoreTarget(path_.c_str(), nullptr);  // drop what the store read before
    }
    std::string Read() const {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    testsupport::TempFolder folder_;
    std::string path_;
};

TEST_F(TypoSettingsStoreTest, StoreWithoutTheSectionGivesExactlyTheDefaults) {
    Write("[1Slownik]\n2Cudzyslow=0\n");
    Typography().settings.fixQuotes = 0;
    Typography().settings.afterWordsList.Assign("x");
    TypoSettingsLoad();
    const TypoSettings& s = Typography().settings;
    EXPECT_EQ(StoreSection(), "1Typografia");
    EXPECT_EQ(s.fixQuotes, 1);
    EXPECT_EQ(s.dashStyle, 1);
    EXPECT_EQ(s.guessQuotes, 0);
    EXPECT_EQ(s.removeSpacesBeforeChars, ".,;:!?)]}");
    EXPECT_EQ(s.insertSpacesBeforeChars, "([{");
    EXPECT_EQ(s.removeCharsList, "");
    EXPECT_EQ(s.afterWordsList.Padded(), std::string(" ") + kDefaultAfterWords + " ");
    // The longest words of the default lists.
    EXPECT_EQ(s.afterWordsList.Longest(), 5);
    EXPECT_EQ(s.afterDigitsList.Longest(), 2);
    EXPECT_EQ(s.beforeWordsList.Longest(), 4);
    EXPECT_EQ(s.spaceExceptionsList.Longest(), 5);
}

TEST_F(TypoSettingsStoreTest, SaveWritesEveryKeyInOrderAndLoadGivesEveryFieldBack) {
    TypoSettings& s = Typography().settings;
    s = TypoSettings();
    s.fixQuotes = 0;
    s.innerQuoteStyle = 2;
    s.guessQuotes = 1;
    s.quoteSpaceFix = 1;
    s.dashStyle = 0;
    s.nbspBeforeRoman = 0;
    s.removeSpacesBeforeChars = ". , ;";  // typed with spaces in the dialog
    s.removeCharsList = "#";
    s.afterDigitsList.Assign("kg z\xB3");
    TypoSettingsSave();
    EXPECT_EQ(Read(),
              "[1Typografia]\n2Cudzyslow=0\n3Cytat=2\n23ZgadnijCudzyslow=1\n24CudzyslowSpacja=1\n"
              "8SpacjaLacz=1\n9Pauza=0\n27LaczPoPauzach=1\n5WielokrotneSpacje=1\n"
              "11UsunSpacjePrzed=1\n11Znaki=. , ;\n12WstawSpacjePrzed=1\n12Znaki=([{\n"
              "13UsunSpacjePo=1\n13Znaki=([{\n14WstawSpacjePo=1\n14Znaki=.,;:!?)]}\n"
              "AUsuwajZnaki=1\nBZnaki=#\n7LaczliweSpacje=1\n22LaczPrzedSlowami=1\n"
              "15LaczPoCyfrach=1\n19insremSpcExc=1\n17nbspAfterDigits=kg z\xB3\n"
              "18nbspAfterWords=" +
                  std::string(kDefaultAfterWords) +
                  "\n21nbspBeforeWords=Sp. o.o. S.A. SA\n20SinsremSpcExc=S.A. o.o. m.in.\n"
                  "25LaczPrzedCyframi=1\n26LaczPrzedCyframiRzymskimi=0\n");

    TypoSettings saved = s;
    s = TypoSettings();
    TypoSettingsLoad();
    EXPECT_EQ(s.fixQuotes, 0);
    EXPECT_EQ(s.innerQuoteStyle, 2);
    EXPECT_EQ(s.guessQuotes, 1);
    EXPECT_EQ(s.quoteSpaceFix, 1);
    EXPECT_EQ(s.dashStyle, 0);
    EXPECT_EQ(s.nbspBeforeRoman, 0);
    EXPECT_EQ(s.removeSpacesBeforeChars, ".,;");
    EXPECT_EQ(s.removeCharsList, "#");
    EXPECT_EQ(s.afterDigitsList.Padded(), saved.afterDigitsList.Padded());
    EXPECT_EQ(s.afterDigitsList.Longest(), 2);
}

TEST_F(TypoSettingsStoreTest, StoredValuesAreCutCleanedAndKeptInRange) {
    std::string longWords(300, 'w');
    Write("[1Typografia]\n11Znaki=\t. ,\t;\nBZnaki=" + std::string(150, '#') +
          "\n14Znaki=\n18nbspAfterWords=\n17nbspAfterDigits=" + longWords +
          "\n3Cytat=7\n9Pauza=2\n2Cudzyslow=70000\n");
    TypoSettingsLoad();
    const TypoSettings& s = Typography().settings;
    EXPECT_EQ(s.removeSpacesBeforeChars, ".,;");
    EXPECT_EQ(s.removeCharsList, std::string(100, '#'));
    EXPECT_EQ(s.insertSpacesAfterChars, "");  // an empty character list stays empty
    EXPECT_EQ(s.afterWordsList.Padded(), std::string(" ") + kDefaultAfterWords + " ");
    EXPECT_EQ(s.afterDigitsList.Padded(), " " + std::string(253, 'w') + " ");
    EXPECT_EQ(s.afterDigitsList.Longest(), 253);
    EXPECT_EQ(s.innerQuoteStyle, 0);
    EXPECT_EQ(s.dashStyle, 1);
    EXPECT_EQ(s.fixQuotes, 32767);
}

struct CheckCase {
    const char* text;
    const char* problems;  // "LINE: message" lines
};

const CheckCase kChecks[] = {
    {"[1Typografia]\n2Cudzyslow=1\n3cytat = 3\n9Pauza=0\nBZnaki=#\n", ""},
    // Only the typography section is looked at; a line that holds no key is no key.
    {"[Prefs]\nnieznany=1\n[1Typografia]\n; uwaga\n", ""},
    {"[1Typografia]\nnieznany=1\n2Cudzyslow=tak\n3Cytat=4\n8SpacjaLacz=2\n9Pauza=\n",
     "2: unknown key 'nieznany' in [1Typografia]\n3: bad value 'tak' for 2Cudzyslow (0 or 1)\n"
     "4: bad value '4' for 3Cytat (0, 1, 2 or 3)\n5: bad value '2' for 8SpacjaLacz (0 or 1)\n"
     "6: bad value '' for 9Pauza (0 or 1)\n"},
};

TEST(CheckTypoSettingsTextTest, ReportsUnknownKeysAndBadValuesWithTheirLines) {
    for (const CheckCase& c : kChecks) {
        std::string found;
        for (const SettingsProblem& p : CheckTypoSettingsText(c.text))
            found += std::to_string(p.line) + ": " + p.message + "\n";
        EXPECT_EQ(found, c.problems) << c.text;
    }
}

TEST(CheckTypoSettingsTextTest, ListsLongerThanTheirFieldsAreReported) {
    std::string text = "[1Typografia]\nBZnaki=" + std::string(100, '#') +
                       "\n18nbspAfterWords=" + std::string(253, 'a') +
                       "\n11Znaki=" + std::string(256, '.') + "\n";
    std::vector<SettingsProblem> problems = CheckTypoSettingsText(text);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].line, 4u);
    EXPECT_EQ(problems[0].message, "the value of 11Znaki is longer than 255 bytes");
}

}  // namespace
}  // namespace tarnik
