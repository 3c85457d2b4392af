#include "spellcheck/spell_dictionaries.h"

#include <cstdio>
#include <filesystem>

#include "platform/places.h"
#include "platform/plugin_folder.h"
#include "platform/show_message.h"
#include "spellcheck/spell_check_state.h"
#include "speller/main_dictionary.h"
#include "speller/user_dictionary.h"
#include "tarnik/safe_save.h"

namespace tarnik {

namespace {

namespace fs = std::filesystem;

bool CanRead(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file)
        std::fclose(file);
    return file != nullptr;
}

// son.dic beside the plug-in, or in an XTensions folder inside the plug-in's
// folder. When neither can be read, the first place is the one named to the
// user: it is where the file belongs (the other is a place of old installs, and
// naming it gave .../XTensions/XTensions/son.dic).
std::string MainDictionaryPath() {
    std::string path = (fs::path(PluginFolder()) / kMainDictionaryFile).string();
    if (CanRead(path))
        return path;
    std::string other = (fs::path(PluginFolder()) / "XTensions" / kMainDictionaryFile).string();
    return CanRead(other) ? other : path;
}

// The source's mixed-case words (GHz, JavaScript), which son.dic cannot hold, lie
// beside it in a dictionary of their own, consulted like the user's and never
// written. Without it the command goes on and refuses those words.
void OpenMixedCaseDictionary(const std::string& mainPath) {
    std::string path = (fs::path(mainPath).parent_path() / kMixedCaseDictionaryName).string();
    std::error_code error;
    if (!fs::exists(path, error))
        return;
    UserDictionary* mixed = nullptr;
    if (int16_t result = UserDictOpenSealed(path, mixed); result != kUserDictOk)
        ShowFileMessage("Can't load user dictionary file.", result, path);
}

// Creates the file and opens it; the result of the step that failed.
int16_t CreateAndOpen(const std::string& path, UserDictionary*& user) {
    if (UserDictCreate(path) != kUserDictOk) {
        ShowFileMessage("Can't create user dictionary.", 0, path);
        return kSpellOpenNoUserDictionary;
    }
    if (UserDictOpen(path, user) != kUserDictOk) {
        ShowFileMessage("Can't load user dictionary file.", 0, path);
        return kSpellOpenNoUserDictionary;
    }
    return 0;
}

// Opens user.dic into the state, or leaves the state without one when it exists
// but cannot be read. 0 or kSpellOpenNoUserDictionary.
int16_t OpenUserDictionary(SpellCheckState& state) {
    state.userPath = UserDictionaryPath();
    const std::string& path = state.userPath;
    std::error_code error;
    int16_t result = UserDictOpen(path, state.user);
    if (result == kUserDictOk)
        return 0;
    state.user = nullptr;
    if (result == kUserDictCannotOpen && fs::exists(path, error)) {
        // There, and not to be read: the user's words may still be in it.
        ShowFileMessage("Can't load user dictionary file.", result, path);
        return 0;
    }
    if (result == kUserDictDamaged) {
        // Kept for the user (never over an older backup); a new one is started.
        BackupResult backup = MoveFileAside(path);
        if (!backup.ok) {
            ShowFileMessage("Can't load user dictionary file.", result, path);
            return 0;
        }
        ShowFileMessage(
            "The user dictionary was damaged. It has been kept as %s and a new one started.", 0,
            backup.backupPath);
    }
    // Missing, or holding no list yet.
    return CreateAndOpen(path, state.user);
}

}  // namespace

namespace {

std::string& GivenUserDictionary() {
    static std::string path;
    return path;
}

}  // namespace

void SetUserDictionaryFile(std::string path) {
    GivenUserDictionary() = std::move(path);
}

std::string UserDictionaryPath() {
    if (!GivenUserDictionary().empty())
        return GivenUserDictionary();
    return WritableFilePath(PluginFolder(), kUserDictionaryFile);
}

void ReportUnsavedChange(const char* english) {
    const SpellCheckState& state = SpellCheck();
    if (state.user && !state.user->lastSave.Ok())
        ShowSaveFailure(english, 0, state.user->lastSave.Describe(state.userPath));
    else
        ShowSaveFailure(english, 0, state.userPath);
}

int16_t OpenSpellDictionaries() {
    SpellCheckState& state = SpellCheck();
    state = SpellCheckState{};
    state.settings = LoadDictSettings();
    const std::string mainPath = MainDictionaryPath();
    if (int16_t result = SpellerOpen(mainPath); result != 0) {
        ShowFileMessage("Can't open spell checker. [%s]", result, mainPath);
        return kSpellOpenNoSpeller;
    }
    if (int16_t result = OpenUserDictionary(state); result != 0) {
        SpellerClose();
        state.user = nullptr;
        return result;
    }
    OpenMixedCaseDictionary(mainPath);
    return 0;
}

void CloseSpellDictionaries() {
    SpellCheckState& state = SpellCheck();
    if (state.user)
        UserDictClose(state.user);
    state.user = nullptr;
    SpellerClose();
}

}  // namespace tarnik
