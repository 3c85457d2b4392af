#include "hyphcommands/cdlg_hyph_exc.h"

#include <algorithm>
#include <vector>

#include "hyphcommands/hyph_service.h"
#include "hyphenation/exception_word.h"
#include "hyphenation/user_exceptions.h"
#include "platform/show_message.h"
#include "platform/shown_text.h"

namespace tarnik {

namespace {

void Tell(const char* english) {
    ShowMessage(XT_MB_OK, 0, "", "%s", ShownText(english));
}

// The edit field's word when it can be stored as typed; otherwise the user is
// told why. The field is read in UTF-16, so a letter Windows-1250 lacks is seen
// rather than taken for '?'.
bool Storable(const XT40xdlogitem& field, std::string& cp1250) {
    if (const char* why = HyphExceptionRefusal(field.UnicodeText(), cp1250)) {
        Tell(why);
        return false;
    }
    return true;
}

// Tells the user why AddHyphException did not store the word; true when it did.
bool Added(HyphDict& dict, int16_t result) {
    switch (result) {
        case kHyphExceptionDone:
            return true;
        case kHyphExceptionPresent:
            Tell(kHyphExceptionPresentReason);
            return false;
        case kHyphExceptionTooLong:
            Tell(kHyphExceptionTooLongReason);
            return false;
        default:
            ShowSaveFailure(
                "Can't save the hyphenation exceptions file.", result,
                dict.lastSave.Ok() ? dict.userPath : dict.lastSave.Describe(dict.userPath));
            return false;
    }
}

}  // namespace

bool CdlgHyphExc::Contains(const std::string& text) {
    HyphDict* dict = Hyphenation().dict.get();
    std::string word = text;
    word.erase(std::remove(word.begin(), word.end(), '-'), word.end());
    return dict && IsHyphException(*dict, word);
}

void CdlgHyphExc::Fill(int16_t listItem, int16_t editItem) {
    std::vector<std::string> rows;
    if (HyphDict* dict = Hyphenation().dict.get()) {
        std::string word;
        for (bool restart = true; NextHyphException(*dict, word, restart); restart = false)
            rows.push_back(word);
    }
    FillRows(listItem, editItem, rows);
}

void CdlgHyphExc::Add(const std::string& text) {
    HyphDict* dict = Hyphenation().dict.get();
    std::string word;
    if (!dict || text.empty() || !Storable(Item(kEditItem), word))
        return;
    if (Added(*dict, AddHyphException(*dict, word)))
        Refresh();
}

void CdlgHyphExc::Remove(const std::string& text) {
    if (HyphDict* dict = Hyphenation().dict.get(); dict && !text.empty())
        RemoveHyphException(*dict, text);
    Refresh();
}

void CdlgHyphExc::Change(const std::string& from, const std::string& to) {
    HyphDict* dict = Hyphenation().dict.get();
    std::string word;
    if (!dict || from.empty() || to.empty() || !Storable(Item(kEditItem), word))
        return;
    if (RemoveHyphException(*dict, from) == kHyphExceptionDone &&
        !Added(*dict, AddHyphException(*dict, word))) {
        AddHyphException(*dict, from);
    }
    Refresh();
}

}  // namespace tarnik
