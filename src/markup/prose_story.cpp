#include "markup/prose_story.h"

#include <algorithm>
#include <vector>
#include <optional>

#include "tarnik/text_codec.h"

namespace tarnik::markup {

namespace {

char16_t MarkOf(SpanKind kind) {
    switch (kind) {
        case SpanKind::kInline:
            return kInlineMark;
        case SpanKind::kObject:
            return kObjectMark;
        default:
            return kBreakMark;
    }
}

bool IsLetterUnit(char16_t unit) {
    if (unit < 0x80)
        return (unit >= 'a' && unit <= 'z') || (unit >= 'A' && unit <= 'Z');
    return unit >= 0xC0 && unit != 0xD7 && unit != 0xF7 && !IsMark(unit) &&
           (unit < 0x2000 || unit > 0x206F);
}

// The characters whose spelling TeX and nroff choose.
constexpr std::u16string_view kChosen = u"„”“–—\u00A0";

// How a character that is markup of the format is written as prose.
const char* MarkupEscape(TextFormat format, char16_t unit) {
    switch (format) {
        case TextFormat::kTex:
            switch (unit) {
                case u'%': return "\\%";
                case u'$': return "\\$";
                case u'&': return "\\&";
                case u'#': return "\\#";
                case u'_': return "\\_";
                case u'{': return "\\{";
                case u'}': return "\\}";
                case u'~': return "\\textasciitilde{}";
                case u'\\': return "\\textbackslash{}";
                default: return nullptr;
            }
        case TextFormat::kHtml:
        case TextFormat::kMarkdown:
            switch (unit) {
                case u'<': return "&lt;";
                case u'>': return "&gt;";
                case u'&': return "&amp;";
                default: return nullptr;
            }
        case TextFormat::kNroff:
            return unit == u'\\' ? "\\e" : nullptr;
        case TextFormat::kPlain:
            break;
    }
    return nullptr;
}

}  // namespace

const std::string* Spelling::EscapeOf(char16_t character) const {
    for (const Seen& seen : escapes_) {
        if (seen.character == character)
            return &seen.spelling;
    }
    return nullptr;
}

void Spelling::Observe(std::string_view line, const std::vector<Span>& spans) {
    if (format_ == TextFormat::kPlain)
        return;
    for (const Span& span : spans) {
        if (span.kind == SpanKind::kEscape) {
            // A letter or a mark beyond ASCII written as a reference (not the
            // spaces and soft hyphens that files in any encoding write so).
            if (span.decoded >= 0x80 && span.decoded != 0x00A0 && span.decoded != kSoftHyphen)
                referencesBeyondAscii_ = true;
            if (span.discretionary || EscapeOf(span.decoded) || escapes_.size() >= 64)
                continue;
            escapes_.push_back(
                {span.decoded, std::string(line.substr(span.begin, span.end - span.begin))});
        } else if (span.kind == SpanKind::kText) {
            std::string_view text = line.substr(span.begin, span.end - span.begin);
            for (size_t i = 0; i < text.size(); ++i) {
                if (static_cast<unsigned char>(text[i]) < 0x80)
                    continue;
                rawBeyondAscii_ = true;
                if (rawSeen_.size() == kChosen.size())
                    continue;
                size_t at = i;
                std::optional<char32_t> c = DecodeUtf8(text, at);
                if (c && kChosen.find(static_cast<char16_t>(*c)) != std::u16string_view::npos &&
                    rawSeen_.find(static_cast<char16_t>(*c)) == std::u16string::npos)
                    rawSeen_.push_back(static_cast<char16_t>(*c));
                i = at - 1;
            }
        }
    }
}

bool Spelling::Write(char16_t unit, std::string& out) const {
    // Only the characters the commands put in have spellings of their own; any
    // other (a word the spell check changed) is written as it is.
    static constexpr std::u16string_view kPutIn = u"„”“‚‘’«»–—\u00A0\u00AD";
    if (format_ == TextFormat::kPlain)
        return false;
    // A character that is markup in the format is never written bare.
    if (const char* escaped = MarkupEscape(format_, unit)) {
        const std::string* seen = EscapeOf(unit);
        out += seen ? *seen : escaped;
        return true;
    }
    if (kPutIn.find(unit) == std::u16string_view::npos)
        return false;
    if (const std::string* escape = EscapeOf(unit)) {
        out += *escape;
        return true;
    }
    bool raw = rawSeen_.find(unit) != std::u16string::npos;
    switch (format_) {
        case TextFormat::kTex: {
            if (raw)
                return false;
            const char* spelled = unit == 0x00A0 ? "~"
                                  : unit == u'„' ? ",,"
                                  : unit == u'”' ? "''"
                                  : unit == u'“' ? "``"
                                  : unit == u'–' ? "--"
                                  : unit == u'—' ? "---"
                                                 : nullptr;
            if (!spelled)
                return false;
            out += spelled;
            return true;
        }
        case TextFormat::kNroff: {
            if (raw)
                return false;
            const char* spelled = unit == 0x00A0 ? "\\~"
                                  : unit == u'„' ? "\\(Bq"
                                  : unit == u'”' ? "\\(rq"
                                  : unit == u'“' ? "\\(lq"
                                  : unit == u'–' ? "\\(en"
                                  : unit == u'—' ? "\\(em"
                                                 : nullptr;
            if (!spelled)
                return false;
            out += spelled;
            return true;
        }
        case TextFormat::kHtml:
        case TextFormat::kMarkdown:
            // A file in ASCII that writes its other characters as references.
            if (unit >= 0x80 && !rawBeyondAscii_ && referencesBeyondAscii_) {
                out += "&#" + std::to_string(unit) + ";";
                return true;
            }
            return false;
        case TextFormat::kPlain:
            break;
    }
    return false;
}

ProseStory::ProseStory(TextFormat format) : ProseStory(format, Options{}) {}

ProseStory::ProseStory(TextFormat format, Options options)
    : options_(options), spelling_(format) {}

void ProseStory::AddLine(std::string_view line, const std::vector<Span>& spans,
                         std::u16string& story) {
    spelling_.Observe(line, spans);
    // The first character of the prose after span `s` (0 for markup or none).
    auto nextProse = [&](size_t s) -> char16_t {
        if (s + 1 >= spans.size())
            return 0;
        const Span& next = spans[s + 1];
        if (next.kind == SpanKind::kEscape)
            return next.decoded;
        if (next.kind != SpanKind::kText)
            return 0;
        size_t at = next.begin;
        std::optional<char32_t> c = DecodeUtf8(line, at);
        return c && *c < 0x10000 ? static_cast<char16_t>(*c) : 0;
    };
    for (size_t s = 0; s < spans.size(); ++s) {
        const Span& span = spans[s];
        std::string_view bytes = line.substr(span.begin, span.end - span.begin);
        uint64_t index = base_ + old_.size();
        switch (span.kind) {
            case SpanKind::kText: {
                size_t from = old_.size();
                std::u16string units = Utf8ToUtf16(bytes);
                // A mark's own character in the prose is kept as markup of its
                // own; so, in hyphenation, is a soft hyphen that stands in no word
                // (a table's entry for the character): no point of a word's.
                for (size_t k = 0; k < units.size(); ++k) {
                    auto wordChar = [](char16_t u) {
                        return IsLetterUnit(u) || (u >= '0' && u <= '9');
                    };
                    bool lone = false;
                    if (options_.keepDiscretionaries && units[k] == kSoftHyphen) {
                        char16_t before = k > 0 ? units[k - 1] : old_.empty() ? 0 : old_.back();
                        char16_t after = k + 1 < units.size() ? units[k + 1] : nextProse(s);
                        lone = !wordChar(before) && !wordChar(after);
                    }
                    if (IsMark(units[k]) || lone) {
                        std::string spelled;
                        AppendUtf8(spelled, units[k]);
                        specials_.push_back({base_ + from + k, spelled, false});
                        units[k] = kObjectMark;
                    }
                }
                old_ += units;
                story += units;
                break;
            }
            case SpanKind::kEscape:
                old_.push_back(span.decoded);
                story.push_back(span.decoded);
                specials_.push_back({index, std::string(bytes), span.discretionary});
                break;
            default: {
                char16_t mark = MarkOf(span.kind);
                old_.push_back(mark);
                story.push_back(mark);
                specials_.push_back({index, std::string(bytes), false});
                break;
            }
        }
    }
}

const ProseStory::Special* ProseStory::SpecialAt(uint64_t index) const {
    // Specials are consumed in order: the first not consumed is the next.
    if (!specials_.empty() && specials_.front().index == index)
        return &specials_.front();
    return nullptr;
}

void ProseStory::FlushUnits(std::string& out, bool all) {
    if (units_.empty())
        return;
    size_t keep = 0;
    if (!all && units_.back() >= 0xD800 && units_.back() <= 0xDBFF)
        keep = 1;  // half of a pair: its other half comes next
    out += Utf16ToUtf8(std::u16string_view(units_).substr(0, units_.size() - keep));
    units_.erase(0, units_.size() - keep);
}

void ProseStory::WriteOld(size_t i, std::string& out) {
    uint64_t index = base_ + i;
    char16_t unit = old_[i];
    if (const Special* special = SpecialAt(index)) {
        FlushUnits(out, true);
        out += special->bytes;
        if (special->discretionary)
            discretionaryInWord_ = true;
        specials_.pop_front();
    } else {
        units_.push_back(unit);
    }
    if (!IsLetterUnit(unit) && unit != kSoftHyphen && unit != kInlineMark)
        discretionaryInWord_ = false;
}

void ProseStory::DropOld(size_t i, std::string& out) {
    if (const Special* special = SpecialAt(base_ + i)) {
        if (special->discretionary && options_.keepDiscretionaries) {
            FlushUnits(out, true);
            out += special->bytes;
            discretionaryInWord_ = true;
            specials_.pop_front();
            return;
        } else if (IsMark(old_[i])) {
            // Markup is never taken out: what the command dropped is written.
            FlushUnits(out, true);
            out += special->bytes;
            specials_.pop_front();
            return;
        }
        specials_.pop_front();
    }
    changed_ = true;
}

// Whether the word that goes on at old_[i] holds a writer's discretionary.
bool ProseStory::WordHoldsDiscretionary(size_t i) const {
    if (discretionaryInWord_)
        return true;
    auto special = specials_.begin();
    for (size_t k = i; k < old_.size() && k < i + 64; ++k) {
        char16_t unit = old_[k];
        uint64_t index = base_ + k;
        while (special != specials_.end() && special->index < index)
            ++special;
        if (special != specials_.end() && special->index == index && special->discretionary)
            return true;
        if (!IsLetterUnit(unit) && unit != kSoftHyphen && unit != kInlineMark)
            return false;
    }
    return false;
}

void ProseStory::WriteNew(char16_t unit, std::string& out) {
    if (unit == kSoftHyphen && options_.keepDiscretionaries && WordHoldsDiscretionary(matched_))
        return;
    changed_ = true;
    std::string spelled;
    if (spelling_.Write(unit, spelled)) {
        FlushUnits(out, true);
        out += spelled;
    } else {
        units_.push_back(unit);
    }
    if (!IsLetterUnit(unit) && unit != kSoftHyphen)
        discretionaryInWord_ = false;
}

// A character as the matching compares it, where the commands change one kind
// of character for another of its kind: a space bound, a quotation mark or a
// dash placed.
static char16_t Loosely(char16_t unit) {
    switch (unit) {
        case 0x00A0:
            return u' ';
        case u'„':
        case u'”':
        case u'“':
        case u'«':
        case u'»':
            return u'"';
        case u'’':
        case u'‘':
        case u'‚':
            return u'\'';
        case u'–':
        case u'—':
            return u'-';
        default:
            return unit;
    }
}

// How far a stretch that was taken out or put in is looked for, and how many
// units after it must agree.
constexpr size_t kReach = 64;
constexpr size_t kAgree = 8;

void ProseStory::Align(bool final, std::string& out) {
    size_t j = 0;
    size_t& i = matched_;
    constexpr char16_t kNone = 0xFFFF;
    // Whether old_ from `o` and pending_ from `n` agree for kAgree characters (or
    // to the end of both), spaces and soft hyphens aside on either side: the
    // commands put them in and take them out close together.
    auto agree = [&](size_t o, size_t n) {
        auto skippable = [](char16_t unit) {
            return unit == u' ' || unit == 0x00A0 || unit == kSoftHyphen;
        };
        size_t compared = 0;
        for (size_t steps = 0; compared < kAgree && steps < 4 * kAgree; ++steps) {
            while (o < old_.size() && skippable(old_[o]))
                ++o;
            while (n < pending_.size() && skippable(pending_[n]))
                ++n;
            bool oldEnds = o >= old_.size();
            bool newEnds = n >= pending_.size();
            if (oldEnds || newEnds)
                return oldEnds && newEnds && final;  // both at their ends
            if (Loosely(old_[o]) != Loosely(pending_[n]))
                return false;
            ++o;
            ++n;
            ++compared;
        }
        return compared >= kAgree;
    };
    while (j < pending_.size()) {
        char16_t n = pending_[j];
        bool matches = i < old_.size() && old_[i] == n;
        // A unit that matches needs nothing after it; any other waits until
        // enough follows to tell what was taken out or put in.
        if (!matches && !final && pending_.size() - j < kReach + kAgree + 1)
            break;
        char16_t n1 = j + 1 < pending_.size() ? pending_[j + 1] : kNone;
        if (i >= old_.size()) {
            WriteNew(n, out);
            ++j;
            continue;
        }
        char16_t o = old_[i];
        char16_t o1 = i + 1 < old_.size() ? old_[i + 1] : kNone;
        if (matches) {
            // A run that matches, up to the next escape or markup, goes out at once.
            uint64_t next = specials_.empty() ? UINT64_MAX : specials_.front().index;
            size_t run = 0;
            while (i + run < old_.size() && j + run < pending_.size() &&
                   base_ + i + run < next && old_[i + run] == pending_[j + run])
                ++run;
            if (run > 1) {
                for (size_t k = 0; k < run && discretionaryInWord_; ++k) {
                    char16_t unit = old_[i + k];
                    if (!IsLetterUnit(unit) && unit != kSoftHyphen && unit != kInlineMark)
                        discretionaryInWord_ = false;
                }
                units_.append(old_, i, run);
                if (units_.size() > (1u << 16))
                    FlushUnits(out, false);
                i += run;
                j += run;
                continue;
            }
            WriteOld(i, out);
            ++i;
            ++j;
            continue;
        }
        if (IsMark(o) && !IsMark(n)) {
            WriteNew(n, out);  // put in before the markup
            ++j;
            continue;
        }
        if (IsMark(n)) {
            DropOld(i, out);  // taken out before the markup
            ++i;
            continue;
        }
        if (n == kSoftHyphen) {
            WriteNew(n, out);  // soft hyphens come and go; letters stay where they are
            ++j;
            continue;
        }
        if (o == kSoftHyphen) {
            DropOld(i, out);
            ++i;
            continue;
        }
        // The shortest stretch taken out, or put in, after which the texts agree
        // again (a run of spaces shrunk to one, a word changed for another).
        // The usual edits first, told by the two units after them: one
        // character taken out (a repeated space), put in (a space after a
        // comma), or replaced (a space bound, a quotation mark placed).
        auto oldAt = [&](size_t k) { return k < old_.size() ? old_[k] : kNone; };
        auto newAt = [&](size_t k) { return k < pending_.size() ? pending_[k] : kNone; };
        if (o1 == n && Loosely(oldAt(i + 2)) == Loosely(n1) && !IsMark(o)) {
            DropOld(i, out);
            ++i;
            continue;
        }
        if (o == n1 && Loosely(oldAt(i + 1)) == Loosely(newAt(j + 2))) {
            WriteNew(n, out);
            ++j;
            continue;
        }
        if (Loosely(o1) == Loosely(n1) && Loosely(oldAt(i + 2)) == Loosely(newAt(j + 2))) {
            DropOld(i, out);
            ++i;
            WriteNew(n, out);
            ++j;
            continue;
        }
        // One character replaced when what follows agrees further on.
        if (agree(i + 1, j + 1)) {
            DropOld(i, out);
            ++i;
            WriteNew(n, out);
            ++j;
            continue;
        }
        // A run of spaces taken out whole (repeated spaces shrunk to none before
        // a character that stayed).
        if ((o == u' ' || o == 0x00A0) && n != u' ' && n != 0x00A0) {
            size_t k = i;
            while (k < old_.size() && (old_[k] == u' ' || old_[k] == 0x00A0))
                ++k;
            if (k - i > 1 && k < old_.size() && old_[k] == n) {
                for (; i < k; ++i)
                    DropOld(i, out);
                continue;
            }
        }
        // Markup is never taken out or put in: a stretch stops before a mark.
        size_t taken = 0;
        size_t put = 0;
        bool takeOn = true;
        bool putOn = true;
        for (size_t d = 1; d <= kReach && !taken && !put && (takeOn || putOn); ++d) {
            takeOn = takeOn && i + d <= old_.size() && !IsMark(old_[i + d - 1]);
            putOn = putOn && j + d <= pending_.size() && !IsMark(pending_[j + d - 1]);
            if (takeOn && agree(i + d, j))
                taken = d;
            else if (putOn && agree(i, j + d))
                put = d;
        }
        if (taken) {
            for (size_t k = 0; k < taken; ++k, ++i)
                DropOld(i, out);
            continue;
        }
        if (put) {
            for (size_t k = 0; k < put; ++k, ++j)
                WriteNew(pending_[j], out);
            continue;
        }
        // Edits close together (a space put in, another taken out, a mark
        // placed, all within a few characters): the cheapest alignment of the
        // next stretch of both, whose first half is carried out.
        AlignWindow(i, j, out);
    }
    pending_.erase(0, j);
    if (final) {
        while (i < old_.size()) {
            DropOld(i, out);
            ++i;
        }
    }
    FlushUnits(out, final);
    Trim();
}

void ProseStory::AlignWindow(size_t& i, size_t& j, std::string& out) {
    constexpr size_t kWindow = 32;
    constexpr uint32_t kNever = 1u << 28;
    const size_t rows = std::min(kWindow, old_.size() - i);
    const size_t columns = std::min(kWindow, pending_.size() - j);
    std::vector<uint32_t> cost((rows + 1) * (columns + 1), kNever);
    auto at = [&](size_t a, size_t b) -> uint32_t& { return cost[a * (columns + 1) + b]; };
    // Taking out or putting in a character costs 2, markup never; a character
    // for another of its kind 1, for any other 3.
    auto gap = [](char16_t unit) { return IsMark(unit) ? kNever : 2u; };
    auto pair = [](char16_t x, char16_t y) {
        if (x == y)
            return 0u;
        if (IsMark(x) || IsMark(y))
            return kNever;
        return Loosely(x) == Loosely(y) ? 1u : 3u;
    };
    at(0, 0) = 0;
    for (size_t a = 0; a <= rows; ++a) {
        for (size_t b = 0; b <= columns; ++b) {
            uint32_t best = a == 0 && b == 0 ? 0 : kNever;
            if (a > 0)
                best = std::min(best, at(a - 1, b) + gap(old_[i + a - 1]));
            if (b > 0)
                best = std::min(best, at(a, b - 1) + gap(pending_[j + b - 1]));
            if (a > 0 && b > 0)
                best = std::min(best, at(a - 1, b - 1) + pair(old_[i + a - 1], pending_[j + b - 1]));
            at(a, b) = std::min(best, kNever);
        }
    }
    // The far end is free: the best cell of the last row or column.
    size_t endA = rows;
    size_t endB = columns;
    for (size_t b = 0; b <= columns; ++b) {
        if (at(rows, b) < at(endA, endB))
            endA = rows, endB = b;
    }
    for (size_t a = 0; a <= rows; ++a) {
        if (at(a, columns) < at(endA, endB))
            endA = a, endB = columns;
    }
    // Back to the start: 0 a match or replacement, 1 taken out, 2 put in.
    std::vector<uint8_t> steps;
    for (size_t a = endA, b = endB; a > 0 || b > 0;) {
        uint32_t here = at(a, b);
        if (a > 0 && b > 0 && here == at(a - 1, b - 1) + pair(old_[i + a - 1], pending_[j + b - 1])) {
            steps.push_back(0);
            --a;
            --b;
        } else if (a > 0 && here == at(a - 1, b) + gap(old_[i + a - 1])) {
            steps.push_back(1);
            --a;
        } else {
            steps.push_back(2);
            --b;
        }
    }
    // The first half, at least one step.
    size_t done = 0;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step, ++done) {
        if (done > 0 && done >= kWindow / 2)
            break;
        if (*step == 0) {
            if (old_[i] == pending_[j]) {
                WriteOld(i, out);
            } else {
                DropOld(i, out);
                WriteNew(pending_[j], out);
            }
            ++i;
            ++j;
        } else if (*step == 1) {
            DropOld(i, out);
            ++i;
        } else {
            WriteNew(pending_[j], out);
            ++j;
        }
    }
}

void ProseStory::Trim() {
    if (matched_ < (1u << 16) || matched_ < old_.size() / 2)
        return;
    old_.erase(0, matched_);
    base_ += matched_;
    matched_ = 0;
}

void ProseStory::Take(std::u16string_view corrected, std::string& out) {
    pending_ += corrected;
    Align(false, out);
}

void ProseStory::Finish(std::string& out) {
    Align(true, out);
}

}  // namespace tarnik::markup
