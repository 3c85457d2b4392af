// A document in the host with the plug-in linked in and started through its
// entry, as the host starts it. The plug-in's folder, the per-user data folder
// and the settings file are fresh temporary files, so nothing reaches the
// user's own settings or dictionaries; the plug-in's folder holds the bundled
// "PLHYPH.DAT", "son.dic" and "mixedcase.dic" (both linked).
#pragma once

#include <string>

#include "host/dialogs.h"
#include "host/memory_host.h"
#include "tests/support/temp_folder.h"

namespace tarnik::testing {

class PluginDocument {
  public:
    // Loads `json` (docs/documents.md), starts the plug-in and points its
    // settings store at a file holding `settings`.
    explicit PluginDocument(const std::string& json, const std::string& settings = "");
    ~PluginDocument();
    PluginDocument(const PluginDocument&) = delete;
    PluginDocument& operator=(const PluginDocument&) = delete;

    // Chooses the menu item of this title (after a menu update); the host's result.
    int32_t Choose(const std::string& title);
    std::string StoryText(size_t story) const;
    // The id of the current item.
    std::string Current() const;
    // The settings file as it stands on disk.
    std::string SettingsFile() const;
    // The plug-in's folder.
    const std::string& Folder() const { return folder_; }

    host::MemoryHost host;
    host::ScriptedDialogDriver driver;

  private:
    testsupport::TempFolder temp_;
    std::string folder_ = temp_.Path();
};

}  // namespace tarnik::testing
