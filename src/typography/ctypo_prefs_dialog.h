// CTypoPrefsDialog: the Typography Preferences dialog. It shows the settings
// record; OK takes every control back into it and saves the settings, Cancel
// leaves the controls unread.
//
// The word lists are edited apart from the controls: their "Edit" buttons open
// the list editor and their "Default" buttons put the default list back, both
// straight into the record, so such changes stay in memory even after Cancel
// (until the settings are loaded again, which every typography command does)
// and reach the settings file only with a later OK. The "Default" buttons of
// the character lists only fill their fields. Text typed into a character-list
// field is cut to the list's capacity (255 bytes, 100 for the removed
// characters).
#pragma once

#include <cstdint>

#include "platform/xt40_xdlog.h"

namespace tarnik {

class CTypoPrefsDialog : public XT40xdlog {
  public:
    CTypoPrefsDialog();

  protected:
    void SetUp() override;
    void ItemHit(int16_t item, int16_t listAction) override;

  private:
    // The quotation choices follow their check box, the guessing boxes the
    // first pair as well; the dash choices follow theirs.
    void UpdateEnabling();
    void TakeControls();
};

// "Typography Preferences...": loads the settings and runs the dialog.
void ShowTypoPreferences();

}  // namespace tarnik
