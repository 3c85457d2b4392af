#include "text/story_text.h"

#include <array>
#include <vector>

#include "charsets/char_classes.h"
#include "charsets/internal_code.h"

namespace tarnik {

namespace {

// Texts up to this length are converted on the stack; longer ones in a host block.
constexpr size_t kFixedBuffer = 256;

uint16_t ToUnit(uint16_t code) {
    if (code == DiscretionaryHyphen)
        return XT_SOFT_HYPHEN_IN;
    if (code >= 256)
        return code;
    return InternalToUnicode(static_cast<uint8_t>(code));
}

}  // namespace

uint16_t GetChar(XTStory story, int32_t position) {
    uint16_t unit = 0;
    int32_t read = 0;
    if (Host().GetChars(story, position, 1, &unit, &read) != XT_OK || read != 1)
        return 0;
    return StoryUnitToInternal(unit);
}

int32_t GetCharsAt(XTStory story, int32_t position, int32_t count, uint8_t* out) {
    for (int32_t i = 0; i < count; ++i) {
        uint16_t code = GetChar(story, position + i);
        out[i] = code < 256 ? static_cast<uint8_t>(code) : kForeignCharByte;
    }
    return count;
}

int32_t PutChar(XTStory story, int32_t position, uint16_t code) {
    uint16_t unit = ToUnit(code);
    return Host().PutChars(story, position, 1, &unit);
}

int32_t PutCharInCurrentBox(int32_t position, uint16_t code) {
    return PutChar(Host().GetBoxTextInfo(0).story, position, code);
}

int32_t InsertText(int32_t position, std::string_view text) {
    XTStory story = Host().GetBoxTextInfo(0).story;
    auto count = static_cast<int32_t>(text.size());
    auto convert = [&](uint16_t* units) {
        for (size_t i = 0; i < text.size(); ++i)
            units[i] = ToUnit(static_cast<uint8_t>(text[i]));
    };
    if (text.size() <= kFixedBuffer) {
        std::array<uint16_t, kFixedBuffer> units;
        convert(units.data());
        return Host().PutChars(story, position, count, units.data());
    }
    XTHandle block = Host().NewHandle(count * 2);
    auto* units = static_cast<uint16_t*>(block ? Host().LockHandle(block) : nullptr);
    int32_t status = XT_ERR_STATE;
    if (units && Host().GetHandleSize(block) >= count * 2) {
        convert(units);
        status = Host().PutChars(story, position, count, units);
    }
    if (block) {
        Host().UnlockHandle(block);
        Host().DisposeHandle(block);
    }
    return status;
}

int16_t DeleteBoxText(XTBox box, int32_t start, int32_t end) {
    if (!Host().IsTextBox(box))
        return kNoTextInBox;
    XTStory story = Host().GetBoxTextInfo(box).story;
    return static_cast<int16_t>(Host().DeleteTextRange(story, start, end));
}

void SelectInCurrentBox(int32_t start, int32_t end, bool redraw) {
    XTBox box = Host().GetCurrentBox();
    if (!Host().IsTextBox(box))
        return;
    Host().SetTextSelection(Host().GetBoxTextInfo(box).story, start, end, redraw);
}

bool ReplaceRange(int32_t start, int32_t end, std::string_view text, int32_t& delta) {
    if (text.size() > static_cast<size_t>(kMaxReplacement))
        return false;
    XTBox box = Host().GetCurrentBox();
    Host().GetBoxTextInfo(box);
    // A range the host refuses to delete is left alone: inserting anyway would add
    // the replacement beside the text it was meant to replace.
    if (DeleteBoxText(box, start, end) != XT_OK)
        return false;
    Host().TextUpdateOff();
    SelectInCurrentBox(start, start, true);
    InsertText(start, text);
    Host().TextUpdateOn();
    delta = static_cast<int32_t>(text.size()) - (end - start);
    return true;
}

bool ReplaceRange(int32_t start, int32_t end, std::u16string_view units, int32_t& delta) {
    if (units.size() > static_cast<size_t>(kMaxReplacement))
        return false;
    XTBox box = Host().GetCurrentBox();
    XTStory story = Host().GetBoxTextInfo(box).story;
    if (DeleteBoxText(box, start, end) != XT_OK)
        return false;
    Host().TextUpdateOff();
    SelectInCurrentBox(start, start, true);
    std::vector<uint16_t> copy(units.begin(), units.end());
    Host().PutChars(story, start, static_cast<int32_t>(copy.size()), copy.data());
    Host().TextUpdateOn();
    delta = static_cast<int32_t>(units.size()) - (end - start);
    return true;
}

std::u16string GetUnits(XTStory story, int32_t start, int32_t end) {
    if (start < 0 || end <= start)
        return {};
    std::u16string units(static_cast<size_t>(end - start), u'\0');
    std::vector<uint16_t> read(units.size());
    int32_t count = 0;
    if (Host().GetChars(story, start, end - start, read.data(), &count) != XT_OK || count < 0 ||
        count > end - start)
        return {};
    units.assign(read.begin(), read.begin() + count);
    return units;
}

void ShowTextRange(int32_t start, int32_t end) {
    XTPort saved = Host().GetDrawingPort();
    XTPort window = Host().GetFrontWindowPort();
    Host().SetDrawingPort(window);
    XTBox current = Host().GetCurrentBox();
    if (Host().GetBoxContentType(current) == XT_CONTENT_TEXT) {
        SelectInCurrentBox(start, end, true);
        XTBox shown = Host().GetBoxAtTextPosition(Host().GetBoxTextInfo(current).story, start);
        Host().ScrollToSelection(shown);
        Host().GetBoxTextInfo(shown);
        Host().RedrawWindow(window);
        Host().SetTextUpdateMode(2);
    }
    Host().SetDrawingPort(saved);
}

}  // namespace tarnik
