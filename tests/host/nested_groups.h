// A document built in memory rather than loaded, for shapes no file may hold: groups
// nested far deeper than a document file allows.
#pragma once

#include <string>

#include "host/document.h"

namespace fake {

// One spread whose one item, current, is a group holding a group ... `depth` groups
// deep, the innermost holding one text box "t" with `text` as story 0.
inline tarnik::host::Document NestedGroups(int depth, const std::u16string& text) {
    using tarnik::host::Item;
    using tarnik::host::ItemType;
    tarnik::host::Document document;
    document.stories.emplace_back(text);
    document.hj.push_back({"Standard", false, 0});
    for (int level = 0; level <= depth; ++level) {
        Item item;
        item.id = level < depth ? std::string("g").append(std::to_string(level)) : "t";
        item.type = level < depth ? ItemType::Group : ItemType::Text;
        item.story = level < depth ? -1 : 0;
        item.parent = level - 1;
        item.spread = level == 0 ? 0 : -1;
        if (level < depth)
            item.members.push_back(level + 1);
        document.items.push_back(item);
    }
    document.spreads.push_back({{0}});
    document.current = 0;
    return document;
}

}  // namespace fake
