// Where the plug-in keeps its files on this platform.
#pragma once

#include <string>

namespace tarnik {

// The per-user local application-data folder: $XDG_DATA_HOME/Tarnik, or
// ~/.local/share/Tarnik. Created when missing; empty when it cannot be.
std::string UserDataFolder();

// True when a probe file "__xxXXXxx__.test" can be created in `folder`; the
// probe is removed again.
bool IsFolderWritable(const std::string& folder);

// The place of a file the plug-in writes ("user.dic", "PLHYPH.USR"): `folder`/`name`
// when `folder` can be written, else the per-user folder's `name`. When the per-user
// place is chosen and holds no such file yet, a file at the old place is moved there
// (copied by a safe save, then the original deleted). A read-only file stays
// read-only: it is used for checking, and only changing it fails.
std::string WritableFilePath(const std::string& folder, const std::string& name);

}  // namespace tarnik
