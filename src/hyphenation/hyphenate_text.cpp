#include "hyphenation/hyphenate_text.h"

#include "charsets/char_classes.h"
#include "hyphenation/hyphenate_word.h"

namespace tarnik {

std::string HyphenateText(const HyphDict& dict, std::string_view text, bool withUser) {
    std::string result;
    std::string hyphenated;
    size_t i = 0;
    while (i < text.size()) {
        if (!IsAlpha(static_cast<uint8_t>(text[i]))) {
            result.push_back(text[i++]);
            continue;
        }
        size_t end = i;
        while (end < text.size() && IsAlnum(static_cast<uint8_t>(text[end])))
            ++end;
        std::string_view word = text.substr(i, end - i);
        hyphenated.clear();
        if (withUser)
            HyphenateWordWithUser(dict, word, &hyphenated);
        else
            HyphenateWordWithoutUser(dict, word, &hyphenated);
        // The hyphenation stops at a digit: the rest of the word follows as it is.
        size_t letters = 0;
        for (char c : hyphenated)
            letters += c != '-';
        result += hyphenated;
        if (letters < word.size())
            result.append(word.substr(letters));
        // A compound: the break before its hyphen, which Hyphenate Box marks with
        // a point (the line ends in "kotek-", the next begins with "-piesek").
        if (end < text.size() && text[end] == '-')
            result.push_back('-');
        i = end;
    }
    return result;
}

}  // namespace tarnik
