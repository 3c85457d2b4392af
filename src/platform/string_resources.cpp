#include "platform/string_resources.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tarnik {

namespace {

struct NumberedString {
    uint16_t number;
    const char* text;
};

constexpr NumberedString kStringTable[] = {
    {500, "The index of the dictionary file could not be read in full."},
    {502, "There is no memory for the index of the dictionary file."},
    {504, "A seek in the dictionary file failed."},
    {505, "The dictionary file has no data area."},
    {506, "The dictionary file could not be read."},
    {508, "No dictionary file is open."},
    {510, "The dictionary file lacks a resource."},
    {511, "There is no memory for the data of the dictionary file."},
    {514, "The data of the dictionary file could not be read."},
    {515, "No dictionary file is open to be closed."},
    {516, "No dictionary file is open to be read."},
    {518, "The dictionary file is cut short."},
    {527, "Another dictionary file is open."},
    {529, "The dictionary file is damaged: its checksum does not match."},
    {65493, "The file cannot be opened."},
};

struct StringResources {
    char buffer[255] = {};
};

StringResources& Resources() {
    static StringResources resources;
    return resources;
}

}  // namespace

const char* LoadStringResource(uint16_t number, const char* suffix) {
    std::string text;
    auto found = std::find_if(std::begin(kStringTable), std::end(kStringTable),
                              [&](const NumberedString& entry) { return entry.number == number; });
    if (found != std::end(kStringTable)) {
        text = found->text;
        text += "\r\n";
    }
    if (suffix != nullptr)
        text += suffix;
    char* buffer = Resources().buffer;
    std::size_t length = std::min(text.size(), sizeof Resources().buffer - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return buffer;
}

}  // namespace tarnik
