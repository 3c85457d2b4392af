#include "shell/xt40_shell.h"

#include <cstring>
#include <optional>

#include "charsets/ui_text.h"
#include "hyphcommands/hyph_method.h"
#include "platform/about_box.h"
#include "platform/guarded_call.h"
#include "platform/host_api.h"
#include "platform/log_file.h"
#include "platform/plugin_translations.h"
#include "platform/settings_file.h"
#include "platform/settings_store.h"
#include "platform/show_message.h"
#include "platform/translation_tables.h"
#include "platform/xt40_xdlog.h"
#include "shell/config_prefs_data.h"
#include "shell/module_place.h"
#include "shell/shell_about_dialog.h"

namespace tarnik {

namespace {

constexpr uint32_t kAcceptFlags = 0x419A0014;

// The events the shell subscribes to, in the order their handlers are installed.
constexpr int32_t kShellEvents[] = {
    XT_EVENT_QUIT,         XT_EVENT_SHUTDOWN,    XT_EVENT_IDLE,        XT_EVENT_NOTICE,
    XT_EVENT_MENU_INSTALL, XT_EVENT_MENU_UPDATE, XT_EVENT_MENU_COMMAND};

XT40shell*& CurrentShell() {
    static XT40shell* shell = nullptr;
    return shell;
}

}  // namespace

XT40shell::XT40shell() {
    for (int32_t event : kShellEvents)
        Subscribe(event, true);
    SetStoreTarget(nullptr, "Prefs");
    SetLogLevel(0);
    CurrentShell() = this;
    SetLanguageSource([]() -> std::optional<uint16_t> {
        if (!Host().IsActive())
            return std::nullopt;
        return static_cast<uint16_t>(Host().GetInterfaceLanguage());
    });
    SetIdCode("MVL:");
    aboutBox_ = std::make_unique<CShellAboutDialog>();
    SetAboutBox(aboutBox_.get());
}

XT40shell::~XT40shell() {
    DestroyWindows();
    SetAboutBox(nullptr);
    if (CurrentShell() == this)
        CurrentShell() = nullptr;
}

XT40shell* XT40shell::Current() {
    return CurrentShell();
}

int XT40shell::RegisterWindow(std::unique_ptr<XT40xdwap> window) {
    if (!window)
        return kWindowSlots;
    for (int slot = 0; slot < kWindowSlots; ++slot) {
        if (!windows_[slot]) {
            windows_[slot] = std::move(window);
            return slot;
        }
    }
    return kWindowSlots;
}

int XT40shell::UnregisterWindow(const XT40xdwap* window) {
    for (int slot = 0; window && slot < kWindowSlots; ++slot) {
        if (windows_[slot].get() == window) {
            windows_[slot].reset();
            return slot;
        }
    }
    return kWindowSlots;
}

const XT40xdwap* XT40shell::WindowAt(int slot) const {
    return slot >= 0 && slot < kWindowSlots ? windows_[slot].get() : nullptr;
}

void XT40shell::SetIdCode(const std::string& code) {
    if (code.size() <= kMaxIdCode)
        idCode_ = code;
}

void XT40shell::Subscribe(int32_t event, bool subscribed) {
    if (event >= 0 && event < kEventCount)
        subscriptions_[event] = subscribed;
}

bool XT40shell::IsSubscribed(int32_t event) const {
    return event >= 0 && event < kEventCount && subscriptions_[event];
}

void XT40shell::AttachConfig(std::unique_ptr<CConfigPrefsData> config) {
    config_ = std::move(config);
}

void XT40shell::SetXTensionName(const std::string& name, bool chooseSettings) {
    xtensionName_ = name.substr(0, kMaxXTensionName);
    SetMessageSource(xtensionName_, ModuleFileVersion());
    if (!chooseSettings) {
        moduleName_ = ModuleNameOf(xtensionName_);
        return;
    }
    SettingsFileChoice choice = ChooseSettingsFile(xtensionName_, CurrentHostFolders(), writable_);
    moduleName_ = choice.moduleName;
    writable_ = choice.writable;
    if (choice.copyFailed)
        UiText(CopyFailedMessage(choice), pendingCopyMessage_);
}

int32_t XT40shell::Register(XTRegistrationRecord* record) {
    if (!record)
        return kRegistrationRefused;
    std::memcpy(hostInfo_.data(), record->hostInfo, hostInfo_.size());
    Host().UseRegistration(record);
    if (Host().AcceptXTension(developerCode_, 0, XT_INTERFACE_VERSION, kAcceptFlags) != XT_OK)
        return kRegistrationRefused;
    Host().InstallCallback(XT_EVENT_ACTIVATE, HandleActivate);
    Host().InstallCallback(XT_EVENT_DEACTIVATE, HandleDeactivate);
    return XT_OK;
}

int32_t XT40shell::HandleActivate(int32_t, void* record) {
    return GuardedCall("Activation", [record] {
        XT40shell* shell = Current();
        if (!IsValid(shell))
            return static_cast<int32_t>(XT_ERR_STATE);
        return shell->Activate(static_cast<const XTActivationRecord*>(record));
    });
}

int32_t XT40shell::Activate(const XTActivationRecord* record) {
    // A host that lacks some callbacks still gets a working plug-in: every
    // operation it lacks reads as "none".
    if (Host().FetchCallbackGroups(record) == XT_ERR_PARAM)
        return XT_ERR_PARAM;
    Host().InstallCallback(Host().DialogEventCode(), XT40xdlog::HandleDialogEvent);
    for (int32_t event : kShellEvents) {
        if (IsSubscribed(event))
            Host().InstallCallback(event, HandleEvent);
    }
    // The host's own hyphenation may use the plug-in's, through its hyphenation hooks.
    InstallHyphMethod(idCode_);
    active_ = true;
    if (!pendingCopyMessage_.empty()) {
        ShowMessage(XT_MB_OK, 1, "", "%s", pendingCopyMessage_.c_str());
        pendingCopyMessage_.clear();
    }
    return XT_OK;
}

int32_t XT40shell::HandleDeactivate(int32_t, void*) {
    XT40shell* shell = Current();
    if (IsValid(shell))
        shell->active_ = false;
    return XT_OK;
}

int32_t XT40shell::HandleEvent(int32_t event, void* record) {
    return GuardedCall("Event", [event, record] {
        XT40shell* shell = Current();
        if (!IsValid(shell) || !shell->active_)
            return static_cast<int32_t>(XT_ERR_STATE);
        shell->OnEvent(event, record);
        return static_cast<int32_t>(XT_OK);
    });
}

void XT40shell::OnEvent(int32_t event, void* record) {
    switch (event) {
        case XT_EVENT_QUIT:
            Quit();
            DestroyWindows();
            break;
        case XT_EVENT_SHUTDOWN:
            break;
        case XT_EVENT_IDLE:
            for (auto& window : windows_) {
                if (window && window->IsOpen())
                    window->Idle();
            }
            break;
        case XT_EVENT_NOTICE:
            if (const auto* notice = static_cast<const XTNoticeRecord*>(record)) {
                language_ = notice->language;
                noticeValue1_ = notice->value1;
                noticeValue2_ = notice->value2;
                Notice(*notice);
            }
            break;
        case XT_EVENT_MENU_INSTALL: {
            RegisterPluginTranslations();
            language_ = Host().GetInterfaceLanguage();
            const auto* install = static_cast<const XTMenuInstallRecord*>(record);
            InstallMenus(install ? *install : XTMenuInstallRecord{language_});
            break;
        }
        case XT_EVENT_MENU_UPDATE: {
            if (updatingMenus_)
                break;
            updatingMenus_ = true;
            struct Reset {
                bool& flag;
                ~Reset() { flag = false; }
            } reset{updatingMenus_};
            for (auto& window : windows_) {
                if (window && window->IsOpen())
                    window->MenuUpdate();
            }
            UpdateMenus();
            break;
        }
        case XT_EVENT_MENU_COMMAND: {
            const auto* command = static_cast<const XTMenuCommandRecord*>(record);
            if (!command)
                break;
            for (auto& window : windows_) {
                if (window && window->IsOpen() && window->MenuCommand(*command))
                    return;
            }
            PerformCommand(*command);
            break;
        }
        default:
            break;
    }
}

void XT40shell::DestroyWindows() {
    for (auto& window : windows_)
        window.reset();
}

}  // namespace tarnik
