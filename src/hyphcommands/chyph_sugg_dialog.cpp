#include "hyphcommands/chyph_sugg_dialog.h"

#include <algorithm>
#include <vector>

#include "charsets/char_classes.h"
#include "hyphcommands/hyph_service.h"
#include "hyphenation/hyphenate_text.h"
#include "platform/host_api.h"
#include "text/story_text.h"

namespace tarnik {

namespace {

constexpr uint16_t kHyphSuggDialog = 31109;

bool IsSuggestionChar(uint16_t code) {
    const HyphLetterClasses& letters = Hyphenation().letters;
    return code < 256 &&
           (letters.flags[code] & (HyphLetterClasses::kLetter | HyphLetterClasses::kHyphenOrDash |
                                   HyphLetterClasses::kDiscretionary));
}

// The start of the word that holds or ends at `caret`: back over word
// characters by plain steps.
int32_t SuggestionStart(XTStory story, int32_t caret) {
    HostApi& host = Host();
    int32_t start = caret;
    while (start > 0) {
        int32_t before = host.NextCharPosition(story, start, XT_BACKWARD);
        if (before != start - 1 || !IsSuggestionChar(GetChar(story, before)))
            break;
        start = before;
    }
    return start;
}

int32_t SuggestionEnd(XTStory story, int32_t start, int32_t length) {
    HostApi& host = Host();
    int32_t end = start;
    while (end < length && IsSuggestionChar(GetChar(story, end))) {
        int32_t next = host.NextCharPosition(story, end, XT_FORWARD);
        if (next != end + 1)
            return next > end ? next : end;
        end = next;
    }
    return end;
}

}  // namespace

int32_t BuildHyphSuggestion(HyphSuggestion& suggestion) {
    suggestion = HyphSuggestion{};
    HyphService& service = Hyphenation();
    BoxTextInfo info = Host().GetBoxTextInfo(0);
    if (!service.dict || info.story == 0 || info.selectionStart < 0)
        return 0;
    const int32_t start = SuggestionStart(info.story, info.selectionStart);
    const int32_t end = SuggestionEnd(info.story, start, info.length);
    if (start >= end)
        return 0;
    std::vector<uint8_t> word(static_cast<size_t>(std::min(end - start, kMaxSuggestedWord)));
    GetCharsAt(info.story, start, static_cast<int32_t>(word.size()), word.data());
    for (uint8_t c : word) {
        if (c == DiscretionaryHyphen) {
            suggestion.current.push_back('-');
        } else {
            suggestion.current.push_back(static_cast<char>(c));
            suggestion.plain.push_back(static_cast<char>(c));
        }
    }
    // A compound's parts are hyphenated each as its own word, as Hyphenate Box
    // does: the hyphen between them is no letter of either.
    suggestion.withoutExceptions = HyphenateText(*service.dict, suggestion.plain, false);
    suggestion.withExceptions = HyphenateText(*service.dict, suggestion.plain, true);
    return end - start;
}

CHyphSuggDialog::CHyphSuggDialog(HyphSuggestion suggestion)
    : XT40xdlog(kHyphSuggDialog), suggestion_(std::move(suggestion)) {}

void CHyphSuggDialog::SetUp() {
    Item(1039).SetText(suggestion_.plain);
    Item(1040).SetText(suggestion_.current);
    Item(1041).SetText(suggestion_.withoutExceptions);
    Item(1042).SetText(suggestion_.withExceptions);
}

void SuggestCommand() {
    HostApi& host = Host();
    if (host.GetCurrentDocument() == XT_NO_DOCUMENT)
        return;
    XTBox box = host.GetCurrentBox();
    if (box == 0 || !host.IsTextBox(box) || host.GetToolMode() != XT_TOOL_CONTENT)
        return;
    if (OpenHyphenation(true) != 0)
        return;
    HyphSuggestion suggestion;
    if (BuildHyphSuggestion(suggestion) == 0)
        return;
    CHyphSuggDialog(std::move(suggestion)).RunModal();
}

}  // namespace tarnik
