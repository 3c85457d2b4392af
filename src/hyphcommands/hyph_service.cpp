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

void LoadHyphSettings() {
    SetStoreTarget(nullptr, kHyphSettingsSection);
    Hyphenation().settings.useExceptions = GetInt("2UzywajWyjatkow", 1) != 0;
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
            WritableFilePath(HyphUserFolder(PluginFolder()), kHyphUserFile);
        if (int16_t error = LoadUserExceptions(*service.dict, userPath); error != 0) {
            ShowFileMessage("Can't open hyphenation exceptions file [%s]", error, userPath);
            return kHyphOpenNoExceptions;
        }
    }
    return 0;
}

void PrepareHyphenation() {
    LoadHyphSettings();
    OpenHyphenation(true);
}

void CloseHyphenation() {
    CloseHyphDict(Hyphenation().dict);
}

}  // namespace tarnik
