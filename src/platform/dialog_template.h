// A dialog as the plug-in's resources describe it: its number, its title and
// its items. The dialog framework hands a template to the host, which lays the
// items out in their order and runs the dialog. Texts are stored texts
// (x-mac-ce), shown through UiText.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnik {

enum class DialogItemKind : uint8_t {
    kButton,
    kCheckBox,
    kRadioButton,
    kStaticText,
    kEditText,
    kListBox,
};

// The number of labels that the code never addresses.
inline constexpr uint16_t kUnnumberedItem = 0xFFFF;

struct DialogItemTemplate {
    uint16_t number = kUnnumberedItem;
    DialogItemKind kind = DialogItemKind::kStaticText;
    std::string text;
    bool isDefault = false;   // the button that Enter presses
    uint16_t radioGroup = 0;  // radio buttons of one group share a number; 0 = none
    uint16_t maxLength = 0;   // edit fields: the most bytes the field takes
};

struct DialogTemplate {
    uint16_t number = 0;
    std::string title;
    std::vector<DialogItemTemplate> items;

    // The item of that number, or null.
    const DialogItemTemplate* FindItem(uint16_t itemNumber) const;
};

}  // namespace tarnik
