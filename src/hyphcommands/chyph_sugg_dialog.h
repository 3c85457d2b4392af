// "Suggest Hyphenation...": the word at the caret of the current text box and
// how it is and would be hyphenated, shown in the Suggested Hyphenation dialog.
// The dialog changes nothing.
//
// The word is the run of letters, hyphens, dashes and discretionary hyphens
// that holds the caret or ends at it (so a compound such as biało-czerwony is
// one word, its hyphen included), read from its start forward; a caret with no
// such character before or at it has no word. A word of more than
// kMaxSuggestedWord characters shows its first kMaxSuggestedWord.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/xt40_xdlog.h"

namespace tarnik {

inline constexpr int32_t kMaxSuggestedWord = 255;

// The four texts, cp1250: the word without its discretionary hyphens, the word
// with them written as '-', hyphenated without the user's exceptions, and with
// them.
struct HyphSuggestion {
    std::string plain;
    std::string current;
    std::string withoutExceptions;
    std::string withExceptions;
};

// Fills `suggestion` from the word at the current box's caret with the open
// dictionary; the word's length in the story, 0 when there is no word (or no
// dictionary, or no text box).
int32_t BuildHyphSuggestion(HyphSuggestion& suggestion);

class CHyphSuggDialog : public XT40xdlog {
  public:
    explicit CHyphSuggDialog(HyphSuggestion suggestion);

  protected:
    void SetUp() override;

  private:
    HyphSuggestion suggestion_;
};

// The command: needs a document, a current text box and the content tool, and
// the dictionary (opened when it is closed; a failure is shown and ends the
// command). Without a word at the caret no dialog opens.
void SuggestCommand();

}  // namespace tarnik
