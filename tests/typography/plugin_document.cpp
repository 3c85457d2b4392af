#include "plugin_document.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "charsets/utf8.h"
#include "host/document_file.h"
#include "platform/settings_store.h"
#include "shell/plugin_entry.h"

namespace tarnik::testing {

namespace {

// The folder the next start takes as the plug-in's folder.
std::string& StartFolder() {
    static std::string folder;
    return folder;
}

// The plug-in's entry, started in a folder of the test's own (holding the
// hyphenation data), so nothing is written beside the test program; the
// settings store is pointed at the test's own file below.
int32_t EntryInStartFolder(XTRegistrationRecord* record) {
    return StartPlugin(record, PluginStart{.pluginFolder = StartFolder(), .chooseSettings = false});
}

}  // namespace

PluginDocument::PluginDocument(const std::string& json, const std::string& settings) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tarnik-typo-plugin-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
    setenv("XDG_DATA_HOME", folder_.c_str(), 1);
    std::string error;
    EXPECT_TRUE(host::LoadDocumentText(json, host, error)) << error;
    host.SetDialogDriver(&driver);
    std::filesystem::copy_file(std::filesystem::path(TARNIK_SOURCE_DIR) / "data" / "PLHYPH.DAT",
                               std::filesystem::path(folder_) / "PLHYPH.DAT");
    for (const char* name : {"son.dic", "mixedcase.dic"}) {
        std::filesystem::create_symlink(std::filesystem::path(TARNIK_SOURCE_DIR) / "data" / name,
                                        std::filesystem::path(folder_) / name);
    }
    StartFolder() = folder_;
    EXPECT_EQ(host.Start(EntryInStartFolder), 0);
    FlushStore();
    std::string file = folder_ + "/Tarnik11.ini";
    std::ofstream(file, std::ios::binary) << settings;
    SetStoreTarget(file.c_str(), nullptr);
}

PluginDocument::~PluginDocument() {
    SetStoreTarget("", nullptr);
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

int32_t PluginDocument::Choose(const std::string& title) {
    host.UpdateMenus();
    const host::MenuItem* item = host.menus.FindItemByTitle(title);
    return item ? host.ChooseMenuItem(item->number) : XT_ERR_PARAM;
}

std::string PluginDocument::StoryText(size_t story) const {
    return Utf16ToUtf8(host.document->stories[story].Text());
}

std::string PluginDocument::Current() const {
    int item = host.document->current;
    return item < 0 ? "" : host.document->items[size_t(item)].id;
}

std::string PluginDocument::SettingsFile() const {
    std::ifstream in(folder_ + "/Tarnik11.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace tarnik::testing
