// CdlgListEditor: the modal edit-list dialog on which the word-list, user
// dictionary and hyphenation-exceptions editors are built. It shows a list of
// words, an edit field and the buttons Add, Remove, Change and Close; the
// subclass keeps the list itself.
//
// Set-up fills the list. Choosing a row puts its text into the edit field.
// After every change of the edit text the buttons follow it: with an empty
// text only Remove is enabled; otherwise Add is enabled when the list lacks the
// text, Remove when it has it, and Change when no row shows the text and a row
// is chosen. Add adds the edit text, Remove removes the chosen row's text,
// Change replaces the chosen row's text by the edit text. Close ends the dialog.
// Texts are cp1250, each up to 255 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/xt40_xdlog.h"

namespace tarnik {

class CdlgListEditor : public XT40xdlog {
  public:
    static constexpr int16_t kListItem = 1078;
    static constexpr int16_t kEditItem = 1079;
    static constexpr int16_t kAddItem = 1080;
    static constexpr int16_t kRemoveItem = 1081;
    static constexpr int16_t kChangeItem = 1082;
    // Rows and edit texts are cut to this many bytes.
    static constexpr std::size_t kMaxText = 255;

    // The English edit-list dialog by default ("Edit list").
    explicit CdlgListEditor(uint16_t englishResource = 31119);

  protected:
    // The edited list has `text`.
    virtual bool Contains(const std::string& text) = 0;
    // A row of the list box shows `text`.
    virtual bool ListShows(const std::string& text);
    // Fills the list box and the edit field from the edited list (FillRows does
    // the usual work).
    virtual void Fill(int16_t listItem, int16_t editItem) = 0;
    virtual void Add(const std::string& text) = 0;
    virtual void Remove(const std::string& text) = 0;
    virtual void Change(const std::string& from, const std::string& to) = 0;
    // Items the editor does not know: non-zero when the subclass took the item,
    // 0 to leave it to the dialog (Close, item 1, ends it).
    virtual int16_t OtherItemHit(int16_t, int16_t) { return 0; }

    // Puts `rows` into the list box in order; the row chosen before is chosen
    // again (the last row when there are fewer now, the first when none was
    // chosen), and its text goes into the edit field, which is emptied when the
    // list is.
    void FillRows(int16_t listItem, int16_t editItem, const std::vector<std::string>& rows);
    // Fills again and brings the buttons up to date; subclasses call it after
    // every change of the list.
    void Refresh();
    void UpdateButtons();

    void SetUp() override;
    void ItemHit(int16_t item, int16_t listAction) override;
};

// The words of a space-separated list, each cut to CdlgListEditor::kMaxText.
std::vector<std::string> SplitWords(const std::string& list);

}  // namespace tarnik
