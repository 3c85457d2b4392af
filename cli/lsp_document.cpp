#include "cli/lsp_document.h"

#include <algorithm>

#include "tarnik/text_codec.h"

namespace tarnik::cli {

namespace {

// The lines of `text`, each with its line end; the protocol ends lines at
// "\n", "\r\n" and "\r".
std::vector<LspLine> SplitLines(std::string_view text) {
    std::vector<LspLine> lines;
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        std::size_t endLength =
            text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
        lines.push_back({.text = std::string(text.substr(from, i - from)),
                         .end = std::string(text.substr(i, endLength))});
        i += endLength - 1;
        from = i + 1;
    }
    lines.push_back({.text = std::string(text.substr(from))});
    return lines;
}

// The UTF-16 units of the character at `byte`, moving `byte` past it.
std::size_t Units(std::string_view line, std::size_t& byte) {
    std::optional<char32_t> c = DecodeUtf8(line, byte);
    return c && *c > 0xFFFF ? 2 : 1;
}

}  // namespace

std::vector<std::size_t> UnitStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    starts.reserve(text.size() + 1);
    for (std::size_t position = 0; position < text.size();) {
        std::size_t start = position;
        starts.insert(starts.end(), Units(text, position), start);
    }
    starts.push_back(text.size());
    return starts;
}

int64_t ColumnCounter::Column(std::size_t byte) {
    byte = std::min(byte, line_.size());
    if (utf8_)
        return static_cast<int64_t>(byte);
    if (byte < byte_) {
        byte_ = 0;
        units_ = 0;
    }
    while (byte_ < byte) {
        units_ += static_cast<int64_t>(Units(line_, byte_));
    }
    return units_;
}

LspDocument::LspDocument(std::string_view text, TextFormat format, int64_t version)
    : version(version), lines_(SplitLines(text)), format_(format) {}

void LspDocument::Replace(std::string_view text) {
    lines_ = SplitLines(text);
}

void LspDocument::Edit(LspPlace from, LspPlace to, std::string_view text) {
    if (to.line < from.line || (to.line == from.line && to.byte < from.byte))
        std::swap(from, to);
    // The lines around the edit are split again with it, so that a line end
    // made or broken at its edges ("\r" meeting "\n") is read as a whole.
    std::size_t first = from.line > 0 ? from.line - 1 : 0;
    std::size_t last = std::min(to.line + 1, lines_.size() - 1);
    std::string region;
    std::size_t fromByte = 0;
    std::size_t toByte = 0;
    for (std::size_t i = first; i <= last; ++i) {
        if (i == from.line)
            fromByte = region.size() + from.byte;
        if (i == to.line)
            toByte = region.size() + to.byte;
        region += lines_[i].text;
        region += lines_[i].end;
    }
    region.replace(fromByte, toByte - fromByte, text);
    std::vector<LspLine> made = SplitLines(region);
    // Before the document's last line the region ends with a line end: what
    // follows it is the next line's.
    if (last + 1 < lines_.size())
        made.pop_back();
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first),
                 lines_.begin() + static_cast<std::ptrdiff_t>(last + 1));
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(first),
                  std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
}

LspPlace LspDocument::PlaceOf(int64_t line, int64_t character, bool utf8) const {
    if (line < 0)
        return {0, 0};
    if (static_cast<std::size_t>(line) >= lines_.size())
        return {lines_.size() - 1, lines_.back().text.size()};
    const std::string& text = lines_[static_cast<std::size_t>(line)].text;
    std::size_t byte = 0;
    if (utf8) {
        byte = static_cast<std::size_t>(std::clamp<int64_t>(character, 0, text.size()));
        // Inside a character: back to its start.
        while (byte > 0 && byte < text.size() && (static_cast<uint8_t>(text[byte]) & 0xC0) == 0x80)
            --byte;
    } else {
        for (int64_t units = 0; byte < text.size();) {
            std::size_t next = byte;
            units += static_cast<int64_t>(Units(text, next));
            if (units > character)
                break;
            byte = next;
        }
    }
    return {static_cast<std::size_t>(line), byte};
}

void LspDocument::ReadProse() {
    // Plain text has no markup that runs from line to line: a line's prose
    // depends on the line alone. Other markup is read from the start.
    bool fromStart = format_ != TextFormat::kPlain &&
                     std::ranges::any_of(lines_, [](const LspLine& line) { return line.changed; });
    MarkupFilter filter(format_);
    for (LspLine& line : lines_) {
        if (!line.changed && !fromStart)
            continue;
        std::u16string prose = ProseOfLine(filter, line.text);
        if (line.changed || prose != line.prose) {
            line.prose = std::move(prose);
            line.spellingDue = true;
            line.typographyDue = true;
        }
        line.changed = false;
    }
}

}  // namespace tarnik::cli
