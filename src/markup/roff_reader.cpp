// nroff and troff (manual pages among them): control lines (the request's name,
// the whole line of requests that take no prose, the quotation marks around
// arguments), comments and escapes are markup; the escapes of characters
// (\(em \[lq] \- \~ \%) are read as the characters they stand for, and the
// examples between .EX and .EE are skipped.
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

// Requests whose arguments are not prose.
bool IsSkippedRequest(std::string_view name) {
    static constexpr std::array<std::string_view, 56> kSkipped = {
        "TH", "ft", "ps", "sp", "in", "ti", "ll", "nr", "so", "ne", "bp", "br", "fi", "nf",
        "ad", "na", "hy", "nh", "ta", "tr", "ie", "if", "el", "de", "am", "ds", "rm", "ig",
        "pl", "po", "vs", "ls", "ce", "ul", "cu", "RS", "RE", "IX", "PD", "UR", "UE", "MT",
        "ME", "hw", "mso", "EX", "EE", "TP", "HP", "PP", "LP", "P", "ss", "cs", "fam", "lf"};
    return IsOneOf(name, kSkipped) || name == "als" || name == "rn" || name == "ev" ||
           name == "OP" || name == "SY" || name == "YS" || name == "TS" || name == "TE" ||
           name == "T&" || name == "Dd" || name == "Dt" || name == "Os" || name == "Nm" ||
           name == "Fl" || name == "Ar" || name == "Xr" || name == "Pa" || name == "Lk" ||
           name == "Mt" || name == "Ev" || name == "Cm" || name == "Ic" || name == "Fn";
}

struct Glyph {
    std::string_view name;
    char16_t character;
};

constexpr Glyph kGlyphs[] = {
    {"em", u'—'}, {"en", u'–'}, {"lq", u'“'}, {"rq", u'”'}, {"Bq", u'„'}, {"bq", u'‚'},
    {"oq", u'‘'}, {"cq", u'’'}, {"aq", u'\''}, {"dq", u'"'}, {"hy", u'-'}, {"co", u'©'},
    {"rg", u'®'}, {"tm", u'™'}, {"de", u'°'}, {"mu", u'×'}, {"Fo", u'«'}, {"Fc", u'»'},
    {"fo", u'‹'}, {"fc", u'›'}, {"bu", u'•'}, {"ha", u'^'}, {"ti", u'~'}, {"rs", u'\\'},
    {"at", u'@'}, {"sh", u'#'}, {"Do", u'$'}, {"sl", u'/'}, {"ga", u'`'}, {"pc", u'·'},
    {"ss", u'ß'}, {"-D", u'Đ'}, {"%", kSoftHyphen}};

char16_t GlyphCharacter(std::string_view name) {
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.name == name)
            return glyph.character;
    }
    return 0;
}

class RoffReader : public FormatReader {
  public:
    void Line(std::string_view line, SpanSink& out) override;

  private:
    // The escape at `i` (a backslash): returns where it ends.
    size_t Escape(std::string_view line, size_t i, SpanSink& out);
    // Prose with escapes in [i, to); a request's quoted arguments when
    // `arguments`.
    void Text(std::string_view line, size_t i, size_t to, bool arguments, SpanSink& out);

    bool example_ = false;   // between .EX and .EE (or .nf of a display)
    bool ignoring_ = false;  // between .ig and ..
};

size_t RoffReader::Escape(std::string_view line, size_t i, SpanSink& out) {
    size_t start = i;
    if (i + 1 >= line.size()) {
        // A backslash at the end joins the next line.
        out.Add(start, line.size(), SpanKind::kInline);
        return line.size();
    }
    char c = line[i + 1];
    i += 2;
    // A name of one character, (xx, or [name].
    auto name = [&](size_t& at) -> std::string_view {
        if (at >= line.size())
            return {};
        if (line[at] == '(') {
            size_t begin = at + 1;
            at = std::min(line.size(), at + 3);
            return line.substr(begin, at - begin);
        }
        if (line[at] == '[') {
            size_t close = line.find(']', at);
            size_t begin = at + 1;
            at = close == std::string_view::npos ? line.size() : close + 1;
            return line.substr(begin, at - begin - (close == std::string_view::npos ? 0 : 1));
        }
        return line.substr(at++, 1);
    };
    switch (c) {
        case '"':
            out.Add(start, line.size(), SpanKind::kInline);
            return line.size();
        case '#':
            out.Add(start, line.size(), SpanKind::kInline);
            return line.size();
        case '-':
            out.Escape(start, i, u'-');
            return i;
        case '%':
            out.Escape(start, i, kSoftHyphen, true);
            return i;
        case ' ':
        case '~':
            out.Escape(start, i, 0x00A0);
            return i;
        case '\\':
        case 'e':
            out.Escape(start, i, u'\\');
            return i;
        case '.':
            out.Escape(start, i, u'.');
            return i;
        case '&':
        case 'c':
        case ')':
        case '/':
        case ',':
        case 'p':
        case 'd':
        case 'u':
        case 'r':
        case 't':
        case 'a':
        case ':':
            out.Add(start, i, SpanKind::kInline);
            return i;
        case '0':
        case '|':
        case '^':
        case '\'':
        case '`':
            out.Add(start, i, SpanKind::kObject);
            return i;
        case '(':
        case '[': {
            size_t at = i - 1;
            std::string_view glyph = name(at);
            if (char16_t character = GlyphCharacter(glyph))
                out.Escape(start, at, character, character == kSoftHyphen);
            else
                out.Add(start, at, SpanKind::kObject);
            return at;
        }
        case 'f':
        case 'F':
        case 'k':
        case 'g':
        case 'm':
        case 'M':
        case 'Y':
        case 'V': {
            name(i);
            out.Add(start, i, SpanKind::kInline);
            return i;
        }
        case '*':
        case 'n': {
            if (c == 'n' && i < line.size() && (line[i] == '+' || line[i] == '-'))
                ++i;
            name(i);
            out.Add(start, i, SpanKind::kObject);
            return i;
        }
        case 's': {
            if (i < line.size() && (line[i] == '+' || line[i] == '-'))
                ++i;
            if (i < line.size() && (line[i] == '(' || line[i] == '[' || line[i] == '\'')) {
                if (line[i] == '\'') {
                    size_t close = line.find('\'', i + 1);
                    i = close == std::string_view::npos ? line.size() : close + 1;
                } else {
                    name(i);
                }
            } else {
                while (i < line.size() && IsAsciiDigit(line[i]) && i - start < 4)
                    ++i;
            }
            out.Add(start, i, SpanKind::kInline);
            return i;
        }
        case 'w':
        case 'h':
        case 'v':
        case 'l':
        case 'L':
        case 'D':
        case 'o':
        case 'X':
        case 'Z':
        case 'N':
        case 'b':
        case 'x':
        case 'A':
        case 'B':
        case 'C':
        case 'R':
        case 'S':
        case 'H': {
            if (i < line.size()) {
                char delimiter = line[i];
                size_t close = line.find(delimiter, i + 1);
                i = close == std::string_view::npos ? line.size() : close + 1;
            }
            out.Add(start, i, c == 'C' || c == 'N' ? SpanKind::kObject : SpanKind::kInline);
            return i;
        }
        default:
            out.Add(start, i, SpanKind::kInline);
            return i;
    }
}

void RoffReader::Text(std::string_view line, size_t i, size_t to, bool arguments,
                      SpanSink& out) {
    bool quoted = false;
    while (i < to) {
        char c = line[i];
        if (c == '\\') {
            i = Escape(line, i, out);
            continue;
        }
        if (arguments && c == '"') {
            // Quotation marks delimit arguments; "" inside one is a mark itself.
            if (quoted && i + 1 < to && line[i + 1] == '"') {
                out.Escape(i, i + 2, u'"');
                i += 2;
                continue;
            }
            bool opens = !quoted && (i == 0 || IsBlankByte(line[i - 1]));
            if (opens || quoted) {
                quoted = !quoted;
                out.Add(i, i + 1, SpanKind::kBreak);
                ++i;
                continue;
            }
        }
        out.Add(i, i + 1, SpanKind::kText);
        ++i;
    }
}

void RoffReader::Line(std::string_view line, SpanSink& out) {
    bool control = !line.empty() && (line[0] == '.' || line[0] == '\'');
    if (ignoring_) {
        if (control && line.substr(1).starts_with("."))
            ignoring_ = false;
        out.Add(0, line.size(), SpanKind::kBreak);
        return;
    }
    if (!control) {
        if (example_) {
            out.Add(0, line.size(), SpanKind::kBreak);
            return;
        }
        Text(line, 0, line.size(), false, out);
        return;
    }
    // The control character, spaces, the request's name and the spaces after it.
    size_t i = 1;
    while (i < line.size() && IsBlankByte(line[i]))
        ++i;
    size_t name = i;
    if (line.substr(i).starts_with("\\\"")) {
        out.Add(0, line.size(), SpanKind::kBreak);
        return;
    }
    while (i < line.size() && !IsBlankByte(line[i]) && line[i] != '\\')
        ++i;
    std::string request(line.substr(name, i - name));
    if (request == "EX")
        example_ = true;
    else if (request == "EE")
        example_ = false;
    else if (request == "ig")
        ignoring_ = true;
    while (i < line.size() && IsBlankByte(line[i]))
        ++i;
    if (IsSkippedRequest(request) || example_ || request.empty()) {
        out.Add(0, line.size(), SpanKind::kBreak);
        return;
    }
    out.Add(0, i, SpanKind::kBreak);
    // The font requests' arguments (.B .I .BR ...) and a heading's are prose.
    Text(line, i, line.size(), true, out);
}

}  // namespace

std::unique_ptr<FormatReader> MakeRoffReader() {
    return std::make_unique<RoffReader>();
}

}  // namespace tarnik::markup
