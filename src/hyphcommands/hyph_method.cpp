#include "hyphcommands/hyph_method.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <string_view>
#include <vector>

#include "hyphcommands/hyph_service.h"
#include "hyphenation/hyphenate_word.h"
#include "platform/guarded_call.h"
#include "platform/host_api.h"

namespace tarnik {

namespace {

constexpr int16_t kRegisterValue = 10;
constexpr size_t kNameOffset = 8;
constexpr size_t kNameChars = 32;  // 64 bytes of 16-bit characters
constexpr size_t kNameLengthOffset = 72;
constexpr int32_t kEntrySize = 4;

// The identifier the handlers answer with, kept from activation.
struct MethodState {
    std::string idCode;
};

MethodState& State() {
    static MethodState state;
    return state;
}

struct LanguageSet {
    uint64_t low = 0;
    uint64_t high = 0;
    void Add(int language) {
        if (language >= 0 && language < 64)
            low |= uint64_t{1} << language;
        else if (language >= 64 && language < 128)
            high |= uint64_t{1} << (language - 64);
    }
};

LanguageSet MethodLanguages(uint32_t features) {
    LanguageSet languages;
    if (features & XT_FEATURE_POLISH) {
        languages.Add(kMethodLanguagePolish);
    } else if (features & (XT_FEATURE_INTERNATIONAL | XT_FEATURE_MULTILINGUAL)) {
        languages.Add(kMethodLanguageEnglish);
        languages.Add(kMethodLanguagePolish);
    }
    return languages;
}

// The positions after each '-'-separated piece of a hyphenated word, counted in
// letters; a '-' at the very end starts no piece.
std::vector<int16_t> PieceEnds(std::string_view hyphenated) {
    std::vector<int16_t> ends;
    int16_t letters = 0;
    bool inPiece = false;
    for (char c : hyphenated) {
        if (c == '-') {
            if (inPiece)
                ends.push_back(letters);
            inPiece = false;
        } else {
            ++letters;
            inPiece = true;
        }
    }
    if (inPiece)
        ends.push_back(letters);
    return ends;
}

int32_t HandleMethodList(int32_t, void* record) {
    return GuardedCall("Hyphenation method list", [record] {
        if (record)
            AnswerMethodList(*static_cast<const XTHyphMethodListRequest*>(record), State().idCode);
        return static_cast<int32_t>(XT_OK);
    });
}

int32_t HandleHyphenateWord(int32_t, void* record) {
    return GuardedCall("Hyphenation method", [record] {
        if (record)
            AnswerHyphenateWord(*static_cast<XTHyphWordRequest*>(record));
        return static_cast<int32_t>(XT_OK);
    });
}

}  // namespace

uint32_t HyphMethodId(const std::string& idCode) {
    uint32_t id = 0;
    for (size_t i = 0; i < 4; ++i) {
        const uint8_t c = i < idCode.size() ? static_cast<uint8_t>(idCode[i]) : 0;
        id |= uint32_t{c} << (8 * i);
    }
    return id;
}

uint8_t RegisterHyphMethod(const std::string& idCode) {
    HostApi& host = Host();
    const LanguageSet languages = MethodLanguages(host.GetFeatureFlags());
    XTHostString name = host.MakeHostString(kHyphMethodName);
    const uint8_t result =
        host.RegisterHyphenationMethod(HyphMethodId(idCode), kRegisterValue, kRegisterValue, name,
                                       languages.low, languages.high, 0);
    if (name)
        host.ReleaseHostString(name);
    return result;
}

void AnswerMethodList(const XTHyphMethodListRequest& request, const std::string& idCode) {
    HostApi& host = Host();
    std::array<unsigned char, XT_HYPH_METHOD_RECORD_SIZE> record{};
    const uint32_t id = HyphMethodId(idCode);
    std::memcpy(record.data(), &id, sizeof id);
    if (XTHostString name = host.MakeHostString(kHyphMethodName)) {
        std::array<uint16_t, kNameChars> chars{};
        const int32_t length = std::clamp<int32_t>(host.HostStringLength(name), 0, kNameChars);
        host.HostStringChars(name, chars.data(), static_cast<int32_t>(chars.size()));
        host.ReleaseHostString(name);
        std::memcpy(record.data() + kNameOffset, chars.data(), sizeof chars);
        std::memcpy(record.data() + kNameLengthOffset, &length, sizeof length);
    }

    const int32_t size = host.GetHandleSize(request.methods);
    if (size < 0 || size > INT32_MAX - XT_HYPH_METHOD_RECORD_SIZE ||
        host.SetHandleSize(request.methods, size + XT_HYPH_METHOD_RECORD_SIZE) != XT_OK)
        return;
    if (auto* block = static_cast<unsigned char*>(host.LockHandle(request.methods))) {
        std::memcpy(block + size, record.data(), record.size());
        host.UnlockHandle(request.methods);
    }
}

void AnswerHyphenateWord(XTHyphWordRequest& request) {
    const HyphService& service = Hyphenation();
    if (!service.dict || !request.text || request.offset < 0 || request.length <= 0)
        return;
    // A longer word is answered with nothing rather than cut: breaks of a cut
    // word would put the word's end in the wrong place.
    if (request.length > kMaxMethodWord)
        return;
    const char* start = request.text + request.offset;
    const std::string word(start, strnlen(start, static_cast<size_t>(request.length)));

    std::string hyphenated;
    if (service.settings.useExceptions)
        HyphenateWordWithUser(*service.dict, word, &hyphenated);
    else
        HyphenateWordWithoutUser(*service.dict, word, &hyphenated);
    const std::vector<int16_t> ends = PieceEnds(hyphenated);
    if (ends.empty())
        return;

    HostApi& host = Host();
    const int32_t needed = static_cast<int32_t>(ends.size()) * kEntrySize;
    const int32_t size = host.GetHandleSize(request.entries);
    if (size < 0 || (size < needed && host.SetHandleSize(request.entries, needed) != XT_OK))
        return;
    auto* block = static_cast<unsigned char*>(host.LockHandle(request.entries));
    if (!block)
        return;
    for (size_t i = 0; i < ends.size(); ++i) {
        const int16_t entry[2] = {ends[i], 0};
        std::memcpy(block + i * kEntrySize, entry, sizeof entry);
    }
    host.UnlockHandle(request.entries);
    request.entryCount = static_cast<int16_t>(ends.size());
}

void InstallHyphMethod(const std::string& idCode) {
    State().idCode = idCode;
    HostApi& host = Host();
    host.InstallCallback(XT_EVENT_HYPH_WORD, HandleHyphenateWord);
    host.InstallCallback(XT_EVENT_HYPH_METHODS, HandleMethodList);
    RegisterHyphMethod(idCode);
}

}  // namespace tarnik
