#include "hyphcommands/hyph_pass.h"

#include "charsets/char_classes.h"
#include "text/story_text.h"

namespace tarnik {

namespace {

// Hyphenation words start at a letter of the Polish alphabet and run over its
// letters and digits: the patterns know no other letters.
bool IsHyphLetter(uint16_t code) {
    return code < 256 && IsAlpha(static_cast<uint8_t>(code));
}

bool IsHyphWordChar(uint16_t code) {
    return code == DiscretionaryHyphen || (code < 256 && IsAlnum(static_cast<uint8_t>(code)));
}

}  // namespace

int HyphPass::NextHyphWord(HyphWord& word) {
    word.text.clear();
    word.compound = false;
    if (current_ >= end_)
        return 0;
    HostApi& host = Host();
    while (!IsHyphLetter(GetChar(story_, current_))) {
        int32_t next = host.NextCharPosition(story_, current_, XT_FORWARD);
        if (next <= current_ || next >= end_) {
            current_ = end_;
            return 0;
        }
        current_ = next;
    }
    word.start = current_;
    int32_t cut = -1;  // where the part to hyphenate ends, once the word is longer
    int32_t letters = 0;
    int32_t position = current_;
    bool endedByCharacter = false;
    while (position < end_) {
        uint16_t code = GetChar(story_, position);
        if (!IsHyphWordChar(code)) {
            endedByCharacter = true;
            word.compound = code == '-';
            break;
        }
        if (code != DiscretionaryHyphen) {
            if (letters == kMaxHyphWordLetters && cut < 0)
                cut = position;
            if (cut < 0)
                word.text.push_back(static_cast<char>(code));
            ++letters;
        }
        // A step over more than one position (a surrogate pair) ends the word.
        int32_t next = host.NextCharPosition(story_, position, XT_FORWARD);
        if (next <= position)
            break;
        const bool plain = next == position + 1;
        position = next > end_ ? end_ : next;
        if (!plain)
            break;
    }
    current_ = position;
    word.end = cut >= 0 ? cut : position;
    word.compound = word.compound && endedByCharacter && cut < 0;
    return 1;
}

void WidenToWholeWords(XTStory story, int32_t length, int32_t& start, int32_t& end) {
    HostApi& host = Host();
    // Back while the character before is one of the word's, by plain steps.
    while (start > 0 && IsHyphWordChar(GetChar(story, start - 1)) &&
           host.NextCharPosition(story, start, XT_BACKWARD) == start - 1) {
        --start;
    }
    if (end <= start)
        return;
    // On while the last character taken and the next one are the word's.
    while (end < length && IsHyphWordChar(GetChar(story, end - 1)) &&
           IsHyphWordChar(GetChar(story, end))) {
        int32_t next = host.NextCharPosition(story, end, XT_FORWARD);
        if (next <= end)
            break;
        end = next > length ? length : next;
    }
}

int32_t ApplyHyphenation(XTBox box, XTStory story, const HyphWord& word,
                         std::string_view hyphenated) {
    HostApi& host = Host();
    int32_t p = word.start;
    int32_t end = word.end;
    int32_t delta = 0;
    size_t at = 0;
    while (p < end && at < hyphenated.size()) {
        const bool point = GetChar(story, p) == DiscretionaryHyphen;
        const bool allowed = hyphenated[at] == '-';
        if (point && !allowed) {
            if (DeleteBoxText(box, p, p + 1) == 0) {
                --end;
                --delta;
            } else {
                ++p;
            }
            continue;
        }
        if (!point && allowed) {
            host.SetTextSelection(story, p - 1, p, false);
            if (PutChar(story, p, DiscretionaryHyphen) == XT_OK) {
                ++end;
                ++delta;
                ++p;
            }
            ++at;
            continue;
        }
        int32_t next = host.NextCharPosition(story, p, XT_FORWARD);
        p = next > p ? next : p + 1;
        ++at;
    }

    // The rest of the word: after a digit it is kept whole; a bare run of points
    // after the last letter stands at no break and goes, but for the compound's.
    bool onlyPoints = p < end;
    for (int32_t q = p; q < end && onlyPoints; ++q)
        onlyPoints = GetChar(story, q) == DiscretionaryHyphen;
    if (onlyPoints) {
        int32_t stop = word.compound ? end - 1 : end;
        if (p < stop && DeleteBoxText(box, p, stop) == 0) {
            delta -= stop - p;
            end = p + (end - stop);
        }
    }

    if (word.compound) {
        host.SetTextSelection(story, end, end + 1, false);
        if ((host.GetSelectionStyleFlags(story) & XT_STYLE_NO_BREAK) == 0)
            host.SetSelectionStyleFlags(story, XT_STYLE_SELECTOR, XT_STYLE_NO_BREAK);
        if (GetChar(story, end - 1) != DiscretionaryHyphen) {
            // The point takes the style of the text after the hyphen, never the
            // hyphen's no-break style; a hyphen that ends the story has nothing
            // after it, so the point takes the word's own style.
            if (host.SetTextSelection(story, end + 1, end + 2, false) != XT_OK)
                host.SetTextSelection(story, end, end, false);
            if (PutChar(story, end, DiscretionaryHyphen) == XT_OK)
                ++delta;
        }
    }
    return delta;
}

}  // namespace tarnik
