// CDictPrefsDialog: the Dictionary Preferences dialog, over the settings of
// section "1Slownik":
//
//   1020 Skip CAPITALIZED words     1021 Skip words with numbers
//   1022 Always Suggest             1023 Use user dictionary
//   1024 Edit User Dictionary: the user-dictionary editor (CdlgDictExc)
//   1025 Rank suggestions by likelihood (off: the alphabetical list)
//   1    OK: the five check boxes into the settings, every key saved
//   2    Cancel: nothing stored
//
// It runs inside a command that has the dictionaries open: its own, or a
// running check through "Options". The editor's changes are saved at once, so
// Cancel does not take them back. Without a readable user dictionary the editor
// is unavailable.
#pragma once

#include <cstdint>

#include "platform/xt40_xdlog.h"
#include "spellcheck/dict_settings.h"

namespace tarnik {

class CDictPrefsDialog : public XT40xdlog {
  public:
    static constexpr uint16_t kResource = 31102;
    static constexpr int16_t kSkipCapitalsItem = 1020;
    static constexpr int16_t kSkipDigitsItem = 1021;
    static constexpr int16_t kAlwaysSuggestItem = 1022;
    static constexpr int16_t kUseUserItem = 1023;
    static constexpr int16_t kEditUserItem = 1024;
    static constexpr int16_t kRankItem = 1025;

    CDictPrefsDialog();

  protected:
    void SetUp() override;
    void ItemHit(int16_t item, int16_t listAction) override;

  private:
    DictSettings settings_;
};

// "Dictionary Preferences...": opens the dictionaries (nothing more happens
// when that fails), runs the dialog, closes them.
void DictionaryPreferencesCommand();

}  // namespace tarnik
