// The gap buffer against a plain string under a long mix of edits at moving places.
#include <gtest/gtest.h>

#include <random>

#include "host/text_buffer.h"

using tarnik::host::TextBuffer;

namespace {

TEST(TextBuffer, MatchesAPlainStringUnderRandomEdits) {
    std::mt19937 random(7);
    TextBuffer buffer(u"początek");
    std::u16string text = u"początek";
    std::vector<uint16_t> styles(text.size(), 0);
    for (int step = 0; step < 5000; ++step) {
        auto length = static_cast<int32_t>(text.size());
        int32_t at = static_cast<int32_t>(random() % (text.size() + 1));
        if (random() % 3 != 0 || length == 0) {
            std::u16string insert(random() % 4 + 1, static_cast<char16_t>(u'a' + step % 26));
            auto style = static_cast<uint16_t>(step % 2 ? 0x80 : 0);
            buffer.Insert(at, insert.data(), static_cast<int32_t>(insert.size()), style);
            text.insert(size_t(at), insert);
            styles.insert(styles.begin() + at, insert.size(), style);
        } else {
            int32_t end = std::min(length, at + static_cast<int32_t>(random() % 5));
            buffer.Erase(at, end);
            text.erase(size_t(at), size_t(end - at));
            styles.erase(styles.begin() + at, styles.begin() + end);
        }
        ASSERT_EQ(buffer.Length(), static_cast<int32_t>(text.size()));
    }
    EXPECT_EQ(buffer.Text(), text);
    for (int32_t p = 0; p < buffer.Length(); ++p) {
        ASSERT_EQ(buffer.UnitAt(p), text[size_t(p)]);
        ASSERT_EQ(buffer.StyleAt(p), styles[size_t(p)]);
    }
}

}  // namespace
