#include "speller/suggestions.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "speller/letter_code.h"
#include "speller/suggestion_work.h"
#include "speller/word_check.h"

namespace tarnik {

namespace {

// Room for the longest candidate the orthographic pass builds (49 letters grown
// by two) and its end mark.
using Candidate = std::array<uint8_t, kMaxSuggestInputLetters + 3>;

struct Pair {
    const char* left;  // cp1250
    const char* right;
};

// Tried in this order, each in both directions.
constexpr Pair kOrthographicPairs[] = {
    {"rz", "\xBF"},                                  // ż
    {"ch", "h"},    {"on", "\xB9"},                  // ą
    {"om", "\xB9"}, {"a", "\xB9"},  {"en", "\xEA"},  // ę
    {"em", "\xEA"}, {"e", "\xEA"},  {"u", "\xF3"},   // ó
    {"s", "\x9C"},                                   // ś
    {"n", "\xF1"},                                   // ń
    {"c", "\xE6"},                                   // ć
    {"z", "\xBF"},                                   // ż
    {"z", "\x9F"},                                   // ź
    {"l", "\xB3"},                                   // ł
    {"o", "\xF3"},                                   // ó
};

struct Letters {
    std::array<uint8_t, 2> codes;
    size_t size;
};

Letters SmallCodes(const char* text) {
    Letters letters{{0, 0}, std::strlen(text)};
    for (size_t i = 0; i < letters.size; ++i) {
        letters.codes[i] = TextToSmallCode(static_cast<uint8_t>(text[i]));
    }
    return letters;
}

// The suggestions found so far, newest first, in letter codes.
class Collector {
  public:
    explicit Collector(SuggestionWork& work) : work_(work) {}
    ~Collector() { SpellerFreeSuggestions(head_); }

    // Keeps `candidate` (`size` letters, then the end mark) and its capitalised
    // form when the lookups accept them; each lookup is a step of the work.
    void Try(uint8_t* candidate, size_t size) {
        if (size == 0 || size > kMaxSuggestionLetters)
            return;
        LetterWord word(candidate, size + 1);
        if (!work_.Take())
            return;
        if (SmallLetterLookup(word))
            Add(candidate, size);
        if (!work_.Take())
            return;
        uint8_t first = candidate[0];
        candidate[0] = ToCapitalCode(first);
        if (CapitalisedLookup(word))
            Add(candidate, size);
        candidate[0] = first;
    }

    // Whether the work's bound stopped the search: the rest is not tried.
    bool Stopped() const { return work_.Stopped(); }
    SuggestionWork& Work() { return work_; }

    SuggestionList Release() { return std::exchange(head_, nullptr); }

  private:
    void Add(const uint8_t* codes, size_t size) {
        for (SuggestionNode* node = head_; node; node = node->next) {
            if (std::strlen(node->word) == size && std::memcmp(node->word, codes, size) == 0)
                return;
        }
        auto* node = new SuggestionNode{head_, {}};
        std::memcpy(node->word, codes, size);
        head_ = node;
    }

    SuggestionWork& work_;
    SuggestionNode* head_ = nullptr;
};

// Builds v[0, at) + with + v[at + cut, size] (end mark included) into `out`;
// returns the new number of letters.
size_t Splice(const uint8_t* v, size_t size, size_t at, size_t cut, const uint8_t* with,
              size_t withSize, uint8_t* out) {
    std::copy(v, v + at, out);
    std::copy(with, with + withSize, out + at);
    std::copy(v + at + cut, v + size + 1, out + at + withSize);
    return size - cut + withSize;
}

// A pass scans the word once for every pair: one step of the work, besides the
// candidates it tries.
void OrthographicPass(Collector& collector, const uint8_t* v, size_t size, int depth) {
    if (!collector.Work().Take())
        return;
    for (const Pair& pair : kOrthographicPairs) {
        Letters left = SmallCodes(pair.left);
        Letters right = SmallCodes(pair.right);
        for (int direction = 0; direction < 2; ++direction) {
            const Letters& from = direction == 0 ? left : right;
            const Letters& to = direction == 0 ? right : left;
            for (size_t at = 0; at + from.size <= size && !collector.Stopped(); ++at) {
                if (!std::equal(from.codes.begin(), from.codes.begin() + from.size, v + at))
                    continue;
                Candidate changed;
                size_t changedSize =
                    Splice(v, size, at, from.size, to.codes.data(), to.size, changed.data());
                collector.Try(changed.data(), changedSize);
                if (depth == 1)
                    OrthographicPass(collector, changed.data(), changedSize, 2);
            }
        }
    }
}

void Generate(Collector& collector, Candidate& w, size_t size) {
    OrthographicPass(collector, w.data(), size, 1);
    Candidate c;
    for (size_t i = 0; i + 1 < size; ++i) {
        c = w;
        std::swap(c[i], c[i + 1]);
        collector.Try(c.data(), size);
    }
    for (size_t i = 0; i < size; ++i) {
        collector.Try(c.data(), Splice(w.data(), size, i, 1, nullptr, 0, c.data()));
    }
    c = w;
    collector.Try(c.data(), size);
    for (size_t i = 0; i <= size && !collector.Stopped(); ++i) {
        for (uint8_t code = kFirstSmall; code <= kHyphenCode; ++code) {
            if (code == w[i])
                continue;
            c = w;
            c[i] = code;
            if (i == size)
                c[i + 1] = kEndMark;
            collector.Try(c.data(), i == size ? size + 1 : size);
        }
    }
    for (size_t i = 0; i <= size && !collector.Stopped(); ++i) {
        for (uint8_t code = kFirstSmall; code <= kHyphenCode; ++code) {
            collector.Try(c.data(), Splice(w.data(), size, i, 0, &code, 1, c.data()));
        }
    }
}

// Polish alphabetical order with capitals counted as their small letters; ties
// go to the word with the small letter at the first difference.
bool SortsBefore(const SuggestionNode* a, const SuggestionNode* b) {
    const uint8_t* x = reinterpret_cast<const uint8_t*>(a->word);
    const uint8_t* y = reinterpret_cast<const uint8_t*>(b->word);
    size_t i = 0;
    while (x[i] != 0 && ToSmallCode(x[i]) == ToSmallCode(y[i]))
        ++i;
    if (ToSmallCode(x[i]) != ToSmallCode(y[i]))
        return ToSmallCode(x[i]) < ToSmallCode(y[i]);
    return std::strcmp(a->word, b->word) > 0;  // small-letter codes are the larger ones
}

SuggestionList Finish(SuggestionList list, CasePattern pattern) {
    std::vector<SuggestionNode*> nodes;
    for (SuggestionNode* node = list; node; node = node->next) {
        auto* codes = reinterpret_cast<uint8_t*>(node->word);
        for (size_t i = 0; codes[i] != 0; ++i) {
            if (pattern == CasePattern::kAllCapitals ||
                (i == 0 && pattern == CasePattern::kCapitalised)) {
                codes[i] = ToCapitalCode(codes[i]);
            }
        }
        nodes.push_back(node);
    }
    std::stable_sort(nodes.begin(), nodes.end(), SortsBefore);
    SuggestionList head = nullptr;
    SuggestionNode** tail = &head;
    const SuggestionNode* previous = nullptr;
    for (SuggestionNode* node : nodes) {
        if (previous && std::strcmp(node->word, previous->word) == 0) {
            delete node;
            continue;
        }
        previous = node;
        *tail = node;
        tail = &node->next;
    }
    *tail = nullptr;
    for (SuggestionNode* node = head; node; node = node->next) {
        auto* codes = reinterpret_cast<const uint8_t*>(node->word);
        std::string text = CodesToText(std::span(codes, std::strlen(node->word)));
        std::memcpy(node->word, text.c_str(), text.size() + 1);
    }
    return head;
}

}  // namespace

SuggestionList SpellerSuggest(std::string_view word) {
    SuggestionWork work;
    return SpellerSuggest(word, work);
}

SuggestionList SpellerSuggest(std::string_view word, SuggestionWork& work) {
    size_t size = LetterCount(word);
    if (size > kMaxSuggestInputLetters)
        return nullptr;
    Candidate w;
    for (size_t i = 0; i < size; ++i)
        w[i] = TextToSmallCode(static_cast<uint8_t>(word[i]));
    w[size] = kEndMark;
    Collector collector(work);
    Generate(collector, w, size);
    return Finish(collector.Release(), WordCasePattern(word));
}

void SpellerFreeSuggestions(SuggestionList list) {
    while (list)
        delete std::exchange(list, list->next);
}

}  // namespace tarnik
