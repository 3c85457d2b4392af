// XT40shell: the plug-in's shell, the one object the host's events reach.
//
// It keeps thirteen window slots (modeless windows and dialogs that take part in
// the host's events before the plug-in's own handling), the XTension's
// identifier code, its names, the host information block, the set of host
// events it subscribes to, and the interface language the host announced. It
// registers the plug-in with the host, installs its handlers at activation and
// turns each host event into a call of one of the operations its main object
// (TarnikXT) overrides. The log file and its level are those of
// platform/log_file.h; the settings file is chosen when the name is set.
//
// Nothing is thrown across the host boundary: every handler catches, writes a
// forced log line and reports a failure result.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/xt40_root.h"
#include "platform/xt40_xdwap.h"
#include "tarnik/xtabi.h"

namespace tarnik {

class CConfigPrefsData;
class CShellAboutDialog;

// What XTActivateCallback returns when the host refuses the plug-in.
inline constexpr int32_t kRegistrationRefused = 0x51000401;

class XT40shell : public XT40Root {
  public:
    static constexpr int kWindowSlots = 13;
    static constexpr int kEventCount = 1408;
    static constexpr std::size_t kMaxIdCode = 11;
    static constexpr std::size_t kMaxXTensionName = 60;

    XT40shell();
    ~XT40shell() override;
    XT40shell(const XT40shell&) = delete;
    XT40shell& operator=(const XT40shell&) = delete;

    // The process-wide shell: the newest one constructed, while it lives.
    static XT40shell* Current();

    // Takes the window into the first free slot and returns the slot; with every
    // slot taken the request is ignored (the window is dropped) and the result is
    // kWindowSlots.
    int RegisterWindow(std::unique_ptr<XT40xdwap> window);
    // Destroys the registered window and frees its slot; the slot it had, or
    // kWindowSlots when it was not registered.
    int UnregisterWindow(const XT40xdwap* window);
    const XT40xdwap* WindowAt(int slot) const;

    // A code of kMaxIdCode + 1 characters or more is ignored.
    void SetIdCode(const std::string& code);
    const std::string& IdCode() const { return idCode_; }
    const std::string& XTensionName() const { return xtensionName_; }
    const std::string& ModuleName() const { return moduleName_; }
    uint32_t DeveloperCode() const { return developerCode_; }
    const std::array<uint8_t, XT_HOST_INFO_SIZE>& HostInfo() const { return hostInfo_; }
    bool XTensionFolderWritable() const { return writable_; }
    int16_t InterfaceLanguage() const { return language_; }
    // The two further values of the host's last notice.
    int64_t NoticeValue1() const { return noticeValue1_; }
    int16_t NoticeValue2() const { return noticeValue2_; }

    // Events of kEventCount and above (and below 0) are ignored and test false.
    void Subscribe(int32_t event, bool subscribed);
    bool IsSubscribed(int32_t event) const;

    // Registers with the host through the record: copies its host information,
    // asks the host to accept the plug-in and installs the activation and
    // deactivation handlers. 0, or kRegistrationRefused.
    int32_t Register(XTRegistrationRecord* record);

    // CConfigPrefsData, attached at start-up; it holds nothing of its own.
    void AttachConfig(std::unique_ptr<CConfigPrefsData> config);

  protected:
    void SetDeveloperCode(uint32_t code) { developerCode_ = code; }
    // Sets the name (cut to kMaxXTensionName characters) and with it the module
    // name and the title of message boxes; with `chooseSettings`, also the
    // settings file and the log file (a run given its settings as values sets
    // the settings store itself and keeps no log).
    void SetXTensionName(const std::string& name, bool chooseSettings);

    // The main object's part of each event.
    virtual void Quit() {}
    virtual void Notice(const XTNoticeRecord&) {}
    virtual void InstallMenus(const XTMenuInstallRecord&) {}
    virtual void UpdateMenus() {}
    virtual void PerformCommand(const XTMenuCommandRecord&) {}

  private:
    static int32_t HandleActivate(int32_t event, void* record);
    static int32_t HandleDeactivate(int32_t event, void* record);
    static int32_t HandleEvent(int32_t event, void* record);
    int32_t Activate(const XTActivationRecord* record);
    void OnEvent(int32_t event, void* record);
    void DestroyWindows();

    std::array<std::unique_ptr<XT40xdwap>, kWindowSlots> windows_;
    std::string idCode_;
    std::string xtensionName_;
    std::string moduleName_;
    uint32_t developerCode_ = 0;
    std::array<uint8_t, XT_HOST_INFO_SIZE> hostInfo_{};
    bool writable_ = true;
    int16_t language_ = 0;
    int64_t noticeValue1_ = 0;
    int16_t noticeValue2_ = 0;
    std::bitset<kEventCount> subscriptions_;
    bool active_ = false;
    bool updatingMenus_ = false;
    // The settings could not be carried into the XTensions folder: the message,
    // shown once the host can show it.
    std::string pendingCopyMessage_;
    std::unique_ptr<CShellAboutDialog> aboutBox_;
    std::unique_ptr<CConfigPrefsData> config_;
};

}  // namespace tarnik
