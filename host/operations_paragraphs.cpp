// The host functions of the paragraph group: paragraph runs, H&J specifications and
// hyphenation methods.
#include <algorithm>
#include <cstring>

#include "host/callback_groups.h"
#include "host/operation_helpers.h"
#include "tarnik/text_codec.h"

namespace tarnik::host {

namespace {

int32_t GetParagraphRun(XTStory story, int32_t index, int32_t* start, int32_t* length) {
    Story* s = StoryOf(story);
    int32_t runStart = 0;
    int32_t runLength = 0;
    if (!s || !start || !length)
        return XT_ERR_PARAM;
    if (!s->ParagraphRun(index, runStart, runLength))
        return XT_ERR_STATE;
    *start = runStart;
    *length = runLength;
    return XT_OK;
}

int32_t GetParagraphAttribute(XTStory story, int32_t index, int16_t attribute, int32_t* value) {
    Story* s = StoryOf(story);
    if (!s || !value || attribute != XT_PARA_HJ || index < 0 || index >= s->ParagraphCount()) {
        return XT_ERR_PARAM;
    }
    *value = s->ParagraphHj(index);
    return XT_OK;
}

int32_t CountHJ(int16_t* count) {
    Document* document = ActiveDocument();
    if (!count)
        return XT_ERR_PARAM;
    if (!document)
        return XT_ERR_STATE;
    *count = static_cast<int16_t>(document->hj.size());
    return XT_OK;
}

HJSpec* SpecOf(int16_t number) {
    Document* document = ActiveDocument();
    if (!document || number < 0 || static_cast<size_t>(number) >= document->hj.size()) {
        return nullptr;
    }
    return &document->hj[size_t(number)];
}

int32_t GetHJ(int16_t number, XTHJSpec* out) {
    HJSpec* spec = SpecOf(number);
    if (!spec || !out)
        return XT_ERR_PARAM;
    *out = XTHJSpec{};
    std::string name = Utf8ToCp1250(spec->name);
    std::memcpy(out->name, name.data(), std::min(name.size(), sizeof out->name - 1));
    out->autoHyphenate = spec->autoHyphenate ? 1 : 0;
    out->method = spec->method;
    return XT_OK;
}

std::string NameFrom(const char* name) {
    return Cp1250ToUtf8(std::string(name, strnlen(name, XT_HJ_NAME_SIZE - 1)));
}

int32_t FindHJ(const char* name, int16_t* number) {
    Document* document = ActiveDocument();
    if (!document || !name || !number)
        return XT_ERR_PARAM;
    std::string wanted = NameFrom(name);
    for (size_t i = 0; i < document->hj.size(); ++i) {
        if (document->hj[i].name == wanted) {
            *number = static_cast<int16_t>(i);
            return XT_OK;
        }
    }
    return XT_ERR_STATE;
}

int32_t StoreHJ(int16_t number, const XTHJSpec* in) {
    HJSpec* spec = SpecOf(number);
    if (!spec || !in)
        return XT_ERR_PARAM;
    spec->name = NameFrom(in->name);
    spec->autoHyphenate = in->autoHyphenate != 0;
    spec->method = in->method;
    return XT_OK;
}

int32_t RegisterHyphenationMethod(uint32_t id, int16_t value1, int16_t value2, XTHostString name,
                                  uint64_t languagesLow, uint64_t languagesHigh, int32_t flags,
                                  uint8_t* result) {
    MemoryHost* host = MemoryHost::Active();
    XTHostStringRecord* string = host ? host->FindHostString(name) : nullptr;
    if (!string || !result)
        return XT_ERR_PARAM;
    auto& methods = host->hyphenationMethods;
    methods.erase(std::remove_if(methods.begin(), methods.end(),
                                 [id](const HyphenationMethod& m) { return m.id == id; }),
                  methods.end());
    methods.push_back(
        HyphenationMethod{id, value1, value2, string->text, languagesLow, languagesHigh, flags});
    *result = 1;
    return XT_OK;
}

}  // namespace

CallbackGroup ParagraphCallbacks() {
    return {XT_GROUP_PARAGRAPHS,
            {{XTCB_GetParagraphRun, AsCallback(GetParagraphRun)},
             {XTCB_GetParagraphAttribute, AsCallback(GetParagraphAttribute)},
             {XTCB_CountHJ, AsCallback(CountHJ)},
             {XTCB_GetHJ, AsCallback(GetHJ)},
             {XTCB_FindHJ, AsCallback(FindHJ)},
             {XTCB_StoreHJ, AsCallback(StoreHJ)},
             {XTCB_RegisterHyphenationMethod, AsCallback(RegisterHyphenationMethod)}}};
}

}  // namespace tarnik::host
