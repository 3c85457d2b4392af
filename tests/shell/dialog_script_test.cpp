// The dialog script and the terminal driver: the steps a person or a script
// writes, and what a bad line is told.
#include <gtest/gtest.h>

#include <sstream>

#include "host/dialog_script.h"
#include "host/terminal_dialog_driver.h"

namespace {

using tarnik::host::DialogAction;
using tarnik::host::ParseDialogStep;

TEST(DialogScript, ParsesEachKindOfStep) {
    struct Case {
        const char* line;
        DialogAction::Kind kind;
        int16_t item;
        const char* text;
        int32_t row;
    };
    const Case cases[] = {
        {"press 1", DialogAction::Kind::Press, 1, "", -1},
        {"  press   1048  ", DialogAction::Kind::Press, 1048, "", -1},
        {"type 1079 Sp. z o.o.", DialogAction::Kind::Type, 1079, "Sp. z o.o.", -1},
        {"type 1079 żółw\r", DialogAction::Kind::Type, 1079, "żółw", -1},
        {"type 1079", DialogAction::Kind::Type, 1079, "", -1},
        {"choose 1044 2", DialogAction::Kind::Choose, 1044, "", 2},
        {"choose 1044 -1", DialogAction::Kind::Choose, 1044, "", -1},
        {"activate 1078 0", DialogAction::Kind::Activate, 1078, "", 0},
    };
    for (const Case& c : cases) {
        std::string error;
        auto step = ParseDialogStep(c.line, error);
        ASSERT_TRUE(step && step->action) << c.line << ": " << error;
        EXPECT_EQ(step->action->kind, c.kind) << c.line;
        EXPECT_EQ(step->action->item, c.item) << c.line;
        EXPECT_EQ(step->action->text, c.text) << c.line;
        EXPECT_EQ(step->action->row, c.row) << c.line;
    }
    for (auto [word, answer] : {std::pair{"ok", XT_ANSWER_OK},
                                {"cancel", XT_ANSWER_CANCEL},
                                {"yes", XT_ANSWER_YES},
                                {"no", XT_ANSWER_NO}}) {
        std::string error;
        auto step = ParseDialogStep(std::string("answer ") + word, error);
        ASSERT_TRUE(step && !step->action) << word;
        EXPECT_EQ(step->answer, answer);
    }
}

TEST(DialogScript, RefusesLinesThatAreNoStep) {
    for (const char* line :
         {"push 1", "press", "press OK", "press 1 2", "choose 1044", "choose 1044 x",
          "activate 1078 0 1", "answer maybe", "answer yes please", "press 99999",
          "type 1079 \xBFó\xB3w", "type 1079 \xC5"}) {
        std::string error;
        EXPECT_FALSE(ParseDialogStep(line, error)) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
    for (const char* line : {"", "   ", "# a comment"}) {
        std::string error;
        EXPECT_FALSE(ParseDialogStep(line, error)) << line;
        EXPECT_TRUE(error.empty()) << line;
    }
}

TEST(DialogScript, AScriptWithABadLineLoadsNothing) {
    tarnik::host::ScriptedDialogDriver driver;
    std::string error;
    EXPECT_FALSE(LoadDialogScript("press 1\n\npress x\n", driver, error));
    EXPECT_EQ(error, "line 3: press needs an item number");
    // Text that is not UTF-8 would reach the document as '?'.
    EXPECT_FALSE(LoadDialogScript("press 1\ntype 1079 k\xF3t\n", driver, error));
    EXPECT_EQ(error, "line 2: type text is not UTF-8 (bad byte 2 of the text)");
    EXPECT_TRUE(driver.Finished());
    EXPECT_TRUE(LoadDialogScript("# About\npress 1\nanswer yes\n", driver, error));
    EXPECT_FALSE(driver.Finished());
}

tarnik::host::DialogState ListDialog() {
    tarnik::host::DialogState dialog;
    dialog.title = "Edycja listy";
    dialog.defaultButton = 1;
    dialog.items.push_back({1, XT_ITEM_BUTTON, 0, "Zamknij", true, false, {}, -1});
    dialog.items.push_back({1078, XT_ITEM_LIST, 0, "", true, false, {"do", "na"}, 1});
    dialog.items.push_back({1079, XT_ITEM_EDIT, 0, "na", true, false, {}, -1});
    dialog.items.push_back({1080, XT_ITEM_BUTTON, 0, "Dodaj", false, false, {}, -1});
    dialog.items.push_back({-1, XT_ITEM_STATIC, 0, "Lista:", true, false, {}, -1});
    return dialog;
}

TEST(TerminalDriver, ShowsTheDialogAndReadsStepsUntilOneFits) {
    std::istringstream in("answer yes\nhello\ntype 1079 od\n");
    std::ostringstream out;
    tarnik::host::TerminalDialogDriver driver(in, out);
    auto action = driver.NextAction(ListDialog());
    ASSERT_TRUE(action);
    EXPECT_EQ(action->kind, DialogAction::Kind::Type);
    EXPECT_EQ(action->text, "od");
    const std::string shown = out.str();
    for (const char* line :
         {"== Edycja listy ==\n", "  [1] button Zamknij (default)\n", "  [1078] list\n",
          "        0: do\n", "      > 1: na\n", "  [1079] field \"na\"\n",
          "  [1080] button Dodaj (disabled)\n", "        Lista:\n",
          "a dialog needs an action, not an answer\n", "unknown step 'hello'"}) {
        EXPECT_NE(shown.find(line), std::string::npos) << line;
    }
    // The end of the input closes the dialog.
    EXPECT_FALSE(driver.NextAction(ListDialog()));
}

TEST(TerminalDriver, AnswersMessageBoxesWithTheWordsTheyOffer) {
    std::istringstream in("yes\n ok \nno\n");
    std::ostringstream out;
    tarnik::host::TerminalDialogDriver driver(in, out);
    EXPECT_EQ(driver.AnswerMessage(XT_MB_OK, "Tarnik11 (11.0.0)-", "Nie ma błędów"), XT_ANSWER_OK);
    EXPECT_NE(out.str().find("answer with one of: ok"), std::string::npos);
    EXPECT_EQ(driver.AnswerMessage(XT_MB_YESNO, "T", "Czy?"), XT_ANSWER_NO);
    EXPECT_EQ(driver.AnswerMessage(XT_MB_YESNO, "T", "Czy?"), XT_ANSWER_NO);  // end of input
}

TEST(TerminalDriver, TakesTheScriptsAnswerStepAtAMessageBox) {
    // The word alone, or the step as a dialog script writes it.
    std::istringstream in("answer yes\n answer no\nanswer ok\nanswer maybe\nok\n");
    std::ostringstream out;
    tarnik::host::TerminalDialogDriver driver(in, out);
    EXPECT_EQ(driver.AnswerMessage(XT_MB_YESNO, "T", "Czy?"), XT_ANSWER_YES);
    EXPECT_EQ(driver.AnswerMessage(XT_MB_YESNO, "T", "Czy?"), XT_ANSWER_NO);
    EXPECT_EQ(driver.AnswerMessage(XT_MB_OK, "T", "Nie ma"), XT_ANSWER_OK);
    EXPECT_EQ(driver.AnswerMessage(XT_MB_OK, "T", "Nie ma"), XT_ANSWER_OK);
    EXPECT_NE(out.str().find("answer with one of: ok"), std::string::npos) << "maybe refused";
}

TEST(TerminalDriver, ShowsTheLinesOfAMessageOnLinesOfTheirOwn) {
    std::istringstream in("ok\n");
    std::ostringstream out;
    tarnik::host::TerminalDialogDriver driver(in, out);
    driver.AnswerMessage(XT_MB_OK, "T", "Error: 510\rNie mo\xC5\xBCna");
    EXPECT_NE(out.str().find("== T ==\nError: 510\nNie mo\xC5\xBCna\n"), std::string::npos)
        << out.str();
    const std::pair<const char*, const char*> oneLine[] = {
        {"Error: 510\rThe file", "Error: 510 The file"},
        {"a\r\nb\nc", "a b c"},
        {"no break", "no break"},
        {"end\r", "end "},
    };
    for (const auto& [text, shown] : oneLine)
        EXPECT_EQ(tarnik::host::MessageOnOneLine(text), shown) << text;
}

}  // namespace
