// The readers of each format behind markup::Reader (markup.h). Each takes a
// line without its line end and writes its spans through a SpanSink, which
// joins neighbouring spans of one kind.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "markup/markup.h"

namespace tarnik::markup {

class SpanSink {
  public:
    explicit SpanSink(std::vector<Span>& spans) : spans_(spans) {}

    // [begin, end) of the line is of `kind` (not kEscape); joined to the span
    // before when that is of the same kind.
    void Add(size_t begin, size_t end, SpanKind kind);
    // [begin, end) stands for `decoded`.
    void Escape(size_t begin, size_t end, char16_t decoded, bool discretionary = false);

  private:
    std::vector<Span>& spans_;
};

class FormatReader {
  public:
    virtual ~FormatReader() = default;
    // One line, without its line end.
    virtual void Line(std::string_view line, SpanSink& out) = 0;
};

std::unique_ptr<FormatReader> MakeTexReader();
std::unique_ptr<FormatReader> MakeHtmlReader();
std::unique_ptr<FormatReader> MakeMarkdownReader();
std::unique_ptr<FormatReader> MakeRoffReader();

// Shared by the readers.
inline bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool IsBlankByte(char c) {
    return c == ' ' || c == '\t';
}
inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
// Whether the byte before `at` ends a letter: an ASCII letter or the last byte of
// a character beyond ASCII (Polish letters among them).
inline bool LetterBefore(std::string_view line, size_t at) {
    return at > 0 &&
           (IsAsciiLetter(line[at - 1]) || static_cast<unsigned char>(line[at - 1]) >= 0x80);
}
inline bool LetterAt(std::string_view line, size_t at) {
    return at < line.size() &&
           (IsAsciiLetter(line[at]) || static_cast<unsigned char>(line[at]) >= 0xC0);
}

// An HTML character reference at `at` (which holds '&'): its length through the
// ';' and the character, or 0 when there is none there. A reference to no
// character of the Basic Multilingual Plane, or to an unknown name, gives
// `decoded` 0 with its length.
size_t ReadEntity(std::string_view line, size_t at, char16_t& decoded);

// The reference at `at` (which holds '&') added to `out`, as the character it
// stands for or, for one of no such character, as an object; its length, or 0
// (nothing added) when there is none there or it would reach past `to`.
size_t AddEntity(std::string_view line, size_t at, size_t to, SpanSink& out);

// The kind of an HTML or XML tag by its name (small letters): kBreak for blocks,
// kInline for the tags inside a sentence.
SpanKind HtmlTagKind(std::string_view name);

}  // namespace tarnik::markup
