#include "platform/translation_tables.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>

#include "framework/string_mapper_comparator.h"
#include "framework/xtl_array.h"

namespace tarnik {

namespace {

// Dialog entries sort by one 32-bit key: the English number in the low half,
// the language in the high half.
struct DialogMapperEntry {
    int32_t key;
    uint16_t translated;
};

int32_t DialogKey(uint16_t english, uint16_t language) {
    return static_cast<int32_t>(static_cast<uint32_t>(language) << 16 | english);
}

class TranslationTables {
  public:
    XTLArray strings{sizeof(StringMapperEntry), true, std::make_unique<CStringMapperComparator>()};
    XTLArray dialogs{sizeof(DialogMapperEntry), true,
                     std::make_unique<XTLLongComparator>(sizeof(DialogMapperEntry))};
    LanguageSource languageSource;
    char sharedBuffer[kStringMapperFieldSize] = {};

    uint16_t Language(int language) const {
        if (language == kCurrentLanguage && languageSource) {
            if (std::optional<uint16_t> current = languageSource())
                return *current;
        }
        return static_cast<uint16_t>(language);
    }
};

TranslationTables& Tables() {
    static TranslationTables tables;
    return tables;
}

}  // namespace

void SetLanguageSource(LanguageSource source) {
    Tables().languageSource = std::move(source);
}

int16_t RegisterString(const char* english, uint16_t language, const char* translation) {
    if (english == nullptr || translation == nullptr)
        return 1;
    auto entry = std::make_unique<StringMapperEntry>();
    if (!CopyIntoMapperField(entry->key, english) ||
        !CopyIntoMapperField(entry->text, translation)) {
        return 1;
    }
    entry->language = language;
    XTLArray& strings = Tables().strings;
    if (int32_t position = strings.Find(entry.get())) {
        strings.Replace(position, entry.get());
    } else {
        strings.Insert(entry.get());
    }
    return 0;
}

int16_t RegisterDialog(uint16_t english, uint16_t language, uint16_t translated) {
    DialogMapperEntry entry{DialogKey(english, language), translated};
    XTLArray& dialogs = Tables().dialogs;
    if (int32_t position = dialogs.Find(&entry)) {
        dialogs.Replace(position, &entry);
    } else {
        dialogs.Insert(&entry);
    }
    return 0;
}

const char* TranslateString(const char* english, int language, char* buffer, std::size_t size) {
    if (english == nullptr)
        return nullptr;
    TranslationTables& tables = Tables();
    auto entry = std::make_unique<StringMapperEntry>();
    if (!CopyIntoMapperField(entry->key, english))
        return english;
    entry->language = tables.Language(language);
    int32_t position = tables.strings.Find(entry.get());
    if (position == 0 || !tables.strings.Read(position, entry.get()))
        return english;
    if (buffer == nullptr || size == 0) {
        buffer = tables.sharedBuffer;
        size = sizeof tables.sharedBuffer;
    }
    std::string_view text(entry->text);
    std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return buffer;
}

uint16_t TranslateDialog(uint16_t english, int language) {
    TranslationTables& tables = Tables();
    DialogMapperEntry entry{DialogKey(english, tables.Language(language)), 0};
    int32_t position = tables.dialogs.Find(&entry);
    if (position == 0 || !tables.dialogs.Read(position, &entry))
        return english;
    return entry.translated;
}

}  // namespace tarnik
