// XT40xdlog: the base of the plug-in's dialogs.
//
// A dialog is made from the number of an English dialog resource. When it runs,
// the number is translated to the host's interface language (the dialog table),
// the template of that resource is handed to the host with its texts in cp1250,
// and the host runs the dialog modally. The host reports each step through the
// dialog-event handler, which calls the dialog's virtual operations in this
// order: DefineItems once the dialog exists, SetUp before the first user action,
// ItemHit for every user action on an item, Close as it ends. Between those the
// dialog works on its items by number (Item).
//
// The dialog-event handler is installed by the shell at activation for the
// dialog event code the host supplies.
#pragma once

#include <cstdint>

#include "platform/dialog_template.h"
#include "platform/xt40_xdlogitem.h"
#include "platform/xt40_xdwap.h"
#include "tarnik/xtabi.h"

namespace tarnik {

class XT40xdlog : public XT40xdwap {
  public:
    explicit XT40xdlog(uint16_t englishResource);

    // Runs the dialog modally; the item that closed it (1 for OK or Close, 2 for
    // Cancel). A dialog whose resource does not exist, or which the host refuses
    // to show, counts as cancelled: 2.
    int16_t RunModal();

    bool IsOpen() const override { return dialog_ != 0; }
    uint16_t EnglishResource() const { return englishResource_; }

    // An item of the open dialog.
    XT40xdlogitem Item(int16_t number) const;

    // Ends the modal run with `item` once the current event has been handled.
    void EndDialog(int16_t item);

    // The host's dialog events (XTDialogEventRecord). Events of a dialog that is
    // not a live XT40xdlog are refused.
    static int32_t HandleDialogEvent(int32_t event, void* record);

  protected:
    virtual void DefineItems() {}
    virtual void SetUp() {}
    // `listAction` is XT_LIST_CHOSEN or XT_LIST_ACTIVATED for a list, else
    // XT_LIST_NONE. The base ends the dialog on items 1 and 2.
    virtual void ItemHit(int16_t item, int16_t listAction);
    virtual void Close(int16_t) {}

  private:
    uint16_t englishResource_;
    const DialogTemplate* template_ = nullptr;  // while it runs
    XTDialog dialog_ = 0;                       // while it runs
};

}  // namespace tarnik
