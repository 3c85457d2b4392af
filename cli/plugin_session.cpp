#include "cli/plugin_session.h"

#include <filesystem>

#include "cli/command.h"
#include "host/document_file.h"
#include "shell/xt40_shell.h"

namespace tarnik::cli {

std::string StartProblem(int32_t result) {
    std::string problem;
    switch (result) {
        case kRegistrationRefused:
            problem = "it refused to register";
            break;
        case XT_ERR_STATE:
            problem = "it did not register or installed no activation handler";
            break;
        case XT_ERR_PARAM:
            problem = "it was given no entry or an argument out of range";
            break;
        case XT_ERR_NO_HANDLER:
            problem = "an event of its start-up found no handler";
            break;
        default:
            problem = "its start-up failed";
    }
    return problem + " (result " + std::to_string(result) + ")";
}

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
        error = "the plug-in " + modulePath + " did not start: " + StartProblem(result);
        return false;
    }
    host_.UpdateMenus();
    return true;
}

}  // namespace tarnik::cli
