#include "hyphcommands/chyph_warn_dialog.h"

#include "platform/dialog_resources.h"

namespace tarnik {

namespace {

constexpr uint16_t kHyphWarnDialog = 31111;

}  // namespace

CHyphWarnDialog::CHyphWarnDialog(std::vector<std::string> names)
    : XT40xdlog(kHyphWarnDialog), names_(std::move(names)) {}

HyphWarnChoice CHyphWarnDialog::Ask() {
    choice_ = kHyphWarnOpen;
    RunModal();
    return choice_ == kHyphWarnOpen ? kHyphWarnCancel : choice_;
}

void CHyphWarnDialog::SetUp() {
    XT40xdlogitem list = Item(kNamesItem);
    list.ClearRows();
    for (const std::string& name : names_)
        list.AppendRow(name);
}

void CHyphWarnDialog::ItemHit(int16_t item, int16_t listAction) {
    if (choice_ == kHyphWarnOpen) {
        if (item == kOkItem)
            choice_ = kHyphWarnContinue;
        else if (item == kCancelItem)
            choice_ = kHyphWarnCancel;
        else if (item == kFixItem)
            choice_ = kHyphWarnFix;
    }
    if (item == kFixItem) {
        EndDialog(kFixItem);
        return;
    }
    XT40xdlog::ItemHit(item, listAction);
}

}  // namespace tarnik
