// The markup layer: what of a marked-up text is prose. Every front end that
// reads text (tarnik list, pipe, check, hyphenate, typo, and later ones) reads it
// through here, so TeX/LaTeX, HTML/XML, Markdown, nroff/troff and plain text are
// told apart in one place.
//
// A Reader takes a text one line at a time, keeping its state between lines (a
// TeX group, an HTML tag or a Markdown code block may go on over several), and
// cuts each line into spans that cover it whole, in order, with their byte
// offsets in the line:
//   kText    prose as it is written: its bytes are its characters;
//   kEscape  one character of prose written otherwise (&amp; &shy; in HTML, ~ ,,
//            '' -- \- \% in TeX, \(em in nroff): `decoded` holds it;
//   kInline  markup that stands for nothing in the prose: a tag or a command
//            around a word (<b>, \emph{, }), a comment;
//   kObject  markup that stands inside a sentence like a word of its own: math,
//            a reference or a citation, inline code, an entity of no character;
//   kBreak   markup between blocks of prose: a heading's marks, a list marker, a
//            table's pipes, a code block, a request line, a tag that opens a
//            paragraph, a line's indentation.
// A line's end ("\n" or "\r\n") is always a kText span of its own, so that
// markup never holds one and lines can be counted in the prose.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnik::markup {

enum class TextFormat { kPlain, kTex, kHtml, kMarkdown, kNroff };

// "plain", "tex" (or "latex"), "html" (or "xml", "sgml"), "markdown" (or "md"),
// "nroff" (or "troff", "man"); false for another name.
bool TextFormatFromName(std::string_view name, TextFormat& format);

// The format a file's name tells: .tex .ltx .sty .cls .dtx; .html .htm .xhtml
// .xml .svg; .md .markdown; .1 to .9 (with a suffix: .3pm, .1x) and .man. None
// for any other name, and for standard input ("" or "-").
std::optional<TextFormat> TextFormatFromPath(std::string_view path);

// "plain", "tex", "html", "markdown", "nroff".
const char* TextFormatName(TextFormat format);

enum class SpanKind : uint8_t { kText, kEscape, kInline, kObject, kBreak };

struct Span {
    uint32_t begin = 0;  // byte offsets in the line
    uint32_t end = 0;
    SpanKind kind = SpanKind::kText;
    char16_t decoded = 0;  // kEscape: the character it stands for
    // kEscape of a soft hyphen the writer put in a word (TeX's \- "- "= "~,
    // nroff's \%): the word is checked without it, and hyphenation keeps it and
    // adds no soft hyphen of its own to the word.
    bool discretionary = false;

    bool IsProse() const { return kind == SpanKind::kText || kind == SpanKind::kEscape; }
};

// The soft hyphen an escape stands for when it marks a hyphenation point.
inline constexpr char16_t kSoftHyphen = 0x00AD;

class FormatReader;

class Reader {
  public:
    explicit Reader(TextFormat format = TextFormat::kPlain);
    ~Reader();
    Reader(Reader&&) noexcept;
    Reader& operator=(Reader&&) noexcept;

    // Switches to `format`, starting its markup afresh (as at a text's start).
    void SetFormat(TextFormat format);
    TextFormat Format() const { return format_; }

    // Replaces `spans` by those of one line. `line` may end with its line end
    // ("\n" or "\r\n"); without one, it is taken as a whole line all the same.
    void ReadLine(std::string_view line, std::vector<Span>& spans);

  private:
    TextFormat format_;
    std::unique_ptr<FormatReader> reader_;
};

}  // namespace tarnik::markup
