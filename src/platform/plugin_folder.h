// The plug-in's folder: the folder of the plug-in module itself, where its data
// files ("son.dic", "PLHYPH.DAT") lie. The shell sets it at start-up.
#pragma once

#include <string>

namespace tarnik {

void SetPluginFolder(std::string folder);
const std::string& PluginFolder();

}  // namespace tarnik
