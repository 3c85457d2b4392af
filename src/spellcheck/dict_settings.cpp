#include "spellcheck/dict_settings.h"

#include "platform/settings_store.h"

namespace tarnik {

namespace {

// One key of the section, in the order of writing: a flag or a shortcut text.
struct DictKey {
    const char* name;
    bool DictSettings::*flag;
    std::string DictSettings::*text;
};

const DictKey kDictKeys[] = {
    {kDictUseUserDictionaryKey, &DictSettings::useUserDictionary, nullptr},
    {kDictSkipCapitalsKey, &DictSettings::skipCapitals, nullptr},
    {kDictSkipDigitsKey, &DictSettings::skipDigits, nullptr},
    {"5ZawszeSugeruj", &DictSettings::alwaysSuggest, nullptr},
    {"6SprawdzSlowoSkrotAktywny", &DictSettings::checkWordShortcutOn, nullptr},
    {"7SprawdzSlowoSkrot", nullptr, &DictSettings::checkWordShortcut},
    {"8SprawdzLancuchSkrotAktywny", &DictSettings::checkStoryShortcutOn, nullptr},
    {"9SprawdzLancuchSkrot", nullptr, &DictSettings::checkStoryShortcut},
    {"ASprawdzDokumentSkrotAktywny", &DictSettings::checkDocumentShortcutOn, nullptr},
    {"BSprawdzDokumentSkrot", nullptr, &DictSettings::checkDocumentShortcut},
    {kDictRankSuggestionsKey, &DictSettings::rankSuggestions, nullptr},
};

std::string ReadShortcut(const char* key) {
    char buffer[kMaxShortcutText + 1];
    GetString(key, kNoShortcut, buffer, sizeof buffer);
    return buffer;
}

}  // namespace

DictSettings LoadDictSettings() {
    SetStoreTarget(nullptr, kDictSettingsSection);
    DictSettings s;
    for (const DictKey& key : kDictKeys) {
        if (key.flag)
            s.*key.flag = GetInt(key.name, 1) != 0;
        else
            s.*key.text = ReadShortcut(key.name);
    }
    return s;
}

void SaveDictSettings(const DictSettings& s) {
    SetStoreTarget(nullptr, kDictSettingsSection);
    for (const DictKey& key : kDictKeys) {
        if (key.flag)
            PutInt(key.name, s.*key.flag ? 1 : 0);
        else
            PutString(key.name, (s.*key.text).substr(0, kMaxShortcutText));
    }
    FlushStoreOrTell();
}

std::vector<SettingsProblem> CheckDictSettingsText(std::string_view text) {
    static const std::vector<SettingRule> rules = [] {
        std::vector<SettingRule> made;
        for (const DictKey& key : kDictKeys)
            made.push_back({key.name, key.flag ? 1 : -1, kMaxShortcutText});
        return made;
    }();
    return CheckSettingsSection(text, kDictSettingsSection, rules);
}

}  // namespace tarnik
