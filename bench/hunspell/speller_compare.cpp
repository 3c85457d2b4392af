// The speller side by side with libhunspell on the same Polish dictionary:
// son.dic compiled from hunspell-pl, and hunspell-pl itself.
//
//   speller_compare [--dictionary son.dic] [--hunspell /usr/share/hunspell/pl_PL]
//                   [--catalogues DIR] [--misspellings N] [benchmark options]
//
// The report: agreement of the verdicts on every form the expansion of the
// source yields, and on the distinct words of the Polish message catalogues
// (DIR/*.mo read with msgunfmt, default /usr/share/locale/pl/LC_MESSAGES), with
// the words that must differ by design (mixed case, hyphens, characters outside
// the Polish alphabet) counted apart; suggestion recall on N misspellings made
// by typical Polish errors; open time; suggestion time per misspelt word;
// peak memory of each library in a process of its own. Then Google Benchmark
// times opening, checking and suggesting.
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <sys/wait.h>
#include <unistd.h>
#include <hunspell.hxx>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "charsets/utf8.h"
#include "speller/letter_code.h"
#include "speller/main_dictionary.h"
#include "speller/suggestions.h"
#include "speller/word_check.h"
#include "tools/dictc/expansion.h"
#include "tools/dictc/form_kind.h"

namespace {

using namespace tarnik;
using Clock = std::chrono::steady_clock;

struct Options {
    std::string dictionary = TARNIK_SOURCE_DIR "/data/son.dic";
    std::string hunspell = "/usr/share/hunspell/pl_PL";
    std::string catalogues = "/usr/share/locale/pl/LC_MESSAGES";
    size_t misspellings = 200;
};

// A word as each side takes it.
struct Word {
    std::string cp1250;  // Tarnik
    std::string iso;     // hunspell-pl (ISO 8859-2)
};

std::string ToIso(const std::string& cp1250) {
    static iconv_t converter = iconv_open("ISO-8859-2", "CP1250");
    std::string out(cp1250.size() * 2, '\0');
    char* in = const_cast<char*>(cp1250.data());
    char* o = out.data();
    size_t inLeft = cp1250.size(), outLeft = out.size();
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    iconv(converter, &in, &inLeft, &o, &outLeft);
    out.resize(out.size() - outLeft);
    return out;
}

Word MakeWord(const std::string& cp1250) {
    return {cp1250, ToIso(cp1250)};
}

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// --- Words of real text ---------------------------------------------------------

// The translations (msgstr) of a catalogue, as msgunfmt prints them.
std::string CatalogueText(const std::string& path) {
    std::string command = "msgunfmt --no-wrap '" + path + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string text, line;
    bool inTranslation = false;
    char buffer[4096];
    std::string output;
    while (pipe && fgets(buffer, sizeof buffer, pipe.get()))
        output += buffer;
    for (size_t start = 0; start < output.size();) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos)
            end = output.size();
        line = output.substr(start, end - start);
        start = end + 1;
        if (line.rfind("msgstr", 0) == 0)
            inTranslation = true;
        else if (line.empty() || line[0] != '"')
            inTranslation = false;
        if (!inTranslation)
            continue;
        size_t open = line.find('"'), close = line.rfind('"');
        if (open == std::string::npos || close <= open)
            continue;
        for (size_t i = open + 1; i < close; ++i) {
            if (line[i] == '\\' && i + 1 < close) {
                ++i;
                text += (line[i] == 'n' || line[i] == 't') ? ' ' : line[i];
            } else {
                text += line[i];
            }
        }
        text += ' ';
    }
    return text;
}

bool IsWordCharacter(char16_t c) {
    return (c < 0x80 && (std::isalnum(c) || c == '\'' || c == '-')) || c == u'\u2019' ||
           (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x370 && c <= 0x52F);
}

// Distinct runs of letters, digits, apostrophes and inner hyphens, as UTF-8.
std::set<std::string> TextWords(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".mo")
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    std::set<std::string> words;
    for (const std::string& file : files) {
        std::u16string text = Utf8ToUtf16(CatalogueText(file)) + u" ";
        std::u16string word;
        for (char16_t c : text) {
            if (IsWordCharacter(c)) {
                word += c;
                continue;
            }
            while (!word.empty() && (word.back() == '-' || word.back() == '\''))
                word.pop_back();
            size_t first = word.find_first_not_of(u"-'");
            if (first != std::u16string::npos)
                words.insert(Utf16ToUtf8(word.substr(first)));
            word.clear();
        }
    }
    return words;
}

enum class TextClass { kCompared, kHyphen, kOutsideAlphabet, kMixed };

TextClass Classify(const std::string& cp1250) {
    if (cp1250.find('-') != std::string::npos)
        return TextClass::kHyphen;
    if (LetterCount(cp1250) != cp1250.size())
        return TextClass::kOutsideAlphabet;
    return WordCasePattern(cp1250) == CasePattern::kMixed ? TextClass::kMixed
                                                          : TextClass::kCompared;
}

// --- Agreement --------------------------------------------------------------------

struct Agreement {
    size_t both = 0, neither = 0, oursOnly = 0, hunspellOnly = 0;
    std::vector<std::string> oursOnlyWords, hunspellOnlyWords;

    void Add(const Word& w, bool ours, bool theirs) {
        if (ours && theirs) {
            ++both;
        } else if (!ours && !theirs) {
            ++neither;
        } else if (ours) {
            ++oursOnly;
            oursOnlyWords.push_back(Cp1250ToUtf8(w.cp1250));
        } else {
            ++hunspellOnly;
            hunspellOnlyWords.push_back(Cp1250ToUtf8(w.cp1250));
        }
    }
    size_t Total() const { return both + neither + oursOnly + hunspellOnly; }
    void Print(const char* title) const {
        double agree = Total() ? 100.0 * (both + neither) / Total() : 100.0;
        std::printf(
            "%s: %zu words, agreement %.4f%% (both accept %zu, both reject %zu, "
            "only Tarnik accepts %zu, only hunspell accepts %zu)\n",
            title, Total(), agree, both, neither, oursOnly, hunspellOnly);
        auto list = [](const char* who, const std::vector<std::string>& words) {
            if (words.empty())
                return;
            std::printf("  only %s accepts:", who);
            for (size_t i = 0; i < words.size() && i < 40; ++i)
                std::printf(" %s", words[i].c_str());
            std::printf(words.size() > 40 ? " ...\n" : "\n");
        };
        list("Tarnik", oursOnlyWords);
        list("hunspell", hunspellOnlyWords);
    }
};

void CompareExpandedForms(const Options& options, Hunspell& hunspell) {
    std::ifstream affixIn(options.hunspell + ".aff"), wordsIn(options.hunspell + ".dic");
    tools::AffixRules rules = tools::ReadAffixRules(affixIn);
    std::vector<std::string> compared;
    std::set<std::string> mixed;
    std::string cp1250;
    for (const tools::WordEntry& entry : tools::ReadWordList(wordsIn, rules.encoding)) {
        for (const auto& group : tools::ExpandEntry(rules, entry)) {
            for (const std::u32string& form : group) {
                tools::FormKind kind = tools::ClassifyForm(form, cp1250);
                if (kind == tools::FormKind::kMixed)
                    mixed.insert(cp1250);
                else if (kind != tools::FormKind::kOutsideAlphabet &&
                         kind != tools::FormKind::kTooLong)
                    compared.push_back(cp1250);
            }
        }
    }
    std::sort(compared.begin(), compared.end());
    compared.erase(std::unique(compared.begin(), compared.end()), compared.end());
    Agreement agreement;
    for (const std::string& form : compared) {
        Word w = MakeWord(form);
        agreement.Add(w, SpellerCheckWord(w.cp1250) == 1, hunspell.spell(w.iso));
    }
    agreement.Print("Expanded forms of hunspell-pl");
    size_t mixedByHunspell =
        static_cast<size_t>(std::count_if(mixed.begin(), mixed.end(), [&](const std::string& w) {
            return hunspell.spell(ToIso(w));
        }));
    std::printf(
        "  by design apart: %zu mixed-case forms (hunspell accepts %zu, Tarnik only "
        "from a user dictionary)\n",
        mixed.size(), mixedByHunspell);
}

std::vector<Word> CompareText(const std::set<std::string>& textWords, Hunspell& hunspell) {
    Agreement agreement;
    std::map<TextClass, std::pair<size_t, size_t>> apart;  // words, hunspell accepts
    std::vector<Word> compared;
    for (const std::string& utf8 : textWords) {
        Word w = MakeWord(Utf8ToCp1250(utf8));
        TextClass c = Classify(w.cp1250);
        if (c != TextClass::kCompared) {
            ++apart[c].first;
            if (hunspell.spell(ToIso(w.cp1250)))
                ++apart[c].second;
            continue;
        }
        compared.push_back(w);
        agreement.Add(w, SpellerCheckWord(w.cp1250) == 1, hunspell.spell(w.iso));
    }
    agreement.Print("Distinct words of the Polish message catalogues");
    const std::pair<TextClass, const char*> names[] = {
        {TextClass::kMixed, "mixed case"},
        {TextClass::kHyphen, "with hyphens"},
        {TextClass::kOutsideAlphabet, "with characters outside the Polish alphabet"}};
    for (const auto& [c, name] : names)
        std::printf("  by design apart: %zu words %s (hunspell accepts %zu)\n", apart[c].first,
                    name, apart[c].second);
    return compared;
}

// --- Suggestions ------------------------------------------------------------------

constexpr uint8_t kDiacritics[] = {0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0x9F, 0xBF};
constexpr char kPlain[] = "acelnoszz";

// One typical error of kind `kind`, or "" when the word has no place for it.
std::string Misspell(const std::string& w, int kind) {
    size_t middle = w.size() / 2;
    auto replaceFirst = [&](const std::string& from, const std::string& to) -> std::string {
        size_t at = w.find(from);
        return at == std::string::npos ? "" : w.substr(0, at) + to + w.substr(at + from.size());
    };
    auto either = [](std::string a, std::string b) { return a.empty() ? b : a; };
    switch (kind) {
        case 0:  // a missing diacritic
            for (size_t i = 0; i < w.size(); ++i) {
                const uint8_t* d = std::find(std::begin(kDiacritics), std::end(kDiacritics),
                                             static_cast<uint8_t>(w[i]));
                if (d != std::end(kDiacritics)) {
                    std::string out = w;
                    out[i] = kPlain[d - kDiacritics];
                    return out;
                }
            }
            return "";
        case 1:
            return either(replaceFirst("\xF3", "u"), replaceFirst("u", "\xF3"));
        case 2:
            return either(replaceFirst("rz", "\xBF"), replaceFirst("\xBF", "rz"));
        case 3:
            return either(replaceFirst("ch", "h"), replaceFirst("h", "ch"));
        case 4:  // a letter dropped
            return w.substr(0, middle) + w.substr(middle + 1);
        case 5:  // a letter doubled
            return w.substr(0, middle + 1) + w.substr(middle);
        case 6:  // two letters swapped
            if (w[middle - 1] == w[middle])
                return "";
            return w.substr(0, middle - 1) + w[middle] + w[middle - 1] + w.substr(middle + 1);
        default:  // a letter replaced
            return w.substr(0, middle) + (w[middle] == 'e' ? 'a' : 'e') + w.substr(middle + 1);
    }
}

struct Misspelling {
    Word wrong;
    Word intended;
};

// One misspelling per word of the text that both accept, the kinds of error in
// turn, kept only when both reject it.
std::vector<Misspelling> MakeMisspellings(const std::vector<Word>& words, Hunspell& hunspell,
                                          size_t wanted) {
    std::vector<Word> candidates;
    for (const Word& w : words) {
        if (w.cp1250.size() >= 4 && WordCasePattern(w.cp1250) == CasePattern::kSmall &&
            SpellerCheckWord(w.cp1250) && hunspell.spell(w.iso))
            candidates.push_back(w);
    }
    std::vector<Misspelling> out;
    size_t stride = std::max<size_t>(1, candidates.size() / (wanted * 2));
    int kind = 0;
    for (size_t i = 0; i < candidates.size() && out.size() < wanted; i += stride) {
        for (int attempt = 0; attempt < 8; ++attempt, kind = (kind + 1) % 8) {
            std::string wrong = Misspell(candidates[i].cp1250, kind);
            if (wrong.empty())
                continue;
            Word w = MakeWord(wrong);
            if (!SpellerCheckWord(w.cp1250) && !hunspell.spell(w.iso)) {
                out.push_back({w, candidates[i]});
                kind = (kind + 1) % 8;
                break;
            }
        }
    }
    return out;
}

std::vector<std::string> OurSuggestions(const std::string& cp1250) {
    std::vector<std::string> out;
    SuggestionList list = SpellerSuggest(cp1250);
    for (SuggestionNode* node = list; node; node = node->next)
        out.push_back(node->word);
    SpellerFreeSuggestions(list);
    return out;
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(p * (values.size() - 1) + 0.5)];
}

void CompareSuggestions(const std::vector<Misspelling>& misspellings, Hunspell& hunspell) {
    size_t ourHits = 0, theirHits = 0;
    std::vector<double> ourTimes, theirTimes;
    for (const Misspelling& m : misspellings) {
        Clock::time_point start = Clock::now();
        std::vector<std::string> ours = OurSuggestions(m.wrong.cp1250);
        ourTimes.push_back(Milliseconds(Clock::now() - start));
        start = Clock::now();
        std::vector<std::string> theirs = hunspell.suggest(m.wrong.iso);
        theirTimes.push_back(Milliseconds(Clock::now() - start));
        ourHits += std::count(ours.begin(), ours.end(), m.intended.cp1250) > 0;
        theirHits += std::count(theirs.begin(), theirs.end(), m.intended.iso) > 0;
    }
    size_t n = misspellings.size();
    std::printf(
        "Suggestion recall on %zu misspellings: Tarnik %zu (%.1f%%), hunspell %zu (%.1f%%)\n", n,
        ourHits, n ? 100.0 * ourHits / n : 0.0, theirHits, n ? 100.0 * theirHits / n : 0.0);
    std::printf(
        "Suggestion time per word: Tarnik median %.3f ms, 95th percentile %.3f ms; "
        "hunspell median %.3f ms, 95th percentile %.3f ms\n",
        Percentile(ourTimes, 0.5), Percentile(ourTimes, 0.95), Percentile(theirTimes, 0.5),
        Percentile(theirTimes, 0.95));
}

// --- Open time and memory -----------------------------------------------------------

void CompareOpenTime(const Options& options) {
    std::vector<double> ours;
    for (int i = 0; i < 20; ++i) {
        Clock::time_point start = Clock::now();
        SpellerOpen(options.dictionary);
        SpellerCheckWord("kot");
        ours.push_back(Milliseconds(Clock::now() - start));
        SpellerClose();
    }
    std::vector<double> theirs;
    for (int i = 0; i < 3; ++i) {
        Clock::time_point start = Clock::now();
        auto h = std::make_unique<Hunspell>((options.hunspell + ".aff").c_str(),
                                            (options.hunspell + ".dic").c_str());
        h->spell(std::string("kot"));
        theirs.push_back(Milliseconds(Clock::now() - start));
    }
    std::printf("Open plus first check (median): Tarnik %.2f ms, hunspell %.1f ms\n",
                Percentile(ours, 0.5), Percentile(theirs, 0.5));
}

long StatusKilobytes(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    }
    return 0;
}

// Runs `work` in a child process and returns how far its peak resident memory
// rose above what it started with, in kilobytes.
template <typename Work>
long PeakMemory(Work work) {
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        long before = StatusKilobytes("VmRSS:");
        work();
        long rise = StatusKilobytes("VmHWM:") - before;
        ssize_t written = write(fds[1], &rise, sizeof rise);
        _exit(written == sizeof rise ? 0 : 1);
    }
    close(fds[1]);
    long rise = -1;
    if (read(fds[0], &rise, sizeof rise) != sizeof rise)
        rise = -1;
    close(fds[0]);
    waitpid(child, nullptr, 0);
    return rise;
}

void CompareMemory(const Options& options, const std::vector<Word>& words) {
    // The workload: open, check every word of the text, suggest for the first 20
    // with their middle letter dropped.
    long ours = PeakMemory([&] {
        SpellerOpen(options.dictionary);
        for (const Word& w : words)
            benchmark::DoNotOptimize(SpellerCheckWord(w.cp1250));
        for (size_t i = 0; i < words.size() && i < 20; ++i)
            OurSuggestions(Misspell(words[i].cp1250, 4));
        SpellerClose();
    });
    long theirs = PeakMemory([&] {
        Hunspell h((options.hunspell + ".aff").c_str(), (options.hunspell + ".dic").c_str());
        for (const Word& w : words)
            benchmark::DoNotOptimize(h.spell(w.iso));
        for (size_t i = 0; i < words.size() && i < 20; ++i)
            h.suggest(ToIso(Misspell(words[i].cp1250, 4)));
    });
    std::printf(
        "Peak memory above the process's start (open, %zu checks, 20 suggestions): "
        "Tarnik %ld kB, hunspell %ld kB\n",
        words.size(), ours, theirs);
}

// --- Google Benchmark -------------------------------------------------------------

struct Shared {
    Options options;
    std::vector<Word> words;
    std::vector<Misspelling> misspellings;
    std::unique_ptr<Hunspell> hunspell;
};

Shared& TheShared() {
    static Shared shared;
    return shared;
}

void BM_TarnikOpen(benchmark::State& state) {
    for (auto _ : state) {
        SpellerOpen(TheShared().options.dictionary);
        benchmark::DoNotOptimize(SpellerCheckWord("kot"));
        SpellerClose();
    }
}

void BM_HunspellOpen(benchmark::State& state) {
    const Options& o = TheShared().options;
    for (auto _ : state) {
        Hunspell h((o.hunspell + ".aff").c_str(), (o.hunspell + ".dic").c_str());
        benchmark::DoNotOptimize(h.spell(std::string("kot")));
    }
}

void BM_TarnikCheck(benchmark::State& state) {
    SpellerOpen(TheShared().options.dictionary);
    for (auto _ : state) {
        for (const Word& w : TheShared().words)
            benchmark::DoNotOptimize(SpellerCheckWord(w.cp1250));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * TheShared().words.size()));
    SpellerClose();
}

void BM_HunspellCheck(benchmark::State& state) {
    for (auto _ : state) {
        for (const Word& w : TheShared().words)
            benchmark::DoNotOptimize(TheShared().hunspell->spell(w.iso));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * TheShared().words.size()));
}

void BM_TarnikSuggest(benchmark::State& state) {
    SpellerOpen(TheShared().options.dictionary);
    size_t i = 0;
    const auto& m = TheShared().misspellings;
    for (auto _ : state)
        benchmark::DoNotOptimize(OurSuggestions(m[i++ % m.size()].wrong.cp1250));
    SpellerClose();
}

void BM_HunspellSuggest(benchmark::State& state) {
    size_t i = 0;
    const auto& m = TheShared().misspellings;
    for (auto _ : state)
        benchmark::DoNotOptimize(TheShared().hunspell->suggest(m[i++ % m.size()].wrong.iso));
}

}  // namespace

int main(int argc, char** argv) {
    Shared& shared = TheShared();
    Options& options = shared.options;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--dictionary" && hasValue)
            options.dictionary = argv[++i];
        else if (arg == "--hunspell" && hasValue)
            options.hunspell = argv[++i];
        else if (arg == "--catalogues" && hasValue)
            options.catalogues = argv[++i];
        else if (arg == "--misspellings" && hasValue)
            options.misspellings = std::stoul(argv[++i]);
        else
            rest.push_back(argv[i]);
    }
    if (!std::filesystem::exists(options.hunspell + ".aff")) {
        std::fprintf(stderr, "speller_compare: %s.aff not found (install hunspell-pl)\n",
                     options.hunspell.c_str());
        return 1;
    }

    std::set<std::string> textWords = TextWords(options.catalogues);
    std::vector<Word> allText;
    for (const std::string& w : textWords) {
        std::string cp1250 = Utf8ToCp1250(w);
        if (Classify(cp1250) == TextClass::kCompared)
            allText.push_back(MakeWord(cp1250));
    }
    CompareMemory(options, allText);
    CompareOpenTime(options);

    shared.hunspell = std::make_unique<Hunspell>((options.hunspell + ".aff").c_str(),
                                                 (options.hunspell + ".dic").c_str());
    if (SpellerOpen(options.dictionary) != 0) {
        std::fprintf(stderr, "speller_compare: cannot open %s\n", options.dictionary.c_str());
        return 1;
    }
    CompareExpandedForms(options, *shared.hunspell);
    shared.words = CompareText(textWords, *shared.hunspell);
    shared.misspellings = MakeMisspellings(shared.words, *shared.hunspell, options.misspellings);
    CompareSuggestions(shared.misspellings, *shared.hunspell);
    SpellerClose();
    std::fflush(stdout);

    benchmark::RegisterBenchmark("Tarnik/OpenAndFirstCheck", BM_TarnikOpen)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("hunspell/OpenAndFirstCheck", BM_HunspellOpen)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Tarnik/CheckTextWords", BM_TarnikCheck)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("hunspell/CheckTextWords", BM_HunspellCheck)
        ->Unit(benchmark::kMillisecond);
    if (!shared.misspellings.empty()) {
        benchmark::RegisterBenchmark("Tarnik/Suggest", BM_TarnikSuggest)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("hunspell/Suggest", BM_HunspellSuggest)
            ->Unit(benchmark::kMillisecond);
    }
    int benchArgc = static_cast<int>(rest.size());
    benchmark::Initialize(&benchArgc, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
