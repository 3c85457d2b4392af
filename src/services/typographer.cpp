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

// How far the two texts are searched for the place where they agree again
// after a difference: the engine's edits are of one or two characters, and a
// run of deleted spaces may be long.
constexpr size_t kMaxEditCost = 16;
constexpr size_t kMaxDeletedRun = 4096;
// Characters that must agree for the texts to be in step again.
constexpr size_t kInStep = 4;

// A difference between the text and its correction: units [a, a + lengthA) of
// the one became [b, b + lengthB) of the other.
struct Hunk {
    size_t a = 0;
    size_t lengthA = 0;
    size_t b = 0;
    size_t lengthB = 0;
};

bool InStep(std::u16string_view a, size_t i, std::u16string_view b, size_t j) {
    for (size_t k = 0; k < kInStep; ++k) {
        if (i + k == a.size() || j + k == b.size())
            return i + k == a.size() && j + k == b.size();
        if (a[i + k] != b[j + k])
            return false;
    }
    return true;
}

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

// The differences between `a` and `b`, walking both and, where they differ,
// taking the fewest units out of either that bring them back in step; `aAt`
// receives for each unit of `b` the unit of `a` it stands for (or -1).
std::vector<Hunk> Differences(std::u16string_view a, std::u16string_view b,
                              std::vector<int64_t>& aAt) {
    std::vector<Hunk> hunks;
    aAt.assign(b.size(), -1);
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && j < b.size() && a[i] == b[j]) {
            aAt[j++] = static_cast<int64_t>(i++);
            continue;
        }
        Hunk hunk{i, a.size() - i, j, b.size() - j};  // unless they come back in step
        bool found = false;
        for (size_t cost = 1; cost <= kMaxEditCost && !found; ++cost) {
            for (size_t dj = 0; dj <= cost && !found; ++dj) {
                size_t di = cost - dj;
                if (i + di <= a.size() && j + dj <= b.size() && InStep(a, i + di, b, j + dj)) {
                    hunk.lengthA = di;
                    hunk.lengthB = dj;
                    found = true;
                }
            }
        }
        for (size_t di = kMaxEditCost; !found && di <= kMaxDeletedRun && i + di <= a.size(); ++di) {
            for (size_t dj = 0; dj <= 1 && !found; ++dj) {
                if (j + dj <= b.size() && InStep(a, i + di, b, j + dj)) {
                    hunk.lengthA = di;
                    hunk.lengthB = dj;
                    found = true;
                }
            }
        }
        AddHunk(a, b, hunk, hunks);
        i += hunk.lengthA;
        j += hunk.lengthB;
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

// The word of `text` that ends before `end` (going back) or starts at `start`,
// as a word list's key " word " in the engine's code.
std::string KeyBefore(std::u16string_view text, size_t end) {
    size_t start = end;
    while (start > 0 && Typography().classes.Is(Code(text, start - 1), kTypoBlank) == false &&
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
    for (const auto& [name, on] : options.rules) {
        if (std::ranges::none_of(kTypoRuleNames,
                                 [&](const NamedSetting& rule) { return name == rule.name; }))
            return Error{"unknown typography rule '" + name + "'", "", 0};
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
    const std::u16string original = Utf8ToUtf16(text);
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

    TypoCorrection result;
    result.text = Utf16ToUtf8(corrected);
    std::vector<int64_t> aAt;
    std::vector<Hunk> hunks = Differences(original, corrected, aAt);
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
