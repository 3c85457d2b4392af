// The hyphenation data: any file is refused or opened; words are then hyphenated
// through its patterns and lists, and its lists are read entry by entry.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz/fuzz_files.h"
#include "hyphenation/hyph_dict.h"
#include "hyphenation/hyphenate_word.h"
#include "hyphenation/user_exceptions.h"

namespace {

// cp1250 words, a long one and one with a digit among them.
const char* const kWords[] = {"kotek",
                              "wszczepi\xE6",
                              "konstantynopolita\xF1"
                              "czykowianeczka",
                              "\xBF"
                              "aba",
                              "abc1def",
                              "a",
                              "przyst\xEApny",
                              "nie\xB3"
                              "adny"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = fuzz::WriteScratch("PLHYPH.DAT", fuzz::Sealed(data, size));
    std::unique_ptr<tarnik::HyphDict> dict;
    if (tarnik::OpenHyphDict(path, dict) != 0)
        return 0;
    std::string out;
    for (const char* word : kWords) {
        tarnik::HyphenateWordWithoutUser(*dict, word, &out);
        tarnik::HyphenateWordWithUser(*dict, word, &out);
        tarnik::IsHyphException(*dict, word);
    }
    tarnik::HyphenateWordWithoutUser(*dict, std::string(300, 'a'), &out);
    // The seed list, as a user list before the user's file is read.
    for (int n = 0; n < 10000 && tarnik::NextHyphException(*dict, out, n == 0); ++n) {
    }
    tarnik::CloseHyphDict(dict);
    return 0;
}
