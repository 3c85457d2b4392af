// The host functions of the item and document groups.
#include <cstring>

#include "host/callback_groups.h"
#include "host/operation_helpers.h"

namespace tarnik::host {

namespace {

int32_t GetCurrentBox(XTBox* box) {
    Document* document = ActiveDocument();
    if (!box)
        return XT_ERR_PARAM;
    if (!document || !document->IsItem(document->current))
        return XT_ERR_STATE;
    *box = BoxOf(document->current);
    return XT_OK;
}

int32_t SetCurrentBox(XTBox box) {
    Document* document = ActiveDocument();
    if (!document)
        return XT_ERR_STATE;
    if (box == 0) {
        document->current = -1;
        return XT_OK;
    }
    int item = LiveItem(*document, box);
    if (item < 0)
        return XT_ERR_PARAM;
    document->current = item;
    return XT_OK;
}

int32_t IsBoxValid(XTBox box) {
    Document* document = ActiveDocument();
    return document && LiveItem(*document, box) >= 0 ? 1 : 0;
}

int32_t IsTextBox(XTBox box) {
    Document* document = ActiveDocument();
    return document && document->IsTextBox(LiveItem(*document, box)) ? 1 : 0;
}

int32_t IsGroup(XTBox box) {
    Document* document = ActiveDocument();
    return document && document->IsGroup(LiveItem(*document, box)) ? 1 : 0;
}

int32_t GetBoxContentType(XTBox box) {
    Document* document = ActiveDocument();
    int item = document ? LiveItem(*document, box) : -1;
    if (item < 0)
        return XT_CONTENT_NONE;
    switch (document->items[size_t(item)].type) {
        case ItemType::Text:
            return XT_CONTENT_TEXT;
        case ItemType::Picture:
            return XT_CONTENT_PICTURE;
        default:
            return XT_CONTENT_NONE;
    }
}

int32_t GetGroupItems(XTBox box, XTHandle* list, int16_t* count) {
    Document* document = ActiveDocument();
    if (!list || !count)
        return XT_ERR_PARAM;
    int item = document ? LiveItem(*document, box) : -1;
    if (!document || !document->IsGroup(item))
        return XT_ERR_STATE;
    const auto& members = document->items[size_t(item)].members;
    XTHandle handle = MemoryHost::Active()->NewHandle(members.size() * sizeof(XTBox));
    XTHandleRecord* record = MemoryHost::Active()->FindHandle(handle);
    for (size_t i = 0; i < members.size(); ++i) {
        XTBox member = BoxOf(members[i]);
        std::memcpy(record->data.data() + i * sizeof(XTBox), &member, sizeof member);
    }
    *list = handle;
    *count = static_cast<int16_t>(members.size());
    return XT_OK;
}

int32_t GetAnchoredBox(XTStory story, int32_t position, XTBox* box) {
    Story* s = StoryOf(story);
    if (!s || !box)
        return XT_ERR_PARAM;
    int item = s->AnchorAt(position);
    if (item < 0 || !ActiveDocument()->IsItem(item))
        return XT_ERR_STATE;
    *box = BoxOf(item);
    return XT_OK;
}

int32_t HasAnchoredBoxes(XTBox box) {
    Document* document = ActiveDocument();
    int item = document ? LiveItem(*document, box) : -1;
    if (!document || !document->IsTextBox(item))
        return 0;
    for (const auto& anchor :
         document->stories[size_t(document->items[size_t(item)].story)].Anchors()) {
        if (document->IsItem(anchor.item))
            return 1;
    }
    return 0;
}

int32_t GetBoxAtTextPosition(XTStory story, int32_t position, XTBox* box) {
    Story* s = StoryOf(story);
    if (!s || !box || position < 0 || position > s->Length())
        return XT_ERR_PARAM;
    int first = ActiveDocument()->FirstBoxOfStory(static_cast<int>(story) - 1);
    if (first < 0)
        return XT_ERR_STATE;
    *box = BoxOf(first);
    return XT_OK;
}

int32_t GetCurrentDocument(uint16_t* number) {
    if (!number)
        return XT_ERR_PARAM;
    if (!ActiveDocument())
        return XT_ERR_STATE;
    *number = 1;
    return XT_OK;
}

int32_t PrepareDocument(uint16_t number) {
    return ActiveDocument() && number == 1 ? XT_OK : XT_ERR_PARAM;
}

int32_t CountSpreads(int16_t* count) {
    Document* document = ActiveDocument();
    if (!count)
        return XT_ERR_PARAM;
    if (!document)
        return XT_ERR_STATE;
    *count = static_cast<int16_t>(document->spreads.size());
    return XT_OK;
}

int32_t GetFirstBoxOfSpread(int16_t spread, XTBox* box) {
    Document* document = ActiveDocument();
    if (!box || !document)
        return XT_ERR_PARAM;
    auto walk = document->SpreadWalk(spread - 1);
    if (walk.empty())
        return XT_ERR_STATE;
    *box = BoxOf(walk.front());
    return XT_OK;
}

int32_t GetNextBox(XTBox box, XTBox* next) {
    Document* document = ActiveDocument();
    int item = document ? LiveItem(*document, box) : -1;
    if (!next || item < 0)
        return XT_ERR_PARAM;
    int after = document->NextInWalk(item);
    if (after < 0)
        return XT_ERR_STATE;
    *next = BoxOf(after);
    return XT_OK;
}

int32_t QueryStoryFlag(XTBox box, int32_t* flag) {
    Document* document = ActiveDocument();
    int item = document ? LiveItem(*document, box) : -1;
    if (!flag || item < 0)
        return XT_ERR_PARAM;
    const Item& it = document->items[size_t(item)];
    *flag = it.type == ItemType::Text && document->FirstBoxOfStory(it.story) != item ? 1 : 0;
    return XT_OK;
}

int32_t QueryBoxFlag(XTBox box, int32_t* flag) {
    Document* document = ActiveDocument();
    int item = document ? LiveItem(*document, box) : -1;
    if (!flag || item < 0)
        return XT_ERR_PARAM;
    *flag = document->items[size_t(item)].suppressed ? 1 : 0;
    return XT_OK;
}

}  // namespace

CallbackGroup ItemCallbacks() {
    return {XT_GROUP_ITEMS,
            {{XTCB_GetCurrentBox, AsCallback(GetCurrentBox)},
             {XTCB_SetCurrentBox, AsCallback(SetCurrentBox)},
             {XTCB_IsBoxValid, AsCallback(IsBoxValid)},
             {XTCB_IsTextBox, AsCallback(IsTextBox)},
             {XTCB_IsGroup, AsCallback(IsGroup)},
             {XTCB_GetBoxContentType, AsCallback(GetBoxContentType)},
             {XTCB_GetGroupItems, AsCallback(GetGroupItems)},
             {XTCB_GetAnchoredBox, AsCallback(GetAnchoredBox)},
             {XTCB_HasAnchoredBoxes, AsCallback(HasAnchoredBoxes)},
             {XTCB_GetBoxAtTextPosition, AsCallback(GetBoxAtTextPosition)}}};
}

CallbackGroup DocumentCallbacks() {
    return {XT_GROUP_DOCUMENTS,
            {{XTCB_GetCurrentDocument, AsCallback(GetCurrentDocument)},
             {XTCB_PrepareDocument, AsCallback(PrepareDocument)},
             {XTCB_CountSpreads, AsCallback(CountSpreads)},
             {XTCB_GetFirstBoxOfSpread, AsCallback(GetFirstBoxOfSpread)},
             {XTCB_GetNextBox, AsCallback(GetNextBox)},
             {XTCB_QueryStoryFlag, AsCallback(QueryStoryFlag)},
             {XTCB_QueryBoxFlag, AsCallback(QueryBoxFlag)}}};
}

}  // namespace tarnik::host
