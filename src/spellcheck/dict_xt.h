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

#include <cstdint>

#include "platform/xt_component.h"

namespace tarnik {

struct DictMenuItems {
    int16_t checkWord = 0;
    int16_t checkStory = 0;
    int16_t checkDocument = 0;
    int16_t preferences = 0;
    int16_t about = 0;
};

class DictXT : public XTComponent {
  public:
    void InstallMenu(const XTMenuInstallRecord& record) override;
    bool PerformMenuCommand(const XTMenuCommandRecord& record) override;

    const DictMenuItems& Items() const { return items_; }

  private:
    DictMenuItems items_;
};

}  // namespace tarnik
