#include "hyphcommands/auto_hyphenation_check.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "hyphcommands/chyph_warn_dialog.h"
#include "hyphcommands/hyph_service.h"

namespace tarnik {

namespace {

bool AnySpecHyphenates() {
    HostApi& host = Host();
    for (int16_t number = 0, count = host.CountHJ(); number < count; ++number) {
        XTHJSpec spec{};
        if (host.GetHJ(number, &spec) == XT_OK && spec.autoHyphenate)
            return true;
    }
    return false;
}

std::string SpecName(const XTHJSpec& spec) {
    return std::string(spec.name, strnlen(spec.name, sizeof spec.name));
}

// The names of the specifications with automatic hyphenation on that the
// paragraphs overlapping [start, end] use, the most recently met first.
std::vector<std::string> HyphenatingSpecsInRange(XTStory story, int32_t start, int32_t end) {
    HostApi& host = Host();
    std::vector<std::string> names;
    std::vector<int32_t> seen;
    int32_t runStart = 0;
    int32_t runLength = 0;
    for (int32_t index = 0; host.GetParagraphRun(story, index, &runStart, &runLength) == XT_OK;
         ++index) {
        if (runStart > end)
            break;
        if (runStart + runLength <= start)
            continue;
        int32_t number = host.GetParagraphAttribute(story, index, XT_PARA_HJ);
        if (number < 0 || number > INT16_MAX ||
            std::find(seen.begin(), seen.end(), number) != seen.end()) {
            continue;
        }
        seen.push_back(number);
        XTHJSpec spec{};
        if (host.GetHJ(static_cast<int16_t>(number), &spec) == XT_OK && spec.autoHyphenate)
            names.insert(names.begin(), SpecName(spec));
    }
    return names;
}

void SwitchOffAutoHyphenation(const std::vector<std::string>& names) {
    HostApi& host = Host();
    for (const std::string& name : names) {
        int16_t number = host.FindHJ(name.c_str());
        XTHJSpec spec{};
        if (number < 0 || host.GetHJ(number, &spec) != XT_OK)
            continue;
        spec.autoHyphenate = 0;
        host.StoreHJ(number, &spec);
    }
}

}  // namespace

int16_t AutoHyphenationCheck(XTBox box, int32_t start, int32_t end) {
    HostApi& host = Host();
    if (box == 0)
        box = host.GetCurrentBox();
    if (!host.IsTextBox(box))
        return kHyphCheckCancelled;
    if (!AnySpecHyphenates())
        return 0;
    const XTStory story = host.GetBoxTextInfo(box).story;
    std::vector<std::string> names = HyphenatingSpecsInRange(story, start, end);
    if (names.empty())
        return 0;
    HyphWarnChoice choice =
        Hyphenation().settings.autoHyphenationOff ? kHyphWarnFix : CHyphWarnDialog(names).Ask();
    if (choice == kHyphWarnCancel) {
        host.SetTextSelection(story, 0, 0, true);
        return kHyphCheckCancelled;
    }
    if (choice == kHyphWarnFix)
        SwitchOffAutoHyphenation(names);
    return 0;
}

}  // namespace tarnik
