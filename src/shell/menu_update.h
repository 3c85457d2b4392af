// The menu update before a menu opens: every command item is enabled or
// disabled, and the box, selection and group items retitled, from the state of
// the current document, box and selection.
//
//   Hyphenate, Remove Hyphens, Typography  D and B and (G or (T and L))
//   Suggest Hyphenation, Check Word         D and B and T and L and M
//   Check Story                             D and B and T and L
//   Check Document, Remove from document    D
//
// D: a document is open. B: there is a current box and it is valid. G: it is a
// group. T: it holds text. L: its text is not empty. S: its selection is not
// empty. M: the content tool is active. Preferences and About items are never
// changed.
//
// Titles change only with a document and a box: a group makes the box items
// "... Boxes"; a text box with text makes them "... Selection" while text is
// selected and the content tool is active, else "... Box" (the check item
// becomes "Check Selection..." or "Check Word..." only under the content tool).
#pragma once

#include <cstdint>

namespace tarnik {

struct MenuConditions {
    bool document = false;     // D
    bool box = false;          // B
    bool group = false;        // G
    bool text = false;         // T
    bool hasText = false;      // L
    bool selection = false;    // S
    bool contentTool = false;  // M
};

// The item numbers the components' menus hold; 0 for an absent item.
struct MenuItemNumbers {
    int16_t hyphenate = 0;
    int16_t removeHyphens = 0;
    int16_t suggestHyphenation = 0;
    int16_t removeHyphensFromDocument = 0;
    int16_t checkWord = 0;
    int16_t checkStory = 0;
    int16_t checkDocument = 0;
    int16_t typography = 0;
};

// Reads the conditions from the host.
MenuConditions ReadMenuConditions();

// Enables and retitles the items; titles are translated and sent as cp1250.
void UpdateMenuItems(const MenuConditions& conditions, const MenuItemNumbers& items);

}  // namespace tarnik
