#include "host/document.h"

#include <algorithm>

namespace tarnik::host {

bool Document::IsItem(int item) const {
    return item >= 0 && static_cast<size_t>(item) < items.size() && items[size_t(item)].alive;
}

std::vector<int> Document::ItemWalk(const std::vector<int>& roots) const {
    std::vector<int> walk;
    // A loaded document holds no cycles of groups.
    std::vector<int> stack(roots.rbegin(), roots.rend());
    while (!stack.empty()) {
        int item = stack.back();
        stack.pop_back();
        if (!IsItem(item))
            continue;
        walk.push_back(item);
        const auto& members = items[size_t(item)].members;
        stack.insert(stack.end(), members.rbegin(), members.rend());
    }
    return walk;
}

std::vector<int> Document::SpreadWalk(int spread) const {
    if (spread < 0 || static_cast<size_t>(spread) >= spreads.size())
        return {};
    return ItemWalk(spreads[size_t(spread)].items);
}

namespace {

// Where `item` stands in `list`: looked for first at `hint` and just after it.
size_t PlaceIn(const std::vector<int>& list, int item, size_t& hint) {
    for (size_t at : {hint, hint + 1}) {
        if (at < list.size() && list[at] == item)
            return hint = at;
    }
    return hint = static_cast<size_t>(std::find(list.begin(), list.end(), item) - list.begin());
}

}  // namespace

int Document::NextInWalk(int item) const {
    if (!IsItem(item))
        return -1;
    size_t depth = 0;
    int top = item;
    for (; items[size_t(top)].parent >= 0; top = items[size_t(top)].parent)
        ++depth;
    int spread = items[size_t(top)].spread;
    if (spread < 0 || static_cast<size_t>(spread) >= spreads.size())
        return -1;                                    // an anchored item is on no spread
    for (int member : items[size_t(item)].members) {  // a group: its first live member
        if (IsItem(member))
            return member;
    }
    if (walkHints.size() <= depth)
        walkHints.resize(depth + 1);
    // Else the next live item after it in its list, or after its group in the
    // group's list, and so on up to the spread.
    for (int at = item;; --depth) {
        int parent = items[size_t(at)].parent;
        const std::vector<int>& list =
            parent >= 0 ? items[size_t(parent)].members : spreads[size_t(spread)].items;
        for (size_t i = PlaceIn(list, at, walkHints[depth]) + 1; i < list.size(); ++i) {
            if (IsItem(list[i]))
                return list[i];
        }
        if (parent < 0)
            return -1;
        at = parent;
    }
}

int Document::FirstBoxOfStory(int story) const {
    if (story < 0 || static_cast<size_t>(story) >= stories.size())
        return -1;
    auto fits = [&](int box) { return box < 0 || IsTextBox(box); };
    if (firstBoxesFor != items.size() || firstBoxes.size() != stories.size() ||
        !fits(firstBoxes[size_t(story)])) {
        firstBoxes.assign(stories.size(), -1);
        for (size_t i = items.size(); i-- > 0;) {
            const Item& item = items[i];
            if (item.alive && item.type == ItemType::Text && item.story >= 0 &&
                static_cast<size_t>(item.story) < stories.size())
                firstBoxes[size_t(item.story)] = static_cast<int>(i);
        }
        firstBoxesFor = items.size();
    }
    return firstBoxes[size_t(story)];
}

void Document::RemoveItem(int item) {
    if (!IsItem(item))
        return;
    const Item& removed = items[size_t(item)];
    auto detach = [item](std::vector<int>& list) {
        list.erase(std::remove(list.begin(), list.end(), item), list.end());
    };
    if (removed.parent >= 0)
        detach(items[size_t(removed.parent)].members);
    if (removed.spread >= 0)
        detach(spreads[size_t(removed.spread)].items);
    // The members go with their group, and a removed group holds none.
    for (int gone : ItemWalk({item})) {
        items[size_t(gone)].alive = false;
        items[size_t(gone)].members.clear();
        if (current == gone)
            current = -1;
    }
}

Document OneBoxDocument(std::u16string text) {
    Document document;
    document.stories.emplace_back(std::move(text));
    Item box;
    box.type = ItemType::Text;
    box.story = 0;
    box.spread = 0;
    document.items.push_back(box);
    document.spreads.push_back(Spread{{0}});
    document.current = 0;
    return document;
}

}  // namespace tarnik::host
