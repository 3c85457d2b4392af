#include "files/safe_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace tarnik {
namespace {

// More links than this in a chain is taken for a loop, as the system does.
constexpr int kMostLinks = 40;
// A file with this many backups already gets no further one.
constexpr int kMostBackups = 1000;

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    // Closes now; false (errno set) when the close reports a failed write.
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, std::string_view contents) {
    const char* p = contents.data();
    size_t left = contents.size();
    while (left > 0) {
        ssize_t written = ::write(fd, p, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        p += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

// The permissions a new file gets from the process's file-creation mask.
mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes the new file look like the old one: its permissions and, where the
// system lets us, its owner and group.
bool TakeOverAttributes(int fd, const std::string& target) {
    struct stat old;
    if (::stat(target.c_str(), &old) != 0)
        return errno == ENOENT ? ::fchmod(fd, NewFileMode()) == 0 : false;
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        // Only a privileged user may give a file away; the others keep theirs.
        [[maybe_unused]] int ignored = ::fchown(fd, old.st_uid, old.st_gid);
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Renames `from` to `to` unless `to` exists; errno EEXIST when it does.
bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the flag: a hard link never replaces a name either.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
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

std::string SaveResult::Describe(const std::string& path) const {
    std::string text;
    switch (step) {
        case SaveStep::kDone:
            return "saved " + path;
        case SaveStep::kTarget:
            text = "cannot save " + path;
            break;
        case SaveStep::kCreate:
            text = "cannot create a temporary file beside " + path;
            break;
        case SaveStep::kWrite:
            text = "cannot write " + path + " (the file is left as it was)";
            break;
        case SaveStep::kRejected:
            return "the new contents of " + path +
                   " failed their check (the file is left as it was)";
        case SaveStep::kReplace:
            text = "cannot replace " + path + " (the file is left as it was)";
            break;
    }
    return osError != 0 ? text + ": " + std::strerror(osError) : text;
}

std::string SaveTarget(const std::string& path) {
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

SaveResult SaveFileSafely(const std::string& path, std::string_view contents,
                          const SaveCheck& check) {
    std::string target = SaveTarget(path);
    if (target.empty())
        return {SaveStep::kTarget, ELOOP};
    if (!MayReplace(target))
        return {SaveStep::kTarget, errno};

    std::string temporary = target + ".tmp-XXXXXX";
    Descriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0)
        return {SaveStep::kCreate, errno};
    auto fail = [&](SaveStep step) {
        SaveResult result{step, step == SaveStep::kRejected ? 0 : errno};
        ::unlink(temporary.c_str());
        return result;
    };
    if (!TakeOverAttributes(file.Get(), target))
        return fail(SaveStep::kCreate);
    if (!WriteAll(file.Get(), contents) || ::fsync(file.Get()) != 0 || !file.Close())
        return fail(SaveStep::kWrite);
    if (check && !check(temporary))
        return fail(SaveStep::kRejected);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(SaveStep::kReplace);
    SyncFolder(FolderOf(target));
    return {};
}

std::string BackupName(const std::string& file, int n) {
    return n == 0 ? file + ".bak" : file + ".bak." + std::to_string(n);
}

BackupResult MoveFileAside(const std::string& path) {
    BackupResult result;
    std::string target = SaveTarget(path);
    if (target.empty()) {
        result.osError = ELOOP;
        return result;
    }
    for (int n = 0; n < kMostBackups; ++n) {
        std::string candidate = BackupName(target, n);
        if (RenameNoReplace(target, candidate)) {
            SyncFolder(FolderOf(target));
            result.ok = true;
            result.backupPath = candidate;
            return result;
        }
        if (errno != EEXIST) {
            result.osError = errno;
            return result;
        }
    }
    result.osError = EEXIST;
    return result;
}

}  // namespace tarnik
