// CdlgDictExc: the user-dictionary editor, the edit-list dialog over the user
// dictionary the command opened. Its rows are the dictionary's words in their
// stored order (capitals before small letters); every change is saved at once.
// Change removes the old word and adds the new one; when the new one cannot be
// stored the old one is put back, so a change never just loses a word. A word
// the dictionary cannot hold as typed (a character Windows-1250 lacks, a digit
// or other sign, more than 255 letters, no letter first) is refused with the
// reason, as tarnik dict add refuses it, never stored cut.
#pragma once

#include <string>

#include "platform/cdlg_list_editor.h"

namespace tarnik {

class CdlgDictExc : public CdlgListEditor {
  public:
    static constexpr uint16_t kResource = 31105;

    CdlgDictExc();

  protected:
    bool Contains(const std::string& text) override;
    void Fill(int16_t listItem, int16_t editItem) override;
    void Add(const std::string& text) override;
    void Remove(const std::string& text) override;
    void Change(const std::string& from, const std::string& to) override;
};

}  // namespace tarnik
