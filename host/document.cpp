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

int Document::FirstBoxOfStory(int story) const {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].alive && items[i].type == ItemType::Text && items[i].story == story) {
            return static_cast<int>(i);
        }
    }
    return -1;
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
