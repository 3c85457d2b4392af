// Document files: any bytes are refused with a message or loaded; what loads saves
// and loads back to the same file, also after anchor characters and their items are
// deleted.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/document_file.h"

namespace {

using tarnik::host::LoadDocumentText;
using tarnik::host::MemoryHost;
using tarnik::host::SaveDocumentText;

[[noreturn]] void Broken(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s\n%s\n", what, detail.c_str());
    std::abort();
}

void RoundTrips(const MemoryHost& host) {
    std::string saved = SaveDocumentText(host);
    MemoryHost again;
    std::string error;
    if (!LoadDocumentText(saved, again, error))
        Broken("a saved document is refused:", error + "\n" + saved);
    if (SaveDocumentText(again) != saved)
        Broken("a saved document loads as another:", saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    MemoryHost host;
    std::string error;
    if (!LoadDocumentText(text, host, error)) {
        if (error.empty())
            Broken("a refusal without a message", std::string(text));
        return 0;
    }
    RoundTrips(host);
    if (!host.document)
        return 0;
    // The middle third of every story goes, with the items anchored there.
    auto& document = *host.document;
    for (auto& story : document.stories) {
        for (int item : story.Erase(story.Length() / 3, story.Length() * 2 / 3))
            document.RemoveItem(item);
    }
    RoundTrips(host);
    return 0;
}
