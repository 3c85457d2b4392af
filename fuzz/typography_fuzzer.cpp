// The typography engine on any text under any settings. The input is a settings
// file, a NUL byte, two bytes choosing the selection, and the story: each byte
// below 0xF8 a cp1250 character, a byte from 0xF8 up followed by any UTF-16 unit
// (lone surrogates too) in two bytes. The run must end, leaving a selection within
// the story.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_files.h"
#include "host/memory_host.h"
#include "platform/direct_entry.h"
#include "platform/settings_store.h"
#include "tarnik/text_codec.h"
#include "typography/run_typography.h"
#include "typography/typo_settings_store.h"
#include "typography/typography_state.h"

namespace {

std::u16string StoryFrom(std::string_view bytes) {
    std::u16string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<uint8_t>(bytes[i]);
        if (b < 0xF8) {
            text += tarnik::Cp1250ToUtf16(bytes.substr(i, 1));
        } else if (i + 2 < bytes.size()) {
            text.push_back(static_cast<char16_t>(static_cast<uint8_t>(bytes[i + 1]) |
                                                 static_cast<uint8_t>(bytes[i + 2]) << 8));
            i += 2;
        }
    }
    return text;
}

tarnik::host::MemoryHost& Host() {
    static tarnik::host::MemoryHost* host = [] {
        auto* started = new tarnik::host::MemoryHost;
        if (started->Start(tarnik::DirectEntry) != 0)
            std::abort();
        return started;
    }();
    return *host;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t cut = input.find('\0');
    if (cut == std::string_view::npos || input.size() - cut < 3)
        return 0;
    std::string settings = fuzz::WriteScratch("Tarnik11.ini", input.substr(0, cut));
    tarnik::SetStoreTarget(settings.c_str(), nullptr);
    tarnik::TypoSettingsLoad();
    tarnik::BuildTypoCharClasses();

    auto& host = Host();
    std::u16string text = StoryFrom(input.substr(cut + 3));
    auto length = static_cast<int32_t>(text.size());
    int32_t start = static_cast<uint8_t>(input[cut + 1]) % (length + 1);
    int32_t end = static_cast<uint8_t>(input[cut + 2]) % (length + 1);
    host.document = tarnik::host::OneBoxDocument(std::move(text));
    host.document->stories[0].selectionStart = std::min(start, end);
    host.document->stories[0].selectionEnd = std::max(start, end);
    host.messages.clear();

    tarnik::RunTypography();

    const auto& story = host.document->stories[0];
    if (story.selectionStart < 0 || story.selectionStart > story.selectionEnd ||
        story.selectionEnd > story.Length()) {
        std::fprintf(stderr, "selection [%d, %d) outside a story of %d\n", story.selectionStart,
                     story.selectionEnd, story.Length());
        std::abort();
    }
    return 0;
}
