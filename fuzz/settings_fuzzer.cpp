// Settings files: any bytes are read by every component's loader. A value set in
// the text is found again once the text is read back, and the text reads back to
// itself.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_files.h"
#include "hyphcommands/hyph_service.h"
#include "platform/profile_document.h"
#include "platform/settings_store.h"
#include "spellcheck/dict_settings.h"
#include "typography/typo_settings_store.h"

namespace {

[[noreturn]] void Broken(const char* what, const std::string& text) {
    std::fprintf(stderr, "%s\n%s\n", what, text.c_str());
    std::abort();
}

// The value as a line holds it: line breaks as spaces, without surrounding blanks.
std::string AsStored(std::string_view value) {
    std::string line(value);
    for (char& c : line) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string file = fuzz::WriteScratch("Tarnik11.ini", text);
    tarnik::SetStoreTarget(file.c_str(), nullptr);
    tarnik::TypoSettingsLoad();
    tarnik::LoadHyphSettings();
    tarnik::LoadDictSettings();

    tarnik::ProfileDocument document(text);
    std::string written = document.Text();
    if (tarnik::ProfileDocument(written).Text() != written)
        Broken("a settings text reads back as another:", written);
    std::string_view value = text.substr(0, 24);
    document.Set("1Typografia", "2Cudzyslow", value);
    written = document.Text();
    tarnik::ProfileDocument reread(written);
    auto found = reread.Find("1typografia", "2CUDZYSLOW");
    if (!found || *found != AsStored(value))
        Broken("a value set is not found again:", written);
    return 0;
}
