// The About box (dialog 30001, "O rozszerzeniu"): its first text shows the
// XTension name and the module's file version, as "Tarnik11 (11.0.0)".
#pragma once

#include "platform/xt40_xdlog.h"

namespace tarnik {

class CShellAboutDialog : public XT40xdlog {
  public:
    CShellAboutDialog();

  protected:
    void SetUp() override;
};

}  // namespace tarnik
