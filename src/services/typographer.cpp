#include "services/typographer.h"

#include <algorithm>
#include <cstdint>

#include "charsets/char_classes.h"
#include "charsets/internal_code.h"
#include "platform/host_api.h"
#include "platform/settings_store.h"
#include "tarnik/text_codec.h"
#include "typography/no_break_mark.h"
#include "typography/run_typography.h"
#include "typography/typo_settings_store.h"
#include "typography/typography_state.h"

namespace tarnik::services {

namespace {

constexpr char16_t kBoundSpace = u'\u00A0';

// The most edits looked for in one line, and the most steps taken looking;
// a line with more is one difference (a line of a megabyte with corrections
// all over it, say).
constexpr int kMaxLineEdits = 512;
constexpr int64_t kMaxLineSteps = 1 << 24;

// A difference between the text and its correction: units [a, a + lengthA) of
// the one became [b, b + lengthB) of the other.
struct Hunk {
    size_t a = 0;
    size_t lengthA = 0;
    size_t b = 0;
    size_t lengthB = 0;
};

// Adds `hunk` to `hunks` as the smallest differences it holds: what its two
// sides share at their ends is left out, and where both sides are as long,
// each unit changed is a difference of its own (a quotation mark and the space
// bound before it are two corrections, not one).
void AddHunk(std::u16string_view a, std::u16string_view b, Hunk hunk, std::vector<Hunk>& hunks) {
    while (hunk.lengthA > 0 && hunk.lengthB > 0 && a[hunk.a] == b[hunk.b]) {
        ++hunk.a;
        ++hunk.b;
        --hunk.lengthA;
        --hunk.lengthB;
    }
    while (hunk.lengthA > 0 && hunk.lengthB > 0 &&
           a[hunk.a + hunk.lengthA - 1] == b[hunk.b + hunk.lengthB - 1]) {
        --hunk.lengthA;
        --hunk.lengthB;
    }
    if (hunk.lengthA != hunk.lengthB || hunk.lengthA < 2) {
        hunks.push_back(hunk);
        return;
    }
    for (size_t k = 0; k < hunk.lengthA; ++k) {
        if (a[hunk.a + k] != b[hunk.b + k])
            hunks.push_back({hunk.a + k, 1, hunk.b + k, 1});
    }
}

// The fewest insertions and deletions that make `b` of `a` (a line of
// `wholeA`, the text, at `offA`, and one of `wholeB`, its correction, at
// `offB`), by Myers' greedy walk of the edit graph, as hunks of the edits that
// touch; `aAt` receives for each unit of `b` kept from `a` the unit it stands for.
void CompareLines(std::u16string_view wholeA, std::u16string_view wholeB, size_t offA, size_t offB,
                  std::u16string_view a, std::u16string_view b, std::vector<Hunk>& hunks,
                  std::vector<int64_t>& aAt) {
    size_t prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) {
        aAt[offB + prefix] = static_cast<int64_t>(offA + prefix);
        ++prefix;
    }
    size_t suffix = 0;
    while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
           a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix]) {
        aAt[offB + b.size() - 1 - suffix] = static_cast<int64_t>(offA + a.size() - 1 - suffix);
        ++suffix;
    }
    a = a.substr(prefix, a.size() - prefix - suffix);
    b = b.substr(prefix, b.size() - prefix - suffix);
    offA += prefix;
    offB += prefix;
    if (a.empty() && b.empty())
        return;
    const int n = static_cast<int>(a.size());
    const int m = static_cast<int>(b.size());
    const int most = std::min(n + m, kMaxLineEdits);
    const int mid = most + 1;  // v[mid + k]: the furthest x on diagonal k
    std::vector<int> v(static_cast<size_t>(2 * mid + 1), 0);
    std::vector<std::vector<int>> trace;
    int edits = -1;
    int64_t steps = 0;
    for (int d = 0; d <= most && edits < 0 && steps < kMaxLineSteps; ++d) {
        trace.push_back(v);
        for (int k = -d; k <= d; k += 2) {
            int x = k == -d || (k != d && v[mid + k - 1] < v[mid + k + 1]) ? v[mid + k + 1]
                                                                           : v[mid + k - 1] + 1;
            int y = x - k;
            const int from = x;
            while (x < n && y < m && a[static_cast<size_t>(x)] == b[static_cast<size_t>(y)]) {
                ++x;
                ++y;
            }
            steps += x - from + 1;
            v[mid + k] = x;
            if (x >= n && y >= m) {
                edits = d;
                break;
            }
        }
    }
    if (edits < 0) {
        hunks.push_back({offA, a.size(), offB, b.size()});
        return;
    }
    // Back from the end: each step one edit after a run of kept units.
    std::vector<Hunk> found;
    int x = n;
    int y = m;
    for (int d = edits; d >= 0; --d) {
        int prevX = 0;
        int prevY = 0;
        if (d > 0) {
            const std::vector<int>& before = trace[static_cast<size_t>(d)];
            int k = x - y;
            int prevK =
                k == -d || (k != d && before[mid + k - 1] < before[mid + k + 1]) ? k + 1 : k - 1;
            prevX = before[mid + prevK];
            prevY = prevX - prevK;
        }
        bool kept = false;
        while (x > prevX && y > prevY) {
            --x;
            --y;
            aAt[offB + static_cast<size_t>(y)] =
                static_cast<int64_t>(offA + static_cast<size_t>(x));
            kept = true;
        }
        if (d == 0)
            break;
        // One unit of `a` taken out, or one of `b` put in, before (x, y).
        Hunk edit{offA + static_cast<size_t>(prevX), static_cast<size_t>(x - prevX),
                  offB + static_cast<size_t>(prevY), static_cast<size_t>(y - prevY)};
        if (!found.empty() && !kept) {
            Hunk& next = found.back();
            next.lengthA += next.a - edit.a;
            next.lengthB += next.b - edit.b;
            next.a = edit.a;
            next.b = edit.b;
        } else {
            found.push_back(edit);
        }
        x = prevX;
        y = prevY;
    }
    for (auto hunk = found.rbegin(); hunk != found.rend(); ++hunk)
        AddHunk(wholeA, wholeB, *hunk, hunks);
}

// The differences between `a` and `b`, line by line when both have as many
// lines (the rules never make or take a line end); `aAt` receives for each
// unit of `b` the unit of `a` it stands for (or -1).
std::vector<Hunk> Differences(std::u16string_view a, std::u16string_view b,
                              std::vector<int64_t>& aAt) {
    aAt.assign(b.size(), -1);
    auto lineStarts = [](std::u16string_view text) {
        std::vector<size_t> starts{0};
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == u'\n')
                starts.push_back(i + 1);
        }
        return starts;
    };
    std::vector<size_t> linesA = lineStarts(a);
    std::vector<size_t> linesB = lineStarts(b);
    if (linesA.size() != linesB.size()) {
        linesA = {0};
        linesB = {0};
    }
    std::vector<Hunk> hunks;
    for (size_t k = 0; k < linesA.size(); ++k) {
        size_t endA = k + 1 < linesA.size() ? linesA[k + 1] : a.size();
        size_t endB = k + 1 < linesB.size() ? linesB[k + 1] : b.size();
        CompareLines(a, b, linesA[k], linesB[k], a.substr(linesA[k], endA - linesA[k]),
                     b.substr(linesB[k], endB - linesB[k]), hunks, aAt);
    }
    // The rules move blanks, never other characters: "m( z" became "m (z" by
    // a space put in and one taken out, though a "(" taken out and put in
    // after the space is as short.
    auto blank = [](char16_t unit) { return unit == u' ' || unit == kBoundSpace; };
    for (size_t k = 0; k + 1 < hunks.size(); ++k) {
        Hunk& first = hunks[k];
        Hunk& second = hunks[k + 1];
        if (first.lengthA == 1 && first.lengthB == 0 && second.lengthA == 0 &&
            second.lengthB == 1 && second.a == first.a + 2 && second.b == first.b + 1 &&
            a[first.a] == b[second.b] && blank(a[first.a + 1])) {
            aAt[first.b] = -1;
            aAt[first.b + 1] = static_cast<int64_t>(first.a);
            second = {first.a + 1, 1, first.b + 2, 0};
            first = {first.a, 0, first.b, 1};
        } else if (first.lengthA == 0 && first.lengthB == 1 && second.lengthA == 1 &&
                   second.lengthB == 0 && second.a == first.a + 1 && second.b == first.b + 2 &&
                   b[first.b] == a[second.a] && blank(a[first.a])) {
            aAt[first.b] = static_cast<int64_t>(first.a + 1);
            aAt[first.b + 1] = -1;
            second = {first.a + 2, 0, first.b + 1, 1};
            first = {first.a, 1, first.b, 0};
        }
    }
    return hunks;
}

// What the rules of the engine see of a unit.
uint16_t Code(std::u16string_view text, size_t position) {
    return position < text.size() ? UnicodeToInternal(text[position]) : 0;
}

bool IsDigitUnit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

bool IsQuoteUnit(char16_t unit) {
    return std::u16string_view(u"\"'„”“«»’‚‘").find(unit) != std::u16string_view::npos;
}

bool IsDashUnit(char16_t unit) {
    return unit == u'-' || unit == u'–' || unit == u'—';
}

// The word of `text` that ends at `end`, and the one that starts at `start`,
// as a word list's key " word " in the engine's code.
std::string KeyBefore(std::u16string_view text, size_t end) {
    size_t start = end;
    while (start > 0 && !Typography().classes.Is(Code(text, start - 1), kTypoBlank) &&
           text[start - 1] != kBoundSpace)
        --start;
    std::string key = " ";
    for (size_t k = start; k < end; ++k)
        key.push_back(static_cast<char>(Code(text, k)));
    return key + " ";
}

std::string KeyAfter(std::u16string_view text, size_t start) {
    std::string key = " ";
    for (size_t k = start; k < text.size(); ++k) {
        uint16_t code = Code(text, k);
        if (code >= 256 || !IsAlpha(static_cast<uint8_t>(code)))
            break;
        key.push_back(static_cast<char>(code));
    }
    return key + " ";
}

// The rule that binds the space at `b` of the corrected text, in the order the
// engine tries them.
const char* BindingRule(std::u16string_view b, size_t at) {
    const TypoSettings& settings = Typography().settings;
    char16_t before = at > 0 ? b[at - 1] : 0;
    char16_t after = at + 1 < b.size() ? b[at + 1] : 0;
    if (IsDashUnit(before))
        return "dash-binding";
    if (settings.nbspAfterWords && settings.afterWordsList.ContainsKey(KeyBefore(b, at)))
        return "after-words";
    if (IsDigitUnit(before))
        return "after-digits";
    if (settings.nbspBeforeWords && settings.beforeWordsList.ContainsKey(KeyAfter(b, at + 1)))
        return "before-words";
    if (IsDigitUnit(after))
        return "before-digits";
    return "before-roman";
}

// The rule a difference comes from, read from what changed and its
// neighbours, by the engine's own classes.
const char* RuleOf(const Hunk& hunk, std::u16string_view a, std::u16string_view b) {
    const TypoCharClasses& classes = Typography().classes;
    std::u16string_view from = a.substr(hunk.a, hunk.lengthA);
    std::u16string_view to = b.substr(hunk.b, hunk.lengthB);
    auto any = [](std::u16string_view units, bool (*test)(char16_t)) {
        return std::ranges::any_of(units, test);
    };
    if (any(from, IsQuoteUnit) && any(to, IsQuoteUnit))
        return "quotes";
    if (any(to, [](char16_t unit) { return unit == u'–' || unit == u'—'; }))
        return "dashes";
    if (from == u" " && to == u"\u00A0")
        return BindingRule(b, hunk.b);
    // Spaces taken out or put in; the neighbours say which rule.
    size_t edge = hunk.a + hunk.lengthA;
    uint16_t before = hunk.a > 0 ? Code(a, hunk.a - 1) : 0;
    uint16_t after = Code(a, edge);
    bool quoteBeside =
        (hunk.a > 0 && IsQuoteUnit(a[hunk.a - 1])) || (edge < a.size() && IsQuoteUnit(a[edge]));
    if (!from.empty() && from.find_first_not_of(u' ') != std::u16string_view::npos &&
        to.find_first_not_of(u' ') == std::u16string_view::npos)
        return "remove-chars";
    if (!from.empty() && from[0] == u' ' && (to.empty() || to[0] != u' ')) {
        if (before == ' ' || after == ' ' || from.starts_with(u"  "))
            return "repeated-spaces";
        uint16_t next = from.size() > 1 ? Code(from, 1) : after;
        if (classes.Is(next, kTypoRemoveSpaceBefore))
            return "remove-space-before";
        if (classes.Is(before, kTypoRemoveSpaceAfter))
            return "remove-space-after";
        return quoteBeside ? "quote-space-fix" : "remove-chars";
    }
    uint16_t first = from.empty() ? after : Code(from, 0);
    if (classes.Is(first, kTypoInsertSpaceBefore))
        return "insert-space-before";
    if (classes.Is(before, kTypoInsertSpaceAfter) || classes.Is(first, kTypoInsertSpaceAfter))
        return "insert-space-after";
    return quoteBeside ? "quote-space-fix" : "remove-chars";
}

}  // namespace

std::optional<Error> Typographer::Open(const TypographerOptions& options) {
    for (const auto& rule : options.rules) {
        if (std::ranges::none_of(kTypoRuleNames, [&](const NamedSetting& known) {
                return rule.first == known.name;
            }))
            return Error{"unknown typography rule '" + rule.first + "'", "", 0};
    }
    if (options.innerQuotes < 0 || options.innerQuotes > 3)
        return Error{"the inner quotation marks are 0, 1, 2 or 3", "", 0};
    UseSettingsInMemory("");
    SetStoreTarget(nullptr, kTypoSettingsSection);
    for (const auto& [name, on] : options.rules) {
        for (const NamedSetting& rule : kTypoRuleNames) {
            if (name == rule.name)
                PutInt(rule.key, on ? 1 : 0);
        }
    }
    PutInt(kTypoInnerQuoteKey, options.innerQuotes);
    PutInt(kTypoDashStyleKey, options.emDash ? kEmDash : kEnDash);
    TypoSettingsLoad();
    BuildTypoCharClasses();
    return std::nullopt;
}

TypoCorrection Typographer::Correct(std::string_view text) const {
    // U+001F is the story's way in for a discretionary hyphen: here it is a
    // control character like U+001E, passed over.
    const std::u16string units = Utf8ToUtf16(text);
    std::u16string original = units;
    std::ranges::replace(original, u'\x1f', static_cast<char16_t>(kTypoPassOver));
    // Where each unit starts in `text`, and its end.
    std::vector<size_t> byteAt;
    byteAt.reserve(original.size() + 1);
    for (size_t position = 0; position < text.size();) {
        size_t start = position;
        std::optional<char32_t> c = DecodeUtf8(text, position);
        byteAt.push_back(start);
        if (c && *c > 0xFFFF)
            byteAt.push_back(start);  // the second unit of a pair starts with the first
    }
    byteAt.push_back(text.size());

    BoxTextInfo info = Host().GetBoxTextInfo(Host().GetCurrentBox());
    XTStory story = info.story;
    Host().DeleteTextRange(story, 0, info.length);
    Host().SetTextSelection(story, 0, 0, false);
    Host().PutChars(story, 0, static_cast<int32_t>(original.size()),
                    reinterpret_cast<const uint16_t*>(original.data()));

    struct Left {
        int32_t position;
        const char* message;
    };
    std::vector<Left> left;
    Typography().quoteLeft = [&left](int32_t position, const char* message) {
        left.push_back({position, message});
        return true;
    };
    TypoPiece piece{.start = 0, .stop = static_cast<int32_t>(original.size())};
    RunTypographyPiece(piece);
    Typography().quoteLeft = nullptr;

    int32_t length = Host().GetBoxTextInfo(Host().GetCurrentBox()).length;
    std::u16string corrected(static_cast<size_t>(length), u' ');
    int32_t read = 0;
    Host().GetChars(story, 0, length, reinterpret_cast<uint16_t*>(corrected.data()), &read);
    corrected.resize(static_cast<size_t>(read));
    for (size_t i = 0; i < corrected.size(); ++i) {
        if (corrected[i] == u' ' && IsNoBreakMarked(story, static_cast<int32_t>(i)))
            corrected[i] = kBoundSpace;
    }

    std::vector<int64_t> aAt;
    std::vector<Hunk> hunks = Differences(original, corrected, aAt);
    TypoCorrection result;
    for (size_t j = 0; j < corrected.size(); ++j) {
        if (aAt[j] >= 0)
            corrected[j] = units[static_cast<size_t>(aAt[j])];
    }
    result.text = Utf16ToUtf8(corrected);
    for (const Hunk& hunk : hunks) {
        result.findings.push_back({.start = byteAt[hunk.a],
                                   .end = byteAt[hunk.a + hunk.lengthA],
                                   .replacement = Utf16ToUtf8(
                                       std::u16string_view(corrected).substr(hunk.b, hunk.lengthB)),
                                   .rule = RuleOf(hunk, original, corrected)});
    }
    for (const Left& mark : left) {
        auto at = static_cast<size_t>(mark.position);
        if (at >= aAt.size() || aAt[at] < 0)
            continue;
        auto unit = static_cast<size_t>(aAt[at]);
        result.findings.push_back(
            {.start = byteAt[unit],
             .end = byteAt[unit + 1],
             .replacement = std::string(text.substr(byteAt[unit], byteAt[unit + 1] - byteAt[unit])),
             .rule = "quotes",
             .message = mark.message});
    }
    std::ranges::stable_sort(result.findings, {}, &TypoFinding::start);
    return result;
}

}  // namespace tarnik::services
