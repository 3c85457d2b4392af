// The host's one way to save a file (documents, and every output file of the
// tarnik command).
//
// The new contents go into a temporary file with a unique name beside the real
// target (the end of `path`'s symbolic links: a link stays a link and the linked
// file gets the change). It takes the target's permissions, is written, synced
// and renamed over the target, and the folder is synced. A save that fails at
// any step removes its temporary file, leaves the old file whole, and sets
// `error` to what failed and the system's reason; it never falls back to
// rewriting the file in place. A target that may not be written (a read-only
// file: one without any write permission, also for a privileged user) is
// refused.
//
// With `keepBackup`, the file being replaced is first kept under the first free
// name of FILE.bak, FILE.bak.1, FILE.bak.2, … beside the real target, so a
// backup never replaces an older one; `backupPath` receives the name used
// (empty when there was no file to keep). A save that then fails removes that
// backup again, since the file itself stays as it was.
#pragma once

#include <string>
#include <string_view>

namespace tarnik::host {

bool SaveFileSafely(const std::string& path, std::string_view contents, std::string& error,
                    bool keepBackup = false, std::string* backupPath = nullptr);

}  // namespace tarnik::host
