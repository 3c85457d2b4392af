// The user dictionary at the sizes users keep: opening, listing, importing and
// accepting words for a run, at 10,000 and 100,000 words. Each must grow
// linearly or n log n with the number of words. Words are made of small
// letters and capitals with a fixed random seed, so runs compare.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "speller/user_dictionary.h"

namespace {

std::vector<std::string> MakeWords(int count) {
    static const std::string letters = "abcdefghijklmnoprstuwyzABCDEKLMPSZ";
    std::mt19937 random(1721);
    std::uniform_int_distribution<size_t> letter(0, letters.size() - 1);
    std::uniform_int_distribution<int> length(4, 12);
    std::vector<std::string> words;
    while (static_cast<int>(words.size()) < count) {
        std::string word;
        for (int n = length(random); n > 0; --n)
            word.push_back(letters[letter(random)]);
        words.push_back(word);
    }
    return words;
}

// A new folder of its own for each run of a benchmark, removed after it.
struct Folder {
    Folder() {
        char name[] = "/tmp/tarnik-userdict-bench-XXXXXX";
        path = mkdtemp(name);
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::string path;
};

// A user.dic holding `count` words, made once per size.
const std::string& DictionaryOf(int count) {
    static Folder folder;
    static std::map<int, std::string> made;
    if (auto it = made.find(count); it != made.end())
        return it->second;
    std::string path = folder.path + "/user" + std::to_string(count) + ".dic";
    tarnik::UserDictCreate(path);
    tarnik::UserDictionary* record = nullptr;
    tarnik::UserDictOpen(path, record);
    tarnik::UserDictAddWords(record, MakeWords(count));
    tarnik::UserDictCloseAll();
    return made[count] = path;
}

void BM_UserDictOpen(benchmark::State& state) {
    const std::string& path = DictionaryOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        tarnik::UserDictionary* record = nullptr;
        if (tarnik::UserDictOpen(path, record) != 0)
            state.SkipWithError("cannot open");
        tarnik::UserDictCloseAll();
    }
}

void BM_UserDictList(benchmark::State& state) {
    tarnik::UserDictionary* record = nullptr;
    tarnik::UserDictOpen(DictionaryOf(static_cast<int>(state.range(0))), record);
    std::string word;
    for (auto _ : state) {
        size_t words = 0;
        for (bool more = true, restart = true; more; restart = false) {
            more = tarnik::UserDictNextWord(record, word, restart) != 0;
            words += word.empty() ? 0 : 1;
        }
        benchmark::DoNotOptimize(words);
    }
    tarnik::UserDictCloseAll();
}

void BM_UserDictImport(benchmark::State& state) {
    std::vector<std::string> words = MakeWords(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        Folder folder;
        std::string path = folder.path + "/user.dic";
        tarnik::UserDictCreate(path);
        tarnik::UserDictionary* record = nullptr;
        tarnik::UserDictOpen(path, record);
        state.ResumeTiming();
        if (tarnik::UserDictAddWords(record, words) != 0)
            state.SkipWithError("cannot save");
        tarnik::UserDictCloseAll();
    }
}

void BM_UserDictAcceptForRun(benchmark::State& state) {
    std::vector<std::string> words = MakeWords(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        tarnik::UserDictionary* record = nullptr;
        tarnik::UserDictOpenForRun(record);
        for (const std::string& word : words)
            tarnik::UserDictAddWord(record, word);
        std::string first;
        tarnik::UserDictNextWord(record, first, true);  // lays the list out
        tarnik::UserDictCloseAll();
    }
}

}  // namespace

BENCHMARK(BM_UserDictOpen)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UserDictList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UserDictImport)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UserDictAcceptForRun)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
