// Hyphenates the words of the Polish message catalogues with Tarnik and with
// libhyphen (hyph_pl_PL.dic), reports where they agree and where not, and then
// times both with Google Benchmark.
//
//   hyph_compare [--data PLHYPH.DAT] [--patterns hyph_pl_PL.dic] [--words FILE]
//                [--catalogues DIR] [benchmark options]
//
// Words: every run of letters (A-Z, a-z and the Polish letters) in the
// translations of DIR/*.mo (default /usr/share/locale/pl/LC_MESSAGES), in small
// letters, each once; or one word per line of FILE (UTF-8).
#include <benchmark/benchmark.h>
#include <hyphen.h>
#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "charsets/char_classes.h"
#include "charsets/utf8.h"
#include "hyphenation/hyph_dict.h"
#include "hyphenation/hyphenate_word.h"

namespace {

using namespace tarnik;

struct Word {
    std::string cp1250;   // what Tarnik hyphenates
    std::string iso;      // what libhyphen hyphenates (the patterns' ISO 8859-2)
    std::string display;  // UTF-8
};

struct Setup {
    std::vector<Word> words;
    std::unique_ptr<HyphDict> tarnik;
    HyphenDict* libhyphen = nullptr;
};

Setup& TheSetup() {
    static Setup setup;
    return setup;
}

uint32_t Le32(const std::string& data, size_t at) {
    if (at + 4 > data.size())
        return 0;
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<uint8_t>(data[at + i]);
    return v;
}

// The translations of a .mo catalogue (little-endian, as Debian builds them).
std::vector<std::string> Translations(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> out;
    if (Le32(data, 0) != 0x950412de)
        return out;
    uint32_t count = Le32(data, 8);
    uint32_t table = Le32(data, 16);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t length = Le32(data, table + 8 * i);
        uint32_t offset = Le32(data, table + 8 * i + 4);
        if (offset + size_t{length} <= data.size() && i > 0)  // entry 0 is the header
            out.push_back(data.substr(offset, length));
    }
    return out;
}

void AddWords(const std::string& utf8, std::set<std::string>& words) {
    std::string text = Utf8ToCp1250(utf8);
    std::string word;
    for (size_t i = 0; i <= text.size(); ++i) {
        auto c = i < text.size() ? static_cast<uint8_t>(text[i]) : uint8_t{0};
        if (c && IsAlpha(c)) {
            word.push_back(static_cast<char>(ToLower(c)));
        } else if (!word.empty()) {
            words.insert(word);
            word.clear();
        }
    }
}

std::string ToIso(const std::string& cp1250) {
    static iconv_t cd = iconv_open("ISO-8859-2", "CP1250");
    std::string out(cp1250.size(), '\0');
    char* in = const_cast<char*>(cp1250.data());
    char* o = out.data();
    size_t inLeft = cp1250.size(), outLeft = out.size();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    iconv(cd, &in, &inLeft, &o, &outLeft);
    out.resize(out.size() - outLeft);
    return out;
}

// Break positions k (a break after the k-th letter) in a word hyphenated with `mark`.
std::vector<int> Breaks(const std::string& hyphenated, char mark) {
    std::vector<int> breaks;
    int letters = 0;
    for (char c : hyphenated) {
        if (c == mark)
            breaks.push_back(letters);
        else
            ++letters;
    }
    return breaks;
}

std::vector<int> TarnikBreaks(const Word& w) {
    std::string out;
    HyphenateWordWithoutUser(*TheSetup().tarnik, w.cp1250, &out);
    return Breaks(out, '-');
}

std::vector<int> LibhyphenBreaks(const Word& w) {
    std::vector<char> hyphens(w.iso.size() + 5);
    std::vector<char> hyphenated(w.iso.size() * 2 + 1);
    char** rep = nullptr;
    int* pos = nullptr;
    int* cut = nullptr;
    hnj_hyphen_hyphenate2(TheSetup().libhyphen, w.iso.c_str(), static_cast<int>(w.iso.size()),
                          hyphens.data(), hyphenated.data(), &rep, &pos, &cut);
    return Breaks(hyphenated.data(), '=');
}

std::string Show(const std::string& utf8Word, const std::vector<int>& breaks) {
    std::string cp = Utf8ToCp1250(utf8Word), out;
    for (size_t i = 0; i < cp.size(); ++i) {
        out.push_back(cp[i]);
        if (std::count(breaks.begin(), breaks.end(), static_cast<int>(i + 1)))
            out.push_back('-');
    }
    return Cp1250ToUtf8(out);
}

void Report() {
    const Setup& s = TheSetup();
    std::map<std::string, std::vector<std::string>> classes;
    size_t compared = 0, agreed = 0, wszcz = 0;
    std::vector<std::string> wszczDiffer;
    for (const Word& w : s.words) {
        std::vector<int> ours = TarnikBreaks(w), theirs = LibhyphenBreaks(w);
        if (w.cp1250.rfind("wszcz", 0) == 0) {
            ++wszcz;
            if (ours != theirs)
                wszczDiffer.push_back(Show(w.display, ours) + " / " + Show(w.display, theirs));
            continue;
        }
        ++compared;
        if (ours == theirs) {
            ++agreed;
            continue;
        }
        int len = static_cast<int>(w.cp1250.size());
        std::string kind;
        for (int k : theirs)
            if (!std::count(ours.begin(), ours.end(), k))
                kind = k < 2 || k > len - 2 ? "libhyphen breaks nearer an edge than 2 letters"
                                            : "libhyphen breaks where Tarnik does not";
        for (int k : ours)
            if (!std::count(theirs.begin(), theirs.end(), k))
                kind = "Tarnik breaks where libhyphen does not";
        classes[kind].push_back(Show(w.display, ours) + " / " + Show(w.display, theirs));
    }
    std::printf("words: %zu (%zu beginning with wszcz left out)\n", s.words.size(), wszcz);
    std::printf("agreement: %zu of %zu (%.4f%%)\n", agreed, compared,
                compared ? 100.0 * agreed / compared : 0.0);
    std::printf("wszcz words that differ (Tarnik / libhyphen): %zu", wszczDiffer.size());
    for (size_t i = 0; i < wszczDiffer.size() && i < 5; ++i)
        std::printf(" %s", wszczDiffer[i].c_str());
    std::printf("\n");
    for (const auto& [kind, examples] : classes) {
        std::printf("divergence: %s: %zu, e.g. (Tarnik / libhyphen)", kind.c_str(),
                    examples.size());
        for (size_t i = 0; i < examples.size() && i < 5; ++i)
            std::printf(" %s", examples[i].c_str());
        std::printf("\n");
    }
    std::fflush(stdout);
}

void BM_Tarnik(benchmark::State& state) {
    const Setup& s = TheSetup();
    std::string out;
    for (auto _ : state)
        for (const Word& w : s.words)
            benchmark::DoNotOptimize(HyphenateWordWithoutUser(*s.tarnik, w.cp1250, &out));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * s.words.size()));
}

void BM_Libhyphen(benchmark::State& state) {
    const Setup& s = TheSetup();
    std::vector<char> hyphens(300), hyphenated(600);
    for (auto _ : state) {
        for (const Word& w : s.words) {
            char** rep = nullptr;
            int* pos = nullptr;
            int* cut = nullptr;
            if (w.iso.size() + 5 > hyphens.size()) {
                hyphens.resize(w.iso.size() + 5);
                hyphenated.resize(w.iso.size() * 2 + 1);
            }
            benchmark::DoNotOptimize(
                hnj_hyphen_hyphenate2(s.libhyphen, w.iso.c_str(), static_cast<int>(w.iso.size()),
                                      hyphens.data(), hyphenated.data(), &rep, &pos, &cut));
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * s.words.size()));
}

}  // namespace

int main(int argc, char** argv) {
    std::string data = TARNIK_SOURCE_DIR "/data/PLHYPH.DAT";
    std::string patterns = "/usr/share/hyphen/hyph_pl_PL.dic";
    std::string catalogues = "/usr/share/locale/pl/LC_MESSAGES";
    std::string wordFile;
    std::vector<char*> rest = {argv[0]};
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (i + 1 < argc && a == "--data")
            data = argv[++i];
        else if (i + 1 < argc && a == "--patterns")
            patterns = argv[++i];
        else if (i + 1 < argc && a == "--words")
            wordFile = argv[++i];
        else if (i + 1 < argc && a == "--catalogues")
            catalogues = argv[++i];
        else
            rest.push_back(argv[i]);
    }

    std::set<std::string> unique;
    if (!wordFile.empty()) {
        std::ifstream in(wordFile);
        for (std::string line; std::getline(in, line);)
            AddWords(line, unique);
    } else {
        std::error_code error;
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(catalogues, error))
            if (entry.path().extension() == ".mo")
                files.push_back(entry.path().string());
        std::sort(files.begin(), files.end());
        for (const std::string& file : files)
            for (const std::string& text : Translations(file))
                AddWords(text, unique);
    }
    Setup& s = TheSetup();
    for (const std::string& w : unique)
        if (w.size() <= kMaxHyphWord)
            s.words.push_back({w, ToIso(w), Cp1250ToUtf8(w)});

    if (int16_t result = OpenHyphDict(data, s.tarnik); result != 0) {
        std::fprintf(stderr, "cannot open %s (error %d)\n", data.c_str(), result);
        return 1;
    }
    s.libhyphen = hnj_hyphen_load(patterns.c_str());
    if (!s.libhyphen) {
        std::fprintf(stderr, "cannot load %s\n", patterns.c_str());
        return 1;
    }
    Report();

    benchmark::RegisterBenchmark("Tarnik/HyphenateWord", BM_Tarnik);
    benchmark::RegisterBenchmark("libhyphen/hnj_hyphen_hyphenate2", BM_Libhyphen);
    int benchArgc = static_cast<int>(rest.size());
    benchmark::Initialize(&benchArgc, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    hnj_hyphen_free(s.libhyphen);
    return 0;
}
