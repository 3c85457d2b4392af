// The speed of soft-hyphen hyphenation of Polish prose that nobody on the
// project wrote (bench/typography/polish_prose.sh makes it from the message
// catalogues and manual pages installed on this machine), three ways:
//   TarnikHyphenate/N   `tarnik hyphenate` on N MiB, the whole process;
//   LibhyphenLoop/N     a plain loop over the same text with libhyphen and the
//                       Debian patterns (hyph_pl_PL.dic): words of Polish
//                       letters, lower-cased to ISO 8859-2, hyphenated, and a
//                       U+00AD put at each odd point, the rest copied as it is;
//   HyphenateBox/1      "Hyphenate Box" of the loaded module Tarnik11.so on a
//                       one-box document of 1 MiB, in the in-memory host.
// The process runs report the children's CPU time as the counter "cpu_s".
#include <benchmark/benchmark.h>
#include <hyphen.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/memory_host.h"
#include "host/plugin_module.h"
#include "tarnik/text_codec.h"

#include "bench/typography/prose_corpus.h"

namespace {

double ChildrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_TarnikHyphenate(benchmark::State& state) {
    const int mebibytes = static_cast<int>(state.range(0));
    const std::string command = std::string(TARNIK_BIN_DIR) + "/tarnik hyphenate " +
                                TheCorpus().Input(mebibytes) + " > /dev/null";
    const double cpuBefore = ChildrenCpuSeconds();
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("tarnik hyphenate failed");
            break;
        }
    }
    state.counters["cpu_s"] = benchmark::Counter((ChildrenCpuSeconds() - cpuBefore) /
                                                 double(std::max<int64_t>(state.iterations(), 1)));
    state.SetBytesProcessed(state.iterations() * (int64_t(mebibytes) << 20));
}
BENCHMARK(BM_TarnikHyphenate)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The ISO 8859-2 small letter of a Polish letter's code point, or 0.
unsigned char PatternLetter(char32_t c) {
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c);
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c - 'A' + 'a');
    switch (c) {
        case U'ą':
        case U'Ą':
            return 0xB1;
        case U'ć':
        case U'Ć':
            return 0xE6;
        case U'ę':
        case U'Ę':
            return 0xEA;
        case U'ł':
        case U'Ł':
            return 0xB3;
        case U'ń':
        case U'Ń':
            return 0xF1;
        case U'ó':
        case U'Ó':
            return 0xF3;
        case U'ś':
        case U'Ś':
            return 0xB6;
        case U'ź':
        case U'Ź':
            return 0xBC;
        case U'ż':
        case U'Ż':
            return 0xBF;
        default:
            return 0;
    }
}

// The code point at `at` of UTF-8 text and its length in bytes (the text is
// well-formed: it comes from the catalogues through msgunfmt).
char32_t Decode(const std::string& text, size_t at, size_t& length) {
    const auto b = static_cast<unsigned char>(text[at]);
    if (b < 0x80) {
        length = 1;
        return b;
    }
    length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
    char32_t c = b & (0x3F >> (length - 1));
    for (size_t i = 1; i < length && at + i < text.size(); ++i)
        c = (c << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    return c;
}

std::string LibhyphenSoftHyphens(HyphenDict* dict, const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    std::string word;             // ISO 8859-2, small letters
    std::vector<size_t> offsets;  // where each letter starts in `text`
    std::vector<char> hyphens;
    size_t at = 0;
    while (at < text.size()) {
        size_t length = 0;
        char32_t c = Decode(text, at, length);
        if (!PatternLetter(c)) {
            out.append(text, at, length);
            at += length;
            continue;
        }
        word.clear();
        offsets.clear();
        while (at < text.size()) {
            c = Decode(text, at, length);
            unsigned char letter = PatternLetter(c);
            if (!letter)
                break;
            word.push_back(static_cast<char>(letter));
            offsets.push_back(at);
            at += length;
        }
        offsets.push_back(at);
        hyphens.assign(word.size() + 5, 0);
        char** rep = nullptr;
        int* pos = nullptr;
        int* cut = nullptr;
        hnj_hyphen_hyphenate2(dict, word.c_str(), static_cast<int>(word.size()), hyphens.data(),
                              nullptr, &rep, &pos, &cut);
        for (size_t i = 0; i < word.size(); ++i) {
            out.append(text, offsets[i], offsets[i + 1] - offsets[i]);
            if (i + 1 < word.size() && (hyphens[i] & 1))
                out += "\xC2\xAD";
        }
    }
    return out;
}

void BM_LibhyphenLoop(benchmark::State& state) {
    const int mebibytes = static_cast<int>(state.range(0));
    const std::string text = TheCorpus().Text(mebibytes);
    HyphenDict* dict = hnj_hyphen_load("/usr/share/hyphen/hyph_pl_PL.dic");
    if (!dict) {
        state.SkipWithError("cannot load /usr/share/hyphen/hyph_pl_PL.dic");
        return;
    }
    size_t produced = 0;
    for (auto _ : state) {
        std::string out = LibhyphenSoftHyphens(dict, text);
        produced = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    hnj_hyphen_free(dict);
    state.counters["soft_hyphens"] = double(produced - text.size()) / 2;
    state.SetBytesProcessed(state.iterations() * (int64_t(mebibytes) << 20));
}
BENCHMARK(BM_LibhyphenLoop)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// A host with the loaded module started in it; the per-user folder is a fresh
// one, so that the module's settings choice finds no user copy.
class ModuleHost {
  public:
    ModuleHost() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnik-hyphbox-bench-XXXXXX").string();
        userData_ = mkdtemp(pattern.data());
        setenv("XDG_DATA_HOME", userData_.c_str(), 1);
        std::string error;
        ok = module_.Load(std::string(TARNIK_BIN_DIR) + "/XTensions/Tarnik11.so", error);
        host.document = tarnik::host::OneBoxDocument(u"");
        ok = ok && host.Start(module_.Entry()) == 0;
    }
    ~ModuleHost() {
        host.Quit();
        std::error_code error;
        std::filesystem::remove_all(userData_, error);
    }
    bool ok = false;

  private:
    std::string userData_;
    tarnik::host::PluginModule module_;

  public:
    tarnik::host::MemoryHost host;
};

void BM_HyphenateBox(benchmark::State& state) {
    const int mebibytes = static_cast<int>(state.range(0));
    std::optional<std::u16string> text = tarnik::Utf8ToUtf16(TheCorpus().Text(mebibytes));
    static ModuleHost module;
    if (!module.ok || !text) {
        state.SkipWithError("the module did not start");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        module.host.document = tarnik::host::OneBoxDocument(*text);
        module.host.UpdateMenus();
        const tarnik::host::MenuItem* item = module.host.menus.FindItemByTitle("Hyphenate Box");
        state.ResumeTiming();
        if (!item || module.host.ChooseMenuItem(item->number) != XT_OK) {
            state.SkipWithError("Hyphenate Box did not run");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * (int64_t(mebibytes) << 20));
}
BENCHMARK(BM_HyphenateBox)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
