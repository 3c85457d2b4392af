// Message boxes and questions as the host shows them: title, error line, the cut
// to 255 bytes, and the answers.
#include <gtest/gtest.h>

#include "platform/show_message.h"
#include "plugin_fixture.h"
#include "shell/module_place.h"

namespace {

using shelltest::OneBox;
using shelltest::PluginFixture;

TEST(ShowMessage, TitleAndText) {
    PluginFixture f(OneBox("kot"));
    const std::string name = "Tarnik11 (" + tarnik::ModuleFileVersion() + ")-";
    struct Case {
        int16_t error;
        const char* suffix;
        const char* argument;
        std::string title;
        std::string text;
    };
    const Case cases[] = {
        {0, "", "son.dic", name, "Brak pliku son.dic"},
        {0, nullptr, "son.dic", name, "Brak pliku son.dic"},
        {-43, "Dict", "son.dic", name + "Dict", "Error: -43\rBrak pliku son.dic"},
        {1, "",
         "\xB3\xF3\xBF"
         "ko",
         name, "Error: 1\rBrak pliku łóżko"},
    };
    for (const Case& c : cases) {
        f.driver.Answer(XT_ANSWER_OK);
        EXPECT_EQ(tarnik::ShowMessage(XT_MB_OK, c.error, c.suffix, "Brak pliku %s", c.argument),
                  XT_ANSWER_OK);
        EXPECT_EQ(f.host.messages.back().title, c.title);
        EXPECT_EQ(f.host.messages.back().text, c.text);
    }
}

TEST(ShowMessage, TheTextIsCutTo255Bytes) {
    PluginFixture f(OneBox("kot"));
    std::string longText(400, 'a');
    tarnik::ShowMessage(XT_MB_OK, 12, "", "%s", longText.c_str());
    EXPECT_EQ(f.host.messages.back().text, "Error: 12\r" + std::string(245, 'a'));
    tarnik::AskYesNo(longText.c_str());
    EXPECT_EQ(f.host.messages.back().text.size(), 255u);
}

TEST(ShowMessage, AYesNoQuestionGivesOneForYes) {
    PluginFixture f(OneBox("kot"));
    f.driver.Answer(XT_ANSWER_YES).Answer(XT_ANSWER_NO);
    EXPECT_EQ(tarnik::AskYesNo("Do you want to check from the beginning of story?"), 1);
    EXPECT_EQ(tarnik::AskYesNo("Do you want to check from the beginning of story?"), 0);
    EXPECT_EQ(tarnik::AskYesNo("Unanswered"), 0);  // the script ran out: No
    EXPECT_EQ(f.host.messages.back().style, XT_MB_YESNO);
}

}  // namespace
