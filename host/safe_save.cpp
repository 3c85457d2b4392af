#include "host/safe_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace tarnik::host {
namespace {

constexpr int kMostLinks = 40;
constexpr int kMostBackups = 1000;

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Reason(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// The end of `path`'s chain of symbolic links; empty (errno ELOOP) for a loop.
std::string RealTarget(const std::string& path) {
    std::string target = path;
    for (int links = 0; links <= kMostLinks; ++links) {
        struct stat status;
        if (::lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return target;
        std::vector<char> buffer(static_cast<size_t>(status.st_size > 0 ? status.st_size : 255) +
                                 1);
        ssize_t length = ::readlink(target.c_str(), buffer.data(), buffer.size());
        if (length < 0)
            return target;
        std::string link(buffer.data(), static_cast<size_t>(length));
        target = link.starts_with('/') ? link : FolderOf(target) + "/" + link;
    }
    errno = ELOOP;
    return {};
}

bool WriteAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        contents.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Gives the new file the old one's permissions (and owner and group where the
// system lets us), or those of a new file.
bool TakeOverAttributes(int fd, const std::string& target) {
    struct stat old;
    if (::stat(target.c_str(), &old) != 0) {
        if (errno != ENOENT)
            return false;
        mode_t mask = ::umask(0);
        ::umask(mask);
        return ::fchmod(fd, 0666 & ~mask) == 0;
    }
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        [[maybe_unused]] int ignored = ::fchown(fd, old.st_uid, old.st_gid);
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes `contents` into a new temporary file beside `target` and syncs it.
// Returns its name, or empty with `error` set (nothing left behind).
std::string WriteTemporary(const std::string& target, std::string_view contents, bool likeTarget,
                           std::string& error) {
    std::string temporary = target + ".tmp-XXXXXX";
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        error = Reason("cannot create a temporary file beside " + target);
        return {};
    }
    bool ok = (!likeTarget || TakeOverAttributes(fd, target)) && WriteAll(fd, contents) &&
              ::fsync(fd) == 0;
    int saved = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        errno = saved;
        error = Reason("cannot write " + target + " (the file is left as it was)");
        return {};
    }
    return temporary;
}

// Gives `from` the name `to` unless `to` exists (errno EEXIST then).
bool LinkNoReplace(const std::string& from, const std::string& to, bool keepFrom) {
    if (::link(from.c_str(), to.c_str()) == 0) {
        if (!keepFrom)
            ::unlink(from.c_str());
        return true;
    }
    return false;
}

// Keeps the file `target` under its first free backup name.
bool KeepBackup(const std::string& target, std::string& backup, std::string& error) {
    std::string copy;  // a copy of the file, for file systems without hard links
    for (int n = 0; n < kMostBackups; ++n) {
        backup = n == 0 ? target + ".bak" : target + ".bak." + std::to_string(n);
        if (copy.empty() ? LinkNoReplace(target, backup, true) : LinkNoReplace(copy, backup, false))
            return true;
        if (errno == EEXIST)
            continue;
        if (!copy.empty() || (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK)) {
            error = Reason("cannot keep " + target + " as " + backup);
            break;
        }
        std::ifstream in(target, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in || in.bad()) {
            error = Reason("cannot read " + target + " to keep a backup");
            break;
        }
        copy = WriteTemporary(target, bytes, true, error);
        if (copy.empty())
            break;
        --n;  // try the same name again with the copy
    }
    if (!copy.empty())
        ::unlink(copy.c_str());
    backup.clear();
    if (error.empty())
        error = "cannot keep " + target + ": every backup name is taken";
    return false;
}

// Whether an existing `target` may be replaced: the system must let us write
// it, and a file without any write permission counts as protected even for a
// privileged user, who could otherwise replace what the user made read-only.
bool MayReplace(const std::string& target) {
    struct stat status;
    if (::stat(target.c_str(), &status) != 0)
        return true;  // nothing there yet
    if (::access(target.c_str(), W_OK) != 0)
        return false;
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        errno = EACCES;
        return false;
    }
    return true;
}

}  // namespace

bool SaveFileSafely(const std::string& path, std::string_view contents, std::string& error,
                    bool keepBackup, std::string* backupPath) {
    error.clear();
    if (backupPath)
        backupPath->clear();
    std::string target = RealTarget(path);
    if (target.empty()) {
        error = Reason("cannot save " + path);
        return false;
    }
    bool exists = ::access(target.c_str(), F_OK) == 0;
    if (!MayReplace(target)) {
        error = Reason("cannot save " + path);
        return false;
    }
    std::string temporary = WriteTemporary(target, contents, true, error);
    if (temporary.empty())
        return false;
    std::string backup;
    if (keepBackup && exists && !KeepBackup(target, backup, error)) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        error = Reason("cannot replace " + path + " (the file is left as it was)");
        ::unlink(temporary.c_str());
        if (!backup.empty())
            ::unlink(backup.c_str());
        return false;
    }
    SyncFolder(FolderOf(target));
    if (backupPath)
        *backupPath = backup;
    return true;
}

}  // namespace tarnik::host
