#include "platform/stored_text.h"

#include <gtest/gtest.h>

#include "shown_text.h"

namespace tarnik {
namespace {

TEST(StoredTextTest, PolishLettersAndQuotesBecomeMacCentralEuropeanBytes) {
    EXPECT_EQ(StoredText("Żółć"), "\xFB\x97\xB8\x8D");
    EXPECT_EQ(StoredText("„Hamlet” – «x»"), "\xE3Hamlet\xD3 \xD0 \xC7x\xC8");
    EXPECT_EQ(StoredText("Check Word..."), "Check Word...");
    EXPECT_EQ(StoredText("Ω"), "?") << "no cp1250 character";
}

TEST(StoredTextTest, ShowingAStoredTextGivesItBack) {
    for (const char* text :
         {"Usuń dywizy z zaznaczenia", "Cudzysłów typu »Hamlet«", "ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż ’“—™®©•"}) {
        EXPECT_EQ(testing::Shown(StoredText(text)), text);
    }
}

}  // namespace
}  // namespace tarnik
