#include "speller/ranked_suggestions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <tuple>
#include <utility>

#include "charsets/char_classes.h"
#include "speller/letter_code.h"
#include "speller/replacements.h"
#include "speller/suggestion_work.h"
#include "speller/suggestions.h"
#include "speller/user_dictionary.h"
#include "speller/word_check.h"
#include "speller/word_frequencies.h"

namespace tarnik {

namespace {

constexpr double kDiacriticCost = 0.12;
// A word typed wholly without diacritics was typed on a keyboard or by a habit
// that leaves every one out: all the marks it lacks cost one, and the frequency
// ranks the words it may be (lozka: łóżka before the rarer łózka). Between words
// equally rare, the one with more marks inside the word comes first (Slaskiej:
// Śląskiej), and a mark on the last letter, which is an ending's (ą of the
// accusative), comes after none (ksiazka: książka, then książką).
constexpr double kMoreMarksBonus = 0.005;
// A writer who typed some diacritics seldom leaves one out: in such a word a
// letter without its mark costs more (nadaży: nadarzy, an rz written as ż,
// before nadąży).
constexpr double kMarkLeftOutCost = 0.35;
constexpr double kLastMarkCost = 0.002;
constexpr double kOrthographicCost = 0.3;
constexpr double kDoubledCost = 0.45;
constexpr double kVowelCost = 0.5;
constexpr double kSwapCost = 0.45;
constexpr double kNeighbourCost = 0.7;
constexpr double kHyphenCost = 0.6;
// A letter left out is the commonest slip of a fast typist, and costs less than
// a letter changed: chilę is chwilę more often than chylę.
constexpr double kMissingLetterCost = 0.5;
constexpr double kCaseCost = 0.1;
// A capital first letter where a small one was typed (Pkp -> PKP, javascript ->
// JavaScript).
constexpr double kFirstCapitalCost = 0.35;
// A name (capitalised, the rest small) for a word typed in small letters: most
// small words a writer mistypes are common words, so a name comes after a
// common word up to a doubled letter away (kotta: kota before Kotta).
constexpr double kNameCost = 0.6;
// Two words run together (napewno -> na pewno, pozatym -> poza tym): what runs
// into the next word is nearly always a short common word (a preposition, nie,
// co: seen at least 100 times in the word frequencies), and the next word a
// longer one that writers use (seen at all). Such a split costs a little more
// than a doubled letter; any other split (gazty -> "gaz ty", fotorafia ->
// "foto rafia") more than a letter left out or changed, so that the typing error
// comes first (gazety, fotografia).
constexpr double kSplitCost = 0.6;
constexpr double kOtherSplitCost = 0.95;
constexpr size_t kMaxShortWordLetters = 4;
constexpr size_t kMinNextWordLetters = 3;
constexpr uint32_t kMinShortWordCount = 100;
// A pair of the source dictionary's replacements (replacements.h): less than
// an ordinary edit.
constexpr double kReplacementCost = 0.5;
// The one-letter words of Polish: the only ones a split may leave on one side.
constexpr std::string_view kOneLetterWords = "aiouwz";

// A word that occurs often in prose comes before a rarer one about as far
// away: each doubling of its count takes 0.05 off its distance, at most 0.5
// (a word seen about a thousand times).
constexpr double kFrequencyWeight = 0.05;
constexpr double kMaxFrequencyBonus = 0.5;

// The deeper search tries at most this many spellings of one word; a word of
// twelve letters that may each take a diacritic needs about as many.
constexpr int kDeepSearchTrials = 6000;
// Words at most this long are also tried in capitals (acronyms are short).
constexpr size_t kMaxAcronymLetters = 8;
// A hyphenated word longer than this gets no suggestions from its parts: the
// distance of each candidate costs the product of the two lengths, and no
// compound a writer types is this long.
constexpr size_t kMaxHyphenatedLetters = 100;

// Small cp1250 letter of a cp1250 byte, and the plain letter it is written on.
uint8_t Small(uint8_t byte) {
    if (uint8_t code = TextToSmallCode(byte))
        return CodeToText(code);
    return ForeignToLower(byte);
}

uint8_t Plain(uint8_t small) {
    static constexpr std::string_view kPolish = "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF";
    static constexpr std::string_view kPlain = "acelnoszz";
    size_t at = kPolish.find(static_cast<char>(small));
    if (at != std::string_view::npos)
        return static_cast<uint8_t>(kPlain[at]);
    if (uint8_t base = ForeignBaseLetter(small))
        return base;
    return small;
}

bool IsCapitalByte(uint8_t byte) {
    return IsCapitalCode(TextToWordCode(byte));
}

// Keys of a QWERTY keyboard, rows shifted as on the keyboard.
bool AreNeighbours(uint8_t a, uint8_t b) {
    static constexpr std::string_view kRows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
    static constexpr double kShift[] = {0, 0.25, 0.75};
    auto place = [](uint8_t key, double& row, double& column) {
        for (int r = 0; r < 3; ++r) {
            size_t at = kRows[r].find(static_cast<char>(key));
            if (at != std::string_view::npos) {
                row = r;
                column = static_cast<double>(at) + kShift[r];
                return true;
            }
        }
        return false;
    };
    double ra, ca, rb, cb;
    if (!place(a, ra, ca) || !place(b, rb, cb))
        return false;
    return std::abs(ra - rb) <= 1 && std::abs(ca - cb) <= 1.0;
}

double SubstitutionCost(uint8_t typed, uint8_t meant, double missingMarkCost) {
    if (typed == meant)
        return 0;
    uint8_t t = Plain(typed), m = Plain(meant);
    if (t == m)
        return typed == t ? missingMarkCost : kDiacriticCost;
    if ((typed == 'u' && meant == 0xF3) || (typed == 0xF3 && meant == 'u'))
        return kOrthographicCost;
    if ((typed == 'y' && meant == 'i') || (typed == 'i' && meant == 'y'))
        return kVowelCost;
    return AreNeighbours(t, m) ? kNeighbourCost : 1.0;
}

// Spellings of one sound: the first written as the second costs kOrthographicCost
// (rz/ż, ch/h), or twice that for the nasal vowels. The infinitive written with
// ść for ć, by analogy with wejść and usiąść (wziąść for wziąć), costs as much.
struct Spelling {
    std::string_view a, b;
    double cost;
};
constexpr Spelling kSpellings[] = {
    {"rz", "\xBF", kOrthographicCost},       {"\xBF", "rz", kOrthographicCost},
    {"ch", "h", kOrthographicCost},          {"h", "ch", kOrthographicCost},
    {"on", "\xB9", 2 * kOrthographicCost},   {"om", "\xB9", 2 * kOrthographicCost},
    {"en", "\xEA", 2 * kOrthographicCost},   {"em", "\xEA", 2 * kOrthographicCost},
    {"\xB9", "on", 2 * kOrthographicCost},   {"\xEA", "en", 2 * kOrthographicCost},
    {"\x9C\xE6", "\xE6", kOrthographicCost},
};

// What differs in letter case between the typed word and a candidate.
double CaseDistance(std::string_view typedWord, std::string_view candidate) {
    double cases = 0;
    for (size_t i = 0; i < std::min(typedWord.size(), candidate.size()); ++i) {
        bool typedCapital = IsCapitalByte(static_cast<uint8_t>(typedWord[i]));
        if (typedCapital == IsCapitalByte(static_cast<uint8_t>(candidate[i])))
            continue;
        if (i > 0 || typedCapital)
            cases += kCaseCost;
        else
            cases += WordCasePattern(candidate) == CasePattern::kCapitalised ? kNameCost
                                                                             : kFirstCapitalCost;
    }
    return cases;
}

// The diacritics a candidate (small letters) restores to a word typed wholly
// without them and otherwise the same, inside the word and on its last letter;
// none for any other pair.
struct RestoredMarks {
    size_t inner = 0;
    size_t last = 0;
};

RestoredMarks CountRestoredMarks(const std::string& typed, const std::string& candidate) {
    if (typed.size() != candidate.size())
        return {};
    RestoredMarks marks;
    for (size_t i = 0; i < typed.size(); ++i) {
        auto t = static_cast<uint8_t>(typed[i]), c = static_cast<uint8_t>(candidate[i]);
        if (Plain(t) != t || Plain(c) != t)
            return {};
        if (c != t)
            ++(i + 1 == typed.size() ? marks.last : marks.inner);
    }
    return marks;
}

bool EndsWith(const std::string& s, size_t end, std::string_view part) {
    return end >= part.size() && std::string_view(s).substr(end - part.size(), part.size()) == part;
}

}  // namespace

double SuggestionDistance(std::string_view typedWord, std::string_view candidate) {
    std::string t, c;
    for (char ch : typedWord)
        t.push_back(static_cast<char>(Small(static_cast<uint8_t>(ch))));
    for (char ch : candidate)
        c.push_back(static_cast<char>(Small(static_cast<uint8_t>(ch))));
    const double cases = CaseDistance(typedWord, candidate);
    if (RestoredMarks marks = CountRestoredMarks(t, c); marks.inner + marks.last > 0) {
        return kDiacriticCost -
               kMoreMarksBonus * static_cast<double>(marks.inner > 0 ? marks.inner - 1 : 0) +
               kLastMarkCost * static_cast<double>(marks.last) + cases;
    }
    // The replacement pairs that can apply: FROM written, TO meant.
    std::vector<Spelling> replacements;
    for (const ReplacementPair& pair : BundledReplacements()) {
        if (t.find(pair.from) != std::string::npos && c.find(pair.to) != std::string::npos)
            replacements.push_back({pair.from, pair.to, kReplacementCost});
    }
    double splitCost = kOtherSplitCost;
    if (size_t space = c.find(' ');
        space != std::string::npos && c.find(' ', space + 1) == std::string::npos) {
        std::string_view left = std::string_view(c).substr(0, space);
        std::string_view right = std::string_view(c).substr(space + 1);
        if (left.size() <= kMaxShortWordLetters && right.size() >= kMinNextWordLetters &&
            WordFrequency(left) >= kMinShortWordCount && WordFrequency(right) > 0)
            splitCost = kSplitCost;
    }
    const bool typedMarks = std::any_of(t.begin(), t.end(), [](char ch) {
        return Plain(static_cast<uint8_t>(ch)) != static_cast<uint8_t>(ch);
    });
    const double missingMarkCost = typedMarks ? kMarkLeftOutCost : kDiacriticCost;
    size_t n = t.size(), m = c.size();
    std::vector<double> d((n + 1) * (m + 1));
    auto at = [&](size_t i, size_t j) -> double& { return d[i * (m + 1) + j]; };
    auto byte = [](const std::string& s, size_t i) { return static_cast<uint8_t>(s[i]); };
    for (size_t i = 0; i <= n; ++i) {
        for (size_t j = 0; j <= m; ++j) {
            if (i == 0 && j == 0) {
                at(i, j) = 0;
                continue;
            }
            double best = 1e9;
            if (i > 0) {  // a typed letter too many
                bool doubled = i > 1 && t[i - 1] == t[i - 2];
                double cost = doubled ? kDoubledCost : t[i - 1] == '-' ? kHyphenCost : 1.0;
                best = std::min(best, at(i - 1, j) + cost);
            }
            if (j > 0) {  // a letter left out
                bool doubled = j > 1 && c[j - 1] == c[j - 2];
                double cost = doubled           ? kDoubledCost
                              : c[j - 1] == '-' ? kHyphenCost
                              : c[j - 1] == ' ' ? splitCost
                                                : kMissingLetterCost;
                best = std::min(best, at(i, j - 1) + cost);
            }
            if (i > 0 && j > 0)
                best = std::min(
                    best, at(i - 1, j - 1) +
                              SubstitutionCost(byte(t, i - 1), byte(c, j - 1), missingMarkCost));
            if (i > 1 && j > 1 && t[i - 1] == c[j - 2] && t[i - 2] == c[j - 1] &&
                t[i - 1] != t[i - 2])
                best = std::min(best, at(i - 2, j - 2) + kSwapCost);
            for (const Spelling& s : kSpellings) {
                if (EndsWith(t, i, s.a) && EndsWith(c, j, s.b))
                    best = std::min(best, at(i - s.a.size(), j - s.b.size()) + s.cost);
            }
            for (const Spelling& s : replacements) {
                if (EndsWith(t, i, s.a) && EndsWith(c, j, s.b))
                    best = std::min(best, at(i - s.a.size(), j - s.b.size()) + s.cost);
            }
            // A preposition written as it sounds, run into the next word:
            // spowrotem -> z powrotem, fszkole -> w szkole.
            if (i == 1 && j == 2 && c[1] == ' ' &&
                ((t[0] == 's' && c[0] == 'z') || (t[0] == 'f' && c[0] == 'w')))
                best = std::min(best, splitCost);
            at(i, j) = best;
        }
    }
    return at(n, m) + cases;
}

namespace {

// The candidates of one word, cp1250, each once.
class Candidates {
  public:
    void Add(std::string word) {
        if (!word.empty() && std::find(words_.begin(), words_.end(), word) == words_.end())
            words_.push_back(std::move(word));
    }
    std::vector<std::string>& Words() { return words_; }

  private:
    std::vector<std::string> words_;
};

// Alternatives of the letter codes at one place of a word: a diacritic added,
// ó/u, rz/ż, ch/h.
struct Alternative {
    std::array<uint8_t, 2> from;
    size_t fromSize;
    std::array<uint8_t, 2> to;
    size_t toSize;
};

std::vector<Alternative> BuildAlternatives() {
    static constexpr std::pair<std::string_view, std::string_view> kPairs[] = {
        {"a", "\xB9"}, {"c", "\xE6"},  {"e", "\xEA"},  {"l", "\xB3"}, {"n", "\xF1"},
        {"o", "\xF3"}, {"s", "\x9C"},  {"z", "\xBF"},  {"z", "\x9F"}, {"u", "\xF3"},
        {"\xF3", "u"}, {"rz", "\xBF"}, {"\xBF", "rz"}, {"ch", "h"},   {"h", "ch"},
    };
    std::vector<Alternative> out;
    for (const auto& [from, to] : kPairs) {
        Alternative a{{0, 0}, from.size(), {0, 0}, to.size()};
        for (size_t i = 0; i < from.size(); ++i)
            a.from[i] = TextToSmallCode(static_cast<uint8_t>(from[i]));
        for (size_t i = 0; i < to.size(); ++i)
            a.to[i] = TextToSmallCode(static_cast<uint8_t>(to[i]));
        out.push_back(a);
    }
    return out;
}

// Spells `word` (small letter codes) with every combination of alternatives and
// keeps the spellings the lookups accept, in the capitals they were found with.
class DeepSearch {
  public:
    DeepSearch(const std::vector<uint8_t>& word, CasePattern pattern, Candidates& out,
               SuggestionWork& work)
        : word_(word), pattern_(pattern), out_(out), work_(work) {}

    void Run() {
        spelling_.clear();
        Walk(0, false);
    }

  private:
    // Every node of the walk is a step of the work: the trials alone do not bound
    // it, since a walk over a word of many alternatives ("hhhh...") may visit
    // countless spellings that grow too long before they end in a trial.
    void Walk(size_t at, bool changed) {
        if (trials_ >= kDeepSearchTrials || spelling_.size() > kMaxSuggestionLetters ||
            !work_.Take())
            return;
        if (at == word_.size()) {
            Try(changed);
            return;
        }
        spelling_.push_back(word_[at]);
        Walk(at + 1, changed);
        spelling_.pop_back();
        static const std::vector<Alternative> alternatives = BuildAlternatives();
        for (const Alternative& a : alternatives) {
            if (at + a.fromSize > word_.size() ||
                !std::equal(a.from.begin(), a.from.begin() + a.fromSize, word_.begin() + at))
                continue;
            spelling_.insert(spelling_.end(), a.to.begin(), a.to.begin() + a.toSize);
            Walk(at + a.fromSize, true);
            spelling_.resize(spelling_.size() - a.toSize);
        }
    }

    void Try(bool changed) {
        ++trials_;
        std::vector<uint8_t> w = spelling_;
        w.push_back(kEndMark);
        LetterWord form(w.data(), w.size());
        if (changed && work_.Take() && SmallLetterLookup(form))
            Keep(w, pattern_);
        w[0] = ToCapitalCode(w[0]);
        if (changed && work_.Take() && CapitalisedLookup(form))
            Keep(w, pattern_ == CasePattern::kAllCapitals ? pattern_ : CasePattern::kCapitalised);
        if (spelling_.size() <= kMaxAcronymLetters && spelling_.size() > 1 && work_.Take()) {
            for (uint8_t& code : w)
                code = ToCapitalCode(code);
            if (CapitalisedLookup(form))
                Keep(w, CasePattern::kAllCapitals);
        }
        // Words the user dictionaries hold in other capitals (GHz, JavaScript).
        if (!work_.Take())
            return;
        for (const std::string& codes : UserDictCaseForms(spelling_))
            out_.Add(CodesToText(
                std::span(reinterpret_cast<const uint8_t*>(codes.data()), codes.size())));
    }

    // Keeps the found form with the capitals of `pattern` added.
    void Keep(std::vector<uint8_t> codes, CasePattern pattern) {
        for (size_t i = 0; i + 1 < codes.size(); ++i) {
            if (pattern == CasePattern::kAllCapitals ||
                (i == 0 && pattern == CasePattern::kCapitalised))
                codes[i] = ToCapitalCode(codes[i]);
        }
        out_.Add(CodesToText(codes));
    }

    const std::vector<uint8_t>& word_;
    CasePattern pattern_;
    Candidates& out_;
    SuggestionWork& work_;
    std::vector<uint8_t> spelling_;
    int trials_ = 0;
};

// The word on plain letters where it holds letters outside the Polish alphabet.
std::string OnPolishLetters(std::string_view word) {
    std::string out;
    for (char ch : word) {
        auto byte = static_cast<uint8_t>(ch);
        if (IsForeignLetter(byte)) {
            uint8_t base = ForeignBaseLetter(byte);
            out += base ? std::string(1, static_cast<char>(base)) : std::string("ss");
        } else {
            out.push_back(ch);
        }
    }
    return out;
}

void Gather(std::string_view word, Candidates& out, SuggestionWork& work) {
    std::string polish = OnPolishLetters(word);
    SuggestionList list = SpellerSuggest(polish, work);
    for (SuggestionNode* node = list; node; node = node->next)
        out.Add(node->word);
    SpellerFreeSuggestions(list);
    size_t count = LetterCount(polish);
    if (count == 0 || count > kMaxSuggestInputLetters)
        return;
    std::vector<uint8_t> codes(count);
    for (size_t i = 0; i < count; ++i)
        codes[i] = TextToSmallCode(static_cast<uint8_t>(polish[i]));
    CasePattern pattern = WordCasePattern(polish);
    if (pattern == CasePattern::kMixed)
        pattern = CasePattern::kSmall;
    DeepSearch(codes, pattern, out, work).Run();
}

// A word with hyphens: its first faulty part's suggestions with the other parts
// kept, every other faulty part replaced by its best suggestion.
void GatherFromParts(std::string_view word, Candidates& out, SuggestionWork& work) {
    if (word.find('-') == std::string_view::npos || word.size() > kMaxHyphenatedLetters)
        return;
    std::vector<std::string> parts;
    for (size_t start = 0;;) {
        size_t end = word.find('-', start);
        parts.emplace_back(word.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    std::vector<std::vector<std::string>> options(parts.size());
    int firstFaulty = -1;
    for (size_t i = 0; i < parts.size(); ++i) {
        // The check of a part without hyphens makes at most three lookups.
        if (!work.Take(3))
            return;
        if (parts[i].empty() || SpellerCheckWord(parts[i]) == 1)
            continue;
        options[i] = SpellerSuggestRanked(parts[i], kMaxRankedSuggestions, work);
        if (options[i].empty())
            return;  // a part nothing can mend
        if (firstFaulty < 0)
            firstFaulty = static_cast<int>(i);
    }
    if (firstFaulty < 0)
        return;
    for (const std::string& choice : options[static_cast<size_t>(firstFaulty)]) {
        std::string joined;
        for (size_t i = 0; i < parts.size(); ++i) {
            if (i > 0)
                joined += '-';
            if (static_cast<int>(i) == firstFaulty)
                joined += choice;
            else
                joined += options[i].empty() ? parts[i] : options[i].front();
        }
        out.Add(joined);
    }
}

// Whether `word` (cp1250, no hyphens) is correct; the check makes at most three
// lookups. A one-letter word must be one of Polish.
bool IsCorrectPart(std::string_view word, SuggestionWork& work) {
    if (word.empty() || !work.Take(3))
        return false;
    if (word.size() == 1 && kOneLetterWords.find(static_cast<char>(
                                ToLower(static_cast<uint8_t>(word[0])))) == std::string_view::npos)
        return false;
    return SpellerCheckWord(word) == 1;
}

// Two correct words run together (napewno -> na pewno, Wogóle -> W ogóle), in
// the capitals they were typed with. A voiceless one-letter preposition is
// also read as the voiced one that is written (spowrotem -> z powrotem).
void GatherSplits(std::string_view word, Candidates& out, SuggestionWork& work) {
    if (word.size() < 2 || word.size() > kMaxSuggestInputLetters ||
        word.find('-') != std::string_view::npos)
        return;
    static constexpr std::pair<char, char> kVoiced[] = {{'s', 'z'}, {'f', 'w'}};
    for (size_t at = 1; at < word.size(); ++at) {
        std::string_view right = word.substr(at);
        std::string left(word.substr(0, at));
        if (!IsCorrectPart(right, work))
            continue;
        if (IsCorrectPart(left, work))
            out.Add(left + ' ' + std::string(right));
        if (at != 1)
            continue;
        for (auto [written, meant] : kVoiced) {
            auto typed = static_cast<uint8_t>(left[0]);
            if (ToLower(typed) != static_cast<uint8_t>(written))
                continue;
            left[0] = ToLower(typed) == typed ? meant : static_cast<char>(ToUpper(meant));
            out.Add(left + ' ' + std::string(right));
        }
    }
}

// The word with one pair of the source dictionary's replacements applied at
// one place, in the capitals it was typed with; a pair that writes a space
// yields two words, each of which must be correct.
void GatherReplacements(std::string_view word, Candidates& out, SuggestionWork& work) {
    if (word.empty() || word.size() > kMaxSuggestInputLetters)
        return;
    std::string small(word);
    ToLowerInPlace(small);
    CasePattern pattern = WordCasePattern(word);
    for (const ReplacementPair& pair : BundledReplacements()) {
        for (size_t at = small.find(pair.from); at != std::string::npos;
             at = small.find(pair.from, at + 1)) {
            std::string to = pair.to;
            if (pattern == CasePattern::kAllCapitals)
                ToUpperInPlace(to);
            else if (at == 0 && pattern == CasePattern::kCapitalised)
                to[0] = static_cast<char>(ToUpper(static_cast<uint8_t>(to[0])));
            std::string candidate = std::string(word.substr(0, at)) + to +
                                    std::string(word.substr(at + pair.from.size()));
            bool correct = true;
            for (size_t start = 0; correct && start <= candidate.size();) {
                size_t end = std::min(candidate.find(' ', start), candidate.size());
                correct =
                    IsCorrectPart(std::string_view(candidate).substr(start, end - start), work);
                start = end + 1;
            }
            if (correct)
                out.Add(std::move(candidate));
            if (work.Stopped())
                return;
        }
    }
}

}  // namespace

double SuggestionScore(std::string_view typedWord, std::string_view candidate) {
    // Words run together count as often as the rarer of the two.
    uint32_t count = UINT32_MAX;
    for (size_t start = 0; start <= candidate.size();) {
        size_t end = std::min(candidate.find(' ', start), candidate.size());
        count = std::min(count, WordFrequency(candidate.substr(start, end - start)));
        start = end + 1;
    }
    double seen = std::log2(1.0 + static_cast<double>(count));
    return SuggestionDistance(typedWord, candidate) -
           std::min(kMaxFrequencyBonus, kFrequencyWeight * seen);
}

std::vector<std::string> SpellerSuggestRanked(std::string_view word, size_t limit) {
    SuggestionWork work;
    return SpellerSuggestRanked(word, limit, work);
}

std::vector<std::string> SpellerSuggestRanked(std::string_view word, size_t limit,
                                              SuggestionWork& work) {
    if (StopsAtUnheldLetter(word))
        return {};
    word = word.substr(0, WordLetterCount(word));
    Candidates candidates;
    Gather(word, candidates, work);
    GatherFromParts(word, candidates, work);
    GatherSplits(word, candidates, work);
    GatherReplacements(word, candidates, work);
    std::vector<std::string>& words = candidates.Words();
    // Score, a name after a common word as far away, place in the alphabetical list.
    std::vector<std::tuple<double, bool, size_t>> order;
    std::stable_sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                return ToSmallCode(TextToWordCode(x)) < ToSmallCode(TextToWordCode(y));
            });
    });
    bool typedCapital = !word.empty() && IsCapitalByte(static_cast<uint8_t>(word[0]));
    for (size_t i = 0; i < words.size(); ++i) {
        bool name = !typedCapital && WordCasePattern(words[i]) == CasePattern::kCapitalised;
        order.emplace_back(SuggestionScore(word, words[i]), name, i);
    }
    std::sort(order.begin(), order.end());
    std::vector<std::string> ranked;
    for (size_t i = 0; i < order.size() && ranked.size() < limit; ++i)
        ranked.push_back(words[std::get<2>(order[i])]);
    return ranked;
}

std::vector<std::string> ShownSuggestions(std::string_view word, bool ranked) {
    if (ranked)
        return SpellerSuggestRanked(word);
    std::vector<std::string> words;
    SuggestionList list = SpellerSuggest(word);
    for (SuggestionNode* node = list; node; node = node->next)
        words.emplace_back(node->word);
    SpellerFreeSuggestions(list);
    return words;
}

}  // namespace tarnik
