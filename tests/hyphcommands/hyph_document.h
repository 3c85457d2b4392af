// A document in the host with the plug-in linked in and started through its
// entry. The plug-in's folder is a fresh folder holding the bundled
// "PLHYPH.DAT" (and so a "PLHYPH.USR" of its own) and the bundled "son.dic",
// the per-user folder is a
// fresh folder too, and the settings file is a fresh file holding the settings
// given, in place before the menus are installed and the settings read.
//
// Texts are written with '~' for the soft hyphen U+00AD.
#pragma once

#include <string>

#include "host/dialogs.h"
#include "host/memory_host.h"
#include "tests/support/soft_hyphens.h"
#include "tests/support/temp_folder.h"

namespace hyphtest {

class HyphDocument {
  public:
    // `withData`: whether the plug-in's folder holds "PLHYPH.DAT". Without
    // `start` the plug-in is started by Start(), so that a test can first put
    // files into the plug-in's folder.
    explicit HyphDocument(const std::string& json, const std::string& settings = "",
                          bool withData = true, bool start = true);
    void Start();
    ~HyphDocument();
    HyphDocument(const HyphDocument&) = delete;
    HyphDocument& operator=(const HyphDocument&) = delete;

    // Chooses the menu item of this title after a menu update; the host's result
    // (XT_ERR_PARAM when no enabled item has it).
    int32_t Choose(const std::string& title);
    // The story with '~' for each soft hyphen.
    std::string Text(size_t story = 0) const;
    // Whether the character at `position` of story 0 has the no-break style.
    bool NoBreak(int32_t position) const;
    std::string SettingsFile() const;
    std::string UserExceptionsFile() const;

    testsupport::TempFolder temp;
    std::string folder = temp.Path();
    std::string pluginFolder;
    std::string settingsPath;
    tarnik::host::MemoryHost host;
    tarnik::host::ScriptedDialogDriver driver;
    int32_t started = -1;
};

// A document with one text box "t" (story 0, text `text` with '~' for soft
// hyphens, selection [start, end)), current, in `language`, with `tool`.
std::string OneBox(const std::string& text, int start = 0, int end = 0,
                   const std::string& tool = "content", const std::string& language = "en");

}  // namespace hyphtest
