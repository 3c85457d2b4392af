#include "platform/places.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace tarnik {

std::string UserDataFolder() {
    fs::path base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = fs::path(home) / ".local" / "share";
    } else {
        return {};
    }
    fs::path folder = base / "Tarnik";
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error) ? folder.string() : std::string();
}

bool IsFolderWritable(const std::string& folder) {
    fs::path probe = fs::path(folder) / "__xxXXXxx__.test";
    {
        std::ofstream out(probe, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
    }
    std::error_code error;
    fs::remove(probe, error);
    return true;
}

std::string WritableFilePath(const std::string& folder, const std::string& name) {
    fs::path oldPlace = fs::path(folder) / name;
    std::error_code error;
    fs::path chosen = oldPlace;
    if (!IsFolderWritable(folder)) {
        std::string user = UserDataFolder();
        if (!user.empty()) {
            chosen = fs::path(user) / name;
            if (!fs::exists(chosen, error) && fs::exists(oldPlace, error) &&
                fs::copy_file(oldPlace, chosen, error)) {
                fs::remove(oldPlace, error);
            }
        }
    }
    if (fs::exists(chosen, error)) {
        fs::permissions(chosen, fs::perms::owner_write, fs::perm_options::add, error);
    }
    return chosen.string();
}

}  // namespace tarnik
