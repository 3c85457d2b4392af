#include "platform/settings_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/log_file.h"
#include "platform/places.h"
#include "platform/settings_store.h"
#include "platform/stored_text.h"
#include "tarnik/safe_save.h"

namespace fs = std::filesystem;

namespace tarnik {

namespace {

// Copies the user copy to the XTensions path by a safe save, so that a copy
// that breaks off never passes for the settings at the next start.
bool CarryUserCopy(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return in && !in.bad() && SaveFileSafely(to, bytes).Ok();
}

}  // namespace

std::string ModuleNameOf(const std::string& xtensionName) {
    return xtensionName.ends_with("Win") ? xtensionName : xtensionName + "Win";
}

SettingsFileChoice ChooseSettingsFile(const std::string& xtensionName, const HostFolders& folders,
                                      bool writable) {
    SettingsFileChoice choice;
    choice.moduleName = ModuleNameOf(xtensionName);
    const std::string logName = xtensionName + ".log";
    const std::string userFolder = UserDataFolder();
    SetLogFile((fs::path(folders.program) / logName).string(),
               userFolder.empty() ? std::string() : (fs::path(userFolder) / logName).string());

    const std::string fileName = xtensionName + ".ini";
    if (writable && !IsFolderWritable(folders.xtensions)) {
        WriteLogLine(
            "Brak przywileju pisania do teczki XTension, preferencje będą czytane z teczki "
            "uzytkownika");
        writable = false;
    }
    choice.writable = writable;

    FileLookup user = LocateFile(fileName, FilePlace::kUserData, folders);
    FileLookup xtension = LocateFile(fileName, FilePlace::kXTensions, folders);
    choice.userCopy = user.path;
    choice.xtensionCopy = xtension.path;

    std::string storeFile = user.path.empty() ? xtension.path : user.path;
    if (writable) {
        storeFile = xtension.path;
        if (user.result == 0 && xtension.result != 0 && !CarryUserCopy(user.path, xtension.path)) {
            storeFile = user.path;
            choice.copyFailed = true;
            WriteForcedLogLine(
                "Kopiowanie preferencji się nie powiodło: cPrefsFilePath='%s', "
                "cXTensionFilePath='%s'",
                user.path.c_str(), xtension.path.c_str());
        }
    }
    SetStoreTarget(storeFile.c_str(), nullptr);
    return choice;
}

std::string CopyFailedMessage(const SettingsFileChoice& choice) {
    return StoredText("Nie udała się próba przekopiowania poprzednich ustawień rozszerzenia ('" +
                      choice.userCopy + "', '" + choice.xtensionCopy + "').");
}

}  // namespace tarnik
