#include "hyphcommands/hyph_box_passes.h"

#include <algorithm>
#include <string>

#include "charsets/char_classes.h"
#include "hyphcommands/auto_hyphenation_check.h"
#include "hyphcommands/hyph_case_class.h"
#include "hyphcommands/hyph_pass.h"
#include "hyphcommands/hyph_service.h"
#include "hyphenation/hyphenate_word.h"
#include "text/story_text.h"

namespace tarnik {

namespace {

struct PassRange {
    XTBox box = 0;
    BoxTextInfo info;
    int32_t start = 0;
    int32_t end = 0;
    bool widened = false;  // a selection taken to whole words
};

// The box and its range; none when the box's story is shorter than `minimum`.
bool TakePassRange(XTBox box, int32_t argument, int32_t minimum, PassRange& range) {
    range.box = box != 0 ? box : Host().GetCurrentBox();
    range.info = Host().GetBoxTextInfo(range.box);
    if (range.info.length < minimum)
        return false;
    range.start = range.info.selectionStart;
    range.end = range.info.selectionEnd;
    if (range.start == range.end || argument == kWholeStoryPass) {
        range.start = 0;
        range.end = range.info.length;
    }
    return true;
}

// The selection cleared while the host does not update the text.
void ClearSelectionQuietly(XTStory story, bool redraw) {
    HostApi& host = Host();
    host.TextUpdateOff();
    host.SetTextSelection(story, 0, 0, redraw);
    host.TextUpdateOn();
}

// The selection found at the pass's start, given back over the text as it now
// is, whose range ends at `newEnd`.
void GiveBackSelection(const PassRange& range, int32_t newEnd) {
    HostApi& host = Host();
    const XTStory story = range.info.story;
    // A selection widened to whole words comes back over those words.
    const int32_t s = range.widened ? range.start : range.info.selectionStart;
    if (range.info.selectionStart != range.info.selectionEnd) {
        host.SetTextSelection(story, std::min(s, newEnd), newEnd, true);
    } else {
        int32_t caret = s < newEnd ? s : 0;
        host.SetTextSelection(story, caret, caret, true);
    }
}

}  // namespace

int16_t HyphenateBox(XTBox box, int32_t argument) {
    HyphService& service = Hyphenation();
    PassRange range;
    if (!service.dict || !TakePassRange(box, argument, 2, range))
        return 0;
    HostApi& host = Host();
    const XTStory story = range.info.story;
    if (range.start != 0 || range.end != range.info.length) {
        WidenToWholeWords(story, range.info.length, range.start, range.end);
        range.widened = true;
    }
    host.SetTextSelection(story, 0, 0, true);
    HyphPass pass(range.box, story, range.start, range.end);
    // Cancel in the warning leaves the box as it was: its text, and the selection
    // or caret the user had.
    if (AutoHyphenationCheck(range.box, range.start, range.end) == kHyphCheckCancelled) {
        host.SetTextSelection(story, range.info.selectionStart, range.info.selectionEnd, true);
        return 0;
    }
    const HyphSettings& settings = service.settings;
    HyphWord word;
    std::string hyphenated;
    while (pass.NextHyphWord(word)) {
        uint16_t caseClass = HyphCaseClass(word.text);
        if (settings.skipCapitals && caseClass == kHyphCaseCapital)
            continue;
        constexpr uint16_t kMixed = kHyphCaseSmall | kHyphCaseCapital;
        if (settings.skipMixedCase && (caseClass & kMixed) == kMixed)
            continue;
        if (settings.useExceptions)
            HyphenateWordWithUser(*service.dict, word.text, &hyphenated);
        else
            HyphenateWordWithoutUser(*service.dict, word.text, &hyphenated);
        pass.Shift(ApplyHyphenation(range.box, story, word, hyphenated));
    }
    ClearSelectionQuietly(story, false);
    GiveBackSelection(range, pass.End());
    return 0;
}

int16_t RemoveHyphensInBox(XTBox box, int32_t argument) {
    PassRange range;
    if (!TakePassRange(box, argument, 4, range))
        return 0;
    HostApi& host = Host();
    const XTStory story = range.info.story;
    host.SetTextSelection(story, 0, 0, true);
    int32_t end = range.end;
    // The no-break style comes off only the hyphens whose point this pass took:
    // those are the compound hyphens our hyphenation marked. A no-break hyphen
    // without a point before it (tel. 22-333) is the user's, and stays.
    bool pointTaken = false;
    for (int32_t p = range.start; p < end;) {
        uint16_t code = GetChar(story, p);
        if (code == DiscretionaryHyphen && DeleteBoxText(range.box, p, p + 1) == 0) {
            --end;
            pointTaken = true;
            continue;
        }
        if (code == '-' && pointTaken) {
            host.SetTextSelection(story, p, p + 1, false);
            if (host.GetSelectionStyleFlags(story) & XT_STYLE_NO_BREAK)
                host.SetSelectionStyleFlags(story, XT_STYLE_SELECTOR, XT_STYLE_NO_BREAK);
        }
        pointTaken = false;
        ++p;
    }
    ClearSelectionQuietly(story, true);
    GiveBackSelection(range, end);
    return 0;
}

}  // namespace tarnik
