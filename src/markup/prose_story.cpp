#include "markup/prose_story.h"

#include <algorithm>

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
    if (format_ == TextFormat::kPlain)
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
    : format_(format), options_(options), spelling_(format) {}

void ProseStory::AddLine(std::string_view line, const std::vector<Span>& spans,
                         std::u16string& story) {
    spelling_.Observe(line, spans);
    for (const Span& span : spans) {
        std::string_view bytes = line.substr(span.begin, span.end - span.begin);
        uint64_t index = base_ + old_.size();
        switch (span.kind) {
            case SpanKind::kText: {
                size_t from = old_.size();
                std::u16string units = Utf8ToUtf16(bytes);
                // A mark's own character in the prose is kept as markup of its own.
                for (size_t k = 0; k < units.size(); ++k) {
                    if (IsMark(units[k])) {
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

void ProseStory::Align(bool final, std::string& out) {
    size_t j = 0;
    size_t& i = matched_;
    constexpr char16_t kNone = 0xFFFF;
    while (j < pending_.size()) {
        char16_t n = pending_[j];
        bool hasNext = j + 1 < pending_.size();
        // A unit that matches needs nothing after it; any other waits for the
        // next to be told apart.
        if (!hasNext && !final && !(i < old_.size() && old_[i] == n))
            break;
        char16_t n1 = hasNext ? pending_[j + 1] : kNone;
        if (i >= old_.size()) {
            WriteNew(n, out);
            ++j;
            continue;
        }
        char16_t o = old_[i];
        char16_t o1 = i + 1 < old_.size() ? old_[i + 1] : kNone;
        if (o == n) {
            WriteOld(i, out);
            ++i;
            ++j;
        } else if (IsMark(o) && !IsMark(n)) {
            WriteNew(n, out);  // put in before the markup
            ++j;
        } else if (IsMark(n) || o1 == n) {
            DropOld(i, out);  // taken out
            ++i;
        } else if (o == n1) {
            WriteNew(n, out);  // put in
            ++j;
        } else {
            // Replaced: the old character goes, the new one is written.
            DropOld(i, out);
            ++i;
            WriteNew(n, out);
            ++j;
        }
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
