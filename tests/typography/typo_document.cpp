#include "typo_document.h"

#include "charsets/utf8.h"
#include "platform/direct_entry.h"

namespace tarnik::testing {

TypoDocument::TypoDocument(std::string_view utf8, int32_t selectionStart, int32_t selectionEnd) {
    host::Document document = host::OneBoxDocument(Utf8ToUtf16(utf8));
    document.stories[0].selectionStart = selectionStart;
    document.stories[0].selectionEnd = selectionEnd;
    host.document = std::move(document);
    host.Start(DirectEntry);
}

host::Story& TypoDocument::Story() {
    return host.document->stories[0];
}

std::string TypoDocument::Text() {
    std::u16string text = Story().Text();
    for (int32_t i = 0; i < Story().Length(); ++i) {
        if (text[static_cast<size_t>(i)] == u' ' && Marked(i))
            text[static_cast<size_t>(i)] = u'~';
    }
    return Utf16ToUtf8(text);
}

std::string TypoDocument::Selected() {
    std::u16string text = Utf8ToUtf16(Text());
    return Utf16ToUtf8(
        text.substr(static_cast<size_t>(Story().selectionStart),
                    static_cast<size_t>(Story().selectionEnd - Story().selectionStart)));
}

bool TypoDocument::Marked(int32_t position) {
    return (Story().StyleAt(position) & XT_STYLE_NO_BREAK) != 0;
}

}  // namespace tarnik::testing
