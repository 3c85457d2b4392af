// The one way the plug-in saves a file.
//
// The new contents go into a temporary file with a unique name beside the real
// target (the file at the end of `path`'s symbolic links, so a link stays a
// link and the linked file gets the change). The temporary file takes the
// target's permissions, is written, synced and renamed over the target, and the
// folder is synced. A save that fails at any step removes its temporary file,
// leaves the old file whole and says why; it never falls back to rewriting the
// file in place. A target that exists but may not be written (a read-only file:
// one without any write permission, also for a privileged user) is refused, so
// a user who made a file read-only keeps it as it is.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tarnik {

// The step a save failed at.
enum class SaveStep {
    kDone,      // saved
    kTarget,    // the target may not be written, or its links cannot be followed
    kCreate,    // no temporary file can be created beside the target
    kWrite,     // writing or syncing the temporary file failed
    kRejected,  // the check refused the written file
    kReplace,   // the temporary file could not be renamed over the target
};

struct SaveResult {
    SaveStep step = SaveStep::kDone;
    int osError = 0;  // the system's errno for the failing step; 0 for kRejected

    bool Ok() const { return step == SaveStep::kDone; }
    // "cannot write PATH (the file is left as it was): No space left on device".
    std::string Describe(const std::string& path) const;
};

// The file a save of `path` replaces: `path` itself, or the file its chain of
// symbolic links ends in (which need not exist yet). Empty when the links loop.
std::string SaveTarget(const std::string& path);

// Looks at the finished temporary file before it replaces the target; false
// leaves the target as it was.
using SaveCheck = std::function<bool(const std::string& temporaryPath)>;

SaveResult SaveFileSafely(const std::string& path, std::string_view contents,
                          const SaveCheck& check = {});

// Moves the file at `path` (the real file when `path` is a symbolic link) to
// the first free name of FILE.bak, FILE.bak.1, FILE.bak.2, …, so that a backup
// never replaces an older one.
struct BackupResult {
    bool ok = false;
    std::string backupPath;  // where the file went
    int osError = 0;
};
BackupResult MoveFileAside(const std::string& path);

// The name of the n-th backup of `file`: FILE.bak for 0, FILE.bak.N after it.
std::string BackupName(const std::string& file, int n);

}  // namespace tarnik
