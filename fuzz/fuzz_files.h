// A scratch folder of the fuzzing process, for the readers that take a file.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace fuzz {

// A folder made once per process, in $TARNIK_FUZZ_SCRATCH when set, else in memory
// where the system offers it. It goes at exit; a crash leaves it for the caller of
// the harness to remove (scripts/fuzz.sh removes its scratch folder).
inline const std::string& ScratchFolder() {
    // Never destroyed, so that the clean-up at exit can still name it.
    static const std::string* folder = [] {
        const char* given = std::getenv("TARNIK_FUZZ_SCRATCH");
        std::string base = given                                 ? given
                           : std::filesystem::exists("/dev/shm") ? "/dev/shm"
                                                                 : "/tmp";
        std::string pattern = base + "/tarnik-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] {
            std::error_code error;
            std::filesystem::remove_all(ScratchFolder(), error);
        });
        return new std::string(pattern);
    }();
    return *folder;
}

// Writes `bytes` to NAME in the scratch folder and returns its path.
inline std::string WriteScratch(const std::string& name, std::string_view bytes) {
    std::string path = ScratchFolder() + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0) {
        std::abort();
    }
    return path;
}

}  // namespace fuzz
