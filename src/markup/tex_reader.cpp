// TeX and LaTeX: control sequences, the arguments of the commands whose
// arguments hold no prose, math, verbatim text and comments are markup; the
// ligatures and escapes of prose (~ ,, '' `` -- --- \% \& \- "- "= "~ and the
// accents of Polish letters) are read as the characters they stand for.
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

// Commands whose arguments are keys, names, lengths or code: how many
// mandatory arguments are skipped, and whether the command stands in a
// sentence (a reference, a citation) or between blocks (a preamble command).
struct Skipped {
    int arguments = 0;
    SpanKind kind = SpanKind::kObject;
};

Skipped SkippedArguments(std::string_view name) {
    static constexpr std::array<std::string_view, 26> kInSentence = {
        "cite",    "citep",   "citet",      "citealp",  "citeauthor", "citeyear", "parencite",
        "textcite", "autocite", "footcite", "nocite",   "ref",        "eqref",    "pageref",
        "autoref", "cref",    "Cref",       "vref",     "nameref",    "url",      "href",
        "path",    "email",   "hyperref",   "texttt",   "verbatiminput"};
    static constexpr std::array<std::string_view, 44> kBetweenBlocks = {
        "label",          "input",          "include",       "includeonly",
        "documentclass",  "documentstyle",  "usepackage",    "RequirePackage",
        "selectlanguage", "pagestyle",      "thispagestyle", "pagenumbering",
        "hyphenation",    "vspace",         "hspace",        "bibliography",
        "bibliographystyle", "includegraphics", "psfig",     "newcounter",
        "color",          "pagecolor",      "addbibresource", "linespread",
        "usetikzlibrary", "graphicspath",   "geometry",      "hypersetup",
        "lstset",         "setmainfont",    "setsansfont",   "setmonofont",
        "pdfbookmark",    "bibitem",        "lstinputlisting", "newtheorem",
        "numberwithin",   "settowidth",     "pagebreak",     "nolinebreak",
        "captionsetup",   "setcounter",     "setlength",     "addtolength"};
    static constexpr std::array<std::string_view, 5> kTwoArguments = {
        "setcounter", "addtocounter", "setlength", "addtolength", "settowidth"};
    static constexpr std::array<std::string_view, 8> kDefinitions = {
        "newcommand", "renewcommand", "providecommand", "newenvironment",
        "renewenvironment", "DeclareMathOperator", "def", "let"};
    if (name == "definecolor")
        return {3, SpanKind::kBreak};
    if (name == "errhelp" || name == "errmessage" || name == "message" || name == "write" ||
        name == "typeout" || name == "PackageError" || name == "PackageWarning" ||
        name == "ClassError" || name == "special" || name == "pdfinfo" || name == "catcode" ||
        name == "input@path")
        return {1, SpanKind::kBreak};
    if (IsOneOf(name, kTwoArguments) || name == "fontsize" || name == "rule" ||
        name == "textcolor" || name == "colorbox")
        return {name == "textcolor" || name == "colorbox" ? 1 : 2,
                name == "rule" ? SpanKind::kObject : SpanKind::kBreak};
    if (name == "newenvironment" || name == "renewenvironment")
        return {3, SpanKind::kBreak};
    if (IsOneOf(name, kDefinitions))
        return {2, SpanKind::kBreak};
    if (IsOneOf(name, kInSentence))
        return {1, SpanKind::kObject};
    if (IsOneOf(name, kBetweenBlocks))
        return {1, SpanKind::kBreak};
    return {0, SpanKind::kInline};
}

// Commands that end a block of prose (their arguments, if any, are prose: a
// section's title, a caption).
bool IsBlockCommand(std::string_view name) {
    static constexpr std::array<std::string_view, 40> kBlock = {
        "part",        "chapter",    "section",       "subsection", "subsubsection",
        "paragraph",   "subparagraph", "item",        "par",        "maketitle",
        "tableofcontents", "listoffigures", "listoftables", "newpage", "clearpage",
        "cleardoublepage", "pagebreak", "linebreak",  "newline",    "noindent",
        "indent",      "centering",  "raggedright",   "raggedleft", "bigskip",
        "medskip",     "smallskip",  "title",         "author",     "date",
        "caption",     "footnote",   "thanks",        "appendix",   "frontmatter",
        "mainmatter",  "backmatter", "printbibliography", "hline",  "midrule"};
    return IsOneOf(name, kBlock) || name == "toprule" || name == "bottomrule" ||
           name == "cline" || name == "abstract" || name == "marginpar";
}

// Commands that only shape the text around them (fonts, boxes, emphasis):
// markup that stands for nothing in the prose. Any other control word may print
// something (a macro, a logo, a number) and stands in a sentence like a word.
bool IsFormattingCommand(std::string_view name) {
    static constexpr std::array<std::string_view, 62> kFormatting = {
        "textbf",     "textit",     "textsl",      "textsc",     "textsf",     "textrm",
        "textup",     "textmd",     "textnormal",  "emph",       "em",         "bf",
        "it",         "sl",         "sc",          "sf",         "rm",         "tt",
        "up",         "md",         "normalfont",  "tiny",       "scriptsize", "footnotesize",
        "small",      "normalsize", "large",       "Large",      "LARGE",      "huge",
        "Huge",       "underline",  "mbox",        "makebox",    "fbox",       "framebox",
        "uline",      "sout",       "textsuperscript", "textsubscript", "selectfont", "bfseries",
        "itshape",    "mdseries",   "upshape",     "slshape",    "scshape",    "rmfamily",
        "sffamily",   "ttfamily",   "relax",       "protect",    "nobreak",    "index",
        "hyphenpenalty", "begingroup", "endgroup", "bgroup",     "egroup",     "strut",
        "null",       "leavevmode"};
    return IsOneOf(name, kFormatting);
}

// The primitives and commands whose arguments are glue, dimensions or numbers
// (\vskip 1ex plus 2fill, \hbox to 5cm, \kern-2pt, \parindent=0pt).
bool TakesDimension(std::string_view name) {
    static constexpr std::array<std::string_view, 30> kDimension = {
        "vskip",  "hskip",  "kern",      "mkern",      "mskip",      "hbox",
        "vbox",   "vtop",   "penalty",   "parindent",  "parskip",    "baselineskip",
        "hsize",  "vsize",  "hoffset",   "voffset",    "leftskip",   "rightskip",
        "raise",  "lower",  "moveleft",  "moveright",  "advance",    "multiply",
        "divide", "count",  "dimen",     "skip",       "lineskip",   "topskip"};
    return IsOneOf(name, kDimension) || name.ends_with("skip") || name.ends_with("width") ||
           name.ends_with("height") || name.ends_with("sep") || name.ends_with("indent");
}

// A TeX number or dimension (with glue's plus and minus) at `i`, after the
// spaces, an '=' and the keywords to and spread: where it ends, or `i` when
// there is none. A plain number counts only right after the command or an '='.
size_t ReadDimension(std::string_view line, size_t i) {
    auto skipSpaces = [&](size_t at) {
        while (at < line.size() && IsBlankByte(line[at]))
            ++at;
        return at;
    };
    auto keyword = [&](size_t at, std::string_view word) {
        return line.substr(at).starts_with(word) &&
               (at + word.size() >= line.size() || !IsAsciiLetter(line[at + word.size()]));
    };
    // One dimension: signs, then digits with a unit or a register.
    auto dimension = [&](size_t at, bool plainNumber) -> size_t {
        size_t start = at;
        while (at < line.size() && (line[at] == '-' || line[at] == '+' || IsBlankByte(line[at])))
            ++at;
        if (at < line.size() && line[at] == '\\' && at + 1 < line.size() &&
            IsAsciiLetter(line[at + 1])) {
            ++at;
            while (at < line.size() && IsAsciiLetter(line[at]))
                ++at;
            return at;
        }
        size_t digits = at;
        while (at < line.size() && (IsAsciiDigit(line[at]) || line[at] == '.' || line[at] == ','))
            ++at;
        if (at == digits)
            return start;
        size_t number = at;
        at = skipSpaces(at);
        if (keyword(at, "true"))
            at = skipSpaces(at + 4);
        static constexpr std::array<std::string_view, 15> kUnits = {
            "filll", "fill", "fil", "pt", "pc", "in", "bp", "cm", "mm", "dd", "cc", "sp", "em",
            "ex", "mu"};
        for (std::string_view unit : kUnits) {
            if (line.substr(at).starts_with(unit))
                return at + unit.size();
        }
        if (at + 1 < line.size() && line[at] == '\\' && IsAsciiLetter(line[at + 1])) {
            ++at;  // 2\baselineskip
            while (at < line.size() && IsAsciiLetter(line[at]))
                ++at;
            return at;
        }
        return plainNumber ? number : start;
    };
    size_t at = i;
    bool equals = false;
    size_t after = skipSpaces(at);
    if (after < line.size() && line[after] == '=') {
        equals = true;
        at = skipSpaces(after + 1);
    }
    size_t keywordAt = skipSpaces(at);
    if (keyword(keywordAt, "to"))
        at = keywordAt + 2;
    else if (keyword(keywordAt, "spread"))
        at = keywordAt + 6;
    size_t end = dimension(at, equals || at == i);
    if (end == at)
        return at == i || equals ? (equals ? at : i) : at;
    for (;;) {
        size_t next = skipSpaces(end);
        size_t word = keyword(next, "plus") ? 4 : keyword(next, "minus") ? 5 : 0;
        if (!word)
            return end;
        size_t more = dimension(next + word, false);
        if (more == next + word)
            return end;
        end = more;
    }
}

bool IsMathEnvironment(std::string_view name) {
    if (!name.empty() && name.back() == '*')
        name.remove_suffix(1);
    static constexpr std::array<std::string_view, 13> kMath = {
        "math",    "displaymath", "equation", "eqnarray", "align",  "alignat", "gather",
        "multline", "flalign",    "split",    "tikzpicture", "picture", "dmath"};
    return IsOneOf(name, kMath);
}

bool IsVerbatimEnvironment(std::string_view name) {
    if (!name.empty() && name.back() == '*')
        name.remove_suffix(1);
    // boxedverbatim, sverbatim, Verbatim, BVerbatim, ...; lstlisting, listing
    if (name.find("erbatim") != std::string_view::npos || name.ends_with("listing"))
        return true;
    static constexpr std::array<std::string_view, 8> kVerbatim = {
        "verbatim", "Verbatim", "lstlisting", "minted", "comment", "alltt", "filecontents",
        "BVerbatim"};
    return IsOneOf(name, kVerbatim);
}

// The mandatory arguments of an environment after its name that hold no prose.
int EnvironmentArguments(std::string_view name) {
    if (name == "tabular" || name == "array" || name == "longtable" || name == "multicols" ||
        name == "minipage" || name == "thebibliography" || name == "wrapfigure" ||
        name == "supertabular")
        return name == "wrapfigure" ? 2 : 1;
    if (name == "tabularx" || name == "tabular*" || name == "tabulary")
        return 2;
    return 0;
}

// The letter an accent command makes of a letter: \'o ó, \.z ż, \k{a} ą.
char16_t Accented(char accent, char letter) {
    struct Entry {
        char accent;
        char letter;
        char16_t result;
    };
    static constexpr Entry kTable[] = {
        {'\'', 'o', u'ó'}, {'\'', 'O', u'Ó'}, {'\'', 's', u'ś'}, {'\'', 'S', u'Ś'},
        {'\'', 'c', u'ć'}, {'\'', 'C', u'Ć'}, {'\'', 'n', u'ń'}, {'\'', 'N', u'Ń'},
        {'\'', 'z', u'ź'}, {'\'', 'Z', u'Ź'}, {'\'', 'e', u'é'}, {'\'', 'a', u'á'},
        {'.', 'z', u'ż'},  {'.', 'Z', u'Ż'},  {'k', 'a', u'ą'},  {'k', 'A', u'Ą'},
        {'k', 'e', u'ę'},  {'k', 'E', u'Ę'},  {'"', 'o', u'ö'},  {'"', 'u', u'ü'},
        {'"', 'a', u'ä'},  {'"', 'O', u'Ö'},  {'"', 'U', u'Ü'},  {'"', 'A', u'Ä'}};
    for (const Entry& e : kTable) {
        if (e.accent == accent && e.letter == letter)
            return e.result;
    }
    return 0;
}

class TexReader : public FormatReader {
  public:
    void Line(std::string_view line, SpanSink& out) override;

  private:
    enum class Mode { kText, kMath, kVerbatim };
    enum class MathEnd { kDollar, kDoubleDollar, kParen, kBracket, kEnvironment };

    // Arguments being skipped: they may go on over several lines.
    struct Arguments {
        bool active = false;
        int mandatory = 0;
        bool trailingOptional = false;  // a [..] right after the last argument
        bool justClosed = false;
        int depth = 0;           // inside a group: its brace depth (1 at its start)
        char close = 0;          // ']' or '}'
        bool escaped = false;
        SpanKind kind = SpanKind::kObject;
        std::string command;     // "begin" and "end" keep their argument
        std::string captured;
    };

    size_t Text(std::string_view line, size_t i, SpanSink& out);
    size_t Command(std::string_view line, size_t i, SpanSink& out);
    size_t SkipArguments(std::string_view line, size_t i);
    void ArgumentsDone();
    void StartArguments(std::string command, int mandatory, SpanKind kind);
    size_t Math(std::string_view line, size_t i);
    size_t Verbatim(std::string_view line, size_t i);

    Mode mode_ = Mode::kText;
    MathEnd mathEnd_ = MathEnd::kDollar;
    SpanKind mathKind_ = SpanKind::kObject;
    std::string environment_;
    Arguments args_;
    bool slashLetters_ = false;  // MeX: /a is ą
};

void TexReader::StartArguments(std::string command, int mandatory, SpanKind kind) {
    args_ = Arguments{};
    args_.active = true;
    args_.mandatory = mandatory;
    args_.kind = kind;
    args_.command = std::move(command);
    args_.trailingOptional = args_.command == "begin" || args_.command == "\\";
}

void TexReader::ArgumentsDone() {
    if (args_.command == "begin" && !args_.captured.empty() && mode_ == Mode::kText) {
        std::string name = std::move(args_.captured);
        args_.captured.clear();
        args_.command = "environment";
        if (IsMathEnvironment(name)) {
            mode_ = Mode::kMath;
            mathEnd_ = MathEnd::kEnvironment;
            mathKind_ = SpanKind::kBreak;
            environment_ = name;
            args_.active = false;
            return;
        }
        if (IsVerbatimEnvironment(name)) {
            mode_ = Mode::kVerbatim;
            environment_ = name;
            args_.active = false;
            return;
        }
        // The environment's own arguments: a table's columns, a box's width.
        args_.mandatory = EnvironmentArguments(name);
        args_.trailingOptional = true;
        return;
    }
    args_.active = false;
}

// Goes on skipping arguments from `i`; returns where the skipped text ends.
size_t TexReader::SkipArguments(std::string_view line, size_t i) {
    while (i < line.size() && args_.active) {
        char c = line[i];
        if (args_.depth > 0) {
            if (args_.escaped) {
                args_.escaped = false;
            } else if (c == '\\') {
                args_.escaped = true;
            } else if (c == '{') {
                ++args_.depth;
            } else if (c == '}' || (c == ']' && args_.close == ']')) {
                if (c == args_.close && args_.depth == 1) {
                    args_.depth = 0;
                    args_.justClosed = true;
                    if (c == '}' && --args_.mandatory <= 0) {
                        ++i;
                        ArgumentsDone();
                        continue;
                    }
                    ++i;
                    continue;
                }
                if (c == '}')
                    --args_.depth;
            }
            if (args_.depth > 0 && args_.command == "begin" && args_.close == '}' &&
                args_.captured.size() < 32 && c != '{')
                args_.captured.push_back(c);
            ++i;
            continue;
        }
        // Between arguments.
        bool wasClosed = args_.justClosed;
        args_.justClosed = false;
        if (args_.mandatory <= 0) {
            if (c == '[' && args_.trailingOptional && wasClosed) {
                args_.depth = 1;
                args_.close = ']';
                ++i;
                continue;
            }
            if (c == '*' && args_.command == "\\" && wasClosed) {
                args_.justClosed = true;
                ++i;
                continue;
            }
            args_.active = false;
            break;
        }
        if (c == ' ' || c == '\t' || c == '*') {
            ++i;
            continue;
        }
        if (c == '{' || c == '[') {
            args_.depth = 1;
            args_.close = c == '{' ? '}' : ']';
            if (c == '{')
                args_.captured.clear();
            ++i;
            continue;
        }
        args_.active = false;  // no more arguments: what follows is read anew
        break;
    }
    return i;
}

// Math from `i` to its end (or the line's): returns where it ends.
size_t TexReader::Math(std::string_view line, size_t i) {
    while (i < line.size()) {
        char c = line[i];
        if (c == '%') {
            return line.size();
        }
        if (c == '\\') {
            if (i + 1 < line.size()) {
                char d = line[i + 1];
                if ((d == ')' && mathEnd_ == MathEnd::kParen) ||
                    (d == ']' && mathEnd_ == MathEnd::kBracket)) {
                    mode_ = Mode::kText;
                    return i + 2;
                }
                if (mathEnd_ == MathEnd::kEnvironment && line.substr(i + 1).starts_with("end{")) {
                    size_t close = line.find('}', i + 5);
                    if (close != std::string_view::npos &&
                        line.substr(i + 5, close - i - 5) == environment_) {
                        mode_ = Mode::kText;
                        return close + 1;
                    }
                }
            }
            i += 2;
            continue;
        }
        if (c == '$') {
            if (mathEnd_ == MathEnd::kDollar) {
                mode_ = Mode::kText;
                return i + 1;
            }
            if (mathEnd_ == MathEnd::kDoubleDollar && i + 1 < line.size() && line[i + 1] == '$') {
                mode_ = Mode::kText;
                return i + 2;
            }
        }
        ++i;
    }
    return std::min(i, line.size());
}

size_t TexReader::Verbatim(std::string_view line, size_t i) {
    std::string end = "\\end{" + environment_ + "}";
    size_t at = line.find(end, i);
    if (at == std::string_view::npos)
        return line.size();
    mode_ = Mode::kText;
    environment_.clear();
    return at + end.size();
}

// A control sequence at `i` (a backslash) in text; returns where it ends.
size_t TexReader::Command(std::string_view line, size_t i, SpanSink& out) {
    size_t start = i;
    if (i + 1 >= line.size()) {
        out.Add(start, line.size(), SpanKind::kInline);
        return line.size();
    }
    char d = line[i + 1];
    // In macro files '@' is a letter of names (\@@body, \@msg).
    if (!IsAsciiLetter(d) && !(d == '@' && i + 2 < line.size() && (IsAsciiLetter(line[i + 2]) || line[i + 2] == '@'))) {
        switch (d) {
            case '-':
                out.Escape(start, i + 2, kSoftHyphen, true);
                return i + 2;
            case '%':
            case '&':
            case '#':
            case '$':
            case '_':
            case '{':
            case '}':
                out.Escape(start, i + 2, static_cast<char16_t>(d));
                return i + 2;
            case ' ':
                // A control space: a space no rule may take away (it would join
                // the command before it to the word after it).
                out.Add(start, i + 2, SpanKind::kObject);
                return i + 2;
            case '\\':
                out.Add(start, i + 2, SpanKind::kBreak);
                StartArguments("\\", 0, SpanKind::kBreak);
                args_.justClosed = true;
                return i + 2;
            case '(':
                out.Add(start, i + 2, SpanKind::kObject);
                mode_ = Mode::kMath;
                mathEnd_ = MathEnd::kParen;
                mathKind_ = SpanKind::kObject;
                return i + 2;
            case '[':
                out.Add(start, i + 2, SpanKind::kBreak);
                mode_ = Mode::kMath;
                mathEnd_ = MathEnd::kBracket;
                mathKind_ = SpanKind::kBreak;
                return i + 2;
            case '\'':
            case '"':
            case '.': {
                // \'o or \'{o}
                size_t at = i + 2;
                bool braced = at < line.size() && line[at] == '{';
                size_t letter = braced ? at + 1 : at;
                if (letter < line.size()) {
                    char16_t c = Accented(d, line[letter]);
                    size_t end = braced ? letter + 2 : letter + 1;
                    if (c && (!braced || (end <= line.size() && line[end - 1] == '}'))) {
                        out.Escape(start, end, c);
                        return end;
                    }
                }
                out.Add(start, i + 2, SpanKind::kInline);
                return i + 2;
            }
            case ',':
            case ';':
            case '!':
            case '/':
            case '@':
                out.Add(start, i + 2, d == ',' || d == ';' ? SpanKind::kObject : SpanKind::kInline);
                return i + 2;
            default:
                out.Add(start, i + 2, SpanKind::kInline);
                return i + 2;
        }
    }
    size_t end = i + 1;
    while (end < line.size() && (IsAsciiLetter(line[end]) || line[end] == '@'))
        ++end;
    std::string_view name = line.substr(i + 1, end - i - 1);
    if (name == "verb" || name == "lstinline") {
        size_t at = end;
        if (at < line.size() && line[at] == '*')
            ++at;
        if (at < line.size() && line[at] != '{' && line[at] != '[') {
            size_t close = line.find(line[at], at + 1);
            size_t stop = close == std::string_view::npos ? line.size() : close + 1;
            out.Add(start, stop, SpanKind::kObject);
            return stop;
        }
        if (at < line.size() && line[at] == '{') {
            StartArguments(std::string(name), 1, SpanKind::kObject);
            out.Add(start, end, SpanKind::kObject);
            return end;
        }
    }
    // \k{a}, \l, \L, \ss: Polish letters written with commands.
    if (name == "k" && end + 2 < line.size() && line[end] == '{' && line[end + 2] == '}') {
        if (char16_t c = Accented('k', line[end + 1])) {
            out.Escape(start, end + 3, c);
            return end + 3;
        }
    }
    if (name == "l" || name == "L" || name == "ss" || name == "o" || name == "O") {
        char16_t c = name == "l" ? u'ł' : name == "L" ? u'Ł' : name == "ss" ? u'ß' : name == "o" ? u'ø' : u'Ø';
        size_t stop = end;
        if (line.substr(stop).starts_with("{}"))
            stop += 2;
        out.Escape(start, stop, c);
        return stop;
    }
    // \input file, \include file: a file name without braces.
    if ((name == "input" || name == "include") && end < line.size() && line[end] != '{') {
        size_t at = end;
        while (at < line.size() && IsBlankByte(line[at]))
            ++at;
        size_t file = at;
        while (at < line.size() && !IsBlankByte(line[at]) && line[at] != '%' && line[at] != '}')
            ++at;
        if (line.substr(file, at - file).starts_with("plmacros") ||
            line.substr(file, at - file).starts_with("mex"))
            slashLetters_ = true;
        out.Add(start, at, SpanKind::kBreak);
        return at;
    }
    // A definition: the name, the parameters and the body in braces.
    if (name == "def" || name == "gdef" || name == "edef" || name == "xdef") {
        size_t at = end;
        while (at < line.size() && IsBlankByte(line[at]))
            ++at;
        if (at < line.size() && line[at] == '\\') {
            ++at;
            if (at < line.size() && (IsAsciiLetter(line[at]) || line[at] == '@')) {
                while (at < line.size() && (IsAsciiLetter(line[at]) || line[at] == '@'))
                    ++at;
            } else if (at < line.size()) {
                ++at;
            }
        }
        size_t brace = line.find('{', at);
        size_t percent = line.find('%', at);
        if (brace != std::string_view::npos && (percent == std::string_view::npos || brace < percent)) {
            out.Add(start, brace, SpanKind::kBreak);
            StartArguments("def", 1, SpanKind::kBreak);
            return brace;
        }
        out.Add(start, at, SpanKind::kBreak);
        return at;
    }
    // \let\a\b, \let\a=\b, \font\x=cmr10 scaled 1200, \chardef\x=65
    if (name == "let" || name == "font" || name == "chardef" || name == "mathchardef" ||
        name == "countdef" || name == "dimendef" || name == "skipdef" || name == "toksdef" ||
        name == "newcount" || name == "newdimen" || name == "newskip" || name == "newbox" ||
        name == "newtoks" || name == "newif" || name == "newwrite" || name == "newread" ||
        name == "futurelet" || name == "global" || name == "outer" || name == "long") {
        size_t at = end;
        int tokens = name == "let" ? 2 : name == "futurelet" ? 3
                   : (name == "global" || name == "outer" || name == "long") ? 0 : 1;
        for (int t = 0; t < tokens && at < line.size(); ++t) {
            while (at < line.size() && (IsBlankByte(line[at]) || line[at] == '='))
                ++at;
            if (at < line.size() && line[at] == '\\') {
                ++at;
                if (at < line.size() && (IsAsciiLetter(line[at]) || line[at] == '@')) {
                    while (at < line.size() && (IsAsciiLetter(line[at]) || line[at] == '@'))
                        ++at;
                } else if (at < line.size()) {
                    ++at;
                }
            } else if (at < line.size()) {
                ++at;
            }
        }
        if (name == "font" || name == "chardef" || name == "mathchardef" || name.ends_with("def")) {
            // = and the value: a font's file name and its "scaled N" or "at D".
            while (at < line.size() && (IsBlankByte(line[at]) || line[at] == '='))
                ++at;
            while (at < line.size() && !IsBlankByte(line[at]) && line[at] != '\\' &&
                   line[at] != '%' && line[at] != '}')
                ++at;
            size_t more = at;
            while (more < line.size() && IsBlankByte(line[more]))
                ++more;
            if (line.substr(more).starts_with("scaled") || line.substr(more).starts_with("at "))
                at = ReadDimension(line, more + (line[more] == 's' ? 6 : 2));
        }
        out.Add(start, at, SpanKind::kBreak);
        return at;
    }
    if (name == "begin" || name == "end") {
        out.Add(start, end, SpanKind::kBreak);
        StartArguments(std::string(name), 1, SpanKind::kBreak);
        if (name == "end")
            args_.trailingOptional = false;
        return end;
    }
    Skipped skipped = SkippedArguments(name);
    if (skipped.arguments > 0) {
        out.Add(start, end, skipped.kind);
        StartArguments(std::string(name), skipped.arguments, skipped.kind);
        return end;
    }
    SpanKind kind = IsBlockCommand(name)        ? SpanKind::kBreak
                    : IsFormattingCommand(name) ? SpanKind::kInline
                                                : SpanKind::kObject;
    // Glue, a dimension or a number that the command takes.
    if (TakesDimension(name)) {
        size_t at = ReadDimension(line, end);
        if (at > end)
            end = at;
    }
    // A starred form and the optional argument of a block command go with it.
    if (kind == SpanKind::kBreak && end < line.size() && line[end] == '*')
        ++end;
    // TeX skips the spaces after a control word: they are the command's, so no
    // rule that takes a space away can join the command to the next word.
    while (end < line.size() && IsBlankByte(line[end]))
        ++end;
    out.Add(start, end, kind);
    if (kind == SpanKind::kBreak && name != "item") {
        StartArguments(std::string(name), 0, kind);
        args_.trailingOptional = true;
        args_.justClosed = true;
    }
    return end;
}

// Prose and markup from `i` in text mode, up to the next change of mode.
size_t TexReader::Text(std::string_view line, size_t i, SpanSink& out) {
    while (i < line.size() && mode_ == Mode::kText && !args_.active) {
        char c = line[i];
        char next = i + 1 < line.size() ? line[i + 1] : '\0';
        switch (c) {
            case '%':
                // %&mex: a file of the MeX format, which writes Polish letters
                // with a slash.
                if (line.substr(i).starts_with("%&mex") || line.substr(i).starts_with("%&pdfmex"))
                    slashLetters_ = true;
                out.Add(i, line.size(), SpanKind::kInline);
                return line.size();
            case '\\':
                i = Command(line, i, out);
                continue;
            case '$':
                if (next == '$') {
                    out.Add(i, i + 2, SpanKind::kBreak);
                    mode_ = Mode::kMath;
                    mathEnd_ = MathEnd::kDoubleDollar;
                    mathKind_ = SpanKind::kBreak;
                    return i + 2;
                }
                out.Add(i, i + 1, SpanKind::kObject);
                mode_ = Mode::kMath;
                mathEnd_ = MathEnd::kDollar;
                mathKind_ = SpanKind::kObject;
                return i + 1;
            case '~':
                out.Escape(i, i + 1, 0x00A0);
                ++i;
                continue;
            case '{':
            case '}':
                // Between two arguments (}{): a boundary no rule reaches across.
                if (c == '}' && next == '{') {
                    out.Add(i, i + 2, SpanKind::kBreak);
                    i += 2;
                    continue;
                }
                out.Add(i, i + 1, SpanKind::kInline);
                ++i;
                continue;
            case '&':
                out.Add(i, i + 1, SpanKind::kBreak);
                ++i;
                continue;
            case ',':
                if (next == ',') {
                    out.Escape(i, i + 2, u'„');
                    i += 2;
                    continue;
                }
                break;
            case '\'':
                if (next == '\'') {
                    out.Escape(i, i + 2, u'”');
                    i += 2;
                    continue;
                }
                break;
            case '`':
                if (next == '`') {
                    out.Escape(i, i + 2, u'“');
                    i += 2;
                    continue;
                }
                break;
            case '-':
                if (next == '-') {
                    bool em = i + 2 < line.size() && line[i + 2] == '-';
                    out.Escape(i, i + (em ? 3 : 2), em ? u'—' : u'–');
                    i += em ? 3 : 2;
                    continue;
                }
                break;
            case '/':
                // MeX's Polish letters: /a ą, /c ć, /e ę, /l ł, /n ń, /o ó, /s ś,
                // /x ź, /z ż; // is a slash.
                if (slashLetters_) {
                    static constexpr std::string_view kFrom = "acelnosxzACELNOSXZ";
                    static constexpr std::u16string_view kTo = u"ąćęłńóśźżĄĆĘŁŃÓŚŹŻ";
                    size_t at = kFrom.find(next);
                    if (next != '\0' && at != std::string_view::npos) {
                        out.Escape(i, i + 2, kTo[at]);
                        i += 2;
                        continue;
                    }
                    if (next == '/') {
                        out.Escape(i, i + 2, u'/');
                        i += 2;
                        continue;
                    }
                }
                break;
            case '"':
                // babel's "- "= "~ "| "" inside a word: a point of hyphenation.
                if ((next == '-' || next == '=' || next == '~' || next == '|' || next == '"') &&
                    LetterBefore(line, i) && LetterAt(line, i + 2)) {
                    out.Escape(i, i + 2, kSoftHyphen, true);
                    i += 2;
                    continue;
                }
                break;
            default:
                break;
        }
        out.Add(i, i + 1, SpanKind::kText);
        ++i;
    }
    return i;
}

void TexReader::Line(std::string_view line, SpanSink& out) {
    // An empty line ends a paragraph, and with it math or arguments left open by
    // a mistake; verbatim text goes on to its end.
    bool empty = line.find_first_not_of(" \t") == std::string_view::npos;
    if (empty && mode_ != Mode::kVerbatim) {
        if (mode_ == Mode::kMath && mathEnd_ != MathEnd::kEnvironment)
            mode_ = Mode::kText;
        if (args_.depth == 0)
            args_.active = false;
    }
    size_t i = 0;
    while (i < line.size()) {
        size_t start = i;
        if (mode_ == Mode::kVerbatim) {
            i = Verbatim(line, i);
            out.Add(start, i, SpanKind::kBreak);
        } else if (mode_ == Mode::kMath) {
            i = Math(line, i);
            out.Add(start, i, mathKind_);
        } else if (args_.active) {
            i = SkipArguments(line, i);
            out.Add(start, i, args_.kind);
        } else {
            i = Text(line, i, out);
        }
    }
    // A command's arguments do not go on past a line that ends between them,
    // but for those still open.
    if (args_.active && args_.depth == 0 && args_.mandatory <= 0)
        args_.active = false;
}

}  // namespace

std::unique_ptr<FormatReader> MakeTexReader() {
    return std::make_unique<TexReader>();
}

}  // namespace tarnik::markup
