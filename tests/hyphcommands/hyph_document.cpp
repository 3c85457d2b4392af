#include "hyph_document.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "charsets/utf8.h"
#include "host/document_file.h"
#include "platform/settings_store.h"
#include "shell/plugin_entry.h"

namespace fs = std::filesystem;

namespace hyphtest {

namespace {

constexpr char kSoftHyphen[] = "\xC2\xAD";

struct StartPlan {
    std::string pluginFolder;
    std::string settingsPath;
};

StartPlan& Plan() {
    static StartPlan plan;
    return plan;
}

int32_t Entry(XTRegistrationRecord* record) {
    int32_t result = tarnik::StartPlugin(
        record, tarnik::PluginStart{.pluginFolder = Plan().pluginFolder, .chooseSettings = false});
    tarnik::SetStoreTarget(Plan().settingsPath.c_str(), nullptr);
    return result;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

std::string Soft(const std::string& text) {
    return Replace(text, "~", kSoftHyphen);
}

std::string Tilde(const std::string& utf8) {
    return Replace(utf8, kSoftHyphen, "~");
}

HyphDocument::HyphDocument(const std::string& json, const std::string& settings, bool withData,
                           bool start) {
    std::string pattern = (fs::temp_directory_path() / "tarnik-hyph-XXXXXX").string();
    folder = mkdtemp(pattern.data());
    pluginFolder = folder + "/XTensions";
    settingsPath = folder + "/Tarnik11.ini";
    fs::create_directory(pluginFolder);
    if (withData) {
        fs::copy_file(fs::path(TARNIK_SOURCE_DIR) / "data" / "PLHYPH.DAT",
                      fs::path(pluginFolder) / "PLHYPH.DAT");
    }
    // The spell check looks for its dictionary at start-up, and would say so.
    fs::create_symlink(fs::path(TARNIK_BIN_DIR) / "XTensions" / "son.dic",
                       fs::path(pluginFolder) / "son.dic");
    std::ofstream(settingsPath, std::ios::binary) << settings;
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
    std::string error;
    EXPECT_TRUE(tarnik::host::LoadDocumentText(json, host, error)) << error;
    host.SetDialogDriver(&driver);
    if (start)
        Start();
}

void HyphDocument::Start() {
    Plan() = {pluginFolder, settingsPath};
    started = host.Start(Entry);
}

HyphDocument::~HyphDocument() {
    if (host.Accepted())
        host.Quit();
    tarnik::SetStoreTarget("", nullptr);
    std::error_code error;
    fs::remove_all(folder, error);
}

int32_t HyphDocument::Choose(const std::string& title) {
    host.UpdateMenus();
    const tarnik::host::MenuItem* item = host.menus.FindItemByTitle(title);
    return item ? host.ChooseMenuItem(item->number) : XT_ERR_PARAM;
}

std::string HyphDocument::Text(size_t story) const {
    return Tilde(tarnik::Utf16ToUtf8(host.document->stories[story].Text()));
}

bool HyphDocument::NoBreak(int32_t position) const {
    return host.document->stories[0].StyleAt(position) & XT_STYLE_NO_BREAK;
}

std::string HyphDocument::SettingsFile() const {
    tarnik::FlushStore();
    return ReadFile(settingsPath);
}

std::string HyphDocument::UserExceptionsFile() const {
    return ReadFile(pluginFolder + "/PLHYPH.USR");
}

std::string OneBox(const std::string& text, int start, int end, const std::string& tool,
                   const std::string& language) {
    return R"({"language": ")" + language + R"(", "tool": ")" + tool +
           R"(", "stories": [{"text": ")" + Soft(text) +
           R"("}], "spreads": [{"items": [{"id": "t", "type": "text", "story": 0, "selection": [)" +
           std::to_string(start) + ", " + std::to_string(end) + R"(]}]}], "current": "t"})";
}

}  // namespace hyphtest
