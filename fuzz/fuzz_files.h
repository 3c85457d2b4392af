// A scratch folder of the fuzzing process, for the readers that take a file.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/checksum_trailer.h"

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

// The input as a file our tools would write: with its checksum trailer appended
// when it ends in none, so that the reader behind the check sees the bytes; an
// input that ends in a trailer (sound or damaged) is kept as it is, so that the
// check itself is fuzzed too.
inline std::string Sealed(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    tarnik::ChecksumClaim claim;
    if (tarnik::ReadTrailer(bytes, claim) == tarnik::TrailerKind::kAbsent)
        bytes += tarnik::ChecksumTrailer(bytes);
    return bytes;
}

}  // namespace fuzz
