// A document of the in-memory host: spreads of items, the stories their text boxes
// show, and the H&J specifications of its paragraphs.
//
// Items live in one list and are named by their index; the box handle the host gives
// out is the index + 1. An item is on a spread, in a group, or anchored in a story.
// Text boxes naming the same story are linked; the chain runs in item order and,
// without a page layout, its first box shows the whole story. Deleting an anchor
// character removes its item; removed items stay in the list, marked not alive, so
// that stale handles are refused rather than reused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/story.h"

namespace tarnik::host {

enum class ItemType { Text, Picture, Group, Other };

struct Item {
    std::string id;
    ItemType type = ItemType::Other;
    int story = -1;            // text boxes
    std::vector<int> members;  // groups, in list order
    int parent = -1;           // the group holding the item
    int anchorStory = -1;      // the story whose anchor character holds the item
    int spread = -1;           // the spread of a top-level item
    bool suppressed = false;   // excluded from output
    bool alive = true;
};

struct HJSpec {
    std::string name;  // UTF-8
    bool autoHyphenate = false;
    uint32_t method = 0;
};

struct Spread {
    std::vector<int> items;  // top-level items, in order
};

struct Document {
    std::vector<Story> stories;
    std::vector<Item> items;
    std::vector<Spread> spreads;
    std::vector<HJSpec> hj;
    int current = -1;  // the current item
    // Where NextInWalk last found its item in the list at each depth: only a
    // hint, checked before it is used.
    mutable std::vector<size_t> walkHints;
    // FirstBoxOfStory's answer for each story, made when needed. Items are
    // only ever appended or removed, so it holds while the number of items is
    // the one it was made for and the box it names is alive.
    mutable std::vector<int> firstBoxes;
    mutable size_t firstBoxesFor = SIZE_MAX;

    bool IsItem(int item) const;  // a live item
    bool IsTextBox(int item) const {
        return IsItem(item) && items[size_t(item)].type == ItemType::Text;
    }
    bool IsGroup(int item) const {
        return IsItem(item) && items[size_t(item)].type == ItemType::Group;
    }

    // The live items of `roots` in the host's order: each item, a group followed by its
    // members (depth first). The walk keeps its own stack, however deep groups nest.
    std::vector<int> ItemWalk(const std::vector<int>& roots) const;
    // ItemWalk of a spread's top-level items. Anchored items are not on the spread.
    std::vector<int> SpreadWalk(int spread) const;
    // The live item after `item` in its spread's walk (SpreadWalk), or -1. A walk
    // box by box costs O(1) a step: each list is searched first where the step
    // before found its item.
    int NextInWalk(int item) const;
    // The first live text box of a story's chain, or -1.
    int FirstBoxOfStory(int story) const;
    // Marks an item (and a group's members) not alive and takes it off its spread or
    // group. A removed text box's story stays, with whatever is anchored in it.
    void RemoveItem(int item);
};

// A new document of one spread whose one text box, current, holds `text` as its
// story, with a caret at 0.
Document OneBoxDocument(std::u16string text);

}  // namespace tarnik::host
