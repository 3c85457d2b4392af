// DictXT: the spell-check component and its menu "Polish Spell Checker". It
// opens its dictionaries once when it installs the menu, to report a missing or
// unreadable one at once, and then once per command.
//
//   Check Word... / Check Selection...
//   Check Story...
//   Check Document...
//   ----
//   Dictionary Preferences...
//   About Tarnik...
#pragma once

#include "platform/xt_component.h"

namespace tarnik {

class DictXT : public XTComponent {
  protected:
    const char* MenuTitle() const override { return "Polish Spell Checker"; }
    std::span<const MenuItemSpec> MenuItems() const override;
    void PrepareService() override;
};

}  // namespace tarnik
