#include "typocommands/typo_xt.h"

#include "platform/about_box.h"
#include "typography/ctypo_prefs_dialog.h"
#include "typography/typo_settings_store.h"
#include "typography/typography_command.h"

namespace tarnik {

namespace {

constexpr MenuItemSpec kTypoMenu[] = {
    {.title = "Typography In Box",
     .rule = MenuRule::kBoxOrGroup,
     .scope = {.boxes = "Typography In Boxes", .selection = "Typography In Selection"},
     .run = TypographyCommand},
    {.title = "Typography Preferences...", .run = ShowTypoPreferences, .separatorBefore = true},
    {.title = "About Tarnik...", .run = ShowAboutBox},
};

}  // namespace

std::span<const MenuItemSpec> TypoXT::MenuItems() const {
    return kTypoMenu;
}

void TypoXT::PrepareService() {
    TypoSettingsLoad();
}

}  // namespace tarnik
