#include "spellcheck/dict_settings.h"

#include "platform/settings_store.h"

namespace tarnik {

namespace {

std::string ReadShortcut(const char* key) {
    char buffer[kMaxShortcutText + 1];
    GetString(key, kNoShortcut, buffer, sizeof buffer);
    return buffer;
}

}  // namespace

DictSettings LoadDictSettings() {
    SetStoreTarget(nullptr, kDictSettingsSection);
    DictSettings s;
    s.useUserDictionary = GetInt("2SlownikiUzytkownika", 1) != 0;
    s.skipCapitals = GetInt("3PominWERSALIKI", 1) != 0;
    s.skipDigits = GetInt("4PominCYFRY", 1) != 0;
    s.alwaysSuggest = GetInt("5ZawszeSugeruj", 1) != 0;
    s.checkWordShortcutOn = GetInt("6SprawdzSlowoSkrotAktywny", 1) != 0;
    s.checkWordShortcut = ReadShortcut("7SprawdzSlowoSkrot");
    s.checkStoryShortcutOn = GetInt("8SprawdzLancuchSkrotAktywny", 1) != 0;
    s.checkStoryShortcut = ReadShortcut("9SprawdzLancuchSkrot");
    s.checkDocumentShortcutOn = GetInt("ASprawdzDokumentSkrotAktywny", 1) != 0;
    s.checkDocumentShortcut = ReadShortcut("BSprawdzDokumentSkrot");
    s.rankSuggestions = GetInt("CSugestieWgTrafnosci", 1) != 0;
    return s;
}

void SaveDictSettings(const DictSettings& s) {
    SetStoreTarget(nullptr, kDictSettingsSection);
    PutInt("2SlownikiUzytkownika", s.useUserDictionary ? 1 : 0);
    PutInt("3PominWERSALIKI", s.skipCapitals ? 1 : 0);
    PutInt("4PominCYFRY", s.skipDigits ? 1 : 0);
    PutInt("5ZawszeSugeruj", s.alwaysSuggest ? 1 : 0);
    PutInt("6SprawdzSlowoSkrotAktywny", s.checkWordShortcutOn ? 1 : 0);
    PutString("7SprawdzSlowoSkrot", s.checkWordShortcut.substr(0, kMaxShortcutText));
    PutInt("8SprawdzLancuchSkrotAktywny", s.checkStoryShortcutOn ? 1 : 0);
    PutString("9SprawdzLancuchSkrot", s.checkStoryShortcut.substr(0, kMaxShortcutText));
    PutInt("ASprawdzDokumentSkrotAktywny", s.checkDocumentShortcutOn ? 1 : 0);
    PutString("BSprawdzDokumentSkrot", s.checkDocumentShortcut.substr(0, kMaxShortcutText));
    PutInt("CSugestieWgTrafnosci", s.rankSuggestions ? 1 : 0);
    FlushStoreOrTell();
}

}  // namespace tarnik
