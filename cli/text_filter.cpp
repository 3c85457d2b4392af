#include "cli/text_filter.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace tarnik::cli {

namespace {

constexpr uint16_t kBlank = u' ';

bool IsAsciiLetter(uint16_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(uint16_t c) {
    return c >= '0' && c <= '9';
}

// Space, tab and the other control characters (not the discretionary hyphen,
// 0x1F, which lies inside words), and the no-break space.
bool IsSpace(uint16_t c) {
    return (c <= 0x20 && c != 0x1F) || c == 0xA0;
}

char LowerAscii(uint16_t c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
}

template <size_t N>
bool IsOneOf(std::string_view name, const std::array<std::string_view, N>& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// TeX commands whose arguments are keys, names, lengths or code, not text: the
// number of arguments skipped.
int TexSkippedArguments(std::string_view name) {
    static constexpr std::array<std::string_view, 42> kOne = {"cite",
                                                              "citep",
                                                              "citet",
                                                              "nocite",
                                                              "citeauthor",
                                                              "ref",
                                                              "eqref",
                                                              "pageref",
                                                              "autoref",
                                                              "cref",
                                                              "Cref",
                                                              "label",
                                                              "input",
                                                              "include",
                                                              "includeonly",
                                                              "documentclass",
                                                              "documentstyle",
                                                              "usepackage",
                                                              "RequirePackage",
                                                              "selectlanguage",
                                                              "foreignlanguage",
                                                              "pagestyle",
                                                              "thispagestyle",
                                                              "pagenumbering",
                                                              "hyphenation",
                                                              "vspace",
                                                              "hspace",
                                                              "bibliography",
                                                              "bibliographystyle",
                                                              "url",
                                                              "href",
                                                              "includegraphics",
                                                              "psfig",
                                                              "newcounter",
                                                              "color",
                                                              "textcolor",
                                                              "pagecolor",
                                                              "newcommand",
                                                              "renewcommand",
                                                              "newenvironment",
                                                              "addbibresource",
                                                              "linespread"};
    static constexpr std::array<std::string_view, 7> kTwo = {
        "setcounter", "addtocounter", "setlength", "addtolength", "settowidth", "rule", "fontsize"};
    if (IsOneOf(name, kOne))
        return 1;
    if (IsOneOf(name, kTwo))
        return 2;
    if (name == "definecolor")
        return 3;
    return 0;
}

bool IsMathEnvironment(std::string_view name) {
    if (!name.empty() && name.back() == '*')
        name.remove_suffix(1);
    static constexpr std::array<std::string_view, 11> kMath = {
        "math",   "displaymath", "equation", "eqnarray", "align",      "alignat",
        "gather", "multline",    "flalign",  "split",    "tikzpicture"};
    return IsOneOf(name, kMath);
}

bool IsVerbatimEnvironment(std::string_view name) {
    if (!name.empty() && name.back() == '*')
        name.remove_suffix(1);
    static constexpr std::array<std::string_view, 6> kVerbatim = {
        "verbatim", "Verbatim", "lstlisting", "minted", "comment", "alltt"};
    return IsOneOf(name, kVerbatim);
}

// HTML elements whose content is code, not text.
bool IsRawElement(std::string_view name) {
    static constexpr std::array<std::string_view, 8> kRaw = {"script", "style", "code", "pre",
                                                             "kbd",    "samp",  "var",  "tt"};
    return IsOneOf(name, kRaw);
}

// Attributes whose values are text to be checked.
bool IsTextAttribute(std::string_view name) {
    return name == "alt" || name == "title" || name == "placeholder";
}

// nroff requests whose arguments are not text.
bool IsSkippedRequest(std::string_view name) {
    static constexpr std::array<std::string_view, 40> kSkipped = {
        "TH", "ft", "ps", "sp", "in", "ti", "ll", "nr", "so", "ne", "bp", "br", "fi", "nf",
        "ad", "na", "hy", "nh", "ta", "tr", "ie", "if", "el", "de", "am", "ds", "rm", "ig",
        "pl", "po", "vs", "ls", "ce", "ul", "cu", "RS", "RE", "IX", "PD", "UR"};
    return IsOneOf(name, kSkipped) || name == "MT" || name == "hw" || name == "mso";
}

// Whether the token (a run without spaces) is a URL, an e-mail address or a file
// path.
bool IsAddress(std::u16string_view token) {
    auto starts = [&](std::u16string_view prefix) {
        if (token.size() < prefix.size())
            return false;
        for (size_t i = 0; i < prefix.size(); ++i) {
            if (LowerAscii(token[i]) != static_cast<char>(prefix[i]))
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
    if (token.size() >= 2 && token[0] == '/' && !IsSpace(token[1]) && token[1] != '/')
        return true;
    if (starts(u"~/") || starts(u"./") || starts(u"../"))
        return true;
    return token.size() >= 3 && IsAsciiLetter(token[0]) && token[1] == ':' && token[2] == '\\';
}

}  // namespace

bool TextFormatFromName(std::string_view name, TextFormat& format) {
    if (name == "plain")
        format = TextFormat::kPlain;
    else if (name == "tex" || name == "latex")
        format = TextFormat::kTex;
    else if (name == "html" || name == "xml" || name == "sgml")
        format = TextFormat::kHtml;
    else if (name == "nroff" || name == "troff")
        format = TextFormat::kNroff;
    else
        return false;
    return true;
}

TextFilter::TextFilter(TextFormat format, bool checkAddresses)
    : format_(format), checkAddresses_(checkAddresses) {}

void TextFilter::SetFormat(TextFormat format) {
    *this = TextFilter(format, checkAddresses_);
}

void TextFilter::Filter(std::u16string& codes, bool lineEnds) {
    bool newLine = !lineStarted_;
    bool emptyLine = newLine && codes.empty();
    lineStarted_ = !lineEnds;
    size_t first = 0;
    if (format_ == TextFormat::kNroff && newLine && !codes.empty() &&
        (codes[0] == '.' || codes[0] == '\'')) {
        // A request line: its control character, then the request's name.
        roffState_ = RoffState::kRequest;
        request_.clear();
        codes[0] = kBlank;
        first = 1;
    }
    for (size_t i = first; i < codes.size(); ++i) {
        char16_t& c = codes[i];
        bool keep = true;
        switch (format_) {
            case TextFormat::kPlain:
                break;
            case TextFormat::kTex:
                keep = TexKeeps(c);
                break;
            case TextFormat::kHtml:
                keep = HtmlKeeps(c);
                break;
            case TextFormat::kNroff:
                keep = RoffKeeps(c);
                break;
        }
        if (!keep)
            c = kBlank;
    }
    if (!checkAddresses_)
        BlankAddresses(codes);
    if (!lineEnds)
        return;
    switch (format_) {
        case TextFormat::kPlain:
            break;
        case TextFormat::kTex:
            TexLineEnd(emptyLine);
            break;
        case TextFormat::kHtml:
            if (htmlState_ == HtmlState::kEntity)
                htmlState_ = HtmlState::kText;
            break;
        case TextFormat::kNroff:
            // Requests and escapes end with their line.
            roffState_ = RoffState::kText;
            break;
    }
}

void TextFilter::BlankAddresses(std::u16string& codes) const {
    size_t i = 0;
    while (i < codes.size()) {
        while (i < codes.size() && IsSpace(codes[i]))
            ++i;
        size_t start = i;
        while (i < codes.size() && !IsSpace(codes[i]))
            ++i;
        if (i > start && IsAddress(std::u16string_view(codes).substr(start, i - start)))
            std::fill(codes.begin() + static_cast<ptrdiff_t>(start),
                      codes.begin() + static_cast<ptrdiff_t>(i), kBlank);
    }
}

// TeX: commands and their names; the arguments of commands that take keys or
// code; math ($...$, $$...$$, \(...\), \[...\] and the math environments);
// verbatim text; comments.
bool TextFilter::TexKeeps(uint16_t c) {
    while (true) {
        switch (texLex_) {
            case TexLex::kComment:
                return false;
            case TexLex::kBackslash:
                if (IsAsciiLetter(c)) {
                    name_.assign(1, static_cast<char>(c));
                    texLex_ = TexLex::kName;
                    return false;
                }
                texLex_ = TexLex::kNormal;
                if (c == '(' && texMode_ == TexMode::kText) {
                    texMode_ = TexMode::kMath;
                    mathEnd_ = MathEnd::kParen;
                } else if (c == '[' && texMode_ == TexMode::kText) {
                    texMode_ = TexMode::kMath;
                    mathEnd_ = MathEnd::kBracket;
                } else if ((c == ')' && mathEnd_ == MathEnd::kParen) ||
                           (c == ']' && mathEnd_ == MathEnd::kBracket)) {
                    if (texMode_ == TexMode::kMath)
                        texMode_ = TexMode::kText;
                }
                return false;
            case TexLex::kName:
                if (IsAsciiLetter(c) || (c == '@' && !name_.empty())) {
                    if (name_.size() < 32)
                        name_.push_back(static_cast<char>(c));
                    return false;
                }
                TexCommand();
                continue;  // the character after the name is read anew
            case TexLex::kVerbStart:
                if (c == '*' && verbDelimiter_ == 0) {
                    verbDelimiter_ = 1;  // \verb*: the delimiter comes next
                    return false;
                }
                verbDelimiter_ = c;
                texLex_ = TexLex::kVerb;
                return false;
            case TexLex::kVerb:
                if (c == verbDelimiter_)
                    texLex_ = TexLex::kNormal;
                return false;
            case TexLex::kArgs:
                if (IsSpace(c) || c == '*')
                    return false;
                if (c == '{' || c == '[') {
                    texLex_ = TexLex::kGroup;
                    groupClose_ = c == '{' ? '}' : ']';
                    groupDepth_ = 0;
                    groupEscape_ = false;
                    if (c == '{')
                        captured_.clear();
                    return false;
                }
                // No more arguments: the character is read as text.
                texLex_ = TexLex::kNormal;
                argsLeft_ = 0;
                continue;
            case TexLex::kGroup:
                if (groupEscape_) {
                    groupEscape_ = false;
                } else if (c == '\\') {
                    groupEscape_ = true;
                } else if (c == '{') {
                    ++groupDepth_;
                } else if (c == '}' && groupDepth_ > 0) {
                    --groupDepth_;
                } else if (c == static_cast<uint16_t>(groupClose_) && groupDepth_ == 0) {
                    bool optional = groupClose_ == ']';
                    texLex_ = TexLex::kArgs;
                    if (!optional && --argsLeft_ == 0) {
                        texLex_ = TexLex::kNormal;
                        TexGroupDone();
                    }
                    return false;
                }
                if (capture_ && groupClose_ == '}' && captured_.size() < 32 && c < 128)
                    captured_.push_back(static_cast<char>(c));
                return false;
            case TexLex::kNormal:
                break;
        }
        break;
    }
    // Normal reading.
    if (dollarPending_) {
        dollarPending_ = false;
        if (c == '$') {
            // "$$": display math opens, or the second '$' closes it.
            if (texMode_ == TexMode::kMath && mathEnd_ == MathEnd::kDollar)
                mathEnd_ = MathEnd::kDoubleDollar;
            return false;
        }
    }
    switch (c) {
        case '\\':
            texLex_ = TexLex::kBackslash;
            return false;
        case '%':
            texLex_ = TexLex::kComment;
            return false;
        case '$':
            if (texMode_ == TexMode::kText) {
                texMode_ = TexMode::kMath;
                mathEnd_ = MathEnd::kDollar;
                dollarPending_ = true;
            } else if (texMode_ == TexMode::kMath && mathEnd_ == MathEnd::kDollar) {
                texMode_ = TexMode::kText;
            } else if (texMode_ == TexMode::kMath && mathEnd_ == MathEnd::kDoubleDollar) {
                texMode_ = TexMode::kText;
                dollarPending_ = true;
            }
            return false;
        default:
            return texMode_ == TexMode::kText;
    }
}

// A command's name has been read.
void TextFilter::TexCommand() {
    texLex_ = TexLex::kNormal;
    if (name_ == "verb") {
        texLex_ = TexLex::kVerbStart;
        verbDelimiter_ = 0;
        return;
    }
    int skipped = name_ == "begin" || name_ == "end" ? 1 : TexSkippedArguments(name_);
    if (skipped == 0)
        return;
    command_ = name_;
    capture_ = name_ == "begin" || name_ == "end";
    captured_.clear();
    argsLeft_ = skipped;
    texLex_ = TexLex::kArgs;
}

// The last skipped argument of a command has ended.
void TextFilter::TexGroupDone() {
    if (!capture_)
        return;
    capture_ = false;
    if (command_ == "begin" && texMode_ == TexMode::kText) {
        if (IsMathEnvironment(captured_)) {
            texMode_ = TexMode::kMath;
            mathEnd_ = MathEnd::kEnvironment;
            environment_ = captured_;
        } else if (IsVerbatimEnvironment(captured_)) {
            texMode_ = TexMode::kSkipEnv;
            environment_ = captured_;
        }
    } else if (command_ == "end" && texMode_ != TexMode::kText && captured_ == environment_) {
        texMode_ = TexMode::kText;
        environment_.clear();
    }
}

void TextFilter::TexLineEnd(bool emptyLine) {
    if (texLex_ == TexLex::kName)
        TexCommand();
    if (texLex_ == TexLex::kComment || texLex_ == TexLex::kBackslash ||
        texLex_ == TexLex::kVerbStart || texLex_ == TexLex::kVerb) {
        texLex_ = TexLex::kNormal;
    }
    dollarPending_ = false;
    // An empty line ends a paragraph, and with it any math or group left open
    // by a mistake; verbatim text goes on to its end.
    if (emptyLine && texMode_ != TexMode::kSkipEnv) {
        texLex_ = TexLex::kNormal;
        texMode_ = TexMode::kText;
        argsLeft_ = 0;
        capture_ = false;
    }
}

// HTML and XML: tags (with their attributes, except the text of alt, title and
// placeholder), comments, entities, and the content of script, style and the
// code elements.
bool TextFilter::HtmlKeeps(uint16_t c) {
    while (true) {
        switch (htmlState_) {
            case HtmlState::kText:
                if (c == '<') {
                    htmlState_ = HtmlState::kTagStart;
                    tagStart_.clear();
                    tagName_.clear();
                    closingTag_ = false;
                    nameDone_ = false;
                    inAttribute_ = false;
                    attribute_.clear();
                    return false;
                }
                if (c == '&') {
                    htmlState_ = HtmlState::kEntity;
                    entityLength_ = 0;
                    return false;
                }
                return true;
            case HtmlState::kEntity:
                if (c == ';') {
                    htmlState_ = HtmlState::kText;
                    return false;
                }
                if ((IsAsciiLetter(c) || IsAsciiDigit(c) || c == '#') && entityLength_ < 32) {
                    ++entityLength_;
                    return false;
                }
                htmlState_ = HtmlState::kText;
                continue;
            case HtmlState::kTagStart:
                tagStart_.push_back(LowerAscii(c));
                if (tagStart_ == "!--") {
                    htmlState_ = HtmlState::kComment;
                    commentDashes_ = 0;
                    return false;
                }
                if (std::string_view("!--").starts_with(tagStart_))
                    return false;  // it may still open a comment
                if (c == '/' && tagStart_.size() == 1) {
                    closingTag_ = true;
                    return false;
                }
                htmlState_ = HtmlState::kTag;
                continue;
            case HtmlState::kTag:
                if (c == '>') {
                    HtmlTagEnd();
                    return false;
                }
                if (!nameDone_) {
                    if (IsSpace(c) || c == '/') {
                        nameDone_ = true;
                    } else if (tagName_.size() < 16) {
                        tagName_.push_back(LowerAscii(c));
                    }
                    return false;
                }
                if (c == '"' || c == '\'') {
                    quote_ = c;
                    checkValue_ = IsTextAttribute(attribute_);
                    htmlState_ = HtmlState::kQuoted;
                    inAttribute_ = false;
                    return false;
                }
                if (IsSpace(c)) {
                    inAttribute_ = false;
                } else if (c == '=') {
                    inAttribute_ = false;
                } else if (!inAttribute_) {
                    inAttribute_ = true;
                    attribute_.assign(1, LowerAscii(c));
                } else if (attribute_.size() < 16) {
                    attribute_.push_back(LowerAscii(c));
                }
                return false;
            case HtmlState::kQuoted:
                if (c == quote_) {
                    htmlState_ = HtmlState::kTag;
                    attribute_.clear();
                    return false;
                }
                return checkValue_;
            case HtmlState::kComment:
                if (c == '>' && commentDashes_ >= 2) {
                    htmlState_ = HtmlState::kText;
                    return false;
                }
                commentDashes_ = c == '-' ? commentDashes_ + 1 : 0;
                return false;
            case HtmlState::kRaw:
                // Waits for "</NAME" followed by a space or '>'.
                if (c == '<') {
                    rawMatch_ = 1;
                } else if (rawMatch_ == 1 && c == '/') {
                    rawMatch_ = 2;
                } else if (rawMatch_ >= 2 && rawMatch_ - 2 < raw_.size() &&
                           LowerAscii(c) == raw_[rawMatch_ - 2]) {
                    ++rawMatch_;
                } else if (rawMatch_ == raw_.size() + 2 && (c == '>' || IsSpace(c))) {
                    rawMatch_ = 0;
                    raw_.clear();
                    htmlState_ = HtmlState::kTag;
                    nameDone_ = true;
                    closingTag_ = true;
                    continue;
                } else {
                    rawMatch_ = 0;
                }
                return false;
        }
    }
}

void TextFilter::HtmlTagEnd() {
    htmlState_ = HtmlState::kText;
    if (!closingTag_ && IsRawElement(tagName_)) {
        raw_ = tagName_;
        rawMatch_ = 0;
        htmlState_ = HtmlState::kRaw;
    }
}

// nroff and troff: request lines' names (and the whole line of requests that take
// no text), comments, and escapes with their arguments.
bool TextFilter::RoffKeeps(uint16_t c) {
    switch (roffState_) {
        case RoffState::kSkipLine:
            return false;
        case RoffState::kRequest:
            if (c == '\\') {
                roffBack_ = RoffState::kRequest;
                roffState_ = RoffState::kEscape;
                return false;
            }
            if (IsSpace(c)) {
                roffState_ = IsSkippedRequest(request_) ? RoffState::kSkipLine : RoffState::kText;
                return false;
            }
            if (request_.size() < 8)
                request_.push_back(static_cast<char>(c < 128 ? c : '?'));
            return false;
        case RoffState::kEscape:
            RoffEscape(c);
            return false;
        case RoffState::kEscName:
            if (c == '(') {
                roffState_ = RoffState::kEscTwo;
                escLeft_ = 2;
            } else if (c == '[') {
                roffState_ = RoffState::kEscBracket;
            } else {
                roffState_ = roffBack_;
            }
            return false;
        case RoffState::kEscSize:
            if (c == '+' || c == '-')
                return false;
            roffState_ = RoffState::kEscName;
            return RoffKeeps(c);
        case RoffState::kEscTwo:
            if (--escLeft_ <= 0)
                roffState_ = roffBack_;
            return false;
        case RoffState::kEscBracket:
            if (c == ']')
                roffState_ = roffBack_;
            return false;
        case RoffState::kEscQuoteStart:
            escQuote_ = c;
            roffState_ = RoffState::kEscQuote;
            return false;
        case RoffState::kEscQuote:
            if (c == escQuote_)
                roffState_ = roffBack_;
            return false;
        case RoffState::kText:
            break;
    }
    if (c == '\\') {
        roffBack_ = RoffState::kText;
        roffState_ = RoffState::kEscape;
        return false;
    }
    return true;
}

// The character after a backslash.
void TextFilter::RoffEscape(uint16_t c) {
    switch (c) {
        case '"':
        case '#':
            roffState_ = RoffState::kSkipLine;
            return;
        case 'f':
        case '*':
        case 'n':
        case 'F':
        case 'm':
        case 'M':
        case 'g':
        case 'k':
        case 'Y':
        case 'V':
            roffState_ = RoffState::kEscName;
            return;
        case 's':
            roffState_ = RoffState::kEscSize;
            return;
        case '(':
            roffState_ = RoffState::kEscTwo;
            escLeft_ = 2;
            return;
        case '[':
            roffState_ = RoffState::kEscBracket;
            return;
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
        case 'H':
            roffState_ = RoffState::kEscQuoteStart;
            return;
        default:
            roffState_ = roffBack_;
            return;
    }
}

}  // namespace tarnik::cli
