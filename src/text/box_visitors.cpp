#include "text/box_visitors.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "text/stmode.h"
#include "text/story_text.h"
#include "text/text_range.h"

namespace tarnik {

namespace {

// Calls `visit` with each anchored box in the working range of `box`, until it
// returns non-zero.
int16_t VisitAnchors(XTBox box, const std::function<int16_t(XTBox)>& visit) {
    if (!Host().HasAnchoredBoxes(box))
        return 0;
    auto range = TakeWorkingRange(box);
    if (!range)
        return 0;
    return ForEachAnchoredBoxInRange(range->story, range->start, range->end, visit);
}

}  // namespace

int16_t ForEachAnchoredBoxInRange(XTStory story, int32_t start, int32_t end,
                                  const std::function<int16_t(XTBox)>& visit) {
    int32_t position = Host().FindSpecialChar(story, XT_SPECIAL_ANCHOR, start, end);
    while (position != -1) {
        XTBox anchored = Host().GetAnchoredBox(story, position);
        if (Host().IsBoxValid(anchored)) {
            if (int16_t result = visit(anchored))
                return result;
        }
        int32_t next = Host().NextCharPosition(story, position, XT_FORWARD);
        if (next <= position)
            break;
        position = Host().FindSpecialChar(story, XT_SPECIAL_ANCHOR, next, end);
    }
    return 0;
}

std::vector<XTBox> GroupMembers(XTBox group) {
    std::vector<XTBox> members;
    XTHandle list = nullptr;
    int16_t count = 0;
    if (Host().GetGroupItems(group, &list, &count) != XT_OK || !list)
        return members;
    const void* block = Host().LockHandle(list);
    int32_t size = Host().GetHandleSize(list);
    if (block && count > 0 && size > 0) {
        // Never more entries than the block holds.
        size_t n = std::min(static_cast<size_t>(count), static_cast<size_t>(size) / sizeof(XTBox));
        members.resize(n);
        std::memcpy(members.data(), block, n * sizeof(XTBox));
    }
    Host().UnlockHandle(list);
    Host().DisposeHandle(list);
    return members;
}

void ForEachGroupMember(XTBox group, const std::function<void(XTBox member)>& visit) {
    struct Level {
        std::vector<XTBox> members;
        size_t next;
    };
    std::vector<Level> levels;
    levels.push_back({GroupMembers(group), 0});
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.members.size()) {
            levels.pop_back();
            continue;
        }
        XTBox member = level.members[level.next++];
        visit(member);
        if (Host().IsGroup(member))
            levels.push_back({GroupMembers(member), 0});
    }
}

std::vector<XTBox> TextBoxesAnchoredIn(XTStory story, int32_t start, int32_t end) {
    HostApi& host = Host();
    std::vector<XTBox> boxes;
    std::set<XTBox> met;
    // Items still to open, the next one last; an explicit stack, so that anchors
    // nested however deep never exhaust the call stack.
    std::vector<XTBox> pending;
    auto pushAnchored = [&](XTStory inStory, int32_t from, int32_t to) {
        std::vector<XTBox> found;
        ForEachAnchoredBoxInRange(inStory, from, to, [&](XTBox anchored) -> int16_t {
            found.push_back(anchored);
            return 0;
        });
        pending.insert(pending.end(), found.rbegin(), found.rend());
    };
    pushAnchored(story, start, end);
    while (!pending.empty()) {
        XTBox item = pending.back();
        pending.pop_back();
        if (!met.insert(item).second)
            continue;
        if (host.IsTextBox(item)) {
            boxes.push_back(item);
            BoxTextInfo info = host.GetBoxTextInfo(item);
            if (info.length > 0)
                pushAnchored(info.story, 0, info.length);
        } else if (host.IsGroup(item)) {
            std::vector<XTBox> members;
            ForEachGroupMember(item, [&](XTBox member) { members.push_back(member); });
            // Members that are groups are opened through the walk above already.
            for (auto it = members.rbegin(); it != members.rend(); ++it) {
                if (!host.IsGroup(*it))
                    pending.push_back(*it);
            }
        }
    }
    return boxes;
}

void ForEachTextBox(XTBox box, const BoxVisitor& callback, int32_t argument) {
    if (box == 0)
        box = Host().GetCurrentBox();
    if (box == 0)
        return;
    auto visitTextBox = [&](XTBox textBox, int32_t value) {
        callback(textBox, value);
        auto range = TakeWorkingRange(textBox);
        if (!range || !Host().HasAnchoredBoxes(textBox))
            return;
        for (XTBox anchored : TextBoxesAnchoredIn(range->story, range->start, range->end))
            callback(anchored, -1);
    };
    if (Host().IsTextBox(box)) {
        visitTextBox(box, argument);
        return;
    }
    if (!Host().IsGroup(box))
        return;
    stmode contentTool(XT_TOOL_CONTENT);
    ForEachGroupMember(box, [&](XTBox member) {
        if (Host().IsTextBox(member))
            visitTextBox(member, -1);
    });
}

int16_t ForEachAnchoredBox(XTBox box, const BoxVisitor& callback, int32_t argument) {
    if (box == 0)
        box = Host().GetCurrentBox();
    return VisitAnchors(box, [&](XTBox anchored) { return callback(anchored, argument); });
}

void ForEachDocumentItem(const std::function<void(XTBox)>& visit) {
    HostApi& host = Host();
    uint16_t document = host.GetCurrentDocument();
    if (document == XT_NO_DOCUMENT)
        return;
    host.PrepareDocument(document);
    for (int16_t spread = host.CountSpreads(); spread >= 1; --spread) {
        for (XTBox box = host.GetFirstBoxOfSpread(spread); box != 0; box = host.GetNextBox(box))
            visit(box);
    }
}

std::vector<XTBox> AnchoredBoxesInSelection() {
    std::vector<XTBox> boxes;
    VisitAnchors(Host().GetCurrentBox(), [&](XTBox anchored) -> int16_t {
        boxes.push_back(anchored);
        return 0;
    });
    return boxes;
}

void ForEachAnchoredTextBox(const std::vector<XTBox>& anchored,
                            const std::function<void()>& callback) {
    XTBox original = Host().GetCurrentBox();
    for (XTBox box : anchored) {
        Host().SetCurrentBox(box);
        XTBox current = Host().GetCurrentBox();
        if (Host().IsTextBox(current)) {
            SelectInCurrentBox(0, 0, false);
            callback();
        }
    }
    Host().SetCurrentBox(original);
}

}  // namespace tarnik
