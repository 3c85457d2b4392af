// TypoXT: the typography component and its menu "Typography":
//
//   Typography In Box / Boxes / Selection
//   ----
//   Typography Preferences...
//   About Tarnik...
#pragma once

#include "platform/xt_component.h"

namespace tarnik {

class TypoXT : public XTComponent {
  protected:
    const char* MenuTitle() const override { return "Typography"; }
    std::span<const MenuItemSpec> MenuItems() const override;
    // Loads the typography settings.
    void PrepareService() override;
};

}  // namespace tarnik
