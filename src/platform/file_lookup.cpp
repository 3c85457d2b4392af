#include "platform/file_lookup.h"

#include <filesystem>
#include <fstream>

#include "platform/places.h"

namespace fs = std::filesystem;

namespace tarnik {

namespace {

std::string FolderOf(FilePlace place, const HostFolders& folders) {
    switch (place) {
        case FilePlace::kUserData:
            return UserDataFolder();
        case FilePlace::kProgramXTension:
            return (fs::path(folders.program) / "XTension").string();
        case FilePlace::kProgram:
            return folders.program;
        case FilePlace::kXTensions:
            return folders.xtensions;
    }
    return {};
}

}  // namespace

FileLookup LocateFile(std::string_view name, FilePlace place, const HostFolders& folders) {
    FileLookup lookup;
    if (place == FilePlace::kUserData && fs::path(name).is_absolute()) {
        lookup.path = name;
    } else {
        std::string folder = FolderOf(place, folders);
        if (folder.empty())
            return lookup;
        lookup.path = (fs::path(folder) / name).string();
    }
    std::error_code error;
    if (!fs::is_directory(lookup.path, error) && std::ifstream(lookup.path, std::ios::binary)) {
        lookup.result = 0;
    }
    return lookup;
}

}  // namespace tarnik
