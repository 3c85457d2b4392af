#include "platform/xt40_xdlog.h"

#include <string>
#include <vector>

#include "charsets/ui_text.h"
#include "platform/dialog_resources.h"
#include "platform/guarded_call.h"
#include "platform/host_api.h"
#include "platform/translation_tables.h"

namespace tarnik {

namespace {

int16_t HostItemKind(DialogItemKind kind) {
    switch (kind) {
        case DialogItemKind::kButton:
            return XT_ITEM_BUTTON;
        case DialogItemKind::kCheckBox:
            return XT_ITEM_CHECKBOX;
        case DialogItemKind::kRadioButton:
            return XT_ITEM_RADIO;
        case DialogItemKind::kEditText:
            return XT_ITEM_EDIT;
        case DialogItemKind::kListBox:
            return XT_ITEM_LIST;
        case DialogItemKind::kStaticText:
            break;
    }
    return XT_ITEM_STATIC;
}

// A resource template as the host takes it: texts converted to cp1250 and kept
// alive for the run.
class HostTemplate {
  public:
    explicit HostTemplate(const DialogTemplate& source) {
        UiText(source.title, title_);
        texts_.resize(source.items.size());
        for (std::size_t i = 0; i < source.items.size(); ++i) {
            const DialogItemTemplate& item = source.items[i];
            UiText(item.text, texts_[i]);
            items_.push_back({static_cast<int16_t>(item.number), HostItemKind(item.kind),
                              static_cast<int16_t>(item.radioGroup), 0, texts_[i].c_str()});
            if (item.isDefault)
                record_.defaultButton = static_cast<int16_t>(item.number);
        }
        record_.resourceId = source.number;
        record_.itemCount = static_cast<int16_t>(items_.size());
        record_.title = title_.c_str();
        record_.items = items_.data();
    }
    const XTDialogTemplate* Record() const { return &record_; }

  private:
    std::string title_;
    std::vector<std::string> texts_;
    std::vector<XTDialogItemTemplate> items_;
    XTDialogTemplate record_{};
};

}  // namespace

XT40xdlog::XT40xdlog(uint16_t englishResource) : englishResource_(englishResource) {}

int16_t XT40xdlog::RunModal() {
    const DialogTemplate* resource = FindDialogTemplate(TranslateDialog(englishResource_));
    if (!resource || IsOpen())
        return kCancelItem;
    HostTemplate hostTemplate(*resource);
    template_ = resource;
    int16_t itemHit = kCancelItem;
    if (Host().RunModalDialog(hostTemplate.Record(), this, &itemHit) != XT_OK)
        itemHit = kCancelItem;
    template_ = nullptr;
    dialog_ = 0;
    return itemHit;
}

XT40xdlogitem XT40xdlog::Item(int16_t number) const {
    const DialogItemTemplate* item =
        template_ ? template_->FindItem(static_cast<uint16_t>(number)) : nullptr;
    return XT40xdlogitem(dialog_, number, item ? item->radioGroup : 0);
}

void XT40xdlog::EndDialog(int16_t item) {
    Host().EndModalDialog(dialog_, item);
}

void XT40xdlog::ItemHit(int16_t item, int16_t) {
    if (item == kOkItem || item == kCancelItem)
        EndDialog(item);
}

int32_t XT40xdlog::HandleDialogEvent(int32_t, void* record) {
    return GuardedCall("Dialog event", [record]() -> int32_t {
        auto* event = static_cast<XTDialogEventRecord*>(record);
        auto* dialog = event ? static_cast<XT40xdlog*>(event->userData) : nullptr;
        if (!XT40Root::IsValid(dialog) || !dialog->template_)
            return XT_ERR_PARAM;
        if (event->message == XT_DIALOG_DEFINE) {
            dialog->dialog_ = event->dialog;
        } else if (event->dialog != dialog->dialog_) {
            return XT_ERR_PARAM;
        }
        switch (event->message) {
            case XT_DIALOG_DEFINE:
                dialog->DefineItems();
                break;
            case XT_DIALOG_SETUP:
                dialog->SetUp();
                break;
            case XT_DIALOG_HIT:
                dialog->ItemHit(event->item, event->listAction);
                break;
            case XT_DIALOG_CLOSE:
                dialog->Close(event->item);
                break;
            default:
                return XT_ERR_PARAM;
        }
        return XT_OK;
    });
}

}  // namespace tarnik
