#include "typo_document.h"

#include "charsets/utf8.h"
#include "platform/host_api.h"

namespace tarnik::testing {

namespace {

int32_t OnActivate(int32_t event, void* record) {
    if (event == XT_EVENT_ACTIVATE)
        Host().FetchCallbackGroups(static_cast<const XTActivationRecord*>(record));
    return 0;
}

int32_t Entry(XTRegistrationRecord* record) {
    Host().UseRegistration(record);
    if (Host().AcceptXTension(0, 0, XT_INTERFACE_VERSION, 0) != 0)
        return 1;
    return Host().InstallCallback(XT_EVENT_ACTIVATE, OnActivate);
}

}  // namespace

TypoDocument::TypoDocument(std::string_view utf8, int32_t selectionStart, int32_t selectionEnd) {
    host::Document document;
    document.stories.emplace_back(Utf8ToUtf16(utf8));
    document.stories[0].selectionStart = selectionStart;
    document.stories[0].selectionEnd = selectionEnd;
    host::Item box;
    box.type = host::ItemType::Text;
    box.story = 0;
    box.spread = 0;
    document.items.push_back(box);
    document.spreads.push_back(host::Spread{{0}});
    document.current = 0;
    host.document = std::move(document);
    host.Start(Entry);
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
