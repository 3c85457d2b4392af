#include "spellcheck/cdict_prefs_dialog.h"

#include "platform/dialog_resources.h"
#include "spellcheck/cdlg_dict_exc.h"
#include "spellcheck/spell_check_state.h"
#include "spellcheck/spell_dictionaries.h"

namespace tarnik {

namespace {

// A check box and the setting it shows.
struct SettingControl {
    int16_t item;
    bool DictSettings::*flag;
};

constexpr SettingControl kControls[] = {
    {CDictPrefsDialog::kSkipCapitalsItem, &DictSettings::skipCapitals},
    {CDictPrefsDialog::kSkipDigitsItem, &DictSettings::skipDigits},
    {CDictPrefsDialog::kAlwaysSuggestItem, &DictSettings::alwaysSuggest},
    {CDictPrefsDialog::kUseUserItem, &DictSettings::useUserDictionary},
    {CDictPrefsDialog::kRankItem, &DictSettings::rankSuggestions},
};

}  // namespace

CDictPrefsDialog::CDictPrefsDialog() : XT40xdlog(kResource) {}

void CDictPrefsDialog::SetUp() {
    settings_ = LoadDictSettings();
    for (const SettingControl& control : kControls)
        Item(control.item).SetChecked(settings_.*control.flag);
    Item(kEditUserItem).Enable(SpellCheck().user != nullptr);
}

void CDictPrefsDialog::ItemHit(int16_t item, int16_t listAction) {
    if (item == kEditUserItem) {
        CdlgDictExc().RunModal();
        return;
    }
    if (item == kOkItem) {
        for (const SettingControl& control : kControls)
            settings_.*control.flag = Item(control.item).IsChecked();
        SaveDictSettings(settings_);
    }
    XT40xdlog::ItemHit(item, listAction);
}

void DictionaryPreferencesCommand() {
    if (OpenSpellDictionaries() != 0)
        return;
    CDictPrefsDialog().RunModal();
    CloseSpellDictionaries();
}

}  // namespace tarnik
