#include "cli/lsp_markup.h"

#include <vector>

#include "tarnik/text_codec.h"

namespace tarnik::cli {

TextFormat FormatOfLanguage(std::string_view languageId) {
    if (languageId == "latex" || languageId == "tex")
        return TextFormat::kTex;
    if (languageId == "html" || languageId == "xml")
        return TextFormat::kHtml;
    if (languageId == "markdown")
        return TextFormat::kMarkdown;
    return TextFormat::kPlain;
}

std::u16string ProseOfLine(MarkupFilter& filter, std::string_view line) {
    markup::ProseLine prose;
    filter.Filter(line, prose);
    // The layer gives each unit of prose the column (in characters) it comes
    // from; the editor counts UTF-16 units of the line.
    const std::u16string units = Utf8ToUtf16(line);
    std::vector<size_t> unitOfColumn;
    for (size_t u = 0; u < units.size(); ++u) {
        if (!IsLowSurrogate(units[u]))
            unitOfColumn.push_back(u);
    }
    unitOfColumn.push_back(units.size());
    std::u16string codes(units.size(), u' ');
    size_t at = 0;
    for (size_t i = 0; i < prose.codes.size() && i < prose.columns.size(); ++i) {
        const auto column = static_cast<size_t>(prose.columns[i]);
        // The second unit of a character beyond the first plane follows the first.
        size_t place = i > 0 && prose.columns[i] == prose.columns[i - 1]
                           ? at + 1
                           : unitOfColumn[std::min(column, unitOfColumn.size() - 1)];
        if (place < codes.size())
            codes[place] = prose.codes[i];
        at = place;
    }
    return codes;
}

}  // namespace tarnik::cli
