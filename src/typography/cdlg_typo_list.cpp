#include "typography/cdlg_typo_list.h"

#include "typography/typography_state.h"

namespace tarnik {

TypoWordList* CdlgTypoList::EditedList() {
    TypographyState& state = Typography();
    switch (state.listSelector) {
        case kListAfterDigits:
            return &state.settings.afterDigitsList;
        case kListAfterWords:
            return &state.settings.afterWordsList;
        case kListBeforeWords:
            return &state.settings.beforeWordsList;
        case kListSpaceExceptions:
            return &state.settings.spaceExceptionsList;
        default:
            return nullptr;
    }
}

bool CdlgTypoList::Contains(const std::string& text) {
    TypoWordList* list = EditedList();
    return !list || list->Contains(text);
}

void CdlgTypoList::Fill(int16_t listItem, int16_t editItem) {
    TypoWordList* list = EditedList();
    FillRows(listItem, editItem, list ? SplitWords(list->Padded()) : std::vector<std::string>{});
}

void CdlgTypoList::Add(const std::string& text) {
    if (TypoWordList* list = EditedList())
        list->Add(text);
    Refresh();
}

void CdlgTypoList::Remove(const std::string& text) {
    if (TypoWordList* list = EditedList())
        list->Remove(text);
    Refresh();
}

void CdlgTypoList::Change(const std::string& from, const std::string& to) {
    if (TypoWordList* list = EditedList())
        list->Change(from, to);
    Refresh();
}

}  // namespace tarnik
