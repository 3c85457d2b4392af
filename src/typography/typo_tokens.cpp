#include "typography/typo_tokens.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "text/story_text.h"
#include "typography/typo_positions.h"

namespace tarnik {

namespace {

constexpr std::size_t kUrlTokenMax = 4096;
constexpr uint16_t kLeftAngleBracket = 0x27E8;  // ⟨, beyond cp1250
constexpr std::size_t kExceptionTokenMax = 4094;

bool StartsWith(const uint16_t* token, std::size_t length, const char* prefix) {
    std::size_t i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= length || token[i] != static_cast<unsigned char>(prefix[i]))
            return false;
    }
    return true;
}

// Collects into `buffer` the token that contains `position` of a story of
// `length` characters, each as its full 16-bit code: first the characters
// before the position, then the position's own and those after it, at most
// `max` in all. `buffer` holds max + 1 codes; the token is ended by a 0, and its
// length is the result.
std::size_t GetTokenAround(XTStory story, int32_t length, int32_t position,
                           const TypoCharClasses& classes, uint16_t* buffer, std::size_t max) {
    std::size_t count = 0;
    for (int32_t q = position; q > 0 && count < max;) {
        int32_t r = StepBackward(story, q);
        if (r < 0 || q - r != 1)
            break;
        uint16_t code = GetChar(story, r);
        if (classes.Is(code, kTypoBlank))
            break;
        buffer[count++] = code;
        q = r;
    }
    std::reverse(buffer, buffer + count);
    if (position >= 0 && position < length) {
        for (int32_t v = position; count < max; ++v) {
            uint16_t code = GetChar(story, v);
            if (classes.Is(code, kTypoBlank))
                break;
            buffer[count++] = code;
            int32_t next = StepForward(story, v);
            if (next != v + 1 || next >= length)
                break;
        }
    }
    buffer[count] = 0;
    return count;
}

}  // namespace

bool IsUrlToken(XTStory story, int32_t length, int32_t position, const TypoCharClasses& classes) {
    std::array<uint16_t, kUrlTokenMax + 1> token;
    std::size_t count =
        GetTokenAround(story, length, position, classes, token.data(), kUrlTokenMax);
    // An address in brackets or quotation marks begins inside them: ⟨https://…⟩
    auto opening = [&](uint16_t code) {
        return code == '<' || code == '"' || code == '\'' || code == kLeftAngleBracket ||
               classes.Is(code, kTypoOpenBracket | kTypoQuote);
    };
    std::size_t skip = 0;
    while (skip < count && opening(token[skip]))
        ++skip;
    const uint16_t* text = token.data() + skip;
    count -= skip;
    return StartsWith(text, count, "ftp://") || StartsWith(text, count, "http://") ||
           StartsWith(text, count, "https://") || StartsWith(text, count, "ftp.") ||
           StartsWith(text, count, "www.") ||
           std::find(text, text + count, uint16_t{'@'}) != text + count;
}

bool IsSpaceException(XTStory story, int32_t length, int32_t position,
                      const TypoCharClasses& classes, const TypoWordList& exceptions) {
    std::array<uint16_t, kExceptionTokenMax + 1> token;
    std::size_t count =
        GetTokenAround(story, length, position, classes, token.data(), kExceptionTokenMax);
    // The key " token ", in cp1250; a character cp1250 lacks is in no list.
    std::array<char, kExceptionTokenMax + 2> key;
    key[0] = ' ';
    for (std::size_t i = 0; i < count; ++i) {
        if (token[i] >= 256)
            return false;
        key[i + 1] = static_cast<char>(token[i]);
    }
    key[count + 1] = ' ';
    return count > 0 && exceptions.ContainsKey(std::string_view(key.data(), count + 2));
}

}  // namespace tarnik
