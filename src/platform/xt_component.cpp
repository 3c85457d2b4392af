#include "platform/xt_component.h"

#include "platform/host_api.h"
#include "platform/shown_text.h"

namespace tarnik {

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

bool MenuRuleHolds(MenuRule rule, const MenuConditions& c) {
    const bool boxWithText = c.document && c.box && c.text && c.hasText;
    switch (rule) {
        case MenuRule::kAlways:
            return true;
        case MenuRule::kDocument:
            return c.document;
        case MenuRule::kBoxOrGroup:
            return c.document && c.box && (c.group || (c.text && c.hasText));
        case MenuRule::kBoxWithText:
            return boxWithText;
        case MenuRule::kBoxWithTextUnderContentTool:
            return boxWithText && c.contentTool;
    }
    return false;
}

void XTComponent::InstallMenu(const XTMenuInstallRecord&) {
    PrepareService();
    HostApi& host = Host();
    XTMenu menu = host.CreateMenu(ShownText(MenuTitle()));
    numbers_.clear();
    for (const MenuItemSpec& item : MenuItems()) {
        if (item.separatorBefore)
            host.AppendMenuSeparator(menu);
        numbers_.push_back(host.AppendMenuItem(menu, ShownText(item.title)));
    }
}

bool XTComponent::PerformMenuCommand(const XTMenuCommandRecord& record) {
    if (record.item == 0)
        return false;
    std::span<const MenuItemSpec> items = MenuItems();
    for (size_t i = 0; i < numbers_.size() && i < items.size(); ++i) {
        if (numbers_[i] == record.item) {
            items[i].run();
            return true;
        }
    }
    return false;
}

void XTComponent::UpdateMenu(const MenuConditions& c) {
    std::span<const MenuItemSpec> items = MenuItems();
    for (size_t i = 0; i < numbers_.size() && i < items.size(); ++i) {
        const MenuItemSpec& item = items[i];
        if (item.rule == MenuRule::kAlways || numbers_[i] == 0)
            continue;
        const bool enabled = MenuRuleHolds(item.rule, c);
        Host().EnableMenuItem(numbers_[i], enabled);
        if (!enabled || (!item.scope.boxes && !item.scope.selection))
            continue;
        const char* title = item.title;
        if (c.group && item.scope.boxes)
            title = item.scope.boxes;
        else if (!c.group && c.contentTool && c.selection && item.scope.selection)
            title = item.scope.selection;
        Host().SetMenuItemTitle(numbers_[i], ShownText(title));
    }
}

}  // namespace tarnik
