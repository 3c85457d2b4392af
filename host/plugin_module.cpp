#include "host/plugin_module.h"

#include <dlfcn.h>

namespace tarnik::host {

PluginModule::~PluginModule() {
    if (library_)
        dlclose(library_);
}

bool PluginModule::Load(const std::string& path, std::string& error) {
    if (library_) {
        error = "a module is already loaded";
        return false;
    }
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        error = "cannot load " + path + ": " + (reason ? reason : "unknown error");
        return false;
    }
    void* symbol = dlsym(library, XT_ENTRY_NAME);
    if (!symbol) {
        dlclose(library);
        error = path + " does not export " XT_ENTRY_NAME;
        return false;
    }
    library_ = library;
    entry_ = reinterpret_cast<XTActivateCallbackProc>(symbol);
    path_ = path;
    return true;
}

}  // namespace tarnik::host
