// Reading a whole file or stream into memory, as every reader of Tarnik's
// files does before it checks a single byte, and writing a whole buffer.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <string_view>

#include "tarnik/error.h"

namespace tarnik {

// Reads the open descriptor `fd` to its end, appending to `bytes`; false with
// errno set when a read fails.
inline bool ReadWholeDescriptor(int fd, std::string& bytes) {
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

// Writes all of `bytes` to the open descriptor `fd`; false with errno set when
// a write fails.
inline bool WriteWholeDescriptor(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Reads the file at `path` whole into `bytes`; the error ("PATH: REASON") when
// it cannot be opened or read.
inline std::optional<Error> ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return FileError(path, errno);
    bool read = ReadWholeDescriptor(fd, bytes);
    int failed = errno;
    ::close(fd);
    if (!read)
        return FileError(path, failed);
    return std::nullopt;
}

}  // namespace tarnik
