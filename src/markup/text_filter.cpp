#include "markup/text_filter.h"

#include "charsets/internal_code.h"
#include "tarnik/text_codec.h"

namespace tarnik::markup {

namespace {

constexpr uint16_t kBlank = u' ';

char LowerCode(uint16_t c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
}

bool IsAsciiLetterCode(uint16_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Space, tab and the other control characters (not the discretionary hyphen,
// 0x1F, which lies inside words), and the no-break space.
bool IsSpaceCode(uint16_t c) {
    return (c <= 0x20 && c != 0x1F) || c == 0xA0;
}

// Whether the token (a run without spaces) is a URL, an e-mail address or a file
// path.
bool IsAddress(std::u16string_view token) {
    auto starts = [&](std::u16string_view prefix) {
        if (token.size() < prefix.size())
            return false;
        for (size_t i = 0; i < prefix.size(); ++i) {
            if (LowerCode(token[i]) != static_cast<char>(prefix[i]))
                return false;
        }
        return true;
    };
    // Brackets and quotation marks before it do not hide it.
    while (!token.empty() && (token[0] == '(' || token[0] == '[' || token[0] == '<' ||
                              token[0] == '"' || token[0] == '\'' || token[0] == 0x84 ||
                              token[0] == 0x93 || token[0] == 0xBB || token[0] == 0xAB)) {
        token.remove_prefix(1);
    }
    if (token.find(u"://") != std::u16string_view::npos)
        return true;
    if (starts(u"www.") || starts(u"mailto:"))
        return true;
    size_t at = token.find(u'@');
    if (at != std::u16string_view::npos && at > 0 &&
        token.find(u'.', at + 2) != std::u16string_view::npos) {
        return true;
    }
    if (token.size() >= 2 && token[0] == '/' && !IsSpaceCode(token[1]) && token[1] != '/')
        return true;
    if (starts(u"~/") || starts(u"./") || starts(u"../"))
        return true;
    return token.size() >= 3 && IsAsciiLetterCode(token[0]) && token[1] == ':' &&
           token[2] == '\\';
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

TextFilter::TextFilter(TextFormat format, bool checkAddresses)
    : reader_(format), checkAddresses_(checkAddresses) {}

void TextFilter::SetFormat(TextFormat format) {
    reader_.SetFormat(format);
}

void TextFilter::Filter(std::string_view line, ProseLine& prose) {
    prose.units.clear();
    prose.codes.clear();
    prose.columns.clear();
    reader_.ReadLine(line, spans_);
    int64_t column = 0;
    size_t counted = 0;  // bytes of the line counted into `column`
    auto columnAt = [&](size_t byte) {
        for (; counted < byte; ++counted)
            column += IsContinuationByte(line[counted]) ? 0 : 1;
        return column;
    };
    for (const Span& span : spans_) {
        int64_t at = columnAt(span.begin);
        switch (span.kind) {
            case SpanKind::kText: {
                std::string_view bytes = line.substr(span.begin, span.end - span.begin);
                if (bytes == "\n" || bytes == "\r\n")
                    break;  // the line's end
                size_t from = prose.units.size();
                prose.units += Utf8ToUtf16(bytes);
                int64_t c = at;
                for (size_t k = from; k < prose.units.size(); ++k) {
                    char16_t unit = prose.units[k];
                    prose.columns.push_back(c);
                    prose.codes.push_back(StoryUnitToInternal(unit));
                    if (unit < 0xD800 || unit > 0xDBFF)
                        ++c;
                }
                break;
            }
            case SpanKind::kEscape:
                prose.units.push_back(span.decoded);
                prose.codes.push_back(StoryUnitToInternal(span.decoded));
                prose.columns.push_back(at);
                break;
            case SpanKind::kInline:
                break;
            case SpanKind::kObject:
            case SpanKind::kBreak:
                prose.units.push_back(u' ');
                prose.codes.push_back(kBlank);
                prose.columns.push_back(at);
                break;
        }
    }
    // The line's length, without its end.
    size_t content = line.size();
    if (content > 0 && line[content - 1] == '\n')
        --content;
    if (content > 0 && line[content - 1] == '\r')
        --content;
    prose.columns.push_back(columnAt(content));
    if (!checkAddresses_)
        BlankAddresses(prose);
}

void TextFilter::BlankAddresses(ProseLine& prose) const {
    std::u16string& codes = prose.codes;
    size_t i = 0;
    while (i < codes.size()) {
        while (i < codes.size() && IsSpaceCode(codes[i]))
            ++i;
        size_t start = i;
        while (i < codes.size() && !IsSpaceCode(codes[i]))
            ++i;
        if (i > start && IsAddress(std::u16string_view(codes).substr(start, i - start))) {
            for (size_t k = start; k < i; ++k)
                codes[k] = kBlank;
        }
    }
}

}  // namespace tarnik::markup
