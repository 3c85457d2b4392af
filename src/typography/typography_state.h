// The typography engine's process-wide state, in one object: the settings
// record, the classes built from it for the coming run, and which word list the
// list editor works on.
#pragma once

#include <cstdint>
#include <functional>

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

// Told of a quotation mark a run cannot place, at `position` of the story, with
// the message that names the reason; returns whether the run goes on past it.
using TypoQuoteLeft = std::function<bool(int32_t position, const char* message)>;

struct TypographyState {
    TypoSettings settings;
    TypoCharClasses classes = BuildTypoCharClasses(settings);
    int16_t listSelector = kListAfterDigits;
    // Empty for the plug-in's command: a run stops at such a mark, selects and
    // shows it and says why. Set by callers that correct whole files: the mark is
    // left as it is and reported here instead, and no message box appears.
    TypoQuoteLeft quoteLeft;
};

TypographyState& Typography();

// Rebuilds Typography().classes from Typography().settings; the command runs it
// before each item, so that every box is processed with the settings now loaded.
void BuildTypoCharClasses();

}  // namespace tarnik
