#include "spellcheck/check_walk.h"

#include <functional>
#include <string>
#include <vector>

#include "charsets/char_classes.h"
#include "charsets/internal_code.h"
#include "platform/host_api.h"
#include "platform/show_message.h"
#include "platform/shown_text.h"
#include "spellcheck/speller_answers.h"
#include "text/box_visitors.h"
#include "text/story_text.h"
#include "text/unicode_case.h"
#include "text/word_scanner.h"

namespace tarnik {

namespace {

enum class WordStep { kExhausted, kPassed, kMisspelt };

void RecordMisspelt(const ScannedWord& word) {
    SpellCheckState& state = SpellCheck();
    state.errorFound = true;
    // The word is kept whole: "Change To" offers it as the story holds it, and
    // the lists take it whole.
    state.misspelt = word.text;
    state.misspeltUnits = word.units;
    state.suggestions.clear();
    state.replacement = word.units;
    if (state.settings.alwaysSuggest && word.units.size() <= kMaxShownWord) {
        state.suggestions = DialogSuggestions(state.misspelt);
        if (!state.suggestions.empty())
            state.replacement = Cp1250ToUnits(state.suggestions.front());
    }
    state.wordStart = word.start;
    state.wordEnd = word.end;
}

WordStep ExamineNextWord() {
    SpellCheckState& state = SpellCheck();
    WordScanner& scanner = Scanner();
    ScannedWord word;
    if (!scanner.NextWord(word)) {
        state.wordStart = state.wordEnd = word.start;
        return WordStep::kExhausted;
    }
    ++state.wordsSeen;
    if (word.text.empty())
        return WordStep::kPassed;
    uint16_t flags = UnitsCaseClass(word.units);
    if ((state.settings.skipDigits && (flags & kCaseDigit)) ||
        (state.settings.skipCapitals && (flags & kCaseCapitals)) ||
        scanner.IgnoreContains(word.units)) {
        return WordStep::kPassed;
    }
    if (std::optional<ChangeAllAnswer> answer = scanner.ReplaceFind(LoweredUnits(word.units))) {
        std::u16string replacement = answer->replacement;
        if (answer->followsCase)
            ApplyCaseToUnits(replacement, flags);
        scanner.ReplaceWord(replacement, word.start, word.end);
        return WordStep::kPassed;
    }
    bool beforeStop = word.end < scanner.End() && GetChar(scanner.Story(), word.end) == '.';
    if (WordPasses(word.text, beforeStop))
        return WordStep::kPassed;
    RecordMisspelt(word);
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

// The text boxes anchored in [start, end) of the box's story at any depth (in
// anchored groups, in anchored boxes), in text order.
std::vector<XTBox> AnchoredTextBoxes(XTBox box, int32_t start, int32_t end) {
    if (!Host().HasAnchoredBoxes(box))
        return {};
    return TextBoxesAnchoredIn(Host().GetBoxTextInfo(box).story, start, end);
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

bool ReplaceMisspelt(std::u16string_view text) {
    SpellCheckState& state = SpellCheck();
    MakeLayoutCurrent();
    if (!Scanner().ReplaceWord(text, state.wordStart, state.wordEnd))
        return false;
    state.wordEnd = state.wordStart + static_cast<int32_t>(text.size());
    return true;
}

std::u16string Cp1250ToUnits(std::string_view text) {
    return InternalToUnicode(text.data(), text.size());
}

void MakeLayoutCurrent() {
    uint16_t document = Host().GetCurrentDocument();
    if (document != XT_NO_DOCUMENT)
        Host().PrepareDocument(document);
}

}  // namespace tarnik
