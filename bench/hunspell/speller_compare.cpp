// The speller side by side with libhunspell on the same Polish dictionary:
// son.dic compiled from hunspell-pl, and hunspell-pl itself.
//
//   speller_compare [--dictionary son.dic] [--hunspell /usr/share/hunspell/pl_PL]
//                   [--catalogues DIR] [--misspellings N] [--misspellings-out FILE]
//                   [benchmark options]
//
// The report: agreement of the verdicts on every form the expansion of the
// source yields (the mixed-case ones through mixedcase.dic beside son.dic), and
// on the distinct words of the Polish message catalogues (DIR/*.mo read with
// msgunfmt, default /usr/share/locale/pl/LC_MESSAGES) as the word finder cuts
// them, hyphenated and mixed-case words included, every difference counted by
// its class; for sets of N misspellings per kind of typical Polish error, how
// often the intended word comes first and how often it is offered at all by the
// ranked suggestions and by hunspell; open time; suggestion time per misspelt
// word; peak memory of each library in a process of its own. Then Google
// Benchmark times opening, checking and suggesting. --misspellings-out writes
// every misspelt word of the sets, UTF-8, one a line (for suggest_process.sh).
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <sys/wait.h>
#include <unistd.h>
#include <hunspell.hxx>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
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
#include "speller/ranked_suggestions.h"
#include "speller/user_dictionary.h"
#include "speller/word_check.h"
#include "text/word_finder.h"
#include "tools/dictc/expansion.h"
#include "tools/dictc/form_kind.h"

namespace {

using namespace tarnik;
using Clock = std::chrono::steady_clock;

struct Options {
    std::string dictionary = TARNIK_SOURCE_DIR "/data/son.dic";
    std::string hunspell = "/usr/share/hunspell/pl_PL";
    std::string catalogues = "/usr/share/locale/pl/LC_MESSAGES";
    size_t misspellings = 100;  // per kind of error
    std::string misspellingsOut;
};

// The bundled dictionary of mixed-case forms beside the main dictionary.
std::string MixedCasePath(const Options& options) {
    return (std::filesystem::path(options.dictionary).parent_path() / kMixedCaseDictionaryName)
        .string();
}

void OpenMixedCase(const Options& options) {
    UserDictionary* mixed = nullptr;
    if (UserDictOpen(MixedCasePath(options), mixed) != 0)
        std::fprintf(stderr, "speller_compare: cannot open %s\n", MixedCasePath(options).c_str());
}

// A word as each side takes it.
struct Word {
    std::string cp1250;  // Tarnik
    std::string iso;     // hunspell-pl (ISO 8859-2)
};

// The text in ISO 8859-2, hunspell-pl's encoding; empty when a character has no
// byte there (no word of hunspell-pl can hold it).
std::string Convert(const char* from, const std::string& text) {
    iconv_t converter = iconv_open("ISO-8859-2", from);
    std::string out(text.size() * 4 + 1, '\0');
    char* in = const_cast<char*>(text.data());
    char* o = out.data();
    size_t inLeft = text.size(), outLeft = out.size();
    size_t done = iconv(converter, &in, &inLeft, &o, &outLeft);
    iconv_close(converter);
    if (done == static_cast<size_t>(-1))
        return "";
    out.resize(out.size() - outLeft);
    return out;
}

std::string ToIso(const std::string& cp1250) {
    return Convert("CP1250", cp1250);
}

Word MakeWord(const std::string& cp1250) {
    return {cp1250, ToIso(cp1250)};
}

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// CPU time of this thread: steadier than wall time on a machine shared with builds.
double ThreadCpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
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

// A text's internal codes, as the word finder reads them.
struct TextSource {
    const std::u16string& codes;
    uint16_t CharAt(int32_t position) const { return codes[static_cast<size_t>(position)]; }
    int32_t NextPosition(int32_t position) const { return position + 1; }
};

// A word of the text as each side gets it: Tarnik the word finder's cp1250 text,
// hunspell the same characters as they stand (UTF-8, converted to ISO 8859-2).
struct TextWord {
    std::string cp1250;
    std::string utf8;
    bool operator<(const TextWord& o) const { return utf8 < o.utf8; }
};

// Two words that follow each other in the text with one space between, cp1250.
std::set<std::pair<std::string, std::string>>& TextPairs() {
    static std::set<std::pair<std::string, std::string>> pairs;
    return pairs;
}

// The distinct words of the catalogues, cut as the spell check cuts them; the
// pairs of words one space apart go to TextPairs.
std::set<TextWord> TextWords(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".mo")
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    std::set<TextWord> words;
    for (const std::string& file : files) {
        std::string text = CatalogueText(file);
        std::u16string units = Utf8ToUtf16(text);
        std::u16string codes = Utf8ToInternal(text);
        TextSource source{codes};
        int32_t current = 0, start = 0, end = static_cast<int32_t>(codes.size());
        std::string cp1250, previous;
        int32_t previousEnd = -2;
        while (FindNextWord(source, current, end, start, cp1250)) {
            if (start == previousEnd + 1 && codes[static_cast<size_t>(previousEnd)] == u' ')
                TextPairs().insert({previous, cp1250});
            previous = cp1250;
            previousEnd = current;
            std::u16string original;
            for (int32_t i = start; i < current; ++i) {
                if (codes[static_cast<size_t>(i)] != DiscretionaryHyphen)
                    original += units[static_cast<size_t>(i)];
            }
            words.insert({cp1250, Utf16ToUtf8(original)});
        }
    }
    return words;
}

// Classes of words, which tell where the two checkers may part.
enum class TextClass { kPlain, kHyphen, kMixed, kDigit, kForeign };

TextClass Classify(const std::string& cp1250) {
    for (char c : cp1250) {
        if (c >= '0' && c <= '9')
            return TextClass::kDigit;
    }
    if (WordLetterCount(cp1250) != LetterCount(cp1250) || StopsAtUnheldLetter(cp1250))
        return TextClass::kForeign;
    if (cp1250.find('-') != std::string::npos)
        return TextClass::kHyphen;
    return WordCasePattern(cp1250) == CasePattern::kMixed ? TextClass::kMixed : TextClass::kPlain;
}

const char* ClassName(TextClass c) {
    switch (c) {
        case TextClass::kPlain:
            return "plain words";
        case TextClass::kHyphen:
            return "with hyphens";
        case TextClass::kMixed:
            return "mixed case";
        case TextClass::kDigit:
            return "with digits";
        case TextClass::kForeign:
            return "with letters outside the Polish alphabet";
    }
    return "";
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
    Agreement mixedAgreement;
    for (const std::string& form : mixed) {
        Word w = MakeWord(form);
        mixedAgreement.Add(w, SpellerCheckWord(w.cp1250) == 1, hunspell.spell(w.iso));
    }
    mixedAgreement.Print("Mixed-case forms of hunspell-pl (through mixedcase.dic)");
    std::printf(
        "Every form of hunspell-pl: %zu, Tarnik accepts %zu\n", compared.size() + mixed.size(),
        agreement.both + agreement.oursOnly + mixedAgreement.both + mixedAgreement.oursOnly);
}

// The verdicts of the hunspell program on `words` (UTF-8), one a line: true
// where `hunspell -L` (the lines that hold a wrong word) leaves the line out.
// The program cuts text into words as its pipe (-a) does: at hyphens, digits
// and every other character that is no letter, checking each piece on its own
// (MP3 is MP, CD-ROM is CD and ROM). Empty when the program cannot be run.
std::vector<bool> HunspellProgramVerdicts(const std::vector<std::string>& words,
                                          const Options& options) {
    char scratch[] = "/tmp/speller_compare-XXXXXX";
    int fd = mkstemp(scratch);
    if (fd < 0)
        return {};
    close(fd);
    {
        std::ofstream out(scratch);
        for (const std::string& w : words)
            out << w << '\n';
    }
    std::string command =
        "hunspell -d '" + options.hunspell + "' -i utf-8 -L < '" + scratch + "' 2>/dev/null";
    std::set<std::string> wrong;
    bool ran = false;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char line[4096];
        while (std::fgets(line, sizeof line, pipe)) {
            std::string text(line);
            if (!text.empty() && text.back() == '\n')
                text.pop_back();
            wrong.insert(text);
        }
        ran = pclose(pipe) == 0;
    }
    std::remove(scratch);
    if (!ran)
        return {};
    std::vector<bool> verdicts;
    for (const std::string& w : words)
        verdicts.push_back(!wrong.contains(w));
    return verdicts;
}

// Agreement on every distinct word of the text, overall and by class, against
// hunspell's word check (the library, on the whole word) and against what the
// hunspell program reports for the same word. Returns the plain words, for the
// misspellings and the benchmarks.
std::vector<Word> CompareText(const std::set<TextWord>& textWords, Hunspell& hunspell,
                              const Options& options) {
    Agreement all, allProgram;
    std::map<TextClass, Agreement> byClass, byClassProgram;
    std::vector<Word> plain;
    std::vector<std::string> utf8;
    for (const TextWord& t : textWords)
        utf8.push_back(t.utf8);
    std::vector<bool> program = HunspellProgramVerdicts(utf8, options);
    size_t i = 0;
    for (const TextWord& t : textWords) {
        Word w{t.cp1250, Convert("UTF-8", t.utf8)};
        bool ours = SpellerCheckWord(w.cp1250) == 1;
        bool theirs = !w.iso.empty() && hunspell.spell(w.iso);
        TextClass c = Classify(w.cp1250);
        Word shown{Utf8ToCp1250(t.utf8), w.iso};
        all.Add(shown, ours, theirs);
        byClass[c].Add(shown, ours, theirs);
        if (!program.empty()) {
            allProgram.Add(shown, ours, program[i]);
            byClassProgram[c].Add(shown, ours, program[i]);
        }
        ++i;
        if (c == TextClass::kPlain)
            plain.push_back(w);
    }
    all.Print(
        "Distinct words of the Polish message catalogues, every class, against "
        "hunspell's word check");
    for (auto& [c, agreement] : byClass)
        agreement.Print((std::string("  ") + ClassName(c)).c_str());
    if (program.empty()) {
        std::printf("hunspell -L could not be run: no comparison with the program\n");
        return plain;
    }
    allProgram.Print("The same words, every class, against the hunspell program (hunspell -L)");
    for (auto& [c, agreement] : byClassProgram)
        agreement.Print((std::string("  ") + ClassName(c)).c_str());
    return plain;
}

// --- Suggestions ------------------------------------------------------------------

constexpr uint8_t kDiacritics[] = {0xB9, 0xE6, 0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0x9F, 0xBF};
constexpr char kPlain[] = "acelnoszz";

// The kinds of error of the test sets.
enum ErrorKind { kDiacriticsRemoved, kSwapped, kDropped, kDoubled, kOU, kRzZ, kChH, kKinds };
constexpr const char* kKindNames[] = {"all diacritics removed",
                                      "two letters swapped",
                                      "a letter dropped",
                                      "a letter doubled",
                                      "\xC3\xB3 / u",
                                      "rz / \xC5\xBC",
                                      "ch / h"};

// A place in the word that depends on the word, so that errors spread over it.
size_t Place(const std::string& w, size_t count) {
    uint32_t h = 2166136261u;
    for (char c : w)
        h = (h ^ static_cast<uint8_t>(c)) * 16777619u;
    return count ? h % count : 0;
}

// One error of `kind` in `w`, or "" when the word has no place for it.
std::string Misspell(const std::string& w, int kind) {
    auto replaceOne = [&](const std::string& from, const std::string& to) -> std::string {
        std::vector<size_t> places;
        for (size_t at = w.find(from); at != std::string::npos; at = w.find(from, at + 1))
            places.push_back(at);
        if (places.empty())
            return "";
        size_t at = places[Place(w, places.size())];
        return w.substr(0, at) + to + w.substr(at + from.size());
    };
    auto either = [](std::string a, std::string b) { return a.empty() ? b : a; };
    size_t at = Place(w, w.size() - 1);
    switch (kind) {
        case kDiacriticsRemoved: {
            std::string out = w;
            for (char& c : out) {
                const uint8_t* d = std::find(std::begin(kDiacritics), std::end(kDiacritics),
                                             static_cast<uint8_t>(c));
                if (d != std::end(kDiacritics))
                    c = kPlain[d - kDiacritics];
            }
            return out == w ? "" : out;
        }
        case kSwapped:
            if (w[at] == w[at + 1])
                return "";
            return w.substr(0, at) + w[at + 1] + w[at] + w.substr(at + 2);
        case kDropped:
            return w.substr(0, at) + w.substr(at + 1);
        case kDoubled:
            return w.substr(0, at + 1) + w.substr(at);
        case kOU:
            return either(replaceOne("\xF3", "u"), replaceOne("u", "\xF3"));
        case kRzZ:
            return either(replaceOne("rz", "\xBF"), replaceOne("\xBF", "rz"));
        default:
            return either(replaceOne("ch", "h"), replaceOne("h", "ch"));
    }
}

struct Misspelling {
    Word wrong;
    Word intended;
};

bool IsSmallPlainWord(const std::string& cp1250) {
    return !cp1250.empty() && WordCasePattern(cp1250) == CasePattern::kSmall &&
           std::all_of(cp1250.begin(), cp1250.end(), [](char c) {
               return c != '-' && TextToWordCode(static_cast<uint8_t>(c)) != 0;
           });
}

// Up to `wanted` pairs of words of the text run together, from pairs of small
// words both accept (of two letters or more, or one of the one-letter words of
// Polish: "%d plików" gives no pair), kept only when both reject the pair written
// as one word;
// with `shortFirst`, only pairs whose first word has at most four letters (a
// preposition, nie, co: the usual case), else only the others.
std::vector<Misspelling> MakeRunTogether(Hunspell& hunspell, bool shortFirst, size_t wanted) {
    std::vector<std::pair<std::string, std::string>> candidates;
    for (const auto& [a, b] : TextPairs()) {
        auto isWord = [](const std::string& w) {
            return IsSmallPlainWord(w) &&
                   (w.size() >= 2 || std::string_view("aiouwz").find(w[0]) != std::string::npos);
        };
        if (isWord(a) && isWord(b) && (a.size() <= 4) == shortFirst)
            candidates.push_back({a, b});
    }
    std::vector<Misspelling> out;
    size_t stride = std::max<size_t>(1, candidates.size() / (wanted * 3));
    for (size_t i = 0; i < candidates.size() && out.size() < wanted; i += stride) {
        const auto& [a, b] = candidates[i];
        Word wrong = MakeWord(a + b);
        Word intended = MakeWord(a + " " + b);
        Word first = MakeWord(a), second = MakeWord(b);
        if (SpellerCheckWord(a) && SpellerCheckWord(b) && hunspell.spell(first.iso) &&
            hunspell.spell(second.iso) && !SpellerCheckWord(wrong.cp1250) &&
            !hunspell.spell(wrong.iso))
            out.push_back({wrong, intended});
    }
    return out;
}

// Up to `wanted` misspellings of `kind`, from words of the text that both accept
// (small, four letters or more, no hyphen), kept only when both reject them.
std::vector<Misspelling> MakeMisspellings(const std::vector<Word>& words, Hunspell& hunspell,
                                          int kind, size_t wanted) {
    std::vector<Misspelling> out;
    std::vector<Word> candidates;
    for (const Word& w : words) {
        if (w.cp1250.size() >= 4 && WordCasePattern(w.cp1250) == CasePattern::kSmall &&
            !Misspell(w.cp1250, kind).empty())
            candidates.push_back(w);
    }
    size_t stride = std::max<size_t>(1, candidates.size() / (wanted * 2));
    for (size_t i = 0; i < candidates.size() && out.size() < wanted; i += stride) {
        const Word& intended = candidates[i];
        Word wrong = MakeWord(Misspell(intended.cp1250, kind));
        if (SpellerCheckWord(intended.cp1250) && hunspell.spell(intended.iso) &&
            !SpellerCheckWord(wrong.cp1250) && !hunspell.spell(wrong.iso))
            out.push_back({wrong, intended});
    }
    return out;
}

std::vector<std::string> OurSuggestions(const std::string& cp1250) {
    return SpellerSuggestRanked(cp1250);
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(p * (values.size() - 1) + 0.5)];
}

struct Times {
    std::vector<double> ranked, alphabetical, hunspell;
};

void CompareSuggestions(const std::vector<Misspelling>& misspellings, const char* name,
                        Hunspell& hunspell, Times& times) {
    size_t ourFirst = 0, ourOffered = 0, theirFirst = 0, theirOffered = 0;
    std::vector<std::string> missed, behind, notFirst;
    for (const Misspelling& m : misspellings) {
        double start = ThreadCpuMilliseconds();
        std::vector<std::string> ours = OurSuggestions(m.wrong.cp1250);
        times.ranked.push_back(ThreadCpuMilliseconds() - start);
        start = ThreadCpuMilliseconds();
        ShownSuggestions(m.wrong.cp1250, false);  // the alphabetical list
        times.alphabetical.push_back(ThreadCpuMilliseconds() - start);
        start = ThreadCpuMilliseconds();
        std::vector<std::string> theirs = hunspell.suggest(m.wrong.iso);
        times.hunspell.push_back(ThreadCpuMilliseconds() - start);
        bool offered = std::count(ours.begin(), ours.end(), m.intended.cp1250) > 0;
        ourFirst += !ours.empty() && ours.front() == m.intended.cp1250;
        ourOffered += offered;
        theirFirst += !theirs.empty() && theirs.front() == m.intended.iso;
        theirOffered += std::count(theirs.begin(), theirs.end(), m.intended.iso) > 0;
        if ((ours.empty() || ours.front() != m.intended.cp1250) && !theirs.empty() &&
            theirs.front() == m.intended.iso)
            behind.push_back(Cp1250ToUtf8(m.wrong.cp1250) + "->" +
                             Cp1250ToUtf8(ours.empty() ? "" : ours.front()));
        if (ours.empty() || ours.front() != m.intended.cp1250)
            notFirst.push_back(Cp1250ToUtf8(m.wrong.cp1250) + "->" +
                               Cp1250ToUtf8(ours.empty() ? "" : ours.front()) + " (" +
                               Cp1250ToUtf8(m.intended.cp1250) + ")");
        if (!offered)
            missed.push_back(Cp1250ToUtf8(m.wrong.cp1250) + "->" + Cp1250ToUtf8(m.intended.cp1250));
    }
    size_t n = misspellings.size();
    auto pct = [n](size_t k) {
        return n ? 100.0 * static_cast<double>(k) / static_cast<double>(n) : 0.0;
    };
    std::printf(
        "Suggestions, %-24s %3zu words: intended first Tarnik %3zu (%5.1f%%), hunspell %3zu "
        "(%5.1f%%); offered Tarnik %3zu (%5.1f%%), hunspell %3zu (%5.1f%%)\n",
        name, n, ourFirst, pct(ourFirst), theirFirst, pct(theirFirst), ourOffered, pct(ourOffered),
        theirOffered, pct(theirOffered));
    auto list = [](const char* title, const std::vector<std::string>& words) {
        if (words.empty())
            return;
        std::printf("  %s:", title);
        for (const std::string& w : words)
            std::printf(" %s", w.c_str());
        std::printf("\n");
    };
    list("not offered by Tarnik (typed->intended)", missed);
    list("first with hunspell, not with Tarnik (typed->Tarnik's first)", behind);
    list("not first with Tarnik (typed->Tarnik's first (intended))", notFirst);
}

void PrintTimes(const Times& times) {
    std::printf(
        "Suggestion CPU time per word (%zu words): Tarnik ranked median %.3f ms, 95th percentile "
        "%.3f ms; Tarnik alphabetical median %.3f ms, 95th percentile %.3f ms; hunspell median "
        "%.3f ms, 95th percentile %.3f ms\n",
        times.ranked.size(), Percentile(times.ranked, 0.5), Percentile(times.ranked, 0.95),
        Percentile(times.alphabetical, 0.5), Percentile(times.alphabetical, 0.95),
        Percentile(times.hunspell, 0.5), Percentile(times.hunspell, 0.95));
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
            OurSuggestions(Misspell(words[i].cp1250, kDropped));
        SpellerClose();
    });
    long theirs = PeakMemory([&] {
        Hunspell h((options.hunspell + ".aff").c_str(), (options.hunspell + ".dic").c_str());
        for (const Word& w : words)
            benchmark::DoNotOptimize(h.spell(w.iso));
        for (size_t i = 0; i < words.size() && i < 20; ++i)
            h.suggest(ToIso(Misspell(words[i].cp1250, kDropped)));
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
        else if (arg == "--misspellings-out" && hasValue)
            options.misspellingsOut = argv[++i];
        else
            rest.push_back(argv[i]);
    }
    if (!std::filesystem::exists(options.hunspell + ".aff")) {
        std::fprintf(stderr, "speller_compare: %s.aff not found (install hunspell-pl)\n",
                     options.hunspell.c_str());
        return 1;
    }

    std::set<TextWord> textWords = TextWords(options.catalogues);
    std::vector<Word> allText;
    for (const TextWord& w : textWords) {
        if (Classify(w.cp1250) == TextClass::kPlain)
            allText.push_back(MakeWord(w.cp1250));
    }
    CompareMemory(options, allText);
    CompareOpenTime(options);

    shared.hunspell = std::make_unique<Hunspell>((options.hunspell + ".aff").c_str(),
                                                 (options.hunspell + ".dic").c_str());
    if (SpellerOpen(options.dictionary) != 0) {
        std::fprintf(stderr, "speller_compare: cannot open %s\n", options.dictionary.c_str());
        return 1;
    }
    OpenMixedCase(options);
    CompareExpandedForms(options, *shared.hunspell);
    shared.words = CompareText(textWords, *shared.hunspell, options);
    Times times;
    for (int kind = 0; kind < kKinds; ++kind) {
        std::vector<Misspelling> set =
            MakeMisspellings(shared.words, *shared.hunspell, kind, options.misspellings);
        CompareSuggestions(set, kKindNames[kind], *shared.hunspell, times);
        shared.misspellings.insert(shared.misspellings.end(), set.begin(), set.end());
    }
    std::printf("Words run together: %zu pairs of words one space apart in the catalogues\n",
                TextPairs().size());
    std::vector<Misspelling> all = shared.misspellings;
    for (bool shortFirst : {true, false}) {
        std::vector<Misspelling> set =
            MakeRunTogether(*shared.hunspell, shortFirst, options.misspellings);
        CompareSuggestions(set,
                           shortFirst ? "run together, short first" : "run together, longer first",
                           *shared.hunspell, times);
        all.insert(all.end(), set.begin(), set.end());
    }
    PrintTimes(times);
    if (!options.misspellingsOut.empty()) {
        std::ofstream out(options.misspellingsOut);
        for (const Misspelling& m : all)
            out << Cp1250ToUtf8(m.wrong.cp1250) << '\n';
    }
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
