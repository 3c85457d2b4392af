// Where the plug-in module runs from, and its version.
//
// The module's folder is the folder of the module file itself (the XTensions
// folder of an installed host, where the data files lie); when the plug-in is
// linked into a program, the folder of that program. The host program's folder
// is the folder of the running executable. The file version is the project
// version compiled into the module, as "11.0.0".
#pragma once

#include <string>

#include "platform/file_lookup.h"

namespace tarnik {

std::string ModuleFolder();
std::string HostProgramFolder();
std::string ModuleFileVersion();

// The host's folders as the settings file choice sees them: the program's
// folder, and the module's folder as the XTensions folder.
HostFolders CurrentHostFolders();

}  // namespace tarnik
