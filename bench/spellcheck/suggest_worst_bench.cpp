// The slowest words for suggestions: the worst cases of every search, with the
// bundled dictionaries (son.dic and the mixed-case list beside it). Each
// benchmark asks for the ranked suggestions of one word, as the Check Spelling
// dialog and the pipe do; the counters give the steps of work the request took
// and whether its bound stopped it (suggestion_work.h).
//
// The words: long runs of one letter that every search can rewrite at each
// place (h/ch, ż/rz/z, a/ą, o/ó/u), long words of letters that may each take a
// diacritic, a long real word, hyphenated words of many faulty parts, and words
// past the longest a search takes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "charsets/utf8.h"
#include "speller/main_dictionary.h"
#include "speller/ranked_suggestions.h"
#include "speller/suggestion_work.h"
#include "speller/user_dictionary.h"

namespace {

std::string Times(const std::string& utf8, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += utf8;
    return out;
}

void Open() {
    static const bool opened = [] {
        tarnik::UserDictionary* mixed = nullptr;
        return tarnik::SpellerOpen(TARNIK_SOURCE_DIR "/data/son.dic") == 0 &&
               tarnik::UserDictOpen(TARNIK_SOURCE_DIR "/data/mixedcase.dic", mixed) == 0;
    }();
    if (!opened)
        std::abort();
}

void BM_SuggestRanked(benchmark::State& state, const std::string& utf8) {
    Open();
    std::string word = tarnik::Utf8ToCp1250(utf8);
    tarnik::SuggestionWork last;
    for (auto _ : state) {
        tarnik::SuggestionWork work;
        benchmark::DoNotOptimize(
            tarnik::SpellerSuggestRanked(word, tarnik::kMaxRankedSuggestions, work));
        last = work;
    }
    state.counters["steps"] = last.Spent();
    state.counters["stopped"] = last.Stopped() ? 1 : 0;
}

const std::vector<std::pair<std::string, std::string>>& Words() {
    static const std::vector<std::pair<std::string, std::string>> words = {
        {"ksiazka", "ksiazka"},
        {"konstantynopolitanczykowianeczka", "konstantynopolitanczykowianeczka"},
        {"h*48", std::string(48, 'h')},
        {"h*49", std::string(49, 'h')},
        {"ż*48", Times("ż", 48)},
        {"Ż*48", Times("Ż", 48)},
        {"rz*24", Times("rz", 24)},
        {"ch*24", Times("ch", 24)},
        {"a*49", std::string(49, 'a')},
        {"o*49", std::string(49, 'o')},
        {"ó*49", Times("ó", 49)},
        {"rzż*16", Times("rzż", 16)},
        {"ąę*24", Times("ąę", 24)},
        {"zazolcgeslajazn*3", Times("zazolcgeslajazn", 3)},
        {"nieprzecietnosc*3", Times("nieprzecietnosc", 3)},
        {"kotx-*20", Times("kotx-", 20)},
        {"h-*50", Times("h-", 50)},
        {"h-*150", Times("h-", 150)},
        {"h*300", std::string(300, 'h')},
    };
    return words;
}

}  // namespace

int main(int argc, char** argv) {
    for (const auto& [name, word] : Words()) {
        benchmark::RegisterBenchmark(("BM_SuggestRanked/" + name).c_str(), BM_SuggestRanked, word)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
