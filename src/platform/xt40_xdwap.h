// XT40xdwap: a window of the plug-in that the shell keeps in one of its window
// slots. While a registered window is open it takes part in the host's events
// before the plug-in's own handling: the idle step, the menu update and the menu
// commands (a window that takes a command ends its dispatch).
#pragma once

#include "framework/xt40_root.h"
#include "tarnik/xtabi.h"

namespace tarnik {

class XT40xdwap : public XT40Root {
  public:
    virtual bool IsOpen() const = 0;
    virtual void Idle() {}
    virtual void MenuUpdate() {}
    // True when the window took the command.
    virtual bool MenuCommand(const XTMenuCommandRecord&) { return false; }
};

}  // namespace tarnik
