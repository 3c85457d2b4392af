#include "spellcheck/dict_xt.h"

#include "platform/about_box.h"
#include "platform/host_api.h"
#include "platform/shown_text.h"
#include "spellcheck/cdict_prefs_dialog.h"
#include "spellcheck/check_commands.h"
#include "spellcheck/spell_dictionaries.h"

namespace tarnik {

void DictXT::InstallMenu(const XTMenuInstallRecord&) {
    // Opened once and closed again, so that a missing or unreadable dictionary
    // is reported at start-up rather than at the first check.
    if (OpenSpellDictionaries() == 0)
        CloseSpellDictionaries();
    HostApi& host = Host();
    XTMenu menu = host.CreateMenu(ShownText("Polish Spell Checker"));
    items_.checkWord = host.AppendMenuItem(menu, ShownText("Check Word..."));
    items_.checkStory = host.AppendMenuItem(menu, ShownText("Check Story..."));
    items_.checkDocument = host.AppendMenuItem(menu, ShownText("Check Document..."));
    host.AppendMenuSeparator(menu);
    items_.preferences = host.AppendMenuItem(menu, ShownText("Dictionary Preferences..."));
    items_.about = host.AppendMenuItem(menu, ShownText("About Tarnik..."));
}

bool DictXT::PerformMenuCommand(const XTMenuCommandRecord& record) {
    const int16_t item = record.item;
    if (item == 0)
        return false;
    if (item == items_.about) {
        ShowAboutBox();
    } else if (item == items_.checkWord) {
        CheckCommand(CheckMode::kWord);
    } else if (item == items_.checkStory) {
        CheckCommand(CheckMode::kStory);
    } else if (item == items_.checkDocument) {
        CheckCommand(CheckMode::kDocument);
    } else if (item == items_.preferences) {
        DictionaryPreferencesCommand();
    } else {
        return false;
    }
    return true;
}

}  // namespace tarnik
