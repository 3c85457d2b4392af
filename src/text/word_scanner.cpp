#include "text/word_scanner.h"

#include <algorithm>
#include <cstring>

#include "charsets/char_classes.h"
#include "charsets/internal_code.h"
#include "text/story_text.h"
#include "text/unicode_case.h"

namespace tarnik {

namespace {

// A host story as FindNextWord reads it.
struct StorySource {
    XTStory story;
    uint16_t CharAt(int32_t position) const { return GetChar(story, position); }
    int32_t NextPosition(int32_t position) const {
        return Host().NextCharPosition(story, position, XT_FORWARD);
    }
};

// cp1250 bytes as the characters they stand for.
std::u16string BytesAsUnits(std::string_view bytes) {
    std::u16string units;
    units.reserve(bytes.size());
    for (char c : bytes) {
        auto byte = static_cast<uint8_t>(c);
        char16_t unit = InternalToUnicode(byte);
        units.push_back(unit == kNoUnicode ? char16_t(byte) : unit);
    }
    return units;
}

std::string UnitsAsBytes(std::u16string_view units) {
    std::string bytes;
    for (char16_t unit : units) {
        uint16_t code = UnicodeToInternal(unit);
        bytes.push_back(static_cast<char>(code < 256 ? code : '?'));
    }
    return bytes;
}

// The characters of a word's range that are its own: not the discretionary
// hyphen, nor the marks the word finder keeps out of a word's text.
bool IsOwnUnit(char16_t unit) {
    return unit != 0x00AD && unit != 0x001F && unit != 0x00D7;
}

}  // namespace

WordScanner& Scanner() {
    static WordScanner scanner;
    return scanner;
}

int WordScanner::BeginScan(int mode) {
    if (mode == kWholeDocument)
        return 1;
    XTBox box = Host().GetCurrentBox();
    if (box == 0 || !Host().IsTextBox(box))
        return -1;
    BoxTextInfo info = Host().GetBoxTextInfo(box);
    if (info.length <= 0)
        return 0;
    story_ = info.story;
    savedStart_ = info.selectionStart;
    savedEnd_ = info.selectionEnd;
    current_ = info.selectionStart;
    end_ = info.selectionEnd;
    if (current_ == end_) {
        current_ = 0;
        end_ = info.length;
    }
    IgnoreClear();
    ReplaceClear();
    return 1;
}

void WordScanner::ScanRange(int32_t start, int32_t end) {
    BoxTextInfo info = Host().GetBoxTextInfo(0);
    story_ = info.story;
    current_ = start < 0 ? 0 : start;
    end_ = end < 0 ? info.length : end;
}

int WordScanner::NextWord(char* word, int32_t* start, int32_t* end) {
    if (!word || !start || !end)
        return -1;
    word[0] = '\0';
    StorySource source{story_};
    int32_t wordStart = 0;
    std::string text;
    if (!FindNextWord(source, current_, end_, wordStart, text)) {
        *start = *end = current_;
        return 0;
    }
    std::memcpy(word, text.data(), text.size());
    word[text.size()] = '\0';
    *start = wordStart;
    *end = current_;
    return 1;
}

bool WordScanner::NextWord(ScannedWord& word) {
    word = ScannedWord{};
    StorySource source{story_};
    if (!FindNextWord(source, current_, end_, word.start, word.text)) {
        word.start = word.end = current_;
        return false;
    }
    word.end = current_;
    for (char16_t unit : GetUnits(story_, word.start, word.end)) {
        if (IsOwnUnit(unit))
            word.units.push_back(unit);
    }
    return true;
}

int32_t WordScanner::WordAtCaret(int32_t* start, int32_t* end) {
    BoxTextInfo info = Host().GetBoxTextInfo(0);
    int32_t first = info.selectionStart;
    int32_t last = info.selectionEnd;
    if (info.story == 0 || first < 0 || last < first) {
        *start = *end = 0;
        return 0;
    }
    // Back over word characters while each step back is a plain one.
    int32_t previous = first > 0 ? Host().NextCharPosition(info.story, first, XT_BACKWARD) : -1;
    while (previous >= 0 && previous == first - 1 && IsWordChar(GetChar(info.story, previous))) {
        first = previous;
        if (first == 0)
            break;
        previous = Host().NextCharPosition(info.story, first, XT_BACKWARD);
    }
    // Forward over word characters; a step that is not plain ends the word where the
    // host says the character ends.
    while (last < info.length && IsWordChar(GetChar(info.story, last))) {
        int32_t next = Host().NextCharPosition(info.story, last, XT_FORWARD);
        if (next != last + 1) {
            if (next > last)
                last = next;
            break;
        }
        last = next;
    }
    *start = first;
    *end = last;
    return first < last ? last - first : 0;
}

bool WordScanner::ReplaceWord(std::string_view replacement, int32_t start, int32_t end) {
    int32_t delta = 0;
    bool replaced = ReplaceRange(start, end, replacement, delta);
    return MovedBy(replaced, delta);
}

bool WordScanner::ReplaceWord(std::u16string_view replacement, int32_t start, int32_t end) {
    int32_t delta = 0;
    bool replaced = ReplaceRange(start, end, replacement, delta);
    return MovedBy(replaced, delta);
}

bool WordScanner::MovedBy(bool replaced, int32_t delta) {
    if (!replaced)
        return false;
    current_ += delta;
    end_ += delta;
    return true;
}

bool WordScanner::ReplaceWordWithCase(std::string_view replacement, int32_t start, int32_t end,
                                      uint16_t flags) {
    std::string cased(replacement);
    ApplyWordCase(cased.data(), flags);
    return ReplaceWord(cased, start, end);
}

void WordScanner::IgnoreAdd(std::u16string_view word) {
    ignore_.push_front(IgnoreEntry{LoweredUnits(word), std::u16string(word)});
}

bool WordScanner::IgnoreContains(std::u16string_view word) const {
    return std::any_of(ignore_.begin(), ignore_.end(), [&](const IgnoreEntry& entry) {
        return entry.lower == word || entry.word == word;
    });
}

void WordScanner::IgnoreAdd(std::string_view word) {
    IgnoreAdd(BytesAsUnits(word));
}

bool WordScanner::IgnoreContains(std::string_view word) const {
    return IgnoreContains(BytesAsUnits(word));
}

void WordScanner::IgnoreClear() {
    ignore_.clear();
}

void WordScanner::ReplaceAdd(std::u16string_view word, std::u16string_view replacement) {
    bool follows = ReplacementFollowsCase(word, replacement);
    ChangeAllAnswer answer{follows ? LoweredUnits(replacement) : std::u16string(replacement),
                           follows};
    replace_.push_front(ReplaceEntry{LoweredUnits(word), std::move(answer)});
}

std::optional<ChangeAllAnswer> WordScanner::ReplaceFind(std::u16string_view word) const {
    for (const auto& entry : replace_) {
        if (entry.word == word)
            return entry.answer;
    }
    return std::nullopt;
}

void WordScanner::ReplaceAdd(std::string_view word, std::string_view replacement) {
    replace_.push_front(ReplaceEntry{LoweredUnits(BytesAsUnits(word)),
                                     {LoweredUnits(BytesAsUnits(replacement)), true}});
}

std::optional<std::string> WordScanner::ReplaceFind(std::string_view word) const {
    if (std::optional<ChangeAllAnswer> answer = ReplaceFind(BytesAsUnits(word)))
        return UnitsAsBytes(answer->replacement);
    return std::nullopt;
}

void WordScanner::ReplaceClear() {
    replace_.clear();
}

void WordScanner::EndScan() {
    SelectInCurrentBox(0, 0, false);
    SelectInCurrentBox(0, 0, true);
    // Replacements may have shortened the story since the selection was saved.
    int32_t length = Host().GetBoxTextInfo(0).length;
    int32_t end = std::clamp(savedEnd_, 0, std::max(length, 0));
    SelectInCurrentBox(std::clamp(savedStart_, 0, end), end, true);
    story_ = 0;
    current_ = end_ = 0;
    savedStart_ = savedEnd_ = 0;
}

}  // namespace tarnik
