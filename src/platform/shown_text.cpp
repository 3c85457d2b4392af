#include "platform/shown_text.h"

#include "charsets/ui_text.h"
#include "platform/translation_tables.h"

namespace tarnik {

const char* ShownText(const char* english) {
    return UiText(TranslateString(english));
}

}  // namespace tarnik
