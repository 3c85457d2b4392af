// The main dictionary: any file is refused or opened; words are then checked and
// corrected against it, reading its word blocks, lists and ending table.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_files.h"
#include "speller/main_dictionary.h"
#include "speller/suggestions.h"
#include "speller/word_check.h"

namespace {

// cp1250: words of every case pattern, with Polish letters, abbreviations and
// misspelt words; "ksiazka" is corrected as well.
const char* const kWords[] = {
    "pies",  "miasto", "Warszawa", "PKP", "ksi\xB9\xBFka", "\xBF\xF3\xB3w", "kota", "Ala", "ALA",
    "mAsto", "dr",     "np",       "a",   "xyzzy"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string path = fuzz::WriteScratch("son.dic", fuzz::Sealed(data, size));
    if (tarnik::SpellerOpen(path) != 0)
        return 0;
    for (const char* word : kWords) {
        tarnik::SpellerCheckWord(word);
        tarnik::SpellerCheckWordBeforeStop(word);
    }
    tarnik::SpellerFreeSuggestions(tarnik::SpellerSuggest("ksiazka"));
    tarnik::SpellerClose();
    return 0;
}
