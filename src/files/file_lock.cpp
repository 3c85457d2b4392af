#include "files/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "tarnik/safe_save.h"

namespace tarnik {

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
}

FileLock::~FileLock() {
    if (fd_ >= 0)
        ::close(fd_);  // closing the last descriptor releases the lock
}

}  // namespace tarnik
