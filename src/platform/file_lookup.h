// Finding a file of the plug-in by name in one of its places.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnik {

// The folders of the running host: host facts, handed in by whoever knows them.
struct HostFolders {
    std::string program;    // the folder of the host executable
    std::string xtensions;  // the host's XTensions folder (normally program/XTensions)
};

enum class FilePlace {
    kUserData = 0,         // the per-user data folder (created if missing)
    kProgramXTension = 1,  // program/XTension
    kProgram = 2,          // program
    kXTensions = 3,        // the XTensions folder
};

inline constexpr int16_t kFileNotFound = -43;

struct FileLookup {
    int16_t result = kFileNotFound;  // 0 when the file can be opened for reading
    std::string path;                // the full path, found or not
};

// The path of `name` in `place`, and whether the file can be read there. In the
// per-user place an absolute name is used unchanged. Without a per-user folder
// (no home) the path is empty and the result kFileNotFound.
FileLookup LocateFile(std::string_view name, FilePlace place, const HostFolders& folders);

}  // namespace tarnik
