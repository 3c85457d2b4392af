// The word check and suggestions on a synthetic fixture dictionary of 20,000
// stems in 24 inflection classes (about 150,000 forms), laid out by the
// dictionary writer with its default 4 KiB block target, as the real one is.
// Words are made of the Polish letters with a fixed random seed, so runs compare.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "speller/letter_code.h"
#include "speller/main_dictionary.h"
#include "speller/suggestions.h"
#include "speller/word_check.h"
#include "tools/container/main_dictionary_writer.h"

namespace {

using tarnik::tools::Letters;

constexpr int kStems = 20000;
constexpr int kClasses = 24;

struct Fixture {
    std::string path;
    std::vector<std::string> correct;   // cp1250 forms the dictionary holds
    std::vector<std::string> misspelt;  // the same forms with one letter changed
    std::vector<std::string> capitals;  // correct forms with a capital first letter
};

std::string Text(const Letters& codes) {
    std::string text;
    for (uint8_t code : codes)
        text.push_back(static_cast<char>(tarnik::CodeToText(code)));
    return text;
}

Fixture& TheFixture() {
    static Fixture fixture = [] {
        std::mt19937 random(20261210);
        auto letter = [&] { return static_cast<uint8_t>(tarnik::kFirstSmall + random() % 35); };
        auto letters = [&](int min, int max) {
            Letters out(min + random() % (max - min + 1));
            for (uint8_t& code : out)
                code = letter();
            return out;
        };
        tarnik::tools::MainDictionaryWriter writer;
        std::vector<std::vector<Letters>> endings(kClasses);
        for (int c = 0; c < kClasses; ++c) {
            endings[c].push_back({});
            for (int e = 0; e < 6; ++e)
                endings[c].push_back(letters(1, 3));
            for (const Letters& ending : endings[c]) {
                writer.AddEnding({static_cast<uint8_t>(2 + c), 1}, ending);
            }
        }
        Fixture result;
        for (int s = 0; s < kStems; ++s) {
            Letters stem = letters(3, 9);
            int c = static_cast<int>(random() % kClasses);
            writer.AddStem(stem, {static_cast<uint8_t>(2 + c), 1});
            if (s % 20 == 0) {
                Letters form = stem;
                const Letters& ending = endings[c][random() % endings[c].size()];
                form.insert(form.end(), ending.begin(), ending.end());
                result.correct.push_back(Text(form));
                Letters changed = form;
                changed[random() % changed.size()] = letter();
                result.misspelt.push_back(Text(changed));
                form[0] = tarnik::ToCapitalCode(form[0]);
                result.capitals.push_back(Text(form));
            }
        }
        for (int w = 0; w < 500; ++w) {
            writer.AddSpecialWord(tarnik::tools::SpecialListKind::kAlwaysAccepted, letters(2, 6));
            Letters name = letters(4, 9);
            name[0] = tarnik::ToCapitalCode(name[0]);
            writer.AddSpecialWord(tarnik::tools::SpecialListKind::kCapitals, name);
        }
        char folder[] = "/tmp/tarnik-bench-XXXXXX";
        result.path = std::string(mkdtemp(folder)) + "/son.dic";
        writer.Write(result.path);
        return result;
    }();
    return fixture;
}

// Each iteration checks one word of the list in turn; the blocks are cached
// after the first round, as they are during a long check.
void CheckWords(benchmark::State& state, const std::vector<std::string>& words) {
    tarnik::SpellerOpen(TheFixture().path);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarnik::SpellerCheckWord(words[i]));
        if (++i == words.size())
            i = 0;
    }
    tarnik::SpellerClose();
    state.SetItemsProcessed(state.iterations());
}

void BM_CheckCorrectWord(benchmark::State& state) {
    CheckWords(state, TheFixture().correct);
}
void BM_CheckMisspeltWord(benchmark::State& state) {
    CheckWords(state, TheFixture().misspelt);
}
void BM_CheckCapitalisedWord(benchmark::State& state) {
    CheckWords(state, TheFixture().capitals);
}

void BM_Suggest(benchmark::State& state) {
    tarnik::SpellerOpen(TheFixture().path);
    const std::vector<std::string>& words = TheFixture().misspelt;
    size_t i = 0;
    for (auto _ : state) {
        tarnik::SuggestionList list = tarnik::SpellerSuggest(words[i]);
        benchmark::DoNotOptimize(list);
        tarnik::SpellerFreeSuggestions(list);
        if (++i == words.size())
            i = 0;
    }
    tarnik::SpellerClose();
    state.SetItemsProcessed(state.iterations());
}

void BM_OpenAndClose(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarnik::SpellerOpen(TheFixture().path));
        tarnik::SpellerClose();
    }
}

BENCHMARK(BM_CheckCorrectWord);
BENCHMARK(BM_CheckMisspeltWord);
BENCHMARK(BM_CheckCapitalisedWord);
BENCHMARK(BM_Suggest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndClose)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(std::filesystem::path(TheFixture().path).parent_path());
    return 0;
}
