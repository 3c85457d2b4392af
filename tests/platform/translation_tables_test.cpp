#include "platform/translation_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnik {
namespace {

TEST(TranslationTablesTest, UnregisteredTextComesBackAsTheSamePointer) {
    RegisterString("Typography", kPolishLanguage, "Typografia");
    const char* text = "Never registered";
    for (int language : {kCurrentLanguage, 0, int{kPolishLanguage}}) {
        EXPECT_EQ(TranslateString(text, language), text);
    }
}

TEST(TranslationTablesTest, SecondRegistrationReplacesTheFirst) {
    EXPECT_EQ(RegisterString("Check Word...", kPolishLanguage, "first"), 0);
    EXPECT_EQ(RegisterString("Check Word...", 7, "other language"), 0);
    EXPECT_EQ(RegisterString("Check Word...", kPolishLanguage, "second"), 0);
    EXPECT_STREQ(TranslateString("Check Word...", kPolishLanguage), "second");
    EXPECT_STREQ(TranslateString("Check Word...", 7), "other language");
    EXPECT_EQ(RegisterDialog(31118, kPolishLanguage, 31299), 0);
    EXPECT_EQ(RegisterDialog(31118, kPolishLanguage, 31218), 0);
    EXPECT_EQ(TranslateDialog(31118, kPolishLanguage), 31218);
}

TEST(TranslationTablesTest, CurrentLanguageComesFromTheHostAtEachLookup) {
    RegisterString("Typography", kPolishLanguage, "Typografia");
    RegisterDialog(31119, kPolishLanguage, 31219);
    const char* key = "Typography";
    EXPECT_EQ(TranslateString(key), key) << "no language source yet";
    std::optional<uint16_t> hostLanguage = kPolishLanguage;
    SetLanguageSource([&] { return hostLanguage; });
    EXPECT_STREQ(TranslateString(key), "Typografia");
    EXPECT_EQ(TranslateDialog(31119), 31219);
    for (std::optional<uint16_t> english :
         {std::optional<uint16_t>(0), std::optional<uint16_t>(9), std::optional<uint16_t>()}) {
        hostLanguage = english;
        EXPECT_EQ(TranslateString(key), key);
        EXPECT_EQ(TranslateDialog(31119), 31119);
    }
    SetLanguageSource(nullptr);
}

TEST(TranslationTablesTest, SharedBufferIsOverwrittenByTheNextLookup) {
    RegisterString("Hyphenate Box", kPolishLanguage, "w ramce");
    RegisterString("Hyphenate Boxes", kPolishLanguage, "w ramkach");
    const char* first = TranslateString("Hyphenate Box", kPolishLanguage);
    EXPECT_STREQ(first, "w ramce");
    const char* second = TranslateString("Hyphenate Boxes", kPolishLanguage);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "w ramkach");
}

TEST(TranslationTablesTest, CallerBufferIsFilledWithinItsSize) {
    RegisterString("Typography", kPolishLanguage, "Typografia");
    char buffer[6];
    EXPECT_EQ(TranslateString("Typography", kPolishLanguage, buffer, sizeof buffer), buffer);
    EXPECT_STREQ(buffer, "Typog");
}

TEST(TranslationTablesTest, TextsTooLongForTheirFieldsAreRefused) {
    std::string longText(512, 'x');
    EXPECT_EQ(RegisterString(longText.c_str(), kPolishLanguage, "short"), 1);
    EXPECT_EQ(RegisterString("Short", kPolishLanguage, longText.c_str()), 1);
    // Neither registration left an entry behind under the empty key.
    EXPECT_STREQ(TranslateString("", kPolishLanguage), "");
    EXPECT_STREQ(TranslateString("Short", kPolishLanguage), "Short");
    EXPECT_EQ(TranslateString(longText.c_str(), kPolishLanguage), longText.c_str());
}

}  // namespace
}  // namespace tarnik
