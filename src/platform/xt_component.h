// XTComponent: a component of the plug-in (hyphenation, spell check,
// typography). Each owns one menu of the host's menu bar and the commands
// behind its items; the shell installs the menus, keeps their items enabled and
// titled, and hands every menu command to each component in turn.
#pragma once

#include <cstdint>

#include "tarnik/xtabi.h"

namespace tarnik {

class XTComponent {
  public:
    virtual ~XTComponent() = default;

    // Prepares the component's service, then appends its menu to the menu bar.
    virtual void InstallMenu(const XTMenuInstallRecord& record) = 0;

    // Runs the command when the item is one of the component's own; true then.
    virtual bool PerformMenuCommand(const XTMenuCommandRecord& record) = 0;

    // The host's notice (event 5).
    virtual int32_t HostNotice(const XTNoticeRecord&) { return 0; }
};

}  // namespace tarnik
