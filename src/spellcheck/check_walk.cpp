#include "spellcheck/check_walk.h"

#include <functional>
#include <string>
#include <vector>

#include "charsets/char_classes.h"
#include "platform/host_api.h"
#include "platform/show_message.h"
#include "platform/shown_text.h"
#include "spellcheck/speller_answers.h"
#include "text/box_visitors.h"
#include "text/story_text.h"
#include "text/word_scanner.h"

namespace tarnik {

namespace {

enum class WordStep { kExhausted, kPassed, kMisspelt };

void RecordMisspelt(std::string_view word, int32_t start, int32_t end) {
    SpellCheckState& state = SpellCheck();
    state.errorFound = true;
    state.misspelt = std::string(word.substr(0, kMaxShownWord));
    state.suggestions.clear();
    state.replacement = state.misspelt;
    if (state.settings.alwaysSuggest) {
        state.suggestions = DialogSuggestions(state.misspelt);
        if (!state.suggestions.empty())
            state.replacement = state.suggestions.front();
    }
    state.wordStart = start;
    state.wordEnd = end;
}

WordStep ExamineNextWord() {
    SpellCheckState& state = SpellCheck();
    WordScanner& scanner = Scanner();
    char buffer[kWordBufferSize];
    int32_t start = 0;
    int32_t end = 0;
    if (scanner.NextWord(buffer, &start, &end) != 1) {
        state.wordStart = state.wordEnd = start;
        return WordStep::kExhausted;
    }
    ++state.wordsSeen;
    std::string_view word(buffer);
    if (word.empty())
        return WordStep::kPassed;
    uint16_t flags = WordScanner::CaseClass(word);
    if ((state.settings.skipDigits && (flags & kCaseDigit)) ||
        (state.settings.skipCapitals && (flags & kCaseCapitals)) || scanner.IgnoreContains(word)) {
        return WordStep::kPassed;
    }
    std::string lower(word);
    ToLowerInPlace(lower);
    if (std::optional<std::string> replacement = scanner.ReplaceFind(lower)) {
        scanner.ReplaceWordWithCase(*replacement, start, end, flags);
        return WordStep::kPassed;
    }
    bool beforeStop = end < scanner.End() && GetChar(scanner.Story(), end) == '.';
    if (WordPasses(word, beforeStop))
        return WordStep::kPassed;
    RecordMisspelt(word, start, end);
    return WordStep::kMisspelt;
}

bool Admitted(XTBox box) {
    HostApi& host = Host();
    return host.IsTextBox(box) && host.QueryStoryFlag(box) == 0 && host.QueryBoxFlag(box) == 0;
}

// Check Document: the next admitted box of the spreads, made current.
bool NextDocumentBox() {
    SpellCheckState& state = SpellCheck();
    HostApi& host = Host();
    XTBox box = state.currentBox ? host.GetNextBox(state.currentBox) : 0;
    for (;;) {
        while (box == 0) {
            if (state.currentSpread >= state.lastSpread)
                return false;
            box = host.GetFirstBoxOfSpread(++state.currentSpread);
        }
        state.currentBox = box;
        if (Admitted(box))
            return true;
        box = host.GetNextBox(box);
    }
}

// The text boxes anchored in [start, end) of the box's story, in text order.
std::vector<XTBox> AnchoredTextBoxes(XTBox box, int32_t start, int32_t end) {
    std::vector<XTBox> boxes;
    if (!Host().HasAnchoredBoxes(box))
        return boxes;
    XTStory story = Host().GetBoxTextInfo(box).story;
    ForEachAnchoredBoxInRange(story, start, end, [&](XTBox anchored) -> int16_t {
        if (Host().IsTextBox(anchored))
            boxes.push_back(anchored);
        return 0;
    });
    return boxes;
}

void BeginSegment(const WalkSegment& segment) {
    SpellCheckState& state = SpellCheck();
    Host().SetCurrentBox(segment.box);
    Scanner().ScanRange(segment.start, segment.end);
    state.segment = segment;
    state.segment.start = Scanner().Current();
    state.segmentActive = true;
}

// The segment is exhausted: the boxes anchored in it come next.
void EndSegment() {
    SpellCheckState& state = SpellCheck();
    state.segmentActive = false;
    if (!state.segment.withAnchors)
        return;
    std::vector<XTBox> anchored =
        AnchoredTextBoxes(state.segment.box, state.segment.start, Scanner().End());
    for (auto it = anchored.rbegin(); it != anchored.rend(); ++it)
        state.pending.push_front(WalkSegment{*it, -1, -1, false});
}

// Finds the segment to check next; false when the walk is over.
bool TakeNextSegment() {
    SpellCheckState& state = SpellCheck();
    if (state.pending.empty()) {
        if (state.mode == CheckMode::kStory && state.wrapPoint != 0) {
            int32_t wrap = state.wrapPoint;
            state.wrapPoint = 0;
            if (AskYesNo(ShownText("Do you want to check from the beginning of story?")) == 1)
                state.pending.push_back(WalkSegment{state.storyBox, 0, wrap, true});
        } else if (state.mode == CheckMode::kDocument && NextDocumentBox()) {
            state.pending.push_back(WalkSegment{state.currentBox, -1, -1, true});
        }
    }
    if (state.pending.empty())
        return false;
    WalkSegment next = state.pending.front();
    state.pending.pop_front();
    BeginSegment(next);
    return true;
}

}  // namespace

void StartWalk(std::optional<WalkSegment> first) {
    SpellCheckState& state = SpellCheck();
    state.pending.clear();
    if (first)
        state.pending.push_back(*first);
    state.segmentActive = false;
}

bool WalkToNextError() {
    SpellCheckState& state = SpellCheck();
    for (;;) {
        if (!state.segmentActive && !TakeNextSegment())
            return false;
        WordStep step = ExamineNextWord();
        if (step == WordStep::kMisspelt) {
            ShowTextRange(state.wordStart, state.wordEnd);
            return true;
        }
        if (step == WordStep::kExhausted)
            EndSegment();
    }
}

bool ReplaceMisspelt(std::string_view text) {
    SpellCheckState& state = SpellCheck();
    MakeLayoutCurrent();
    if (!Scanner().ReplaceWord(text, state.wordStart, state.wordEnd))
        return false;
    state.wordEnd = state.wordStart + static_cast<int32_t>(text.size());
    return true;
}

void MakeLayoutCurrent() {
    uint16_t document = Host().GetCurrentDocument();
    if (document != XT_NO_DOCUMENT)
        Host().PrepareDocument(document);
}

}  // namespace tarnik
