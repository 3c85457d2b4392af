#include "platform/xt40_xdlogitem.h"

#include "platform/host_api.h"

namespace tarnik {

XT40xdlogitem::XT40xdlogitem(XTDialog dialog, int16_t number, uint16_t radioGroup)
    : dialog_(dialog), number_(number), radioGroup_(radioGroup) {}

std::string XT40xdlogitem::Text() const {
    return Host().GetDialogItemText(dialog_, number_);
}

void XT40xdlogitem::SetText(std::string_view text) {
    Host().SetDialogItemText(dialog_, number_, std::string(text).c_str());
}

std::u16string XT40xdlogitem::UnicodeText() const {
    return Host().GetDialogItemTextUtf16(dialog_, number_);
}

void XT40xdlogitem::SetUnicodeText(std::u16string_view text) {
    Host().SetDialogItemTextUtf16(dialog_, number_, text);
}

bool XT40xdlogitem::IsEnabled() const {
    return Host().IsDialogItemEnabled(dialog_, number_);
}

void XT40xdlogitem::Enable(bool enabled) {
    Host().EnableDialogItem(dialog_, number_, enabled);
}

bool XT40xdlogitem::IsChecked() const {
    return Host().GetDialogItemChecked(dialog_, number_);
}

void XT40xdlogitem::SetChecked(bool checked) {
    Host().SetDialogItemChecked(dialog_, number_, checked);
}

void XT40xdlogitem::ChooseRadio() {
    Host().SetRadioChoice(dialog_, static_cast<int16_t>(radioGroup_), number_);
}

int16_t XT40xdlogitem::ChosenRadio() const {
    return Host().GetRadioChoice(dialog_, static_cast<int16_t>(radioGroup_));
}

void XT40xdlogitem::ClearRows() {
    Host().ClearListRows(dialog_, number_);
}

void XT40xdlogitem::AppendRow(std::string_view text) {
    Host().AppendListRow(dialog_, number_, std::string(text).c_str());
}

int32_t XT40xdlogitem::RowCount() const {
    return Host().CountListRows(dialog_, number_);
}

std::string XT40xdlogitem::Row(int32_t row) const {
    return Host().GetListRow(dialog_, number_, row);
}

int32_t XT40xdlogitem::ChosenRow() const {
    return Host().GetListChoice(dialog_, number_);
}

void XT40xdlogitem::SetChosenRow(int32_t row) {
    Host().SetListChoice(dialog_, number_, row);
}

}  // namespace tarnik
