#include "hyphcommands/hyph_service.h"

#include <filesystem>
#include <string_view>

#include "hyphenation/user_exceptions.h"
#include "platform/places.h"
#include "platform/plugin_folder.h"
#include "platform/settings_store.h"
#include "platform/show_message.h"

namespace tarnik {

namespace {

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

HyphService& Hyphenation() {
    static HyphService service;
    return service;
}

namespace {

// One key of the section, in the order of reading and writing; exactly one of
// the two fields is set.
struct HyphKey {
    const char* name;
    int32_t HyphSettings::*number;
    std::string HyphSettings::*text;
};

const HyphKey kHyphKeys[] = {
    {kHyphUseExceptionsKey, &HyphSettings::useExceptions, nullptr},
    {"3NajpierTypografia", &HyphSettings::typographyFirst, nullptr},
    {"4PominWersaliki", &HyphSettings::skipCapitals, nullptr},
    {"5PominXPress", &HyphSettings::skipMixedCase, nullptr},
    {"6AutomatycznieWylaczAutoHyphenation", &HyphSettings::autoHyphenationOff, nullptr},
    {"7WstawSkrotAktywny", &HyphSettings::hyphenateShortcutOn, nullptr},
    {"8WstawSkrot", nullptr, &HyphSettings::hyphenateShortcut},
    {"9UsunSkrotAktywny", &HyphSettings::removeShortcutOn, nullptr},
    {"AUsunSkrot", nullptr, &HyphSettings::removeShortcut},
    {"BSugerujSkrotAktywny", &HyphSettings::suggestShortcutOn, nullptr},
    {"CSugerujSkrot", nullptr, &HyphSettings::suggestShortcut},
};

}  // namespace

void LoadHyphSettings() {
    SetStoreTarget(nullptr, kHyphSettingsSection);
    const HyphSettings defaults;
    HyphSettings& settings = Hyphenation().settings;
    for (const HyphKey& key : kHyphKeys) {
        if (key.number) {
            settings.*key.number = GetInt(key.name, defaults.*key.number);
        } else {
            char buffer[kHyphShortcutLength + 1];
            GetString(key.name, defaults.*key.text, buffer, sizeof buffer);
            settings.*key.text = buffer;
        }
    }
}

std::vector<SettingsProblem> CheckHyphSettingsText(std::string_view text) {
    static const std::vector<SettingRule> rules = [] {
        std::vector<SettingRule> made;
        for (const HyphKey& key : kHyphKeys)
            made.push_back({key.name, key.number ? 1 : -1, kHyphShortcutLength});
        return made;
    }();
    return CheckSettingsSection(text, kHyphSettingsSection, rules);
}

void SaveHyphSettings() {
    SetStoreTarget(nullptr, kHyphSettingsSection);
    const HyphSettings& settings = Hyphenation().settings;
    for (const HyphKey& key : kHyphKeys) {
        if (key.number)
            PutInt(key.name, settings.*key.number);
        else
            PutString(key.name, settings.*key.text);
    }
    FlushStoreOrTell();
}

std::string HyphDataPath(const std::string& pluginFolder) {
    if (EndsWith(pluginFolder, kHyphDataFile))
        return pluginFolder;
    return (std::filesystem::path(pluginFolder) / kHyphDataFile).string();
}

std::string HyphUserFolder(const std::string& pluginFolder) {
    if (EndsWith(pluginFolder, kHyphDataFile))
        return std::filesystem::path(pluginFolder).parent_path().string();
    return pluginFolder;
}

namespace {

std::string& GivenUserFile() {
    static std::string path;
    return path;
}

}  // namespace

void SetHyphUserFile(std::string path) {
    GivenUserFile() = std::move(path);
}

int16_t OpenHyphenation(bool loadUserList) {
    HyphService& service = Hyphenation();
    if (service.dict)
        return 0;
    const std::string dataPath = HyphDataPath(PluginFolder());
    if (int16_t error = OpenHyphDict(dataPath, service.dict); error != 0) {
        service.dict.reset();
        ShowFileMessage("Can't open hyphenation (probably file plhyph.dat is missing) [%s]", error,
                        dataPath);
        return kHyphOpenNoData;
    }
    if (loadUserList) {
        const std::string userPath =
            GivenUserFile().empty()
                ? WritableFilePath(HyphUserFolder(PluginFolder()), kHyphUserFile)
                : GivenUserFile();
        if (int16_t error = LoadUserExceptions(*service.dict, userPath); error != 0) {
            // A damaged file was moved aside and a new one started: the user is told
            // where the old one went, not only that it could not be read.
            if (!service.dict->userBackupPath.empty())
                ShowFileMessage(
                    "The hyphenation exceptions file was damaged. It has been kept as %s and a "
                    "new one started.",
                    error, service.dict->userBackupPath);
            else
                ShowFileMessage("Can't open hyphenation exceptions file [%s]", error, userPath);
            return kHyphOpenNoExceptions;
        }
    }
    return 0;
}

void PrepareHyphenation() {
    Hyphenation().letters = BuildHyphLetterClasses();
    LoadHyphSettings();
    OpenHyphenation(true);
}

void CloseHyphenation() {
    CloseHyphDict(Hyphenation().dict);
}

}  // namespace tarnik
