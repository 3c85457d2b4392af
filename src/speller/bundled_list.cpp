#include "speller/bundled_list.h"

#include <filesystem>

#include "files/checksum_trailer.h"
#include "speller/main_dictionary.h"

namespace tarnik {

std::optional<std::string> BundledListText(const char* name, uint64_t& opening) {
    if (MainDictionaryOpenings() == opening)
        return std::nullopt;
    opening = MainDictionaryOpenings();
    std::string text;
    std::filesystem::path list = std::filesystem::path(OpenDictionaryPath()).parent_path() / name;
    if (ReadSealedFile(list.string(), text) != SealedFile::kRead)
        text.clear();  // none, or refused: cut short or changed
    return text;
}

}  // namespace tarnik
