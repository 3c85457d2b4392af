// The user dictionary: any file is refused or opened. Every word an open file
// lists is found in it; a word added is found, and still found once the saved
// file is opened again.
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
    std::string word;
    bool more = tarnik::UserDictNextWord(record, word, true);
    for (int n = 0; !word.empty() && n < 100000; ++n) {
        if (!tarnik::UserDictContains(record, word))
            Broken("a listed word is not found", word);
        if (!more)
            break;
        more = tarnik::UserDictNextWord(record, word, false);
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
