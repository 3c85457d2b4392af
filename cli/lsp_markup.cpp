#include "cli/lsp_markup.h"

#include "charsets/utf8.h"

namespace tarnik::cli {

TextFormat FormatOfLanguage(std::string_view languageId) {
    if (languageId == "latex" || languageId == "tex")
        return TextFormat::kTex;
    if (languageId == "html" || languageId == "xml")
        return TextFormat::kHtml;
    return TextFormat::kPlain;
}

std::u16string ProseOfLine(MarkupFilter& filter, std::string_view line) {
    std::u16string codes = Utf8ToInternal(line);
    filter.Filter(codes, true);
    return codes;
}

}  // namespace tarnik::cli
