// A host with the plug-in running in it, as the tarnik commands that work on
// documents use it: the document is loaded, the module Tarnik11.so is loaded from
// the XTensions folder and started (registration, activation, menu installation),
// and the menus are brought up to date for the document's current box.
#pragma once

#include <string>

#include "host/memory_host.h"
#include "host/plugin_module.h"

namespace tarnik::cli {

inline constexpr char kPluginModuleName[] = "Tarnik11.so";

// Why the plug-in did not start, from the host's Start result: "it refused to
// register (result 1358955521)".
std::string StartProblem(int32_t result);

class PluginSession {
  public:
    PluginSession() = default;
    ~PluginSession();
    PluginSession(const PluginSession&) = delete;
    PluginSession& operator=(const PluginSession&) = delete;

    // Loads `documentPath` and starts the plug-in from `xtensionsDir` (empty: the
    // default XTensions folder) with `driver` answering its dialogs; false with
    // the reason in `error`.
    bool Open(const std::string& documentPath, const std::string& xtensionsDir,
              host::DialogDriver* driver, std::string& error);

    host::MemoryHost& Host() { return host_; }

  private:
    // Declared first, destroyed last: the plug-in's code stays loaded while the
    // host quits it.
    host::PluginModule module_;
    host::MemoryHost host_;
    bool started_ = false;
};

}  // namespace tarnik::cli
