// TarnikXT: the plug-in's main object, one per process. It names the XTension
// "Tarnik11" (identifier code "TRNk", developer code 0x414E5244) and drives the
// three components: their menus are installed in the order hyphenation, spell
// check, typography; all three menus are updated together before a menu opens;
// a menu command is handed to each component in the same order. A component
// that could not be created is absent and skipped.
#pragma once

#include <array>

#include "shell/xt40_shell.h"

namespace tarnik {

class XTComponent;
class HyphXT;
class DictXT;
class TypoXT;

inline constexpr uint32_t kTarnikDeveloperCode = 0x414E5244;

class TarnikXT : public XT40shell {
  public:
    // `chooseSettings`: see XT40shell::SetXTensionName.
    TarnikXT(HyphXT* hyph, DictXT* dict, TypoXT* typo, bool chooseSettings = true);

  protected:
    void Quit() override;
    void Notice(const XTNoticeRecord& record) override;
    void InstallMenus(const XTMenuInstallRecord& record) override;
    void UpdateMenus() override;
    void PerformCommand(const XTMenuCommandRecord& record) override;

  private:
    // In the order they install their menus and receive commands.
    std::array<XTComponent*, 3> Components() const;

    HyphXT* hyph_;
    DictXT* dict_;
    TypoXT* typo_;
};

}  // namespace tarnik
