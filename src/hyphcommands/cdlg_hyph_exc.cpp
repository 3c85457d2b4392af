#include "hyphcommands/cdlg_hyph_exc.h"

#include <algorithm>
#include <vector>

#include "hyphcommands/hyph_service.h"
#include "hyphenation/user_exceptions.h"

namespace tarnik {

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
    if (HyphDict* dict = Hyphenation().dict.get(); dict && !text.empty())
        AddHyphException(*dict, text);
    Refresh();
}

void CdlgHyphExc::Remove(const std::string& text) {
    if (HyphDict* dict = Hyphenation().dict.get(); dict && !text.empty())
        RemoveHyphException(*dict, text);
    Refresh();
}

void CdlgHyphExc::Change(const std::string& from, const std::string& to) {
    HyphDict* dict = Hyphenation().dict.get();
    if (dict && !from.empty() && !to.empty() &&
        RemoveHyphException(*dict, from) == kHyphExceptionDone &&
        AddHyphException(*dict, to) != kHyphExceptionDone) {
        AddHyphException(*dict, from);
    }
    Refresh();
}

}  // namespace tarnik
