// HTML and XML: tags (but for the values of the attributes that hold prose:
// alt, title, placeholder, aria-label), comments, declarations and the content
// of script, style, code, pre and their kin are markup; character references
// are read as the characters they stand for.
#include <algorithm>
#include <array>
#include <string>

#include "markup/format_reader.h"

namespace tarnik::markup {

namespace {

template <size_t N>
bool IsOneOf(std::string_view name, const std::array<std::string_view, N>& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

struct NamedEntity {
    std::string_view name;
    char16_t character;
};

// The named references of prose: the markup characters, spaces and dashes,
// quotation marks, and the Latin letters with the marks Polish uses.
constexpr NamedEntity kEntities[] = {
    {"amp", u'&'},    {"lt", u'<'},     {"gt", u'>'},     {"quot", u'"'},     {"apos", u'\''},
    {"nbsp", 0x00A0}, {"shy", 0x00AD},  {"ndash", u'–'},  {"mdash", u'—'},    {"hellip", u'…'},
    {"bdquo", u'„'},  {"rdquo", u'”'},  {"ldquo", u'“'},  {"lsquo", u'‘'},    {"rsquo", u'’'},
    {"sbquo", u'‚'},  {"laquo", u'«'},  {"raquo", u'»'},  {"copy", u'©'},     {"reg", u'®'},
    {"trade", u'™'},  {"deg", u'°'},    {"middot", u'·'}, {"bull", u'•'},     {"times", u'×'},
    {"euro", u'€'},   {"sect", u'§'},   {"para", u'¶'},   {"thinsp", 0x2009}, {"ensp", 0x2002},
    {"emsp", 0x2003}, {"zwnj", 0x200C}, {"oacute", u'ó'}, {"Oacute", u'Ó'},   {"aacute", u'á'},
    {"eacute", u'é'}, {"iacute", u'í'}, {"uacute", u'ú'}, {"auml", u'ä'},     {"ouml", u'ö'},
    {"uuml", u'ü'},   {"Auml", u'Ä'},   {"Ouml", u'Ö'},   {"Uuml", u'Ü'},     {"szlig", u'ß'},
    {"aogon", u'ą'},  {"Aogon", u'Ą'},  {"eogon", u'ę'},  {"Eogon", u'Ę'},    {"cacute", u'ć'},
    {"Cacute", u'Ć'}, {"lstrok", u'ł'}, {"Lstrok", u'Ł'}, {"nacute", u'ń'},   {"Nacute", u'Ń'},
    {"sacute", u'ś'}, {"Sacute", u'Ś'}, {"zacute", u'ź'}, {"Zacute", u'Ź'},   {"zdot", u'ż'},
    {"Zdot", u'Ż'},   {"ccaron", u'č'}, {"scaron", u'š'}, {"zcaron", u'ž'},   {"iexcl", u'¡'},
    {"iquest", u'¿'}, {"minus", u'−'},  {"prime", u'′'},
};

// Elements whose content is no prose: kObject inside a sentence, kBreak between
// blocks.
SpanKind RawElementKind(std::string_view name, bool& raw) {
    static constexpr std::array<std::string_view, 14> kInSentence = {
        "code",           "kbd",     "samp",     "var",     "tt",
        "literal",        "command", "filename", "option",  "userinput",
        "computeroutput", "envar",   "varname",  "function"};
    static constexpr std::array<std::string_view, 11> kBlocks = {
        "script",   "style", "pre", "textarea", "programlisting", "screen", "literallayout",
        "synopsis", "math",  "svg", "xmp"};
    raw = true;
    if (IsOneOf(name, kInSentence))
        return SpanKind::kObject;
    if (IsOneOf(name, kBlocks))
        return SpanKind::kBreak;
    raw = false;
    return HtmlTagKind(name);
}

bool IsProseAttribute(std::string_view name) {
    return name == "alt" || name == "title" || name == "placeholder" || name == "aria-label";
}

class HtmlReader : public FormatReader {
  public:
    void Line(std::string_view line, SpanSink& out) override;

  private:
    enum class State { kText, kTag, kValue, kComment, kDeclaration, kCData, kRaw };
    size_t Text(std::string_view line, size_t i, SpanSink& out);
    size_t Tag(std::string_view line, size_t i, SpanSink& out);
    size_t Value(std::string_view line, size_t i, SpanSink& out);
    void TagEnds();

    State state_ = State::kText;
    SpanKind tagKind_ = SpanKind::kInline;
    std::string tagName_;
    bool closing_ = false;
    bool selfClosing_ = false;
    std::string attribute_;
    bool afterEquals_ = false;
    char quote_ = 0;
    bool proseValue_ = false;
    std::string raw_;   // the element whose content is skipped
    int rawDepth_ = 0;  // the same element opened again inside it
    SpanKind rawKind_ = SpanKind::kBreak;
};

void HtmlReader::TagEnds() {
    state_ = State::kText;
    bool raw = false;
    SpanKind kind = RawElementKind(tagName_, raw);
    if (raw && !closing_ && !selfClosing_) {
        raw_ = tagName_;
        rawDepth_ = 0;
        rawKind_ = kind;
        state_ = State::kRaw;
    }
}

// From '<' or from the middle of a tag, to the tag's end, or to the start of a
// prose value; the tag's bytes are of tagKind_.
size_t HtmlReader::Tag(std::string_view line, size_t i, SpanSink& out) {
    size_t start = i;
    while (i < line.size()) {
        char c = line[i];
        if (c == '>') {
            ++i;
            out.Add(start, i, tagKind_);
            TagEnds();
            return i;
        }
        if (c == '"' || c == '\'') {
            quote_ = c;
            proseValue_ = IsProseAttribute(attribute_) && afterEquals_;
            attribute_.clear();
            afterEquals_ = false;
            // Around a value of prose the tag keeps it apart from the text beside
            // the tag: <a title="Opis">link</a> holds two words.
            if (proseValue_ && tagKind_ == SpanKind::kInline)
                tagKind_ = SpanKind::kObject;
            ++i;
            out.Add(start, i, tagKind_);
            state_ = State::kValue;
            return i;
        }
        if (c == '=') {
            afterEquals_ = true;
        } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '>') {
            selfClosing_ = true;
        } else if (IsBlankByte(c)) {
            if (!afterEquals_)
                attribute_.clear();
        } else if (afterEquals_) {
            // An unquoted value.
            afterEquals_ = false;
            while (i < line.size() && !IsBlankByte(line[i]) && line[i] != '>')
                ++i;
            attribute_.clear();
            continue;
        } else if (attribute_.size() < 16) {
            attribute_.push_back(LowerAscii(c));
        }
        ++i;
    }
    out.Add(start, i, tagKind_);
    return i;
}

// An attribute's value from `i` to its quotation mark.
size_t HtmlReader::Value(std::string_view line, size_t i, SpanSink& out) {
    while (i < line.size()) {
        char c = line[i];
        if (c == quote_) {
            out.Add(i, i + 1, tagKind_);
            state_ = State::kTag;
            return i + 1;
        }
        if (!proseValue_) {
            size_t end = line.find(quote_, i);
            if (end == std::string_view::npos)
                end = line.size();
            out.Add(i, end, tagKind_);
            i = end;
            continue;
        }
        if (c == '&') {
            if (size_t length = AddEntity(line, i, line.size(), out)) {
                i += length;
                continue;
            }
        }
        out.Add(i, i + 1, SpanKind::kText);
        ++i;
    }
    return i;
}

size_t HtmlReader::Text(std::string_view line, size_t i, SpanSink& out) {
    while (i < line.size()) {
        char c = line[i];
        if (c == '&') {
            if (size_t length = AddEntity(line, i, line.size(), out)) {
                i += length;
                continue;
            }
        }
        if (c == '<' && i + 1 < line.size()) {
            std::string_view rest = line.substr(i + 1);
            if (rest.starts_with("!--")) {
                out.Add(i, i + 4, SpanKind::kInline);
                state_ = State::kComment;
                return i + 4;
            }
            if (rest.starts_with("![CDATA[")) {
                out.Add(i, i + 9, SpanKind::kBreak);
                state_ = State::kCData;
                return i + 9;
            }
            if (rest[0] == '!' || rest[0] == '?') {
                out.Add(i, i + 2, SpanKind::kBreak);
                state_ = State::kDeclaration;
                return i + 2;
            }
            bool closing = rest[0] == '/';
            size_t name = i + 1 + (closing ? 1 : 0);
            if (name < line.size() && IsAsciiLetter(line[name])) {
                size_t end = name;
                while (end < line.size() &&
                       (IsAsciiLetter(line[end]) || IsAsciiDigit(line[end]) || line[end] == '-' ||
                        line[end] == ':' || line[end] == '_' || line[end] == '.'))
                    ++end;
                tagName_.clear();
                for (size_t k = name; k < end && tagName_.size() < 32; ++k)
                    tagName_.push_back(LowerAscii(line[k]));
                // A namespace prefix does not change what the element is.
                if (size_t colon = tagName_.find(':'); colon != std::string::npos)
                    tagName_.erase(0, colon + 1);
                closing_ = closing;
                selfClosing_ = false;
                attribute_.clear();
                afterEquals_ = false;
                bool raw = false;
                tagKind_ = RawElementKind(tagName_, raw);
                state_ = State::kTag;
                out.Add(i, end, tagKind_);
                return end;
            }
        }
        out.Add(i, i + 1, SpanKind::kText);
        ++i;
    }
    return i;
}

void HtmlReader::Line(std::string_view line, SpanSink& out) {
    size_t i = 0;
    while (i < line.size()) {
        size_t start = i;
        switch (state_) {
            case State::kText:
                i = Text(line, i, out);
                break;
            case State::kTag:
                i = Tag(line, i, out);
                break;
            case State::kValue:
                i = Value(line, i, out);
                break;
            case State::kComment:
            case State::kCData:
            case State::kDeclaration: {
                std::string_view end = state_ == State::kComment ? "-->"
                                       : state_ == State::kCData ? "]]>"
                                                                 : ">";
                size_t at = line.find(end, i);
                i = at == std::string_view::npos ? line.size() : at + end.size();
                out.Add(start, i, state_ == State::kComment ? SpanKind::kInline : SpanKind::kBreak);
                if (at != std::string_view::npos)
                    state_ = State::kText;
                break;
            }
            case State::kRaw: {
                // Up to the "</NAME" that closes the element; the same element
                // may open again inside it (<code><em><code>X</code></em>y</code>).
                auto nameAt = [&](size_t at) {
                    size_t k = 0;
                    while (k < raw_.size() && at + k < line.size() &&
                           LowerAscii(line[at + k]) == raw_[k])
                        ++k;
                    size_t after = at + k;
                    return k == raw_.size() &&
                           (after >= line.size() || line[after] == '>' || IsBlankByte(line[after]));
                };
                size_t at = i;
                bool found = false;
                while ((at = line.find('<', at)) != std::string_view::npos) {
                    if (at + 1 < line.size() && line[at + 1] == '/' && nameAt(at + 2)) {
                        if (rawDepth_ == 0) {
                            found = true;
                            break;
                        }
                        --rawDepth_;
                    } else if (raw_ != "script" && raw_ != "style" && nameAt(at + 1)) {
                        ++rawDepth_;
                    }
                    ++at;
                }
                if (!found) {
                    out.Add(start, line.size(), rawKind_);
                    i = line.size();
                    break;
                }
                out.Add(start, at + 2 + raw_.size(), rawKind_);
                i = at + 2 + raw_.size();
                tagName_ = raw_;
                tagKind_ = rawKind_;
                closing_ = true;
                attribute_.clear();
                afterEquals_ = false;
                state_ = State::kTag;
                break;
            }
        }
    }
}

}  // namespace

size_t AddEntity(std::string_view line, size_t at, size_t to, SpanSink& out) {
    char16_t decoded = 0;
    size_t length = ReadEntity(line, at, decoded);
    if (length == 0 || at + length > to)
        return 0;
    if (decoded)
        out.Escape(at, at + length, decoded);
    else
        out.Add(at, at + length, SpanKind::kObject);
    return length;
}

size_t ReadEntity(std::string_view line, size_t at, char16_t& decoded) {
    decoded = 0;
    size_t i = at + 1;
    if (i < line.size() && line[i] == '#') {
        ++i;
        bool hex = i < line.size() && (line[i] == 'x' || line[i] == 'X');
        if (hex)
            ++i;
        uint32_t value = 0;
        size_t digits = 0;
        while (i < line.size() && digits < 8) {
            char c = line[i];
            int digit = IsAsciiDigit(c) ? c - '0'
                        : hex && LowerAscii(c) >= 'a' && LowerAscii(c) <= 'f'
                            ? LowerAscii(c) - 'a' + 10
                            : -1;
            if (digit < 0)
                break;
            value = value * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
            ++digits;
            ++i;
        }
        if (digits == 0 || i >= line.size() || line[i] != ';')
            return 0;
        if (value > 0 && value < 0xD800)
            decoded = static_cast<char16_t>(value);
        else if (value >= 0xE000 && value <= 0xFFFD)
            decoded = static_cast<char16_t>(value);
        return i + 1 - at;
    }
    size_t start = i;
    while (i < line.size() && i - start < 32 && (IsAsciiLetter(line[i]) || IsAsciiDigit(line[i])))
        ++i;
    if (i == start || i >= line.size() || line[i] != ';')
        return 0;
    std::string_view name = line.substr(start, i - start);
    for (const NamedEntity& entity : kEntities) {
        if (entity.name == name) {
            decoded = entity.character;
            break;
        }
    }
    return i + 1 - at;
}

SpanKind HtmlTagKind(std::string_view name) {
    static constexpr std::array<std::string_view, 44> kInline = {
        "a",      "abbr",      "acronym",     "b",         "bdi",       "bdo",
        "big",    "cite",      "data",        "del",       "dfn",       "em",
        "font",   "i",         "ins",         "label",     "mark",      "q",
        "s",      "small",     "span",        "strike",    "strong",    "sub",
        "sup",    "time",      "u",           "wbr",       "emphasis",  "quote",
        "link",   "ulink",     "xref",        "firstterm", "glossterm", "foreignphrase",
        "phrase", "citetitle", "productname", "acronym",   "trademark", "nobr",
        "ruby",   "bold"};
    if (IsOneOf(name, kInline))
        return SpanKind::kInline;
    if (name == "img" || name == "input" || name == "button" || name == "br" || name == "object")
        return name == "br" ? SpanKind::kBreak : SpanKind::kObject;
    return SpanKind::kBreak;
}

std::unique_ptr<FormatReader> MakeHtmlReader() {
    return std::make_unique<HtmlReader>();
}

}  // namespace tarnik::markup
