#include "typography/typo_settings_store.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <string>

#include "platform/settings_store.h"
#include "typography/typography_state.h"

namespace tarnik {

namespace {

constexpr const char* kSection = kTypoSettingsSection;
// Bytes a stored word list may have: the padded list must fit its field.
constexpr std::size_t kStoredWordListCapacity = TypoWordList::kCapacity - 2;

// One key of the section, in the order of writing. Exactly one field pointer is set.
struct TypoKey {
    const char* name;
    int16_t TypoSettings::*flag = nullptr;
    std::string TypoSettings::*chars = nullptr;
    std::size_t capacity = 0;
    TypoWordList TypoSettings::*words = nullptr;
};

constexpr TypoKey Flag(const char* name, int16_t TypoSettings::*field) {
    return {name, field, nullptr, 0, nullptr};
}
constexpr TypoKey Chars(const char* name, std::string TypoSettings::*field,
                        std::size_t capacity = kTypoCharListCapacity) {
    return {name, nullptr, field, capacity, nullptr};
}
constexpr TypoKey Words(const char* name, TypoWordList TypoSettings::*field) {
    return {name, nullptr, nullptr, 0, field};
}

const TypoKey kKeys[] = {
    Flag("2Cudzyslow", &TypoSettings::fixQuotes),
    Flag(kTypoInnerQuoteKey, &TypoSettings::innerQuoteStyle),
    Flag("23ZgadnijCudzyslow", &TypoSettings::guessQuotes),
    Flag("24CudzyslowSpacja", &TypoSettings::quoteSpaceFix),
    Flag("8SpacjaLacz", &TypoSettings::fixDashes),
    Flag(kTypoDashStyleKey, &TypoSettings::dashStyle),
    Flag("27LaczPoPauzach", &TypoSettings::nbspAfterDashes),
    Flag("5WielokrotneSpacje", &TypoSettings::removeRepeatedSpaces),
    Flag("11UsunSpacjePrzed", &TypoSettings::removeSpacesBefore),
    Chars("11Znaki", &TypoSettings::removeSpacesBeforeChars),
    Flag("12WstawSpacjePrzed", &TypoSettings::insertSpacesBefore),
    Chars("12Znaki", &TypoSettings::insertSpacesBeforeChars),
    Flag("13UsunSpacjePo", &TypoSettings::removeSpacesAfter),
    Chars("13Znaki", &TypoSettings::removeSpacesAfterChars),
    Flag("14WstawSpacjePo", &TypoSettings::insertSpacesAfter),
    Chars("14Znaki", &TypoSettings::insertSpacesAfterChars),
    Flag("AUsuwajZnaki", &TypoSettings::removeChars),
    Chars("BZnaki", &TypoSettings::removeCharsList, kTypoRemoveListCapacity),
    Flag("7LaczliweSpacje", &TypoSettings::nbspAfterWords),
    Flag("22LaczPrzedSlowami", &TypoSettings::nbspBeforeWords),
    Flag("15LaczPoCyfrach", &TypoSettings::nbspAfterDigits),
    Flag("19insremSpcExc", &TypoSettings::useSpaceExceptions),
    Words("17nbspAfterDigits", &TypoSettings::afterDigitsList),
    Words("18nbspAfterWords", &TypoSettings::afterWordsList),
    Words("21nbspBeforeWords", &TypoSettings::beforeWordsList),
    Words("20SinsremSpcExc", &TypoSettings::spaceExceptionsList),
    Flag("25LaczPrzedCyframi", &TypoSettings::nbspBeforeDigits),
    Flag("26LaczPrzedCyframiRzymskimi", &TypoSettings::nbspBeforeRoman),
};

std::string ReadString(const char* key, const std::string& fallback, std::size_t capacity) {
    std::string buffer(capacity + 1, '\0');
    buffer.resize(GetString(key, fallback, buffer.data(), buffer.size()));
    return buffer;
}

}  // namespace

void TypoSettingsLoad() {
    SetStoreTarget(nullptr, kSection);
    const TypoSettings defaults;
    TypoSettings& settings = Typography().settings;
    for (const TypoKey& key : kKeys) {
        if (key.flag) {
            int32_t value = GetInt(key.name, defaults.*key.flag);
            settings.*key.flag =
                static_cast<int16_t>(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX));
        } else if (key.chars) {
            settings.*key.chars =
                WithoutBlanks(ReadString(key.name, defaults.*key.chars, key.capacity));
        } else {
            std::string stored = ReadString(key.name, "", kStoredWordListCapacity);
            if (stored.empty())
                stored = (defaults.*key.words).Stored();
            (settings.*key.words).Assign(stored);
        }
    }
    if (settings.innerQuoteStyle < kInnerLowHigh ||
        settings.innerQuoteStyle > kInnerReversedGuillemets)
        settings.innerQuoteStyle = kInnerLowHigh;
    if (settings.dashStyle != kEmDash)
        settings.dashStyle = kEnDash;
}

std::vector<SettingsProblem> CheckTypoSettingsText(std::string_view text) {
    static const std::vector<SettingRule> rules = [] {
        std::vector<SettingRule> made;
        for (const TypoKey& key : kKeys) {
            if (key.flag)
                made.push_back({key.name, key.flag == &TypoSettings::innerQuoteStyle ? 3 : 1, 0});
            else
                made.push_back({key.name, -1, key.chars ? key.capacity : kStoredWordListCapacity});
        }
        return made;
    }();
    return CheckSettingsSection(text, kSection, rules);
}

void TypoSettingsSave() {
    SetStoreTarget(nullptr, kSection);
    const TypoSettings& settings = Typography().settings;
    for (const TypoKey& key : kKeys) {
        if (key.flag)
            PutInt(key.name, settings.*key.flag);
        else if (key.chars)
            PutString(key.name, settings.*key.chars);
        else
            PutString(key.name, (settings.*key.words).Stored());
    }
    FlushStoreOrTell();
}

}  // namespace tarnik
