// HyphXT: the hyphenation component and its menu "Polish Hyphenation":
//
//   Hyphenate Box / Boxes / Selection
//   Remove Hyphens From Box / Boxes / Selection
//   Suggest Hyphenation...
//   Remove hyphens from document
//   ----
//   Hyphenation Preferences...
//   About Tarnik...
#pragma once

#include <cstdint>

#include "platform/xt_component.h"

namespace tarnik {

struct HyphMenuItems {
    int16_t hyphenate = 0;
    int16_t removeHyphens = 0;
    int16_t suggest = 0;
    int16_t removeFromDocument = 0;
    int16_t preferences = 0;
    int16_t about = 0;
};

class HyphXT : public XTComponent {
  public:
    void InstallMenu(const XTMenuInstallRecord& record) override;
    bool PerformMenuCommand(const XTMenuCommandRecord& record) override;

    const HyphMenuItems& Items() const { return items_; }

  private:
    HyphMenuItems items_;
};

}  // namespace tarnik
