// The one error every layer hands up: what failed, on which file, and the
// system's reason (errno) when the system gave one. Front ends print
// Message(); nothing below them turns an errno into words.
#pragma once

#include <cstring>
#include <string>

namespace tarnik {

struct Error {
    std::string what;  // "cannot write notes.txt (the file is left as it was)"
    std::string path;  // the file concerned; empty when none
    int osError = 0;   // errno of the failing call; 0 when the system gave none

    // "WHAT: REASON", or WHAT alone when there is no system reason.
    std::string Message() const {
        return osError != 0 ? what + ": " + std::strerror(osError) : what;
    }
};

// "PATH: REASON": a file that cannot be opened or read, named first.
inline Error FileError(const std::string& path, int osError) {
    return {path, path, osError};
}

}  // namespace tarnik
