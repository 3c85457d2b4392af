// CdlgTypoList: the editor of one word list of the typography settings, the one
// Typography().listSelector names (after digits, after words, before words,
// spacing exceptions). Its changes go into the settings record at once; they
// reach the settings file when the preferences dialog is confirmed.
//
// A word goes in only while the list still fits its field; a change whose new
// word does not fit removes the old word all the same. A selector outside the
// four lists edits nothing, and every word counts as present.
#pragma once

#include <string>

#include "platform/cdlg_list_editor.h"
#include "typography/typo_word_list.h"

namespace tarnik {

class CdlgTypoList : public CdlgListEditor {
  public:
    CdlgTypoList() = default;

  protected:
    bool Contains(const std::string& text) override;
    void Fill(int16_t listItem, int16_t editItem) override;
    void Add(const std::string& text) override;
    void Remove(const std::string& text) override;
    void Change(const std::string& from, const std::string& to) override;

  private:
    // The list the selector names, or nullptr.
    static TypoWordList* EditedList();
};

}  // namespace tarnik
