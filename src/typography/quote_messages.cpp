#include "typography/quote_messages.h"

#include "platform/show_message.h"
#include "platform/shown_text.h"

namespace tarnik {

void ShowQuoteMessage(const char* english) {
    ShowMessage(XT_MB_OK, 0, "", "%s", ShownText(english));
}

}  // namespace tarnik
