// CHyphPrefsDialog: the Hyphenation Preferences dialog. Its check boxes show
// the settings; OK takes them back, saves all the hyphenation settings and
// reads them again, Cancel leaves them unread. "Edit Hyph Exceptions" opens the
// exceptions editor, whose changes are saved as they are made, so Cancel does
// not take them back.
#pragma once

#include <cstdint>

#include "platform/xt40_xdlog.h"

namespace tarnik {

class CHyphPrefsDialog : public XT40xdlog {
  public:
    static constexpr int16_t kEditExceptionsItem = 1019;

    CHyphPrefsDialog();

  protected:
    void SetUp() override;
    void ItemHit(int16_t item, int16_t listAction) override;
};

// "Hyphenation Preferences...": opens the dictionary when it is closed (a
// failure is shown, and no dialog opens), then runs the dialog.
void ShowHyphPreferences();

}  // namespace tarnik
