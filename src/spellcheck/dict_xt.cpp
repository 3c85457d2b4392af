#include "spellcheck/dict_xt.h"

#include "platform/about_box.h"
#include "spellcheck/cdict_prefs_dialog.h"
#include "spellcheck/check_commands.h"
#include "spellcheck/spell_dictionaries.h"

namespace tarnik {

namespace {

constexpr MenuItemSpec kDictMenu[] = {
    {.title = "Check Word...",
     .rule = MenuRule::kBoxWithTextUnderContentTool,
     .scope = {.selection = "Check Selection..."},
     .run = [] { CheckCommand(CheckMode::kWord); }},
    {.title = "Check Story...",
     .rule = MenuRule::kBoxWithText,
     .run = [] { CheckCommand(CheckMode::kStory); }},
    {.title = "Check Document...",
     .rule = MenuRule::kDocument,
     .run = [] { CheckCommand(CheckMode::kDocument); }},
    {.title = "Dictionary Preferences...",
     .run = DictionaryPreferencesCommand,
     .separatorBefore = true},
    {.title = "About Tarnik...", .run = ShowAboutBox},
};

}  // namespace

std::span<const MenuItemSpec> DictXT::MenuItems() const {
    return kDictMenu;
}

void DictXT::PrepareService() {
    // Opened once and closed again, so that a missing or unreadable dictionary
    // is reported at start-up rather than at the first check.
    if (OpenSpellDictionaries() == 0)
        CloseSpellDictionaries();
}

}  // namespace tarnik
