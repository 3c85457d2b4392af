#include "hyphcommands/hyph_xt.h"

#include "hyphcommands/chyph_prefs_dialog.h"
#include "hyphcommands/chyph_sugg_dialog.h"
#include "hyphcommands/hyph_commands.h"
#include "hyphcommands/hyph_service.h"
#include "platform/about_box.h"

namespace tarnik {

namespace {

constexpr MenuItemSpec kHyphMenu[] = {
    {.title = "Hyphenate Box",
     .rule = MenuRule::kBoxOrGroup,
     .scope = {.boxes = "Hyphenate Boxes", .selection = "Hyphenate Selection"},
     .run = HyphenateCommand},
    {.title = "Remove Hyphens From Box",
     .rule = MenuRule::kBoxOrGroup,
     .scope = {.boxes = "Remove Hyphens From Boxes", .selection = "Remove Hyphens From Selection"},
     .run = RemoveHyphensCommand},
    {.title = "Suggest Hyphenation...",
     .rule = MenuRule::kBoxWithTextUnderContentTool,
     .run = SuggestCommand},
    {.title = "Remove hyphens from document",
     .rule = MenuRule::kDocument,
     .run = RemoveAllHyphensCommand},
    {.title = "Hyphenation Preferences...", .run = ShowHyphPreferences, .separatorBefore = true},
    {.title = "About Tarnik...", .run = ShowAboutBox},
};

}  // namespace

std::span<const MenuItemSpec> HyphXT::MenuItems() const {
    return kHyphMenu;
}

void HyphXT::PrepareService() {
    PrepareHyphenation();
}

}  // namespace tarnik
