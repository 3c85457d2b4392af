// A loadable XTension module (a shared object exporting XTActivateCallback).
#pragma once

#include <string>

#include "tarnik/xtabi.h"

namespace tarnik::host {

class PluginModule {
  public:
    PluginModule() = default;
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    // Loads the module at `path`; false, with the reason in `error`, when it cannot be
    // loaded or does not export the entry.
    bool Load(const std::string& path, std::string& error);
    XTActivateCallbackProc Entry() const { return entry_; }
    const std::string& Path() const { return path_; }

  private:
    void* library_ = nullptr;
    XTActivateCallbackProc entry_ = nullptr;
    std::string path_;
};

}  // namespace tarnik::host
