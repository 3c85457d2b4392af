// Visiting the text boxes a command works on: one text box and the boxes anchored
// in its working range, or every member of a group (groups within groups too).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/host_api.h"

namespace tarnik {

// Called with a box and the visit's argument; a result other than 0 stops
// ForEachAnchoredBox.
using BoxVisitor = std::function<int16_t(XTBox box, int32_t argument)>;

// The members of a group in list order, read from the host's list (which is
// disposed of); empty when there is none.
std::vector<XTBox> GroupMembers(XTBox group);

// Each member of a group in list order, depth first: a member that is a group is
// visited and then its own members. The walk keeps its own stack, so groups nested
// however deep never exhaust the call stack.
void ForEachGroupMember(XTBox group, const std::function<void(XTBox member)>& visit);

// With no box given, the current box. A text box: the callback with the box and
// `argument`, then with argument -1 every text box anchored in its working range
// (TextBoxesAnchoredIn). A group: each text box among its members at any depth
// with argument -1, each followed by the text boxes anchored in it, the content
// tool switched on meanwhile. Any other item is not visited.
void ForEachTextBox(XTBox box, const BoxVisitor& callback, int32_t argument);

// The text boxes anchored in [start, end) of `story` at any depth, in text order,
// depth first: an anchored text box, then the text boxes anchored anywhere in its
// own story; an anchored group's text boxes (its members at any depth), each
// followed by those anchored in it. Each box comes once, even where anchors would
// lead back to a box already met.
std::vector<XTBox> TextBoxesAnchoredIn(XTStory story, int32_t start, int32_t end);

// The boxes anchored in the working range of `box` (0: the current box), in text
// order; each anchor character is visited, even two side by side. Returns the first
// result other than 0, else 0.
int16_t ForEachAnchoredBox(XTBox box, const BoxVisitor& callback, int32_t argument);

// The boxes anchored at positions [start, end) of `story`, in text order, each
// anchor character visited (two side by side as well), until `visit` returns a
// result other than 0, which is returned; else 0.
int16_t ForEachAnchoredBoxInRange(XTStory story, int32_t start, int32_t end,
                                  const std::function<int16_t(XTBox)>& visit);

// Every item on the spreads of the current document, the last spread first and on
// each spread in the host's order (a group before its members); anchored items are
// not on a spread. Nothing without a document.
void ForEachDocumentItem(const std::function<void(XTBox)>& visit);

// The boxes anchored in the current box's working range, in text order. A command
// that may end its own run early (leaving a mark selected) takes them first.
std::vector<XTBox> AnchoredBoxesInSelection();

// For each text box of `anchored`: makes it current, puts a caret at its start and
// runs `callback`. The box that was current is made current again afterwards.
void ForEachAnchoredTextBox(const std::vector<XTBox>& anchored,
                            const std::function<void()>& callback);

}  // namespace tarnik
