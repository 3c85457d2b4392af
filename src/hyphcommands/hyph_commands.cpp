#include "hyphcommands/hyph_commands.h"

#include <cstdint>

#include "hyphcommands/hyph_box_passes.h"
#include "hyphcommands/hyph_service.h"
#include "platform/host_api.h"
#include "platform/show_message.h"
#include "platform/shown_text.h"
#include "text/box_visitors.h"
#include "typography/typography_command.h"

namespace tarnik {

namespace {

// The current text box or group, or 0 when there is none (or no document).
XTBox CommandItem() {
    HostApi& host = Host();
    if (host.GetCurrentDocument() == XT_NO_DOCUMENT)
        return 0;
    XTBox box = host.GetCurrentBox();
    if (box == 0 || !host.IsBoxValid(box) || (!host.IsTextBox(box) && !host.IsGroup(box)))
        return 0;
    return box;
}

// Runs `pass` over the item's boxes as one edit command, with the busy cursor.
void RunPasses(XTBox item, int16_t (*pass)(XTBox, int32_t)) {
    HostApi& host = Host();
    host.SetBusyCursor(-1);
    ForEachTextBox(item, pass, 0);
    host.SetBusyCursor(0);
}

}  // namespace

void HyphenateCommand() {
    XTBox item = CommandItem();
    if (item == 0 || OpenHyphenation(Hyphenation().settings.useExceptions != 0) != 0)
        return;
    HostApi& host = Host();
    host.BeginEditCommand(1, 0);
    if (Hyphenation().settings.typographyFirst) {
        TypographyCommand();
        // Typography leaves the last member of a group current; the hyphenation
        // goes on with the item the command was given.
        if (host.GetCurrentBox() != item)
            host.SetCurrentBox(item);
    }
    RunPasses(item, HyphenateBox);
    host.EndEditCommand();
}

void RemoveHyphensCommand() {
    XTBox item = CommandItem();
    if (item == 0)
        return;
    HostApi& host = Host();
    host.BeginEditCommand(1, 0);
    RunPasses(item, RemoveHyphensInBox);
    host.EndEditCommand();
}

void RemoveAllHyphensCommand() {
    HostApi& host = Host();
    if (host.GetCurrentDocument() == XT_NO_DOCUMENT)
        return;
    if (!AskYesNo(
            ShownText("Do you really want to remove all hyphenation points from this document?")))
        return;
    host.BeginEditCommand(1, 0);
    host.SetBusyCursor(-1);
    ForEachDocumentItem([&host](XTBox box) {
        if (!host.IsTextBox(box) || host.QueryBoxFlag(box) == 1)
            return;
        // Whatever is selected, the whole story goes, and so does every box
        // anchored anywhere in it: the anchors are looked for in the range the
        // pass leaves selected, a caret at the start.
        host.SetTextSelection(host.GetBoxTextInfo(box).story, 0, 0, false);
        ForEachTextBox(
            box,
            [](XTBox visited, int32_t) { return RemoveHyphensInBox(visited, kWholeStoryPass); }, 0);
    });
    host.SetBusyCursor(0);
    host.EndEditCommand();
}

}  // namespace tarnik
