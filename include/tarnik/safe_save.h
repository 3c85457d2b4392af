// The one way anything of Tarnik saves a file: the plug-in's user files and
// settings, the host's documents, every output of the tarnik command.
//
// A regular file (or a new one) is replaced whole, never rewritten in place:
// the new contents go into a temporary file with a unique, recognisable name
// beside the real target (the file at the end of `path`'s symbolic links, so a
// link stays a link and the linked file gets the change), which takes the
// target's permissions, is written, synced and renamed over the target; then
// the folder is synced. A save that fails at any step removes its temporary
// file, leaves the old file whole and says why. A target that exists but may
// not be written (a read-only file: one without any write permission, also for
// a privileged user) is refused, so a user who made a file read-only keeps it.
//
// A target that is no regular file (a terminal, /dev/null, a FIFO, the
// standard output named as /dev/stdout) is written directly: no temporary
// file, no rename, no backup; replacing it would destroy the device. A save
// that must replace a file (an in-place edit) asks for kRegularFileOnly and is
// refused anywhere else.
//
// The temporary file is FILE.tmp-XXXXXX, locked (flock) while its save runs.
// A save killed part-way leaves it unlocked; the next save of the same target
// removes every such file it can lock, so leftovers do not pile up.
#pragma once

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tarnik/error.h"
#include "tarnik/file_io.h"

namespace tarnik {

// The step a save failed at.
enum class SaveStep {
    kDone,      // saved
    kTarget,    // the target may not be written, or its links cannot be followed
    kNotAFile,  // a file to be replaced is a device, FIFO or terminal
    kCreate,    // no temporary file can be created beside the target
    kWrite,     // writing or syncing the new contents failed
    kRejected,  // the check refused the written file
    kBackup,    // the old file could not be kept as a backup
    kReplace,   // the temporary file could not be renamed over the target
};

struct SaveResult {
    SaveStep step = SaveStep::kDone;
    int osError = 0;              // the system's errno for the failing step; 0 for kRejected
    std::string backupPath = {};  // where the old file was kept, when a backup was asked for

    bool Ok() const { return step == SaveStep::kDone; }
    // The failure as the one error type: "cannot write PATH (the file is left
    // as it was)" with the system's reason.
    Error ToError(const std::string& path) const;
    // ToError(path).Message(); "saved PATH" after a save that succeeded.
    std::string Describe(const std::string& path) const {
        return Ok() ? "saved " + path : ToError(path).Message();
    }
};

// Looks at the finished temporary file before it replaces the target; false
// leaves the target as it was.
using SaveCheck = std::function<bool(const std::string& temporaryPath)>;

struct SaveOptions {
    // Keep the file being replaced under the first free name of FILE.bak,
    // FILE.bak.1, FILE.bak.2, … so that a backup never replaces an older one.
    bool keepBackup = false;
    // Refuse a target that is no regular file instead of writing into it.
    bool regularFileOnly = false;
    SaveCheck check = {};
};

inline SaveResult SaveFileSafely(const std::string& path, std::string_view contents,
                                 const SaveOptions& options = {});

// The same save, with the contents written as they are made: `write` writes
// them into the descriptor it is given (the temporary file's, or the device's),
// and returns false when it could not (errno says why, or is 0 when the
// contents could not be made: the save then fails at kWrite, and the target is
// left as it was). A text of any length is saved in the memory its maker needs.
using SaveWriter = std::function<bool(int fd)>;
inline SaveResult SaveFileSafely(const std::string& path, const SaveWriter& write,
                                 const SaveOptions& options = {});

// The file a save of `path` replaces: `path` itself, or the file its chain of
// symbolic links ends in (which need not exist yet). Empty when the links loop.
inline std::string SaveTarget(const std::string& path);

// The name of the n-th backup of `file`: FILE.bak for 0, FILE.bak.N after it.
inline std::string BackupName(const std::string& file, int n) {
    return n == 0 ? file + ".bak" : file + ".bak." + std::to_string(n);
}

// Moves the file at `path` (the real file when `path` is a symbolic link) to
// the first free backup name.
struct BackupResult {
    bool ok = false;
    std::string backupPath;  // where the file went
    int osError = 0;
};
inline BackupResult MoveFileAside(const std::string& path);

// ---------------------------------------------------------------------------

namespace save_detail {

// More links than this in a chain is taken for a loop, as the system does.
inline constexpr int kMostLinks = 40;
// A file with this many backups already gets no further one.
inline constexpr int kMostBackups = 1000;
inline constexpr std::string_view kTemporaryInfix = ".tmp-";

inline std::string FolderOf(const std::string& path) {
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

// Makes the new file look like the old one: its permissions and, where the
// system lets us, its owner and group; a new file gets what the process's
// file-creation mask gives.
inline bool TakeOverAttributes(int fd, const std::string& target) {
    struct stat old;
    if (::stat(target.c_str(), &old) != 0) {
        if (errno != ENOENT)
            return false;
        mode_t mask = ::umask(0);
        ::umask(mask);
        return ::fchmod(fd, 0666 & ~mask) == 0;
    }
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        // Only a privileged user may give a file away; the others keep theirs.
        [[maybe_unused]] int ignored = ::fchown(fd, old.st_uid, old.st_gid);
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

inline void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Gives `from` the name `to` unless `to` exists (errno EEXIST then).
inline bool RenameNoReplace(const std::string& from, const std::string& to) {
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
inline bool MayReplace(const std::string& target) {
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

// Whether `name` is one a save of `file` gives its temporary file: FILE.tmp-
// and six letters or digits.
inline bool IsSaveTemporary(std::string_view name, std::string_view file) {
    if (name.size() != file.size() + kTemporaryInfix.size() + 6 || !name.starts_with(file) ||
        name.substr(file.size(), kTemporaryInfix.size()) != kTemporaryInfix)
        return false;
    for (char c : name.substr(file.size() + kTemporaryInfix.size())) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

// Removes the temporary files that killed saves of `target` left: those no
// running save holds locked.
inline void RemoveLeftTemporaries(const std::string& target) {
    std::filesystem::path path(target);
    std::string file = path.filename().string();
    std::error_code error;
    for (std::filesystem::directory_iterator it(FolderOf(target), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code ignored;
        if (!IsSaveTemporary(it->path().filename().string(), file) ||
            !it->is_regular_file(ignored) || it->is_symlink(ignored))
            continue;
        Descriptor left(::open(it->path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
        if (left.Get() >= 0 && ::flock(left.Get(), LOCK_EX | LOCK_NB) == 0)
            std::filesystem::remove(it->path(), ignored);
    }
}

// Writes the contents straight into a device, FIFO or terminal.
inline SaveResult WriteDirectly(const std::string& path, const SaveWriter& write) {
    Descriptor device(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (device.Get() < 0)
        return {SaveStep::kTarget, errno, {}};
    errno = 0;
    if (!write(device.Get()) || !device.Close())
        return {SaveStep::kWrite, errno, {}};
    return {};
}

// Keeps `target` under its first free backup name, as a second name of the
// same file or, on a file system without hard links, as a copy.
inline SaveResult KeepBackup(const std::string& target) {
    for (int n = 0; n < kMostBackups; ++n) {
        std::string backup = BackupName(target, n);
        if (::link(target.c_str(), backup.c_str()) == 0)
            return {SaveStep::kDone, 0, backup};
        if (errno == EEXIST)
            continue;
        if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK)
            return {SaveStep::kBackup, errno, {}};
        std::string old;
        if (std::optional<Error> unread = ReadWholeFile(target, old))
            return {SaveStep::kBackup, unread->osError, {}};
        const std::string copy = target + ".bak-copy";
        SaveResult written = SaveFileSafely(copy, old);
        if (!written.Ok())
            return {SaveStep::kBackup, written.osError, {}};
        for (; n < kMostBackups; ++n) {
            backup = BackupName(target, n);
            if (RenameNoReplace(copy, backup))
                return {SaveStep::kDone, 0, backup};
            if (errno != EEXIST)
                break;
        }
        int failed = errno;
        ::unlink(copy.c_str());
        return {SaveStep::kBackup, failed, {}};
    }
    return {SaveStep::kBackup, EEXIST, {}};
}

}  // namespace save_detail

inline Error SaveResult::ToError(const std::string& path) const {
    switch (step) {
        case SaveStep::kDone:
            return {};
        case SaveStep::kTarget:
            return {"cannot save " + path, path, osError};
        case SaveStep::kNotAFile:
            return {"cannot replace " + path + ": it is not a regular file", path, 0};
        case SaveStep::kCreate:
            return {"cannot create a temporary file beside " + path, path, osError};
        case SaveStep::kWrite:
            return {"cannot write " + path + " (the file is left as it was)", path, osError};
        case SaveStep::kRejected:
            return {
                "the new contents of " + path + " failed their check (the file is left as it was)",
                path, 0};
        case SaveStep::kBackup:
            return {"cannot keep a backup of " + path + " (the file is left as it was)", path,
                    osError};
        case SaveStep::kReplace:
            return {"cannot replace " + path + " (the file is left as it was)", path, osError};
    }
    return {};
}

inline std::string SaveTarget(const std::string& path) {
    std::string target = path;
    for (int links = 0; links <= save_detail::kMostLinks; ++links) {
        struct stat status;
        if (::lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return target;
        std::vector<char> buffer(static_cast<size_t>(status.st_size > 0 ? status.st_size : 255) +
                                 1);
        ssize_t length = ::readlink(target.c_str(), buffer.data(), buffer.size());
        if (length < 0)
            return target;
        std::string link(buffer.data(), static_cast<size_t>(length));
        target = link.starts_with('/') ? link : save_detail::FolderOf(target) + "/" + link;
    }
    errno = ELOOP;
    return {};
}

inline SaveResult SaveFileSafely(const std::string& path, std::string_view contents,
                                 const SaveOptions& options) {
    return SaveFileSafely(
        path, SaveWriter([contents](int fd) { return WriteWholeDescriptor(fd, contents); }),
        options);
}

inline SaveResult SaveFileSafely(const std::string& path, const SaveWriter& write,
                                 const SaveOptions& options) {
    using namespace save_detail;
    // The system follows the links itself here, also the ones no path spells
    // (/dev/stdout leads to a pipe).
    struct stat status;
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        if (S_ISDIR(status.st_mode))
            return {SaveStep::kTarget, EISDIR, {}};
        if (options.regularFileOnly)
            return {SaveStep::kNotAFile, 0, {}};
        return WriteDirectly(path, write);
    }
    std::string target = SaveTarget(path);
    if (target.empty())
        return {SaveStep::kTarget, ELOOP, {}};
    if (!MayReplace(target))
        return {SaveStep::kTarget, errno, {}};
    RemoveLeftTemporaries(target);

    std::string temporary = target + std::string(kTemporaryInfix) + "XXXXXX";
    Descriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (file.Get() < 0)
        return {SaveStep::kCreate, errno, {}};
    // Held until the save ends, through a second descriptor so that the first
    // can be closed (and its close checked) before the rename: a save that
    // runs never looks left behind.
    Descriptor lock(::dup(file.Get()));
    ::flock(lock.Get(), LOCK_EX | LOCK_NB);
    auto fail = [&](SaveStep step, int osError) {
        ::unlink(temporary.c_str());
        return SaveResult{step, osError, {}};
    };
    if (!TakeOverAttributes(file.Get(), target))
        return fail(SaveStep::kCreate, errno);
    errno = 0;
    if (!write(file.Get()) || ::fsync(file.Get()) != 0 || !file.Close())
        return fail(SaveStep::kWrite, errno);
    if (options.check && !options.check(temporary))
        return fail(SaveStep::kRejected, 0);
    std::string backup;
    if (options.keepBackup && ::access(target.c_str(), F_OK) == 0) {
        SaveResult kept = KeepBackup(target);
        if (!kept.Ok())
            return fail(SaveStep::kBackup, kept.osError);
        backup = kept.backupPath;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        int failed = errno;
        if (!backup.empty())
            ::unlink(backup.c_str());
        return fail(SaveStep::kReplace, failed);
    }
    SyncFolder(FolderOf(target));
    return {SaveStep::kDone, 0, backup};
}

inline BackupResult MoveFileAside(const std::string& path) {
    using namespace save_detail;
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
