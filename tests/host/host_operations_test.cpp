// The host functions as the plug-in's code reaches them, through HostApi.
#include <gtest/gtest.h>

#include "host_fixture.h"

using tarnik::Host;

namespace {

// Story 0 is shown by t1 and, linked, t3; story 1 by t2 in a group; story 2 by the
// box anchored in story 0; "s" is suppressed.
const char* kDocument = R"({
  "hj": [{"name": "Standard", "autoHyphenate": false}, {"name": "Auto", "autoHyphenate": true}],
  "stories": [
    {"text": "Ala ma kota.\nKot ma Alę.", "noBreak": [[3, 5]], "paragraphs": [0, 1],
     "anchors": [{"at": 5, "item": {"id": "a1", "type": "text", "story": 2}}]},
    {"text": "Tekst w grupie."},
    {"text": "Zakotwiczony."}
  ],
  "spreads": [
    {"items": [
      {"id": "t1", "type": "text", "story": 0, "selection": [0, 3]},
      {"id": "g1", "type": "group", "items": [{"id": "t2", "type": "text", "story": 1},
                                              {"id": "p1", "type": "picture"}]}]},
    {"items": [{"id": "t3", "type": "text", "story": 0}, {"id": "s", "type": "other", "suppress": true}]}
  ],
  "current": "t1"
})";

std::u16string Read(XTStory story, int32_t from, int32_t count) {
    std::u16string text(size_t(count), u'\0');
    int32_t read = 0;
    Host().GetChars(story, from, count, reinterpret_cast<uint16_t*>(text.data()), &read);
    text.resize(size_t(read));
    return text;
}

TEST(HostOperations, BoxesGroupsAndTheDocumentWalk) {
    fake::HostFixture f(kDocument);
    XTBox t1 = f.Box("t1"), g1 = f.Box("g1"), t2 = f.Box("t2"), p1 = f.Box("p1");
    EXPECT_EQ(Host().GetCurrentBox(), t1);
    EXPECT_EQ(Host().GetCurrentDocument(), 1);
    EXPECT_TRUE(Host().IsTextBox(t1));
    EXPECT_TRUE(Host().IsGroup(g1));
    EXPECT_EQ(Host().GetBoxContentType(p1), XT_CONTENT_PICTURE);
    EXPECT_FALSE(Host().IsBoxValid(999));

    XTHandle list;
    int16_t count;
    ASSERT_EQ(Host().GetGroupItems(g1, &list, &count), 0);
    ASSERT_EQ(count, 2);
    auto* members = static_cast<XTBox*>(Host().LockHandle(list));
    EXPECT_EQ(members[0], t2);
    EXPECT_EQ(members[1], p1);
    Host().DisposeHandle(list);
    EXPECT_EQ(f.host.LiveHandles(), 0u);

    // Spread 1: t1, g1, t2, p1; spread 2: t3 (a continuation of story 0), s.
    ASSERT_EQ(Host().CountSpreads(), 2);
    std::vector<XTBox> walk;
    for (XTBox b = Host().GetFirstBoxOfSpread(1); b; b = Host().GetNextBox(b))
        walk.push_back(b);
    EXPECT_EQ(walk, (std::vector<XTBox>{t1, g1, t2, p1}));
    XTBox t3 = Host().GetFirstBoxOfSpread(2);
    EXPECT_EQ(Host().QueryStoryFlag(t1), 0);
    EXPECT_EQ(Host().QueryStoryFlag(t3), 1);
    EXPECT_EQ(Host().QueryBoxFlag(Host().GetNextBox(t3)), 1);
    EXPECT_EQ(Host().GetNextBox(f.Box("a1")), 0u);  // anchored items are on no spread
}

// The walk goes on from the box before it and the first box of a story is
// looked up in an index: both follow the items that are removed meanwhile.
TEST(HostOperations, TheWalkAndTheFirstBoxOfAStoryFollowRemovals) {
    fake::HostFixture f(kDocument);
    XTBox t1 = f.Box("t1"), g1 = f.Box("g1"), t2 = f.Box("t2"), p1 = f.Box("p1");
    XTBox t3 = f.Box("t3");
    EXPECT_EQ(Host().QueryStoryFlag(t3), 1);
    EXPECT_EQ(Host().GetNextBox(t2), p1);
    auto index = [&](const std::string& id) {
        for (size_t i = 0; i < f.Doc().items.size(); ++i) {
            if (f.Doc().items[i].id == id)
                return static_cast<int>(i);
        }
        return -1;
    };
    f.Doc().RemoveItem(index("t2"));
    EXPECT_EQ(Host().GetNextBox(g1), p1);
    f.Doc().RemoveItem(index("t1"));
    EXPECT_EQ(Host().GetFirstBoxOfSpread(1), g1);
    EXPECT_EQ(Host().GetNextBox(p1), 0u);
    EXPECT_EQ(Host().QueryStoryFlag(t3), 0);  // now the first box of story 0
    EXPECT_FALSE(Host().IsBoxValid(t1));
}

TEST(HostOperations, TextReadsWritesAndSoftHyphens) {
    fake::HostFixture f(fake::OneBox("ab"));
    XTStory story = Host().GetBoxTextInfo(0).story;
    const uint16_t soft[] = {XT_SOFT_HYPHEN_IN};
    ASSERT_EQ(Host().PutChars(story, 1, 1, soft), 0);
    EXPECT_EQ(f.Text(0), u"a\u00ADb");
    EXPECT_EQ(Read(story, 0, 3), u"a\u00ADb");
    // Out of range: refused, nothing changed, the preset stays.
    EXPECT_NE(Host().PutChars(story, 9, 1, soft), 0);
    EXPECT_NE(Host().DeleteTextRange(story, 2, 1), 0);
    EXPECT_EQ(Host().NextCharPosition(story, 3, XT_FORWARD), -1);
    EXPECT_EQ(Host().NextCharPosition(story, 0, XT_BACKWARD), -1);
    EXPECT_EQ(Host().NextCharPosition(999, 0, XT_FORWARD), -1);
    ASSERT_EQ(Host().DeleteTextRange(story, 1, 2), 0);
    EXPECT_EQ(f.Text(0), u"ab");
}

TEST(HostOperations, SurrogatePairIsOneStep) {
    fake::HostFixture f(fake::OneBox("a😀b"));
    XTStory story = Host().GetBoxTextInfo(0).story;
    EXPECT_EQ(Host().GetBoxTextInfo(0).length, 4);
    EXPECT_EQ(Host().NextCharPosition(story, 1, XT_FORWARD), 3);
    EXPECT_EQ(Host().NextCharPosition(story, 3, XT_BACKWARD), 1);
}

TEST(HostOperations, SelectionFollowsEdits) {
    fake::HostFixture f(fake::OneBox("abcdef", 2, 4));
    XTStory story = Host().GetBoxTextInfo(0).story;
    const uint16_t x[] = {'x'};
    Host().PutChars(story, 0, 1, x);  // before: both bounds move
    EXPECT_EQ(f.StoryAt(0).selectionStart, 3);
    EXPECT_EQ(f.StoryAt(0).selectionEnd, 5);
    Host().DeleteTextRange(story, 4, 6);  // across the end: the end comes to the start
    EXPECT_EQ(f.StoryAt(0).selectionStart, 3);
    EXPECT_EQ(f.StoryAt(0).selectionEnd, 4);
    EXPECT_NE(Host().SetTextSelection(story, 2, 9, false), 0);
    Host().SetTextSelection(story, 1, 1, false);
    Host().PutChars(story, 1, 1, x);  // a caret at the insertion point moves behind it
    EXPECT_EQ(f.StoryAt(0).selectionStart, 2);
}

TEST(HostOperations, NoBreakStyleTogglesAndIsInherited) {
    fake::HostFixture f(kDocument);
    XTStory story = Host().GetBoxTextInfo(0).story;  // "Ala" + no-break on [3, 5)
    auto flagsOf = [&](int32_t s, int32_t e) {
        Host().SetTextSelection(story, s, e, false);
        return Host().GetSelectionStyleFlags(story) & XT_STYLE_NO_BREAK;
    };
    EXPECT_EQ(flagsOf(3, 5), XT_STYLE_NO_BREAK);
    EXPECT_EQ(flagsOf(2, 5), 0u);  // not every character has it
    // Partly marked: the toggle sets it on all; then, all marked, takes it off.
    Host().SetSelectionStyleFlags(story, XT_STYLE_SELECTOR, XT_STYLE_NO_BREAK);
    EXPECT_EQ(flagsOf(2, 5), XT_STYLE_NO_BREAK);
    Host().SetSelectionStyleFlags(story, XT_STYLE_SELECTOR, XT_STYLE_NO_BREAK);
    EXPECT_EQ(flagsOf(2, 5), 0u);
    EXPECT_NE(Host().SetSelectionStyleFlags(story, XT_STYLE_SELECTOR, 0x01), 0);
    // New text takes the style of the selected character.
    flagsOf(0, 0);
    Host().SetSelectionStyleFlags(story, XT_STYLE_SELECTOR, XT_STYLE_NO_BREAK);  // empty: nothing
    Host().SetTextSelection(story, 0, 1, false);
    Host().SetSelectionStyleFlags(story, XT_STYLE_SELECTOR, XT_STYLE_NO_BREAK);
    const uint16_t x[] = {'x'};
    Host().PutChars(story, 1, 1, x);
    EXPECT_EQ(f.StoryAt(0).StyleAt(1) & XT_STYLE_NO_BREAK, XT_STYLE_NO_BREAK);
}

TEST(HostOperations, AnchorsMoveWithTextAndDieWithIt) {
    fake::HostFixture f(kDocument);
    XTStory story = Host().GetBoxTextInfo(0).story;
    XTBox a1 = f.Box("a1");
    EXPECT_TRUE(Host().HasAnchoredBoxes(f.Box("t1")));
    EXPECT_EQ(Host().FindSpecialChar(story, XT_SPECIAL_ANCHOR, 0, 100), 5);
    EXPECT_EQ(Host().GetAnchoredBox(story, 5), a1);
    EXPECT_EQ(Read(story, 5, 1), u"\uFFFC");
    Host().DeleteTextRange(story, 0, 4);
    EXPECT_EQ(Host().FindSpecialChar(story, XT_SPECIAL_ANCHOR, 0, 100), 1);
    Host().DeleteTextRange(story, 0, 2);
    EXPECT_EQ(Host().FindSpecialChar(story, XT_SPECIAL_ANCHOR, 0, 100), -1);
    EXPECT_FALSE(Host().IsBoxValid(a1));
    EXPECT_FALSE(Host().HasAnchoredBoxes(f.Box("t1")));
}

TEST(HostOperations, ParagraphsKeepTheirHjThroughEdits) {
    fake::HostFixture f(kDocument);
    XTStory story =
        Host().GetBoxTextInfo(0).story;  // "Ala m\uFFFCa kota.\n" (hj 0), "Kot ma Alę." (hj 1)
    int32_t start, length;
    ASSERT_EQ(Host().GetParagraphRun(story, 1, &start, &length), 0);
    EXPECT_EQ(start, 14);
    EXPECT_EQ(length, 11);
    EXPECT_EQ(Host().GetParagraphAttribute(story, 1, XT_PARA_HJ), 1);
    EXPECT_NE(Host().GetParagraphRun(story, 2, &start, &length), 0);
    // Splitting the second paragraph gives both halves its H&J; joining keeps the first's.
    const uint16_t newline[] = {'\n'};
    Host().PutChars(story, 17, 1, newline);
    EXPECT_EQ(Host().GetParagraphAttribute(story, 2, XT_PARA_HJ), 1);
    Host().DeleteTextRange(story, 13, 14);
    EXPECT_EQ(Host().GetParagraphAttribute(story, 0, XT_PARA_HJ), 0);
    EXPECT_EQ(Host().GetParagraphAttribute(story, 1, XT_PARA_HJ), 1);
    EXPECT_EQ(Host().GetParagraphAttribute(story, 2, XT_PARA_HJ), -1);
}

TEST(HostOperations, HjSpecificationsReadFindAndStore) {
    fake::HostFixture f(kDocument);
    ASSERT_EQ(Host().CountHJ(), 2);
    EXPECT_EQ(Host().FindHJ("Auto"), 1);
    EXPECT_EQ(Host().FindHJ("Missing"), -1);
    XTHJSpec spec;
    ASSERT_EQ(Host().GetHJ(1, &spec), 0);
    EXPECT_STREQ(spec.name, "Auto");
    EXPECT_EQ(spec.autoHyphenate, 1);
    spec.autoHyphenate = 0;
    ASSERT_EQ(Host().StoreHJ(1, &spec), 0);
    EXPECT_FALSE(f.Doc().hj[1].autoHyphenate);
    EXPECT_NE(Host().GetHJ(2, &spec), 0);
}

TEST(HostOperations, EachEditCommandIsOneUndoStep) {
    fake::HostFixture f(fake::OneBox("abc"));
    XTStory story = Host().GetBoxTextInfo(0).story;
    const uint16_t x[] = {'x'};
    Host().BeginEditCommand(1, 0);
    Host().PutChars(story, 0, 1, x);
    Host().BeginEditCommand(1, 0);  // nested: part of the outer step
    Host().DeleteTextRange(story, 3, 4);
    Host().EndEditCommand();
    Host().EndEditCommand();
    Host().BeginEditCommand(1, 0);
    Host().PutChars(story, 0, 1, x);
    Host().EndEditCommand();
    EXPECT_EQ(f.Text(0), u"xxab");
    EXPECT_EQ(f.host.UndoSteps(), 2u);
    ASSERT_TRUE(f.host.Undo());
    EXPECT_EQ(f.Text(0), u"xab");
    ASSERT_TRUE(f.host.Undo());
    EXPECT_EQ(f.Text(0), u"abc");
    EXPECT_FALSE(f.host.Undo());
    EXPECT_NE(Host().EndEditCommand(), 0);  // unbalanced
}

TEST(HostOperations, HandlesAndStringsAreChecked) {
    fake::HostFixture f(fake::OneBox("x"));
    XTHandle handle = Host().NewHandle(8);
    ASSERT_NE(handle, nullptr);
    ASSERT_NE(Host().LockHandle(handle), nullptr);
    EXPECT_NE(Host().SetHandleSize(handle, 16), 0);  // locked blocks do not move
    Host().UnlockHandle(handle);
    EXPECT_EQ(Host().SetHandleSize(handle, 16), 0);
    EXPECT_EQ(Host().GetHandleSize(handle), 16);
    EXPECT_EQ(Host().DisposeHandle(handle), 0);
    EXPECT_NE(Host().DisposeHandle(handle), 0);  // stale
    EXPECT_EQ(Host().GetHandleSize(handle), -1);

    XTHostString name = Host().MakeHostString("Tarnik \xB9");
    EXPECT_EQ(Host().HostStringLength(name), 8);
    uint16_t chars[4];
    EXPECT_EQ(Host().HostStringChars(name, chars, 4), 4);
    EXPECT_EQ(Host().RegisterHyphenationMethod(0x6B4E5254, 10, 10, name, 1ull << 42, 0, 0), 1);
    ASSERT_EQ(f.host.hyphenationMethods.size(), 1u);
    EXPECT_EQ(f.host.hyphenationMethods[0].name, u"Tarnik ą");
    Host().ReleaseHostString(name);
    EXPECT_EQ(Host().HostStringLength(name), 0);
}

TEST(HostOperations, ToolModeCursorAndInterface) {
    fake::HostFixture f(R"({"language": "pl", "tool": "item", "spreads": []})");
    EXPECT_EQ(Host().GetToolMode(), XT_TOOL_ITEM);
    EXPECT_EQ(Host().SetToolMode(XT_TOOL_CONTENT), 0);
    EXPECT_NE(Host().SetToolMode(7), 0);
    EXPECT_EQ(f.host.toolMode, XT_TOOL_CONTENT);
    EXPECT_EQ(Host().GetInterfaceLanguage(), XT_LANGUAGE_POLISH);
    Host().SetBusyCursor(-1);
    EXPECT_EQ(f.host.busyCursor, -1);
    EXPECT_EQ(Host().GetCurrentBox(), 0u);
    EXPECT_EQ(Host().GetBoxTextInfo(0).story, 0u);
}

}  // namespace
