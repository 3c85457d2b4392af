// Dialog scripts: any bytes are refused with a message or loaded; a loaded script
// then answers the dialogs and message boxes of a menu command of the plug-in,
// which runs in the host as it does under `tarnik run`. The first byte chooses
// the menu item among those enabled; the rest is the script.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_files.h"
#include "host/dialog_script.h"
#include "host/document_file.h"
#include "host/memory_host.h"
#include "platform/plugin_folder.h"
#include "platform/settings_store.h"
#include "shell/plugin_entry.h"

namespace {

namespace fs = std::filesystem;

// Two stories, one anchored in the other and also shown in a group: words to
// check and hyphenate, marks to correct.
const char* kDocument = R"({
  "stories": [
    {"text": "Ala ma kota, a kot ma \"Ale\" - psa  ,i ksiazke.\nDrugi akapit: zrobilem blad.",
     "anchors": [{"at": 4, "item": {"id": "a", "type": "text", "story": 1}}]},
    {"text": "Ramka zakotwiczona w tekscie."}
  ],
  "spreads": [{"items": [
    {"id": "t", "type": "text", "story": 0, "selection": [0, 0]},
    {"id": "g", "type": "group", "items": [{"id": "t2", "type": "text", "story": 1}]}
  ]}],
  "current": "t"
})";

std::string PluginFolder() {
    return fuzz::ScratchFolder() + "/XTensions";
}

int32_t EntryInPluginFolder(XTRegistrationRecord* record) {
    int32_t result = XTActivateCallback(record);
    tarnik::SetPluginFolder(PluginFolder());
    return result;
}

struct Session {
    tarnik::host::MemoryHost host;
    tarnik::host::Document document;
    std::string settings;
};

Session& Started() {
    static Session* session = [] {
        fs::create_directories(PluginFolder());
        for (const char* name : {"PLHYPH.DAT", "son.dic"})
            fs::copy_file(fs::path(TARNIK_SOURCE_DIR) / "data" / name,
                          fs::path(PluginFolder()) / name);
        setenv("XDG_DATA_HOME", fuzz::ScratchFolder().c_str(), 1);
        auto* started = new Session;
        std::string error;
        if (!tarnik::host::LoadDocumentText(kDocument, started->host, error))
            std::abort();
        started->document = *started->host.document;
        if (started->host.Start(EntryInPluginFolder) != 0)
            std::abort();
        tarnik::FlushStore();
        started->settings = fuzz::WriteScratch("Tarnik11.ini", "");
        return started;
    }();
    return *session;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    std::string_view script(reinterpret_cast<const char*>(data) + 1, size - 1);
    tarnik::host::ScriptedDialogDriver driver;
    std::string error;
    if (!tarnik::host::LoadDialogScript(script, driver, error)) {
        if (error.empty()) {
            std::fprintf(stderr, "a refusal without a message\n");
            std::abort();
        }
        return 0;
    }
    Session& session = Started();
    auto& host = session.host;
    // Every run starts from the same document and settings.
    tarnik::FlushStore();
    fuzz::WriteScratch("Tarnik11.ini", "");
    tarnik::SetStoreTarget(session.settings.c_str(), nullptr);
    host.document = session.document;
    host.messages.clear();
    host.dialogs.clear();

    host.UpdateMenus();
    std::vector<int16_t> enabled;
    for (const auto& menu : host.menus.Menus()) {
        for (const auto& item : menu.items) {
            if (!item.IsSeparator() && item.enabled)
                enabled.push_back(item.number);
        }
    }
    if (enabled.empty())
        std::abort();
    host.SetDialogDriver(&driver);
    host.ChooseMenuItem(enabled[data[0] % enabled.size()]);
    host.SetDialogDriver(nullptr);
    if (host.EditDepth() != 0) {
        std::fprintf(stderr, "an edit command left open\n");
        std::abort();
    }
    while (host.Undo()) {
    }
    return 0;
}
