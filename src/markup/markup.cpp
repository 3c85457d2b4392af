#include "markup/markup.h"

#include <array>

#include "markup/format_reader.h"

namespace tarnik::markup {

namespace {

bool EndsWith(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size())
        return false;
    for (size_t i = 0; i < suffix.size(); ++i) {
        if (LowerAscii(text[text.size() - suffix.size() + i]) != suffix[i])
            return false;
    }
    return true;
}

}  // namespace

void SpanSink::Add(size_t begin, size_t end, SpanKind kind) {
    if (end <= begin)
        return;
    if (!spans_.empty() && spans_.back().kind == kind && kind != SpanKind::kEscape &&
        spans_.back().end == begin) {
        spans_.back().end = static_cast<uint32_t>(end);
        return;
    }
    spans_.push_back({static_cast<uint32_t>(begin), static_cast<uint32_t>(end), kind, 0, false});
}

void SpanSink::Escape(size_t begin, size_t end, char16_t decoded, bool discretionary) {
    spans_.push_back({static_cast<uint32_t>(begin), static_cast<uint32_t>(end), SpanKind::kEscape,
                      decoded, discretionary});
}

bool TextFormatFromName(std::string_view name, TextFormat& format) {
    if (name == "plain" || name == "text")
        format = TextFormat::kPlain;
    else if (name == "tex" || name == "latex")
        format = TextFormat::kTex;
    else if (name == "html" || name == "xml" || name == "sgml" || name == "xhtml")
        format = TextFormat::kHtml;
    else if (name == "markdown" || name == "md")
        format = TextFormat::kMarkdown;
    else if (name == "nroff" || name == "troff" || name == "man" || name == "groff")
        format = TextFormat::kNroff;
    else
        return false;
    return true;
}

std::optional<TextFormat> TextFormatFromPath(std::string_view path) {
    if (path.empty() || path == "-")
        return std::nullopt;
    size_t slash = path.rfind('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    // A compressed or backed-up name is judged by what is under it: page.html.bak
    // is no HTML file, but neither is it plain; only the last extension counts.
    for (std::string_view ext : {".tex", ".ltx", ".sty", ".cls", ".dtx", ".latex"}) {
        if (EndsWith(name, ext))
            return TextFormat::kTex;
    }
    for (std::string_view ext : {".html", ".htm", ".xhtml", ".xml", ".svg", ".shtml"}) {
        if (EndsWith(name, ext))
            return TextFormat::kHtml;
    }
    for (std::string_view ext : {".md", ".markdown", ".mdown", ".mkd"}) {
        if (EndsWith(name, ext))
            return TextFormat::kMarkdown;
    }
    if (EndsWith(name, ".man"))
        return TextFormat::kNroff;
    // A manual page: NAME.N, or NAME.N followed by letters (ls.1, Carp.3pm, x.1x).
    size_t dot = name.rfind('.');
    // Not a version's last number (wersja.1.2).
    size_t before = dot == std::string_view::npos ? 0 : name.rfind('.', dot - 1);
    bool version = dot != std::string_view::npos && dot > 0 && before != std::string_view::npos &&
                   name.substr(before + 1, dot - before - 1).find_first_not_of("0123456789") ==
                       std::string_view::npos;
    if (dot != std::string_view::npos && dot > 0 && !version && dot + 1 < name.size() &&
        name[dot + 1] >= '1' && name[dot + 1] <= '9') {
        std::string_view rest = name.substr(dot + 2);
        bool letters = rest.size() <= 4;
        for (char c : rest)
            letters = letters && IsAsciiLetter(c);
        if (letters)
            return TextFormat::kNroff;
    }
    return std::nullopt;
}

const char* TextFormatName(TextFormat format) {
    switch (format) {
        case TextFormat::kPlain:
            return "plain";
        case TextFormat::kTex:
            return "tex";
        case TextFormat::kHtml:
            return "html";
        case TextFormat::kMarkdown:
            return "markdown";
        case TextFormat::kNroff:
            return "nroff";
    }
    return "plain";
}

Reader::Reader(TextFormat format) {
    SetFormat(format);
}

Reader::~Reader() = default;
Reader::Reader(Reader&&) noexcept = default;
Reader& Reader::operator=(Reader&&) noexcept = default;

void Reader::SetFormat(TextFormat format) {
    format_ = format;
    switch (format) {
        case TextFormat::kPlain:
            reader_.reset();
            break;
        case TextFormat::kTex:
            reader_ = MakeTexReader();
            break;
        case TextFormat::kHtml:
            reader_ = MakeHtmlReader();
            break;
        case TextFormat::kMarkdown:
            reader_ = MakeMarkdownReader();
            break;
        case TextFormat::kNroff:
            reader_ = MakeRoffReader();
            break;
    }
}

void Reader::ReadLine(std::string_view line, std::vector<Span>& spans) {
    spans.clear();
    size_t content = line.size();
    if (content > 0 && line[content - 1] == '\n') {
        --content;
        if (content > 0 && line[content - 1] == '\r')
            --content;
    }
    SpanSink sink(spans);
    if (reader_) {
        reader_->Line(line.substr(0, content), sink);
        // A span never ends inside a character: the bytes of a character a
        // reader cut (an escape's letter beyond ASCII) go with the span before.
        size_t kept = 0;
        for (size_t k = 0; k < spans.size(); ++k) {
            Span span = spans[k];
            if (kept > 0)
                span.begin = spans[kept - 1].end;
            while (span.end < content &&
                   (static_cast<unsigned char>(line[span.end]) & 0xC0) == 0x80)
                ++span.end;
            if (span.end > span.begin)
                spans[kept++] = span;
        }
        spans.resize(kept);
    } else {
        sink.Add(0, content, SpanKind::kText);
    }
    if (content < line.size()) {
        // The line's end is a span of its own, never joined to the prose before.
        spans.push_back({static_cast<uint32_t>(content), static_cast<uint32_t>(line.size()),
                         SpanKind::kText, 0, false});
    }
}

}  // namespace tarnik::markup
