#include "spellcheck/check_commands.h"

#include <algorithm>
#include <optional>

#include "platform/host_api.h"
#include "platform/show_message.h"
#include "platform/shown_text.h"
#include "spellcheck/cdict_miss_dialog.h"
#include "spellcheck/check_walk.h"
#include "spellcheck/spell_dictionaries.h"
#include "text/stmode.h"
#include "text/story_text.h"
#include "text/word_scanner.h"

namespace tarnik {

namespace {

// Whether the command can run on the host's state as it is.
bool CanRun(CheckMode mode) {
    HostApi& host = Host();
    if (host.GetCurrentDocument() == XT_NO_DOCUMENT)
        return false;
    if (mode == CheckMode::kDocument)
        return true;
    XTBox box = host.GetCurrentBox();
    if (box == 0 || !host.IsTextBox(box))
        return false;
    return mode != CheckMode::kWord || host.GetToolMode() == XT_TOOL_CONTENT;
}

// Starts the walk of the command; false when there is nothing to check.
bool PlanWalk(CheckMode mode) {
    SpellCheckState& state = SpellCheck();
    XTBox box = Host().GetCurrentBox();
    int32_t start = 0;
    int32_t end = 0;
    switch (mode) {
        case CheckMode::kWord:
            if (Scanner().WordAtCaret(&start, &end) == 0)
                return false;
            StartWalk(WalkSegment{box, start, end, false});
            return true;
        case CheckMode::kStory:
            if (Scanner().WordAtCaret(&start, &end) == 0)
                start = Host().GetBoxTextInfo(box).selectionStart;
            state.wrapPoint = std::max(start, 0);
            StartWalk(WalkSegment{box, state.wrapPoint, -1, true});
            return true;
        case CheckMode::kDocument:
            Host().PrepareDocument(Host().GetCurrentDocument());
            state.lastSpread = Host().CountSpreads();
            StartWalk(std::nullopt);
            return true;
    }
    return false;
}

const char* FinalMessage(CheckMode mode) {
    switch (mode) {
        case CheckMode::kWord:
            return SpellCheck().wordsSeen < 2 ? "Word is spelled correctly"
                                              : "There are no errors in the selection.";
        case CheckMode::kStory:
            return "There are no errors in the selection.";
        case CheckMode::kDocument:
            return "There is no errors at all";
    }
    return nullptr;
}

// Walks to the first misspelt word and lets the dialog take the rest.
void Walk() {
    SpellCheckState& state = SpellCheck();
    if (!WalkToNextError())
        return;
    Host().SetTextUpdateMode(2);
    CDictMissDialog().RunModal();
    Host().SetTextUpdateMode(1);
    state.done = true;
}

}  // namespace

void CheckCommand(CheckMode mode) {
    if (!CanRun(mode))
        return;
    HostApi& host = Host();
    std::optional<stmode> textTool;
    if (mode != CheckMode::kWord)
        textTool.emplace(XT_TOOL_CONTENT);
    if (OpenSpellDictionaries() != 0)
        return;
    SpellCheckState& state = SpellCheck();
    state.mode = mode;

    const XTBox original = host.GetCurrentBox();
    XTBox remembered = original;
    BoxTextInfo selection;
    if (host.IsTextBox(remembered) && host.GetToolMode() == XT_TOOL_CONTENT)
        selection = host.GetBoxTextInfo(remembered);
    else
        remembered = 0;
    state.storyBox = original;

    host.BeginEditCommand(1, 0);
    WordScanner& scanner = Scanner();
    int began = scanner.BeginScan(mode == CheckMode::kDocument ? WordScanner::kWholeDocument
                                                               : static_cast<int>(mode));
    bool walked = false;
    if (began >= 1) {
        walked = PlanWalk(mode);
        if (walked)
            Walk();
        host.SetCurrentBox(original);
        scanner.EndScan();
    }
    CloseSpellDictionaries();
    scanner.IgnoreClear();
    scanner.ReplaceClear();
    host.EndEditCommand();

    if (walked && !state.errorFound)
        ShowMessage(XT_MB_OK, 0, "", "%s", ShownText(FinalMessage(mode)));
    // The walk made other boxes current; the item the user was on comes back.
    host.SetCurrentBox(original);
    if (remembered) {
        int32_t length = host.GetBoxTextInfo(remembered).length;
        int32_t end = std::clamp(selection.selectionEnd, 0, std::max(length, 0));
        ShowTextRange(std::clamp(selection.selectionStart, 0, end), end);
    }
}

}  // namespace tarnik
