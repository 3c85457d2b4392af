#include "files/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "files/safe_save.h"

namespace tarnik {

namespace {

// Whether `name` is one that a save of the file named `file` gives its
// temporary file: FILE.tmp- and six letters or digits.
bool IsSaveTemporary(const std::string& name, const std::string& file) {
    const std::string stem = file + ".tmp-";
    if (name.size() != stem.size() + 6 || !name.starts_with(stem))
        return false;
    for (size_t i = stem.size(); i < name.size(); ++i) {
        char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

// Removes the temporary files that saves of `target` left when they were
// killed part-way. Every save of a shared file runs under its lock, so while
// the lock is held none of them is still being written.
void RemoveLeftTemporaries(const std::string& target) {
    std::filesystem::path path(target);
    std::string file = path.filename().string();
    std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code ignored;
        if (IsSaveTemporary(it->path().filename().string(), file) && it->is_regular_file(ignored) &&
            !it->is_symlink(ignored))
            std::filesystem::remove(it->path(), ignored);
    }
}

}  // namespace

FileLock::FileLock(const std::string& path) {
    std::string target = SaveTarget(path);
    if (target.empty())
        return;
    std::string lockPath = target + ".lock";
    int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);  // a lock file we may not write
    if (fd < 0)
        return;
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(fd);
            return;
        }
    }
    fd_ = fd;
    RemoveLeftTemporaries(target);
}

FileLock::~FileLock() {
    if (fd_ >= 0)
        ::close(fd_);  // closing the last descriptor releases the lock
}

}  // namespace tarnik
