#include "shell/menu_update.h"

#include "platform/host_api.h"
#include "platform/shown_text.h"

namespace tarnik {

namespace {

void Enable(int16_t item, bool enabled) {
    if (item != 0)
        Host().EnableMenuItem(item, enabled);
}

void Retitle(int16_t item, const char* english) {
    if (item != 0)
        Host().SetMenuItemTitle(item, ShownText(english));
}

}  // namespace

MenuConditions ReadMenuConditions() {
    MenuConditions c;
    c.document = Host().GetCurrentDocument() != XT_NO_DOCUMENT;
    XTBox box = Host().GetCurrentBox();
    c.box = box != 0 && Host().IsBoxValid(box);
    if (c.box) {
        c.group = Host().IsGroup(box);
        c.text = Host().IsTextBox(box);
    }
    if (c.text) {
        BoxTextInfo info = Host().GetBoxTextInfo(box);
        c.hasText = info.length >= 1;
        c.selection = info.selectionStart != info.selectionEnd;
    }
    c.contentTool = Host().GetToolMode() == XT_TOOL_CONTENT;
    return c;
}

void UpdateMenuItems(const MenuConditions& c, const MenuItemNumbers& items) {
    const bool boxWithText = c.document && c.box && c.text && c.hasText;
    const bool boxOrGroup = c.document && c.box && (c.group || (c.text && c.hasText));
    Enable(items.hyphenate, boxOrGroup);
    Enable(items.removeHyphens, boxOrGroup);
    Enable(items.suggestHyphenation, boxWithText && c.contentTool);
    Enable(items.removeHyphensFromDocument, c.document);
    Enable(items.checkDocument, c.document);
    Enable(items.checkStory, boxWithText);
    Enable(items.checkWord, boxWithText && c.contentTool);
    Enable(items.typography, boxOrGroup);

    if (!c.document || !c.box)
        return;
    if (c.group) {
        Retitle(items.hyphenate, "Hyphenate Boxes");
        Retitle(items.removeHyphens, "Remove Hyphens From Boxes");
        Retitle(items.typography, "Typography In Boxes");
    } else if (c.text && c.hasText) {
        const bool selection = c.contentTool && c.selection;
        if (c.contentTool)
            Retitle(items.checkWord, selection ? "Check Selection..." : "Check Word...");
        Retitle(items.typography, selection ? "Typography In Selection" : "Typography In Box");
        Retitle(items.hyphenate, selection ? "Hyphenate Selection" : "Hyphenate Box");
        Retitle(items.removeHyphens,
                selection ? "Remove Hyphens From Selection" : "Remove Hyphens From Box");
    }
}

}  // namespace tarnik
