#include "spellcheck/cdlg_dict_exc.h"

#include <vector>

#include "spellcheck/spell_check_state.h"
#include "spellcheck/spell_dictionaries.h"
#include "speller/user_dictionary.h"

namespace tarnik {

namespace {

UserDictionary* User() {
    return SpellCheck().user;
}

}  // namespace

CdlgDictExc::CdlgDictExc() : CdlgListEditor(kResource) {}

bool CdlgDictExc::Contains(const std::string& text) {
    return UserDictContains(User(), text) == 1;
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
    // A word without letters is refused quietly; a save that failed is told.
    if (UserDictAddWord(User(), text) != kUserDictOk && !User()->lastSave.Ok())
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
    UserDictRemoveWord(User(), from);
    if (UserDictAddWord(User(), to) != kUserDictOk && !Contains(to))
        UserDictAddWord(User(), from);
    if (!User()->lastSave.Ok())
        ReportUnsavedChange("Can't save the user dictionary.");
    Refresh();
}

}  // namespace tarnik
