#include "speller/bundled_list.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "files/checksum_trailer.h"
#include "speller/main_dictionary.h"

namespace tarnik {

namespace {

// A list read by CheckBundledList, until its loader takes it.
struct CheckedList {
    std::string name;
    uint64_t opening = 0;
    SealedFile state = SealedFile::kMissing;
    std::string text;
};

std::vector<CheckedList>& Checked() {
    static std::vector<CheckedList> lists;
    return lists;
}

SealedFile ReadList(const char* name, std::string& text) {
    std::filesystem::path list = std::filesystem::path(OpenDictionaryPath()).parent_path() / name;
    return ReadSealedFile(list.string(), text);
}

}  // namespace

SealedFile CheckBundledList(const char* name) {
    std::erase_if(Checked(), [&](const CheckedList& list) { return list.name == name; });
    CheckedList list{name, MainDictionaryOpenings(), SealedFile::kMissing, {}};
    list.state = ReadList(name, list.text);
    SealedFile state = list.state;
    Checked().push_back(std::move(list));
    return state;
}

std::optional<std::string> BundledListText(const char* name, uint64_t& opening) {
    if (MainDictionaryOpenings() == opening)
        return std::nullopt;
    opening = MainDictionaryOpenings();
    std::string text;
    SealedFile state = SealedFile::kMissing;
    auto checked = std::find_if(Checked().begin(), Checked().end(),
                                [&](const CheckedList& list) { return list.name == name; });
    if (checked != Checked().end() && checked->opening == opening) {
        state = checked->state;
        text = std::move(checked->text);
    } else {
        state = ReadList(name, text);
    }
    if (checked != Checked().end())
        Checked().erase(checked);
    if (state != SealedFile::kRead)
        text.clear();  // none, or refused: cut short or changed
    return text;
}

}  // namespace tarnik
