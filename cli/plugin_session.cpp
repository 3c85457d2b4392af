#include "cli/plugin_session.h"

#include <filesystem>

#include "cli/command.h"
#include "host/document_file.h"

namespace tarnik::cli {

PluginSession::~PluginSession() {
    if (started_)
        host_.Quit();
}

bool PluginSession::Open(const std::string& documentPath, const std::string& xtensionsDir,
                         host::DialogDriver* driver, std::string& error) {
    if (!host::LoadDocumentFile(documentPath, host_, error))
        return false;
    std::string folder = xtensionsDir.empty() ? DefaultXTensionsDir() : xtensionsDir;
    std::string modulePath = (std::filesystem::path(folder) / kPluginModuleName).string();
    if (!module_.Load(modulePath, error))
        return false;
    host_.SetDialogDriver(driver);
    int32_t result = host_.Start(module_.Entry());
    started_ = host_.Accepted();
    if (result != 0) {
        error =
            "the plug-in " + modulePath + " did not start (result " + std::to_string(result) + ")";
        return false;
    }
    host_.UpdateMenus();
    return true;
}

}  // namespace tarnik::cli
