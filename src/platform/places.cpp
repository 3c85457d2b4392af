#include "platform/places.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tarnik/safe_save.h"

namespace fs = std::filesystem;

namespace tarnik {

namespace {

std::optional<std::string>& GivenUserFolder() {
    static std::optional<std::string> folder;
    return folder;
}

}  // namespace

void SetUserDataFolder(std::optional<std::string> folder) {
    GivenUserFolder() = std::move(folder);
}

std::string UserDataFolder() {
    fs::path base;
    if (const std::optional<std::string>& given = GivenUserFolder()) {
        if (given->empty())
            return {};
        std::error_code error;
        fs::create_directories(*given, error);
        return fs::is_directory(*given, error) ? *given : std::string();
    }
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
    // Created only when absent: a file of that name that someone keeps there is
    // neither emptied nor removed, and the folder's own permission answers.
    int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno == EEXIST && access(folder.c_str(), W_OK) == 0;
    close(fd);
    unlink(probe.c_str());
    return true;
}

namespace {

// Moves the file at `from` to `to` by a safe save of its bytes, so that a move
// that breaks off never leaves a cut copy that would pass for the file.
void MoveFile(const fs::path& from, const fs::path& to) {
    std::ifstream in(from, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in && !in.bad() && SaveFileSafely(to.string(), bytes).Ok()) {
        std::error_code error;
        fs::remove(from, error);
    }
}

}  // namespace

std::string WritableFilePath(const std::string& folder, const std::string& name) {
    fs::path oldPlace = fs::path(folder) / name;
    std::error_code error;
    fs::path chosen = oldPlace;
    if (!IsFolderWritable(folder)) {
        std::string user = UserDataFolder();
        if (!user.empty()) {
            chosen = fs::path(user) / name;
            if (!fs::exists(chosen, error) && fs::is_regular_file(oldPlace, error))
                MoveFile(oldPlace, chosen);
        }
    }
    return chosen.string();
}

}  // namespace tarnik
