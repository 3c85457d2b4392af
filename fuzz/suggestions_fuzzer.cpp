// Suggestions for any word, with the bundled dictionaries: the searches of one
// request stay within its bound of work, and every lookup they make is a step
// they took. A search that runs past its bound, or looks words up without
// taking the step, fails the harness.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "speller/main_dictionary.h"
#include "speller/ranked_suggestions.h"
#include "speller/suggestion_work.h"
#include "speller/suggestions.h"
#include "speller/user_dictionary.h"
#include "speller/word_check.h"

namespace {

void OpenDictionaries() {
    static const bool opened = [] {
        tarnik::UserDictionary* mixed = nullptr;
        if (tarnik::SpellerOpen(TARNIK_SOURCE_DIR "/data/son.dic") != 0 ||
            tarnik::UserDictOpen(TARNIK_SOURCE_DIR "/data/mixedcase.dic", mixed) != 0)
            std::abort();
        return true;
    }();
    (void)opened;
}

void ExpectWithinBound(const tarnik::SuggestionWork& work, uint64_t lookupsBefore) {
    if (work.Spent() > work.Bound() || tarnik::SpellerLookupCount() - lookupsBefore > work.Spent())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OpenDictionaries();
    // Words longer than a line of text are not what the harness is after.
    std::string_view word(reinterpret_cast<const char*>(data), std::min<size_t>(size, 400));
    {
        tarnik::SuggestionWork work;
        uint64_t before = tarnik::SpellerLookupCount();
        tarnik::SpellerSuggestRanked(word, tarnik::kMaxRankedSuggestions, work);
        ExpectWithinBound(work, before);
    }
    {
        tarnik::SuggestionWork work;
        uint64_t before = tarnik::SpellerLookupCount();
        tarnik::SpellerFreeSuggestions(tarnik::SpellerSuggest(word, work));
        ExpectWithinBound(work, before);
    }
    return 0;
}
