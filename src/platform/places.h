// Where the plug-in keeps its files on this platform.
#pragma once

#include <optional>
#include <string>

namespace tarnik {

// The per-user local application-data folder: $XDG_DATA_HOME/Tarnik, or
// ~/.local/share/Tarnik, unless a run gave one (SetUserDataFolder). Created
// when missing; empty when it cannot be, or when the run gave none.
std::string UserDataFolder();

// The per-user folder of a run that is given its places as values (a file
// run); nullopt goes back to finding it from the environment.
void SetUserDataFolder(std::optional<std::string> folder);

// True when a probe file "__xxXXXxx__.test" can be created in `folder`; the
// probe is removed again. A file of that name already there is left alone (the
// folder's write permission answers then).
bool IsFolderWritable(const std::string& folder);

// The place of a file the plug-in writes ("user.dic", "PLHYPH.USR"): `folder`/`name`
// when `folder` can be written, else the per-user folder's `name`. When the per-user
// place is chosen and holds no such file yet, a file at the old place is moved there
// (copied by a safe save, then the original deleted). A read-only file stays
// read-only: it is used for checking, and only changing it fails.
std::string WritableFilePath(const std::string& folder, const std::string& name);

}  // namespace tarnik
