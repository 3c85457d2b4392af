// CdlgHyphExc: the editor of the user's hyphenation exceptions, on the generic
// list editor. Rows show the words with '-' at each break (ko-tek), as the user
// types them; a word is listed when the list holds it whatever its breaks. Each
// change is saved to "PLHYPH.USR" at once.
//
// Add leaves a listed word's breaks as they are; Change replaces them (the old
// entry goes, the new one comes). When the new entry cannot be stored (too
// long, too many breaks, or another listed word), Change keeps the old one.
// Every refusal is told with its reason, as tarnik hyph --add tells it: a word
// that cannot be stored as typed (a space or other sign, a letter Windows-1250
// lacks, a '-' at an edge or doubled) is never stored changed, and a failed
// save names the file and what went wrong.
#pragma once

#include <string>

#include "platform/cdlg_list_editor.h"

namespace tarnik {

class CdlgHyphExc : public CdlgListEditor {
  public:
    CdlgHyphExc() = default;

  protected:
    bool Contains(const std::string& text) override;
    void Fill(int16_t listItem, int16_t editItem) override;
    void Add(const std::string& text) override;
    void Remove(const std::string& text) override;
    void Change(const std::string& from, const std::string& to) override;
};

}  // namespace tarnik
