// The user dictionary: any file is refused or opened, and its words listed. A
// word added is found, and still found once the saved file is opened again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_files.h"
#include "speller/user_dictionary.h"

namespace {

[[noreturn]] void Broken(const char* what, const std::string& word) {
    std::fprintf(stderr, "%s: \"%s\"\n", what, word.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path =
        fuzz::WriteScratch("user.dic", std::string_view(reinterpret_cast<const char*>(data), size));
    tarnik::UserDictionary* record = nullptr;
    if (tarnik::UserDictOpen(path, record) != 0)
        return 0;
    // An entry may hold codes that are no letters: its word is listed cut there.
    std::string word;
    for (int n = 0; n < 100000 && tarnik::UserDictNextWord(record, word, n == 0); ++n) {
    }
    const std::string added = "Tarnik\xB3";
    if (tarnik::UserDictAddWord(record, added) == 0) {
        if (!tarnik::UserDictContains(record, added))
            Broken("an added word is not found", added);
        tarnik::UserDictionary* again = nullptr;
        if (tarnik::UserDictOpen(path, again) != 0 || !tarnik::UserDictContains(again, added))
            Broken("an added word is not in the saved file", added);
        tarnik::UserDictClose(again);
        tarnik::UserDictRemoveWord(record, added);
    }
    tarnik::UserDictClose(record);
    return 0;
}
