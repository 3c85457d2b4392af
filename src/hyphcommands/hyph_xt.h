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

#include "platform/xt_component.h"

namespace tarnik {

class HyphXT : public XTComponent {
  protected:
    const char* MenuTitle() const override { return "Polish Hyphenation"; }
    std::span<const MenuItemSpec> MenuItems() const override;
    void PrepareService() override;
};

}  // namespace tarnik
