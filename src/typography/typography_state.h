// The typography engine's process-wide state, in one object: the settings
// record, the classes built from it for the coming run, and which word list the
// list editor works on.
#pragma once

#include <cstdint>

#include "typography/typo_char_classes.h"
#include "typography/typo_settings.h"

namespace tarnik {

// Word lists the list editor can edit.
enum TypoListSelector : int16_t {
    kListAfterDigits = 0,
    kListAfterWords = 1,
    kListBeforeWords = 2,
    kListSpaceExceptions = 3
};

struct TypographyState {
    TypoSettings settings;
    TypoCharClasses classes = BuildTypoCharClasses(settings);
    int16_t listSelector = kListAfterDigits;
};

TypographyState& Typography();

// Rebuilds Typography().classes from Typography().settings; the command runs it
// before each item, so that every box is processed with the settings now loaded.
void BuildTypoCharClasses();

}  // namespace tarnik
