// TypoXT: the typography component and its menu "Typography":
//
//   Typography In Box / Boxes / Selection
//   ----
//   Typography Preferences...
//   About Tarnik...
#pragma once

#include <cstdint>

#include "platform/xt_component.h"

namespace tarnik {

struct TypoMenuItems {
    int16_t typography = 0;
    int16_t preferences = 0;
    int16_t about = 0;
};

class TypoXT : public XTComponent {
  public:
    // Loads the typography settings, then installs the menu.
    void InstallMenu(const XTMenuInstallRecord& record) override;
    bool PerformMenuCommand(const XTMenuCommandRecord& record) override;

    const TypoMenuItems& Items() const { return items_; }

  private:
    TypoMenuItems items_;
};

}  // namespace tarnik
