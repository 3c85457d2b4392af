// CDictMissDialog: the Check Spelling dialog. It opens at the first misspelt
// word of a check and drives the rest of the walk from its buttons:
//
//   1059 the misspelt word (a click copies it into "Change To")
//   1045 "Change To"         1044 "Suggestions:"
//   1046 Ignore    1047 Ignore All    1048 Change    1049 Change All
//   1051 Add       1058 Suggest       1050 Options   1    Close
//
// Ignore, Ignore All, Change, Change All, Add and a double-click on a suggestion
// act and walk on to the next misspelt word; at the end of the walk the user is
// told "No more errors." and the dialog closes. Close stops the walk. Options
// opens the Dictionary Preferences; the new settings apply to the rest of the
// walk. Change and Change All are enabled while "Change To" holds text; a text
// the story cannot take (more than 255 characters) is refused with a message
// saying why and leaves the dialog at the word, the run-long list untouched. Add
// is enabled while the user dictionary is in use and open.
#pragma once

#include <cstdint>
#include <string>

#include "platform/xt40_xdlog.h"

namespace tarnik {

class CDictMissDialog : public XT40xdlog {
  public:
    static constexpr uint16_t kResource = 31108;
    static constexpr int16_t kWordItem = 1059;
    static constexpr int16_t kChangeToItem = 1045;
    static constexpr int16_t kSuggestionsItem = 1044;
    static constexpr int16_t kIgnoreItem = 1046;
    static constexpr int16_t kIgnoreAllItem = 1047;
    static constexpr int16_t kChangeItem = 1048;
    static constexpr int16_t kChangeAllItem = 1049;
    static constexpr int16_t kAddItem = 1051;
    static constexpr int16_t kSuggestItem = 1058;
    static constexpr int16_t kOptionsItem = 1050;
    static constexpr int16_t kCloseItem = 1;

    CDictMissDialog();

  protected:
    void SetUp() override;
    void ItemHit(int16_t item, int16_t listAction) override;

  private:
    // The check state's word in the dialog and in the text.
    void ShowWord();
    void ShowSuggestions();
    // Fills the list for `text`, or says that it is correct.
    void SuggestInto(const std::string& text);
    void UpdateButtons();
    // Walks on after a button; closes the dialog at the end of the walk.
    void Continue();
    void ChangeWord(bool all);
    void AddWord();
    void Stop(int16_t item);
};

}  // namespace tarnik
