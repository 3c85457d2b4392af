// "Typography In Box" run from the plug-in's menu on documents in the host.
#include <gtest/gtest.h>

#include <string>

#include "plugin_document.h"
#include "tests/host/nested_groups.h"
#include "typography/typography_command.h"

namespace tarnik {
namespace {

using testing::PluginDocument;

TEST(TypographyCommandTest, CaretProcessesTheWholeStoryAsOneUndoStep) {
    PluginDocument d(R"({"stories": [{"text": "b  c ,d"}],
        "spreads": [{"items": [{"id": "t", "type": "text", "story": 0, "selection": [2, 2]}]}],
        "current": "t"})");
    ASSERT_EQ(d.Choose("Typography In Box"), 0);
    EXPECT_EQ(d.StoryText(0), "b c, d");
    EXPECT_EQ(d.host.UndoSteps(), 1u);
    EXPECT_EQ(d.host.EditDepth(), 0);
    ASSERT_TRUE(d.host.Undo());
    EXPECT_EQ(d.StoryText(0), "b  c ,d");
}

TEST(TypographyCommandTest, SettingsAreReadAgainBeforeTheCommand) {
    PluginDocument d(R"({"stories": [{"text": "b - c"}],
        "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}], "current": "t"})",
                     "[1Typografia]\n9Pauza=0\n27LaczPoPauzach=0\n");
    ASSERT_EQ(d.Choose("Typography In Box"), 0);
    EXPECT_EQ(d.StoryText(0), "b — c");
}

TEST(TypographyCommandTest, GroupMembersInListOrderThenTheLastIsCurrent) {
    // Each box stops at its own quotation mark; the command goes on with the next.
    PluginDocument d(R"({"tool": "item", "stories": [{"text": "b  \"c\""}, {"text": "d \" e  f"},
        {"text": "g  h"}, {"text": "i  j"}],
        "spreads": [{"items": [{"id": "g", "type": "group", "items": [
            {"id": "t1", "type": "text", "story": 0},
            {"id": "p", "type": "picture"},
            {"id": "t2", "type": "text", "story": 1},
            {"id": "g2", "type": "group", "items": [{"id": "t3", "type": "text", "story": 2}]}]},
          {"id": "t4", "type": "text", "story": 3}]}],
        "current": "g"})");
    ASSERT_EQ(d.Choose("Typography In Boxes"), 0);
    EXPECT_EQ(d.StoryText(0), "b „c”");
    EXPECT_EQ(d.StoryText(1), "d \" e  f");
    EXPECT_EQ(d.StoryText(2), "g h");
    EXPECT_EQ(d.StoryText(3), "i  j");  // not in the group
    EXPECT_EQ(d.host.messages.size(), 1u);
    EXPECT_EQ(d.Current(), "t3");
    EXPECT_EQ(d.host.toolMode, XT_TOOL_ITEM);
}

TEST(TypographyCommandTest, GroupsNestedFarDeeperThanTheCallStackAllowsAreReached) {
    PluginDocument d(R"({"tool": "item", "stories": [{"text": "x"}],
        "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}], "current": "t"})");
    d.host.document = fake::NestedGroups(200000, u"b  c");
    ASSERT_EQ(d.Choose("Typography In Boxes"), 0);
    EXPECT_EQ(d.StoryText(0), "b c");
    EXPECT_EQ(d.Current(), "t");
    EXPECT_EQ(d.host.toolMode, XT_TOOL_ITEM);
}

TEST(TypographyCommandTest, AnchoredTextBoxesAreProcessedWholeAfterTheStory) {
    PluginDocument d(R"({"stories": [{"text": "b  c  d", "anchors": [{"at": 1,
          "item": {"id": "a", "type": "text", "story": 1, "selection": [1, 2]}}]},
        {"text": "e  f  \"g\""}],
        "spreads": [{"items": [{"id": "t", "type": "text", "story": 0, "selection": [0, 0]}]}],
        "current": "t"})");
    ASSERT_EQ(d.Choose("Typography In Box"), 0);
    EXPECT_EQ(d.StoryText(0), "b\uFFFC c d");
    EXPECT_EQ(d.StoryText(1), "e f „g”");
    EXPECT_EQ(d.Current(), "t");
}

TEST(TypographyCommandTest, AnchoredBoxesAreCorrectedWhenTheStoryStopsAtAMark) {
    PluginDocument d(R"({"stories": [{"text": "b \" c  d  e", "anchors": [{"at": 8,
          "item": {"id": "a", "type": "text", "story": 1}}]},
        {"text": "e  f"}],
        "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}], "current": "t"})");
    ASSERT_EQ(d.Choose("Typography In Box"), 0);
    EXPECT_EQ(d.StoryText(0), "b \" c  d\uFFFC  e");
    EXPECT_EQ(d.StoryText(1), "e f");
    EXPECT_EQ(d.host.messages.size(), 1u);
    // The mark the story stopped at is still selected.
    EXPECT_EQ(d.host.document->stories[0].selectionStart, 2);
    EXPECT_EQ(d.host.document->stories[0].selectionEnd, 3);
}

TEST(TypographyCommandTest, NothingHappensWithoutATextBoxOrGroup) {
    PluginDocument d(R"({"stories": [{"text": "b  c"}],
        "spreads": [{"items": [{"id": "t", "type": "text", "story": 0},
          {"id": "p", "type": "picture"}]}], "current": "p"})");
    // The menu item is disabled then; the command itself checks as well.
    TypographyCommand();
    EXPECT_EQ(d.StoryText(0), "b  c");
    EXPECT_EQ(d.host.UndoSteps(), 0u);
}

}  // namespace
}  // namespace tarnik
