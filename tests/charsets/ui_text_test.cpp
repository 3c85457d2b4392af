#include "charsets/ui_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <thread>

namespace tarnik {
namespace {

TEST(UiTextTest, ConvertsStoredTextToCp1250) {
    // "Żółć „x”" stored in mac
    EXPECT_STREQ(UiText("\xFB\x97\xB8\x8D \xE3x\xD3"), "\xAF\xF3\xB3\xE6 \x84x\x94");
    EXPECT_STREQ(UiText(nullptr), "");
    EXPECT_STREQ(UiText(""), "");

    std::string destination = "old";
    UiText("\xE6rodek", destination);  // "środek"
    EXPECT_EQ(destination, "\x9Crodek");
}

TEST(UiTextTest, ResultSurvivesFifteenMoreConversions) {
    const char* first = UiText("pierwszy");
    std::set<const char*> buffers{first};
    for (int i = 1; i < kUiTextBufferCount; ++i) {
        buffers.insert(UiText("inny"));
        EXPECT_STREQ(first, "pierwszy");
    }
    EXPECT_EQ(buffers.size(), static_cast<std::size_t>(kUiTextBufferCount));
    EXPECT_EQ(UiText("siedemnasty"), first);  // the 16th later conversion takes its buffer
    EXPECT_STREQ(first, "siedemnasty");
}

TEST(UiTextTest, LongTextIsCutNotOverflowed) {
    std::string longText(2000, '\x88');  // ą
    const char* shown = UiText(longText.c_str());
    EXPECT_EQ(std::strlen(shown), kUiTextBufferSize - 1);
    EXPECT_EQ(std::string(shown), std::string(kUiTextBufferSize - 1, '\xB9'));

    std::string whole;
    UiText(longText, whole);
    EXPECT_EQ(whole, std::string(2000, '\xB9'));
}

TEST(UiTextTest, EachThreadHasItsOwnBuffers) {
    const char* mine = UiText("moj");
    std::thread other([] {
        for (int i = 0; i < 2 * kUiTextBufferCount; ++i)
            UiText("cudzy");
    });
    other.join();
    EXPECT_STREQ(mine, "moj");
}

TEST(UiTextTest, ListJumpLowersCp1250) {
    const PolishCharset& charset = ListJumpCharset();
    EXPECT_EQ(charset.InternalName(), "win");
    EXPECT_EQ(charset.ExternalName(), "win");
    EXPECT_EQ(charset.Lower(0xA5), 0xB9);  // Ą
    EXPECT_EQ(charset.Lower('K'), 'k');
    EXPECT_EQ(&charset, &ListJumpCharset());
}

}  // namespace
}  // namespace tarnik
