// Story text access through HostApi on documents in the in-memory host.
#include <gtest/gtest.h>

#include "charsets/char_classes.h"
#include "tests/host/host_fixture.h"
#include "tests/host/nested_groups.h"
#include "text/box_visitors.h"
#include "text/stmode.h"
#include "text/story_text.h"
#include "text/stxehandle.h"
#include "text/text_range.h"

using namespace tarnik;

namespace {

// t1 shows story 0, which anchors the text boxes a1 and a2 side by side and a
// picture; g1 groups t2 (story 1), a picture and a nested group with t4 (story 3);
// t3 continues story 0.
const char* kDocument = R"({
  "tool": "item",
  "stories": [
    {"text": "Ala ma kota i psa.",
     "anchors": [{"at": 3, "item": {"id": "a1", "type": "text", "story": 2}},
                 {"at": 4, "item": {"id": "a2", "type": "text", "story": 4}},
                 {"at": 12, "item": {"id": "ap", "type": "picture"}}]},
    {"text": "W grupie."},
    {"text": "Pierwsza kotwica."},
    {"text": "Głębiej."},
    {"text": "Druga kotwica."}
  ],
  "spreads": [{"items": [
    {"id": "t1", "type": "text", "story": 0},
    {"id": "g1", "type": "group", "items": [
      {"id": "t2", "type": "text", "story": 1}, {"id": "p1", "type": "picture"},
      {"id": "g2", "type": "group", "items": [{"id": "t4", "type": "text", "story": 3}]}]},
    {"id": "t3", "type": "text", "story": 0}
  ]}],
  "current": "t1"
})";

TEST(StoryText, ReadsCharactersInTheInternalCode) {
    fake::HostFixture f(fake::OneBox("a\u00AD-Ą„а€"));
    XTStory story = Host().GetBoxTextInfo(0).story;
    const uint16_t expected[] = {'a', 0x1F, '-', 0xA5, 0x84, 0x430, 0x80};
    for (int32_t p = 0; p < 7; ++p)
        EXPECT_EQ(GetChar(story, p), expected[p]) << p;
    EXPECT_EQ(GetChar(story, 7), 0);

    uint8_t bytes[8] = {0};
    EXPECT_EQ(GetCharsAt(story, 3, 3, bytes), 3);
    EXPECT_EQ(bytes[0], 0xA5);
    EXPECT_EQ(bytes[2], kForeignCharByte);  // not 0x30, the digit 0
    bytes[0] = 0x55;
    EXPECT_EQ(GetCharsAt(story, 0, 0, bytes), 0);
    EXPECT_EQ(bytes[0], 0x55);
}

TEST(StoryText, WritesCharactersBack) {
    fake::HostFixture f(fake::OneBox("ab"));
    XTStory story = Host().GetBoxTextInfo(0).story;
    EXPECT_EQ(PutChar(story, 1, DiscretionaryHyphen), 0);
    EXPECT_EQ(PutCharInCurrentBox(0, 0xA5), 0);
    EXPECT_EQ(PutCharInCurrentBox(4, 0x430), 0);  // a code of 256 or more is its own unit
    EXPECT_EQ(f.Text(0), u"Ąa\u00ADbа");
    EXPECT_EQ(GetChar(story, 2), DiscretionaryHyphen);
}

TEST(StoryText, InsertsLongTextThroughAHostBlock) {
    fake::HostFixture f(fake::OneBox("[]"));
    std::string text(300, '\xB9');  // ą
    EXPECT_EQ(InsertText(1, text), 0);
    EXPECT_EQ(f.Text(0), std::u16string(u"[").append(300, u'ą').append(u"]"));
    EXPECT_EQ(f.host.LiveHandles(), 0u);
}

struct Replacement {
    int32_t start, end;
    size_t length;
    bool done;
    int32_t delta;
};

class ReplaceRangeCase : public testing::TestWithParam<Replacement> {};

TEST_P(ReplaceRangeCase, ReplacesOrLeavesTheStoryAlone) {
    fake::HostFixture f(fake::OneBox("abcdefghij"));
    const Replacement& r = GetParam();
    int32_t delta = 99;
    EXPECT_EQ(ReplaceRange(r.start, r.end, std::string(r.length, 'x'), delta), r.done);
    if (r.done) {
        EXPECT_EQ(delta, r.delta);
        EXPECT_EQ(f.StoryAt(0).Length(), 10 + r.delta);
        EXPECT_EQ(f.StoryAt(0).selectionStart, r.start + static_cast<int32_t>(r.length));
        EXPECT_EQ(f.StoryAt(0).selectionEnd, f.StoryAt(0).selectionStart);
        EXPECT_EQ(f.host.textUpdateOffDepth, 0);
    } else {
        EXPECT_EQ(f.Text(0), u"abcdefghij");
        EXPECT_EQ(delta, 99);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceRangeCase,
                         testing::Values(Replacement{2, 7, 3, true, -2},     // five by three
                                         Replacement{0, 1, 255, true, 254},  // longest allowed
                                         Replacement{0, 1, 256, false, 0},   // too long
                                         Replacement{8, 12, 1, false, 0}));  // past the end

TEST(StoryText, DeletesOnlyInTextBoxes) {
    fake::HostFixture f(kDocument);
    EXPECT_EQ(DeleteBoxText(f.Box("p1"), 0, 1), kNoTextInBox);
    EXPECT_EQ(DeleteBoxText(f.Box("t2"), 0, 2), 0);
    EXPECT_EQ(f.Text(1), u"grupie.");
}

TEST(StoryText, SelectsOnlyInATextBox) {
    fake::HostFixture f(kDocument);
    f.MakeCurrent("g1");
    SelectInCurrentBox(0, 3, false);
    for (const auto& story : f.Doc().stories)
        EXPECT_EQ(story.selectionEnd, 0);
    f.MakeCurrent("t2");
    SelectInCurrentBox(0, 3, false);
    EXPECT_EQ(f.StoryAt(1).selectionEnd, 3);
}

TEST(StoryText, ShowTextRangeSelectsAndBringsTheShowingBoxIntoView) {
    fake::HostFixture f(kDocument);
    f.MakeCurrent("t3");
    ShowTextRange(7, 9);
    EXPECT_EQ(f.StoryAt(0).selectionStart, 7);
    EXPECT_EQ(f.StoryAt(0).selectionEnd, 9);
    EXPECT_EQ(f.host.scrolledTo, f.Box("t1"));  // the chain's first box shows the story
    EXPECT_EQ(f.host.textUpdateMode, 2);
    EXPECT_EQ(f.host.drawingPort, 1u);  // the drawing target is given back
}

TEST(StoryText, WorkingRangeIsTheSelectionOrTheWholeStory) {
    fake::HostFixture caret(fake::OneBox("abcdef", 2, 2));
    auto whole = TakeWorkingRange();
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->start, 0);
    EXPECT_EQ(whole->end, 6);
    EXPECT_EQ(whole->selectionStart, 2);

    Host().SetTextSelection(whole->story, 1, 4, false);
    auto selection = TakeWorkingRange();
    EXPECT_EQ(selection->start, 1);
    EXPECT_EQ(selection->end, 4);

    Host().DeleteTextRange(whole->story, 0, 6);
    EXPECT_FALSE(TakeWorkingRange());
}

TEST(StoryText, SnapshotAndToolModeGuard) {
    fake::HostFixture f(kDocument);
    stxehandle text;
    EXPECT_EQ(text.box, f.Box("t1"));
    EXPECT_EQ(text.valid, 1);
    EXPECT_EQ(text.length, f.StoryAt(0).Length());
    stxehandle picture(f.Box("p1"));
    EXPECT_EQ(picture.valid, 0);
    EXPECT_EQ(picture.story, 0u);
    {
        stmode content(XT_TOOL_CONTENT);
        EXPECT_EQ(f.host.toolMode, XT_TOOL_CONTENT);
    }
    EXPECT_EQ(f.host.toolMode, XT_TOOL_ITEM);
}

TEST(StoryText, GroupVisitsItsTextBoxesWithTheContentTool) {
    fake::HostFixture f(kDocument);
    f.MakeCurrent("g1");
    std::vector<std::pair<XTBox, int32_t>> visits;
    ForEachTextBox(
        0,
        [&](XTBox box, int32_t argument) -> int16_t {
            visits.emplace_back(box, argument);
            EXPECT_EQ(f.host.toolMode, XT_TOOL_CONTENT);
            return 0;
        },
        7);
    EXPECT_EQ(visits,
              (std::vector<std::pair<XTBox, int32_t>>{{f.Box("t2"), -1}, {f.Box("t4"), -1}}));
    EXPECT_EQ(f.host.toolMode, XT_TOOL_ITEM);
    EXPECT_EQ(f.host.LiveHandles(), 0u);
}

TEST(StoryText, GroupsNestedFarDeeperThanTheCallStackAllowsAreVisited) {
    fake::HostFixture f(fake::OneBox("x"));
    f.Doc() = fake::NestedGroups(200000, u"x");
    std::vector<XTBox> visits;
    ForEachTextBox(
        0,
        [&](XTBox box, int32_t) -> int16_t {
            visits.push_back(box);
            return 0;
        },
        7);
    EXPECT_EQ(visits, std::vector<XTBox>{f.Box("t")});
    EXPECT_EQ(f.host.LiveHandles(), 0u);
}

TEST(StoryText, TextBoxThenEveryAnchoredBoxEvenSideBySide) {
    fake::HostFixture f(kDocument);
    std::vector<std::pair<XTBox, int32_t>> visits;
    ForEachTextBox(
        0,
        [&](XTBox box, int32_t argument) -> int16_t {
            visits.emplace_back(box, argument);
            return 0;
        },
        7);
    // The anchored picture box is no text box: only text boxes are visited.
    EXPECT_EQ(visits, (std::vector<std::pair<XTBox, int32_t>>{
                          {f.Box("t1"), 7}, {f.Box("a1"), -1}, {f.Box("a2"), -1}}));
}

TEST(StoryText, AnchoredBoxesStopAtTheFirstResultAndKeepToTheSelection) {
    fake::HostFixture f(kDocument);
    std::vector<XTBox> seen;
    auto visit = [&](XTBox box, int32_t) -> int16_t {
        seen.push_back(box);
        return box == f.Box("a2") ? 5 : 0;
    };
    EXPECT_EQ(ForEachAnchoredBox(0, visit, 0), 5);
    EXPECT_EQ(seen, (std::vector<XTBox>{f.Box("a1"), f.Box("a2")}));
    seen.clear();
    f.StoryAt(0).selectionStart = 4;  // only [4, 10) is searched
    f.StoryAt(0).selectionEnd = 10;
    EXPECT_EQ(ForEachAnchoredBox(0, visit, 0), 5);
    EXPECT_EQ(seen, (std::vector<XTBox>{f.Box("a2")}));
}

TEST(StoryText, AnchoredTextBoxesRunAsTheCurrentBoxFromTheirStart) {
    fake::HostFixture f(kDocument);
    f.StoryAt(2).selectionStart = f.StoryAt(2).selectionEnd = 5;
    std::vector<XTBox> seen;
    ForEachAnchoredTextBox(AnchoredBoxesInSelection(), [&] {
        BoxTextInfo info = Host().GetBoxTextInfo(0);
        EXPECT_EQ(info.selectionStart, 0);
        EXPECT_EQ(info.selectionEnd, 0);
        seen.push_back(Host().GetCurrentBox());
    });
    EXPECT_EQ(seen, (std::vector<XTBox>{f.Box("a1"), f.Box("a2")}));  // not the picture
    EXPECT_EQ(Host().GetCurrentBox(), f.Box("t1"));
}

}  // namespace
