// The host functions of the text group.
#include <algorithm>
#include <vector>

#include "host/callback_groups.h"
#include "host/operation_helpers.h"
#include "tarnik/text_codec.h"

namespace tarnik::host {

namespace {

int32_t GetBoxTextInfo(XTBox box, XTStory* story, int32_t* selStart, int32_t* selEnd,
                       int32_t* length) {
    Document* document = ActiveDocument();
    if (!document)
        return XT_ERR_STATE;
    int item = box == 0 ? document->current : LiveItem(*document, box);
    if (!document->IsTextBox(item))
        return XT_ERR_STATE;
    int index = document->items[size_t(item)].story;
    const Story& s = document->stories[size_t(index)];
    if (story)
        *story = StoryHandle(index);
    if (selStart)
        *selStart = s.selectionStart;
    if (selEnd)
        *selEnd = s.selectionEnd;
    if (length)
        *length = s.Length();
    return XT_OK;
}

int32_t GetChars(XTStory story, int32_t position, int32_t count, uint16_t* dest, int32_t* read) {
    Story* s = StoryOf(story);
    if (!s || !dest || count < 0 || position < 0 || position > s->Length())
        return XT_ERR_PARAM;
    int32_t n = std::min(count, s->Length() - position);
    for (int32_t i = 0; i < n; ++i)
        dest[i] = s->UnitAt(position + i);
    if (read)
        *read = n;
    return n == count ? XT_OK : XT_ERR_PARAM;
}

int32_t PutChars(XTStory story, int32_t position, int32_t count, const uint16_t* units) {
    Story* s = StoryOf(story);
    if (!s || !units || count < 0 || position < 0 || position > s->Length() ||
        count > INT32_MAX - 1 - s->Length()) {
        return XT_ERR_PARAM;
    }
    std::vector<char16_t> text(units, units + count);
    for (auto& unit : text) {
        if (unit == XT_SOFT_HYPHEN_IN)
            unit = 0x00AD;
    }
    // New text takes the style of the selected text, as typing over it would, or else
    // of the character before it.
    uint16_t style = 0;
    if (s->selectionStart < s->selectionEnd && s->selectionStart < s->Length()) {
        style = s->StyleAt(s->selectionStart);
    } else if (position > 0) {
        style = s->StyleAt(position - 1);
    } else if (s->Length() > 0) {
        style = s->StyleAt(0);
    }
    s->Insert(position, text.data(), count, style);
    return XT_OK;
}

int32_t DeleteTextRange(XTStory story, int32_t start, int32_t end) {
    Story* s = StoryOf(story);
    if (!s || start < 0 || start > end || end > s->Length())
        return XT_ERR_PARAM;
    for (int item : s->Erase(start, end))
        ActiveDocument()->RemoveItem(item);
    return XT_OK;
}

// A step covers one UTF-16 unit, or both units of a surrogate pair.
int32_t NextCharPosition(XTStory story, int32_t position, int16_t direction, int32_t* next) {
    Story* s = StoryOf(story);
    if (!s || !next || position < 0 || position > s->Length())
        return XT_ERR_PARAM;
    if (direction == XT_FORWARD) {
        if (position == s->Length())
            return XT_ERR_STATE;
        int32_t step = IsHighSurrogate(s->UnitAt(position)) && position + 1 < s->Length() &&
                               IsLowSurrogate(s->UnitAt(position + 1))
                           ? 2
                           : 1;
        *next = position + step;
        return XT_OK;
    }
    if (direction == XT_BACKWARD) {
        if (position == 0)
            return XT_ERR_STATE;
        int32_t step = position >= 2 && IsLowSurrogate(s->UnitAt(position - 1)) &&
                               IsHighSurrogate(s->UnitAt(position - 2))
                           ? 2
                           : 1;
        *next = position - step;
        return XT_OK;
    }
    return XT_ERR_PARAM;
}

int32_t FindSpecialChar(XTStory story, int16_t kind, int32_t from, int32_t to, int32_t* found) {
    Story* s = StoryOf(story);
    if (!s || !found || kind != XT_SPECIAL_ANCHOR)
        return XT_ERR_PARAM;
    for (const auto& anchor : s->Anchors()) {
        if (anchor.position >= std::max(from, 0) && anchor.position < to &&
            ActiveDocument()->IsItem(anchor.item)) {
            *found = anchor.position;
            return XT_OK;
        }
    }
    return XT_ERR_STATE;
}

int32_t SetTextSelection(XTStory story, int32_t start, int32_t end, int16_t redraw) {
    Story* s = StoryOf(story);
    if (!s || start < 0 || start > end || end > s->Length())
        return XT_ERR_PARAM;
    s->selectionStart = start;
    s->selectionEnd = end;
    if (redraw)
        ++MemoryHost::Active()->redraws;
    return XT_OK;
}

int32_t GetSelectionStyleFlags(XTStory story, int16_t which, int32_t, int32_t, uint32_t* flags) {
    Story* s = StoryOf(story);
    if (!s || !flags || which != XT_STYLE_FLAGS)
        return XT_ERR_PARAM;
    if (s->selectionStart == s->selectionEnd) {
        *flags = s->selectionStart > 0 ? s->StyleAt(s->selectionStart - 1) : 0;
        return XT_OK;
    }
    uint32_t common = 0xFFFF;
    for (int32_t p = s->selectionStart; p < s->selectionEnd; ++p)
        common &= s->StyleAt(p);
    *flags = common;
    return XT_OK;
}

int32_t SetSelectionStyleFlags(XTStory story, int16_t selector, uint32_t bits) {
    Story* s = StoryOf(story);
    if (!s || selector != XT_STYLE_SELECTOR || bits == 0 || (bits & ~XT_STYLE_NO_BREAK) != 0) {
        return XT_ERR_PARAM;
    }
    bool all = true;
    for (int32_t p = s->selectionStart; p < s->selectionEnd; ++p) {
        all = all && (s->StyleAt(p) & bits) == bits;
    }
    for (int32_t p = s->selectionStart; p < s->selectionEnd; ++p) {
        auto style = static_cast<uint16_t>(all ? s->StyleAt(p) & ~bits : s->StyleAt(p) | bits);
        s->SetStyle(p, style);
    }
    return XT_OK;
}

int32_t TextUpdateOff() {
    MemoryHost* host = MemoryHost::Active();
    if (!host)
        return XT_ERR_STATE;
    ++host->textUpdateOffDepth;
    return XT_OK;
}

int32_t TextUpdateOn() {
    MemoryHost* host = MemoryHost::Active();
    if (!host || host->textUpdateOffDepth == 0)
        return XT_ERR_STATE;
    --host->textUpdateOffDepth;
    return XT_OK;
}

int32_t SetTextUpdateMode(int16_t mode) {
    MemoryHost* host = MemoryHost::Active();
    if (!host)
        return XT_ERR_STATE;
    host->textUpdateMode = mode;
    return XT_OK;
}

int32_t ScrollToSelection(XTBox box) {
    Document* document = ActiveDocument();
    if (!document || LiveItem(*document, box) < 0)
        return XT_ERR_PARAM;
    MemoryHost::Active()->scrolledTo = box;
    return XT_OK;
}

}  // namespace

CallbackGroup TextCallbacks() {
    return {XT_GROUP_TEXT,
            {{XTCB_GetBoxTextInfo, AsCallback(GetBoxTextInfo)},
             {XTCB_GetChars, AsCallback(GetChars)},
             {XTCB_PutChars, AsCallback(PutChars)},
             {XTCB_DeleteTextRange, AsCallback(DeleteTextRange)},
             {XTCB_NextCharPosition, AsCallback(NextCharPosition)},
             {XTCB_FindSpecialChar, AsCallback(FindSpecialChar)},
             {XTCB_SetTextSelection, AsCallback(SetTextSelection)},
             {XTCB_GetSelectionStyleFlags, AsCallback(GetSelectionStyleFlags)},
             {XTCB_SetSelectionStyleFlags, AsCallback(SetSelectionStyleFlags)},
             {XTCB_TextUpdateOff, AsCallback(TextUpdateOff)},
             {XTCB_TextUpdateOn, AsCallback(TextUpdateOn)},
             {XTCB_SetTextUpdateMode, AsCallback(SetTextUpdateMode)},
             {XTCB_ScrollToSelection, AsCallback(ScrollToSelection)}}};
}

}  // namespace tarnik::host
