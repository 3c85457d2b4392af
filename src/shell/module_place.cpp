#include "shell/module_place.h"

#include <dlfcn.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace tarnik {

std::string ModuleFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModuleFolder), &info) == 0 || !info.dli_fname)
        return HostProgramFolder();
    std::error_code error;
    fs::path module = fs::canonical(info.dli_fname, error);
    if (error)
        return HostProgramFolder();
    return module.parent_path().string();
}

std::string HostProgramFolder() {
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path(error).string() : program.parent_path().string();
}

std::string ModuleFileVersion() {
    return TARNIK_FILE_VERSION;
}

HostFolders CurrentHostFolders() {
    return {HostProgramFolder(), ModuleFolder()};
}

}  // namespace tarnik
