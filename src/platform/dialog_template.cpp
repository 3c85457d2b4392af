#include "platform/dialog_template.h"

#include <algorithm>

namespace tarnik {

const DialogItemTemplate* DialogTemplate::FindItem(uint16_t itemNumber) const {
    auto found = std::find_if(items.begin(), items.end(), [&](const DialogItemTemplate& item) {
        return item.number == itemNumber;
    });
    return found == items.end() ? nullptr : &*found;
}

}  // namespace tarnik
