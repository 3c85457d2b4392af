// "Typography In Box" run from the plug-in's menu on documents in the host.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "charsets/utf8.h"
#include "host/document_file.h"
#include "host/memory_host.h"
#include "platform/settings_store.h"
#include "shell/plugin_entry.h"
#include "typocommands/typography_command.h"

namespace tarnik {
namespace {

class TypographyCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnik-typo-cmd-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        setenv("XDG_DATA_HOME", folder_.c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // Loads the document and starts the plug-in with settings of its own.
    void Start(const std::string& json, const std::string& settings = "") {
        std::string error;
        ASSERT_TRUE(host::LoadDocumentText(json, host_, error)) << error;
        ASSERT_EQ(host_.Start(XTActivateCallback), 0);
        std::string file = (folder_ / "Tarnik11.ini").string();
        FlushStore();
        std::ofstream(file) << settings;
        SetStoreTarget(file.c_str(), nullptr);
    }
    // Then chooses "Typography In Box".
    void RunCommand(const std::string& json, const std::string& settings = "") {
        Start(json, settings);
        const host::MenuItem* item = host_.menus.FindItemByTitle("Typography In Box");
        ASSERT_NE(item, nullptr);
        host_.UpdateMenus();
        ASSERT_EQ(host_.ChooseMenuItem(item->number), 0);
    }
    std::string StoryText(size_t story) {
        return Utf16ToUtf8(host_.document->stories[story].Text());
    }
    std::string Current() {
        int item = host_.document->current;
        return item < 0 ? "" : host_.document->items[size_t(item)].id;
    }

    std::filesystem::path folder_;
    host::MemoryHost host_;
};

TEST_F(TypographyCommandTest, CaretProcessesTheWholeStoryAsOneUndoStep) {
    RunCommand(R"({"stories": [{"text": "b  c ,d"}],
        "spreads": [{"items": [{"id": "t", "type": "text", "story": 0, "selection": [2, 2]}]}],
        "current": "t"})");
    EXPECT_EQ(StoryText(0), "b c, d");
    EXPECT_EQ(host_.UndoSteps(), 1u);
    EXPECT_EQ(host_.EditDepth(), 0);
    ASSERT_TRUE(host_.Undo());
    EXPECT_EQ(StoryText(0), "b  c ,d");
}

TEST_F(TypographyCommandTest, SettingsAreReadAgainBeforeTheCommand) {
    RunCommand(R"({"stories": [{"text": "b - c"}],
        "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}], "current": "t"})",
               "[1Typografia]\n9Pauza=0\n27LaczPoPauzach=0\n");
    EXPECT_EQ(StoryText(0), "b — c");
}

TEST_F(TypographyCommandTest, GroupMembersInListOrderThenTheLastIsCurrent) {
    // Each box stops at its own quotation mark; the command goes on with the next.
    RunCommand(R"({"tool": "item", "stories": [{"text": "b  \"c\""}, {"text": "d \" e  f"},
        {"text": "g  h"}, {"text": "i  j"}],
        "spreads": [{"items": [{"id": "g", "type": "group", "items": [
            {"id": "t1", "type": "text", "story": 0},
            {"id": "p", "type": "picture"},
            {"id": "t2", "type": "text", "story": 1},
            {"id": "g2", "type": "group", "items": [{"id": "t3", "type": "text", "story": 2}]}]},
          {"id": "t4", "type": "text", "story": 3}]}],
        "current": "g"})");
    EXPECT_EQ(StoryText(0), "b „c”");
    EXPECT_EQ(StoryText(1), "d \" e  f");
    EXPECT_EQ(StoryText(2), "g h");
    EXPECT_EQ(StoryText(3), "i  j");  // not in the group
    EXPECT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(Current(), "t3");
    EXPECT_EQ(host_.toolMode, XT_TOOL_ITEM);
}

TEST_F(TypographyCommandTest, AnchoredTextBoxesAreProcessedWholeAfterTheStory) {
    RunCommand(R"({"stories": [{"text": "b  c  d", "anchors": [{"at": 1,
          "item": {"id": "a", "type": "text", "story": 1, "selection": [1, 2]}}]},
        {"text": "e  f  \"g\""}],
        "spreads": [{"items": [{"id": "t", "type": "text", "story": 0, "selection": [0, 0]}]}],
        "current": "t"})");
    EXPECT_EQ(StoryText(0), "b\uFFFC c d");
    EXPECT_EQ(StoryText(1), "e f „g”");
    EXPECT_EQ(Current(), "t");
}

TEST_F(TypographyCommandTest, NothingHappensWithoutATextBoxOrGroup) {
    // The menu item is disabled then; the command itself checks as well.
    Start(R"({"stories": [{"text": "b  c"}],
        "spreads": [{"items": [{"id": "t", "type": "text", "story": 0},
          {"id": "p", "type": "picture"}]}], "current": "p"})");
    TypographyCommand();
    EXPECT_EQ(StoryText(0), "b  c");
    EXPECT_EQ(host_.UndoSteps(), 0u);
}

}  // namespace
}  // namespace tarnik
