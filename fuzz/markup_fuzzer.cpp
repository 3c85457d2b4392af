// The markup layer on any text in any format. The input's first byte chooses the
// format (plain, TeX, HTML, Markdown, nroff); the rest is the text, read a line
// at a time. Every line's spans must cover it in order, and the text's prose
// put through a story that nobody changes, handed back in parts, must give the
// text back byte for byte. Text that is not UTF-8 is no input of the layer (the
// commands refuse it first).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "markup/markup.h"
#include "markup/prose_story.h"
#include "markup/text_filter.h"
#include "tarnik/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarnik::markup;
    if (size < 1)
        return 0;
    const auto format = static_cast<TextFormat>(data[0] % 5);
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (tarnik::FindBadUtf8(text))
        return 0;
    Reader reader(format);
    ProseStory prose(format, {.keepDiscretionaries = (data[0] & 8) != 0});
    TextFilter filter(format);
    ProseLine line;
    std::vector<Span> spans;
    std::u16string story;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        std::string_view piece = text.substr(start, end - start);
        reader.ReadLine(piece, spans);
        uint32_t at = 0;
        for (const Span& span : spans) {
            if (span.begin != at || span.end <= span.begin)
                std::abort();
            at = span.end;
        }
        if (at != piece.size())
            std::abort();
        prose.AddLine(piece, spans, story);
        filter.Filter(piece, line);
        if (line.columns.size() != line.codes.size() + 1 || line.units.size() != line.codes.size())
            std::abort();
        start = end;
    }
    std::string out;
    const size_t part = 1 + (data[0] >> 4);
    for (size_t at = 0; at < story.size(); at += part)
        prose.Take(std::u16string_view(story).substr(at, part), out);
    prose.Finish(out);
    if (out != text || prose.Changed())
        std::abort();
    return 0;
}
