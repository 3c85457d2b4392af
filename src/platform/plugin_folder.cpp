#include "platform/plugin_folder.h"

namespace tarnik {

namespace {

std::string& Folder() {
    static std::string folder;
    return folder;
}

}  // namespace

void SetPluginFolder(std::string folder) {
    Folder() = std::move(folder);
}

const std::string& PluginFolder() {
    return Folder();
}

}  // namespace tarnik
