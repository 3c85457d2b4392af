#include "platform/cdlg_list_editor.h"

#include <algorithm>

namespace tarnik {

namespace {

std::string Cut(std::string text) {
    if (text.size() > CdlgListEditor::kMaxText)
        text.resize(CdlgListEditor::kMaxText);
    return text;
}

}  // namespace

std::vector<std::string> SplitWords(const std::string& list) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while ((at = list.find_first_not_of(' ', at)) != std::string::npos) {
        std::size_t end = list.find(' ', at);
        words.push_back(Cut(list.substr(at, end - at)));
        at = end;
    }
    return words;
}

CdlgListEditor::CdlgListEditor(uint16_t englishResource) : XT40xdlog(englishResource) {}

bool CdlgListEditor::ListShows(const std::string& text) {
    XT40xdlogitem list = Item(kListItem);
    for (int32_t row = 0, count = list.RowCount(); row < count; ++row) {
        if (Cut(list.Row(row)) == text)
            return true;
    }
    return false;
}

void CdlgListEditor::FillRows(int16_t listItem, int16_t editItem,
                              const std::vector<std::string>& rows) {
    XT40xdlogitem list = Item(listItem);
    int32_t chosen = list.ChosenRow();
    list.ClearRows();
    for (const std::string& row : rows)
        list.AppendRow(row);
    if (rows.empty()) {
        Item(editItem).SetText("");
        return;
    }
    int32_t last = static_cast<int32_t>(rows.size()) - 1;
    chosen = chosen < 0 ? 0 : std::min(chosen, last);
    list.SetChosenRow(chosen);
    Item(editItem).SetText(rows[static_cast<std::size_t>(chosen)]);
}

void CdlgListEditor::Refresh() {
    Fill(kListItem, kEditItem);
    UpdateButtons();
}

void CdlgListEditor::UpdateButtons() {
    std::string text = Cut(Item(kEditItem).Text());
    if (text.empty()) {
        Item(kAddItem).Enable(false);
        Item(kRemoveItem).Enable(true);
        Item(kChangeItem).Enable(false);
        return;
    }
    bool has = Contains(text);
    Item(kAddItem).Enable(!has);
    Item(kRemoveItem).Enable(has);
    Item(kChangeItem).Enable(!ListShows(text) && Item(kListItem).ChosenRow() >= 0);
}

void CdlgListEditor::SetUp() {
    Item(kListItem).ClearRows();
    Refresh();
}

void CdlgListEditor::ItemHit(int16_t item, int16_t listAction) {
    XT40xdlogitem list = Item(kListItem);
    int32_t chosen = list.ChosenRow();
    switch (item) {
        case kListItem:
            if (chosen >= 0)
                Item(kEditItem).SetText(Cut(list.Row(chosen)));
            UpdateButtons();
            return;
        case kEditItem:
            UpdateButtons();
            return;
        case kAddItem:
            Add(Cut(Item(kEditItem).Text()));
            return;
        case kRemoveItem:
            if (chosen >= 0)
                Remove(Cut(list.Row(chosen)));
            return;
        case kChangeItem:
            if (chosen >= 0)
                Change(Cut(list.Row(chosen)), Cut(Item(kEditItem).Text()));
            return;
        default:
            if (OtherItemHit(item, listAction) == 0)
                XT40xdlog::ItemHit(item, listAction);
            return;
    }
}

}  // namespace tarnik
