#include "services/file_run.h"

#include "hyphcommands/hyph_service.h"
#include "platform/places.h"
#include "platform/settings_store.h"
#include "spellcheck/spell_dictionaries.h"
#include "tarnik/file_io.h"

namespace tarnik::services {

namespace {

struct PreparedRun {
    FileRun run;
    std::string settingsText;
};

PreparedRun& Prepared() {
    static PreparedRun prepared;
    return prepared;
}

}  // namespace

std::optional<Error> PrepareFileRun(FileRun run) {
    PreparedRun& prepared = Prepared();
    prepared.settingsText = run.settingsText;
    if (!run.settingsFile.empty()) {
        if (std::optional<Error> unread = ReadWholeFile(run.settingsFile, prepared.settingsText)) {
            unread->what = "cannot read the settings file " + run.settingsFile;
            return unread;
        }
    }
    prepared.run = std::move(run);
    return std::nullopt;
}

std::string FileRunSettings() {
    return StoreText();
}

bool FileRunHasHyphenationData() {
    return Hyphenation().dict != nullptr;
}

int32_t FileRunEntry(XTRegistrationRecord* record) {
    const PreparedRun& prepared = Prepared();
    const FileRun& run = prepared.run;
    SetUserDataFolder(run.userFolder);
    SetUserDictionaryFile(run.userDictionary);
    SetHyphUserFile(run.userExceptions);
    int32_t result = StartPlugin(
        record,
        {.components = run.components, .pluginFolder = run.dataFolder, .chooseSettings = false});
    // Before the menu installation, where the components read their settings.
    UseSettingsInMemory(prepared.settingsText);
    for (const SettingValue& setting : run.settings) {
        SetStoreTarget(nullptr, setting.section.c_str());
        PutString(setting.key, setting.value);
    }
    return result;
}

}  // namespace tarnik::services
