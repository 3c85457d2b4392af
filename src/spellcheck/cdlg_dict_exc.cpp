#include "spellcheck/cdlg_dict_exc.h"

#include <vector>

#include "platform/show_message.h"
#include "platform/shown_text.h"
#include "spellcheck/spell_check_state.h"
#include "spellcheck/spell_dictionaries.h"
#include "spellcheck/speller_answers.h"
#include "speller/letter_code.h"
#include "speller/user_dictionary.h"

namespace tarnik {

namespace {

UserDictionary* User() {
    return SpellCheck().user;
}

// The edit field's word as the user typed it, when the user dictionary can hold
// it as it is; otherwise the user is told why and nothing is stored. The field
// is read in UTF-16, so a letter cp1250 lacks is seen rather than taken for '?'.
bool Storable(const XT40xdlogitem& field, std::string& cp1250) {
    if (const char* why = UserWordRefusal(field.UnicodeText(), cp1250)) {
        ShowMessage(XT_MB_OK, 0, "", "%s", ShownText(why));
        return false;
    }
    return true;
}

}  // namespace

CdlgDictExc::CdlgDictExc() : CdlgListEditor(kResource) {}

bool CdlgDictExc::Contains(const std::string& text) {
    // Exactly that form: the dictionary reads a word up to its first character
    // outside the alphabet, and "x2y" is not the stored "x".
    return WordLetterCount(text) == text.size() && UserDictContains(User(), text) == 1;
}

void CdlgDictExc::Fill(int16_t listItem, int16_t editItem) {
    std::vector<std::string> rows;
    if (UserDictionary* user = User()) {
        std::string word;
        bool more = UserDictNextWord(user, word, true) != 0;
        for (;;) {
            if (!word.empty())
                rows.push_back(word);
            if (!more)
                break;
            more = UserDictNextWord(user, word, false) != 0;
        }
    }
    FillRows(listItem, editItem, rows);
}

void CdlgDictExc::Add(const std::string& text) {
    if (text.empty() || !User())
        return;
    std::string word;
    if (!Storable(Item(kEditItem), word))
        return;
    if (UserDictAddWord(User(), word) != kUserDictOk && !User()->lastSave.Ok())
        ReportUnsavedChange("Can't save the user dictionary.");
    Refresh();
}

void CdlgDictExc::Remove(const std::string& text) {
    if (text.empty() || !User())
        return;
    if (UserDictRemoveWord(User(), text) != kUserDictOk)
        ReportUnsavedChange("Can't save the user dictionary.");
    Refresh();
}

void CdlgDictExc::Change(const std::string& from, const std::string& to) {
    if (from.empty() || to.empty() || !User())
        return;
    std::string word;
    if (!Storable(Item(kEditItem), word))
        return;
    UserDictRemoveWord(User(), from);
    if (UserDictAddWord(User(), word) != kUserDictOk && !Contains(word))
        UserDictAddWord(User(), from);
    if (!User()->lastSave.Ok())
        ReportUnsavedChange("Can't save the user dictionary.");
    Refresh();
}

}  // namespace tarnik
