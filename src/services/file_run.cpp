#include "services/file_run.h"

#include <algorithm>
#include <iterator>

#include "hyphcommands/hyph_service.h"
#include "platform/places.h"
#include "platform/settings_check.h"
#include "platform/settings_store.h"
#include "spellcheck/dict_settings.h"
#include "spellcheck/spell_dictionaries.h"
#include "tarnik/file_io.h"
#include "typography/typo_settings_store.h"

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

// The faults of a settings file in the sections of the components a run
// starts, in line order: every file command checks its settings alike.
std::vector<SettingsProblem> SettingsProblems(std::string_view text, unsigned components) {
    std::vector<SettingsProblem> problems = CheckSettingsText(text);
    if (!problems.empty())
        return problems;
    if (components & kSpellingComponent)
        std::ranges::move(CheckDictSettingsText(text), std::back_inserter(problems));
    if (components & kHyphenationComponent)
        std::ranges::move(CheckHyphSettingsText(text), std::back_inserter(problems));
    if (components & kTypographyComponent)
        std::ranges::move(CheckTypoSettingsText(text), std::back_inserter(problems));
    std::ranges::stable_sort(problems, {}, &SettingsProblem::line);
    return problems;
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
        std::vector<SettingsProblem> problems =
            SettingsProblems(prepared.settingsText, run.components);
        if (!problems.empty()) {
            Error refused{"the settings file " + run.settingsFile + " cannot be used:",
                          run.settingsFile};
            for (const SettingsProblem& problem : problems)
                refused.what += "\n" + run.settingsFile + ":" + std::to_string(problem.line) +
                                ": " + problem.message;
            return refused;
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
