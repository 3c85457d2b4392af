// A host running the plug-in, linked into the test: the document is loaded, the
// plug-in started through its entry and the menus installed. The per-user data
// folder is a fresh temporary folder, so the start-up's settings choice never
// reaches the user's own files. The plug-in's folder is a fresh folder inside it
// holding the bundled "PLHYPH.DAT" and "son.dic" (linked), so every start finds
// its data and keeps a "PLHYPH.USR" and a "user.dic" of its own.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "host/dialogs.h"
#include "host/document_file.h"
#include "host/memory_host.h"
#include "host/menu_listing.h"
#include "platform/plugin_folder.h"
#include "shell/plugin_entry.h"
#include "tests/support/temp_folder.h"

namespace shelltest {

// The folder the next start takes as the plug-in's folder, and the one the
// plug-in's entry chose for itself (the program's folder) before it was replaced.
inline std::string& FixtureFolder() {
    static std::string folder;
    return folder;
}
inline std::string& EntryFolder() {
    static std::string folder;
    return folder;
}

// The plug-in's entry, with the plug-in's folder moved to FixtureFolder() before
// the menu installation opens the data files.
inline int32_t FixtureEntry(XTRegistrationRecord* record) {
    int32_t result = XTActivateCallback(record);
    EntryFolder() = tarnik::PluginFolder();
    tarnik::SetPluginFolder(FixtureFolder());
    return result;
}

class PluginFixture {
  public:
    explicit PluginFixture(const std::string& json, bool start = true) {
        setenv("XDG_DATA_HOME", userData.c_str(), 1);
        std::filesystem::create_directory(pluginFolder);
        std::filesystem::copy_file(std::filesystem::path(TARNIK_SOURCE_DIR) / "data" / "PLHYPH.DAT",
                                   std::filesystem::path(pluginFolder) / "PLHYPH.DAT");
        std::filesystem::create_symlink(
            std::filesystem::path(TARNIK_SOURCE_DIR) / "data" / "son.dic",
            std::filesystem::path(pluginFolder) / "son.dic");
        std::string error;
        EXPECT_TRUE(tarnik::host::LoadDocumentText(json, host, error)) << error;
        host.SetDialogDriver(&driver);
        if (start)
            Start();
    }
    // Starts the plug-in through `entry`, which calls FixtureEntry.
    void Start(XTActivateCallbackProc entry = FixtureEntry) {
        FixtureFolder() = pluginFolder;
        started = host.Start(entry);
    }
    // The host quits a plug-in still running, as at the end of a session: the
    // plug-in closes its files, so the next start in this process opens its own.
    ~PluginFixture() {
        if (host.Accepted())
            host.Quit();
    }

    std::string Menus() { return tarnik::host::MenuListing(host.menus); }
    std::string UpdatedMenus() {
        host.UpdateMenus();
        return Menus();
    }
    int16_t ItemTitled(const std::string& utf8) {
        const tarnik::host::MenuItem* item = host.menus.FindItemByTitle(utf8);
        return item ? item->number : 0;
    }

    testsupport::TempFolder folder;
    std::string userData = folder.Path();
    std::string pluginFolder = userData + "/XTensions";
    tarnik::host::MemoryHost host;
    tarnik::host::ScriptedDialogDriver driver;
    int32_t started = -1;
};

// A document with one text box "t" (story 0, text `text`, selection [start, end)),
// current, under `tool` ("content" or "item"), in `language` ("en" or "pl").
inline std::string OneBox(const std::string& text, int start = 0, int end = 0,
                          const std::string& tool = "content", const std::string& language = "en") {
    return R"({"language": ")" + language + R"(", "tool": ")" + tool +
           R"(", "stories": [{"text": ")" + text +
           R"("}], "spreads": [{"items": [{"id": "t", "type": "text", "story": 0, "selection": [)" +
           std::to_string(start) + ", " + std::to_string(end) + R"(]}]}], "current": "t"})";
}

}  // namespace shelltest
