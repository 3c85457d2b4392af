// The spell-check commands in the host, the Check Spelling dialog driven by
// scripts, on the bundled Polish dictionary.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "plugin_document.h"
#include "spell_fixture.h"
#include "speller/ranked_suggestions.h"
#include "speller/user_dictionary.h"

namespace tarnik {
namespace {

using testing::OneBox;
using testing::PluginDocument;
using testing::StopRecorder;

struct WalkCase {
    const char* name;
    std::string json;
    const char* settings;
    const char* command;
    std::function<void(host::ScriptedDialogDriver&)> script;
    std::vector<std::string> stops;  // the misspelt words the dialog showed, in order
    std::string after;               // the story when the command ended
    std::vector<std::string> messages;
};

const char kSkipNothing[] = "[1Slownik]\n3PominWERSALIKI=0\n4PominCYFRY=0\n";

const WalkCase kWalkCases[] = {
    {"check word on a correct word",
     OneBox("Ala ma kota.", 8, 8),
     "",
     "Check Word...",
     [](host::ScriptedDialogDriver& s) { s.Answer(XT_ANSWER_OK); },
     {},
     "Ala ma kota.",
     {"Word is spelled correctly"}},
    {"check selection of correct words",
     OneBox("Ala ma kota.", 0, 6),
     "",
     "Check Selection...",
     [](host::ScriptedDialogDriver& s) { s.Answer(XT_ANSWER_OK); },
     {},
     "Ala ma kota.",
     {"There are no errors in the selection."}},
    {"check word stops at the word at the caret only",
     OneBox("krul i zmija", 2, 2),
     "",
     "Check Word...",
     [](host::ScriptedDialogDriver& s) { s.Press(1046).Answer(XT_ANSWER_OK); },
     {"krul"},
     "krul i zmija",
     {"No more errors."}},
    {"check story from the caret, then from the start on yes",
     OneBox("krul ma kota i psa", 8, 8),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) {
         s.Answer(XT_ANSWER_YES).Press(1046).Answer(XT_ANSWER_OK);
     },
     {"krul"},
     "krul ma kota i psa",
     {"Do you want to check from the beginning of story?", "No more errors."}},
    {"check story wraps from within the dialog",
     OneBox("krul ma kota i zmija", 8, 8),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) {
         s.Press(1046).Answer(XT_ANSWER_YES).Press(1046).Answer(XT_ANSWER_OK);
     },
     {"zmija", "krul"},
     "krul ma kota i zmija",
     {"Do you want to check from the beginning of story?", "No more errors."}},
    {"no to the wrap question ends without an error",
     OneBox("krul ma kota", 8, 8),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) { s.Answer(XT_ANSWER_NO).Answer(XT_ANSWER_OK); },
     {},
     "krul ma kota",
     {"Do you want to check from the beginning of story?",
      "There are no errors in the selection."}},
    {"ignore all skips the word and its small form, not its capitals",
     OneBox("Krul i krul, Krul, KRUL."),
     kSkipNothing,
     "Check Story...",
     [](host::ScriptedDialogDriver& s) { s.Press(1047).Press(1046).Answer(XT_ANSWER_OK); },
     {"Krul", "KRUL"},
     "Krul i krul, Krul, KRUL.",
     {"No more errors."}},
    {"change all takes each word's capitals",
     OneBox("krul, Krul i KRUL"),
     kSkipNothing,
     "Check Story...",
     [](host::ScriptedDialogDriver& s) { s.Type(1045, "król").Press(1049).Answer(XT_ANSWER_OK); },
     {"krul"},
     "król, Król i KRÓL",
     {"No more errors."}},
    {"capitals and digits are skipped by default",
     OneBox("KRUL a4x zmija"),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) { s.Press(1046).Answer(XT_ANSWER_OK); },
     {"zmija"},
     "KRUL a4x zmija",
     {"No more errors."}},
    {"a chosen suggestion changes the word",
     OneBox("Wielkie wszystkoo."),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) {
         s.Type(1045, "").Choose(1044, 0).Press(1048).Answer(XT_ANSWER_OK);
     },
     {"wszystkoo"},
     "Wielkie wszystko.",
     {"No more errors."}},
    {"a double-clicked suggestion changes the word",
     OneBox("przepióreczkaa i wszystkoo"),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) {
         s.Activate(1044, 0).Activate(1044, 0).Answer(XT_ANSWER_OK);
     },
     {"przepióreczkaa", "wszystkoo"},
     "przepióreczka i wszystko",
     {"No more errors."}},
    {"close stops the walk without a final message",
     OneBox("krul i zmija"),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) { s.Type(1045, "król").Press(1048).Press(1); },
     {"krul", "zmija"},
     "król i zmija",
     {}},
    {"a word of 60 letters is shown whole and changed whole",
     OneBox("a " + std::string(60, 'x') + " b"),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) { s.Type(1045, "kot").Press(1048).Answer(XT_ANSWER_OK); },
     {std::string(60, 'x')},
     "a kot b",
     {"No more errors."}},
    {"compounds, the source's mixed-case words and foreign words",
     OneBox("biało-czerwony SMS-a GHz JavaScript dwu- i Müller, José"),
     kSkipNothing,
     "Check Story...",
     [](host::ScriptedDialogDriver& s) { s.Press(1046).Press(1046).Answer(XT_ANSWER_OK); },
     {"Müller", "José"},  // whole words, never cut at their foreign letters
     "biało-czerwony SMS-a GHz JavaScript dwu- i Müller, José",
     {"No more errors."}},
    {"the misspelt word clicked goes into Change To",
     OneBox("krul"),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) {
         s.Type(1045, "").Press(1059).Press(1049).Answer(XT_ANSWER_OK);
     },
     {"krul"},
     "krul",
     {"No more errors."}},
};

// Runs one case's command with its script and checks where it stopped, the
// story after it and the messages shown.
void ExpectWalk(const WalkCase& c, PluginDocument& d) {
    StopRecorder recorder(d);
    c.script(d.driver);
    ASSERT_EQ(d.Choose(c.command), 0);
    EXPECT_TRUE(d.driver.Problems().empty()) << d.driver.Problems().front();
    EXPECT_TRUE(d.driver.Finished());
    EXPECT_EQ(recorder.stops, c.stops);
    EXPECT_EQ(d.StoryText(0), c.after);
    std::vector<std::string> messages;
    for (const host::ShownMessage& m : d.host.messages)
        messages.push_back(m.text);
    EXPECT_EQ(messages, c.messages);
}

TEST(CheckWalkTest, CommandsAndButtonsWalkTheText) {
    for (const WalkCase& c : kWalkCases) {
        SCOPED_TRACE(c.name);
        PluginDocument d(c.json, c.settings);
        ExpectWalk(c, d);
        if (::testing::Test::HasFatalFailure())
            return;
        EXPECT_EQ(d.host.EditDepth(), 0);
    }
}

// The user's text is never damaged: words are known whole by their own
// characters (letters cp1250 lacks included), however long; what the user sees
// and types keeps every character; Change All keeps the case the user gave.
const WalkCase kTextKeptCases[] = {
    {"change all of a Cyrillic word changes only that word",
     OneBox("Pisał do Кот, Дом i Лес, Кот."),
     kSkipNothing,
     "Check Story...",
     [](host::ScriptedDialogDriver& s) {
         s.Type(1045, "kot").Press(1049).Press(1046).Press(1046).Answer(XT_ANSWER_OK);
     },
     {"Кот", "Дом", "Лес"},
     "Pisał do kot, Дом i Лес, kot.",
     {"No more errors."}},
    {"ignore all of a Cyrillic word ignores only that word, in either case",
     OneBox("Кот, Дом i Лес, кот."),
     kSkipNothing,
     "Check Story...",
     [](host::ScriptedDialogDriver& s) {
         s.Press(1047).Press(1046).Press(1046).Answer(XT_ANSWER_OK);
     },
     {"Кот", "Дом", "Лес"},
     "Кот, Дом i Лес, кот.",
     {"No more errors."}},
    {"the word offered back is written back as it is",
     OneBox("Ala ma kotñ."),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) { s.Press(1059).Press(1048).Answer(XT_ANSWER_OK); },
     {"kotñ"},
     "Ala ma kotñ.",
     {"No more errors."}},
    {"a typed replacement keeps letters and signs cp1250 lacks",
     OneBox("krul i zmija"),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) {
         s.Type(1045, "piñata").Press(1048).Type(1045, "kot😺").Press(1048).Answer(XT_ANSWER_OK);
     },
     {"krul", "zmija"},
     "piñata i kot😺",
     {"No more errors."}},
    {"a long word is offered whole and ignored whole",
     OneBox(std::string(60, 'x') + " b " + std::string(60, 'x') + " c " + std::string(60, 'x')),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) { s.Press(1048).Press(1047).Answer(XT_ANSWER_OK); },
     {std::string(60, 'x'), std::string(60, 'x')},
     std::string(60, 'x') + " b " + std::string(60, 'x') + " c " + std::string(60, 'x'),
     {"No more errors."}},
    {"change all of a long word changes every occurrence",
     OneBox(std::string(60, 'x') + " b " + std::string(60, 'x')),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) { s.Type(1045, "kot").Press(1049).Answer(XT_ANSWER_OK); },
     {std::string(60, 'x')},
     "kot b kot",
     {"No more errors."}},
    {"change all to a capitalised form changes every occurrence to it",
     OneBox("W polsce i znowu w polsce."),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) { s.Type(1045, "Polsce").Press(1049).Answer(XT_ANSWER_OK); },
     {"polsce"},
     "W Polsce i znowu w Polsce.",
     {"No more errors."}},
    {"add refuses a word the user dictionary cannot hold, and says why",
     OneBox("kotñ i " + std::string(300, 'x')),
     "",
     "Check Story...",
     [](host::ScriptedDialogDriver& s) {
         s.Press(1051).Answer(XT_ANSWER_OK).Press(1046);
         s.Press(1051).Answer(XT_ANSWER_OK).Press(1046).Answer(XT_ANSWER_OK);
     },
     {"kotñ", std::string(300, 'x')},
     "kotñ i " + std::string(300, 'x'),
     {"The word was not stored: it holds a character that Windows-1250 lacks.",
      "The word was not stored: it is longer than 255 letters.", "No more errors."}},
};

TEST(CheckWalkTest, TheUsersTextIsNeverDamaged) {
    for (const WalkCase& c : kTextKeptCases) {
        SCOPED_TRACE(c.name);
        PluginDocument d(c.json, c.settings);
        ExpectWalk(c, d);
        if (::testing::Test::HasFatalFailure())
            return;
        UserDictionary* user = nullptr;
        ASSERT_EQ(UserDictOpen(d.Folder() + "/user.dic", user), 0);
        std::string word;
        UserDictNextWord(user, word, true);
        EXPECT_EQ(word, "") << "nothing is stored";
        UserDictClose(user);
    }
}

TEST(CheckWalkTest, TheChangesOfACheckAreOneUndoStep) {
    PluginDocument d(OneBox("przepióreczkaa i wszystkoo"));
    d.driver.Activate(1044, 0).Activate(1044, 0).Answer(XT_ANSWER_OK);
    ASSERT_EQ(d.Choose("Check Story..."), 0);
    ASSERT_EQ(d.StoryText(0), "przepióreczka i wszystko");
    ASSERT_TRUE(d.host.Undo());
    EXPECT_EQ(d.StoryText(0), "przepióreczkaa i wszystkoo");
}

TEST(CheckWalkTest, TheSelectionIsGivenBackAfterTheCheck) {
    PluginDocument d(OneBox("Ala ma wszystkoo i psa.", 4, 6));
    d.driver.Activate(1044, 0).Answer(XT_ANSWER_YES).Answer(XT_ANSWER_OK);
    ASSERT_EQ(d.Choose("Check Story..."), 0);
    EXPECT_TRUE(d.driver.Problems().empty());
    EXPECT_EQ(d.StoryText(0), "Ala ma wszystko i psa.");
    const host::Story& story = d.host.document->stories[0];
    EXPECT_EQ(story.selectionStart, 4);
    EXPECT_EQ(story.selectionEnd, 6);
}

TEST(CheckWalkTest, AddStoresTheWordAndLaterOnesPass) {
    PluginDocument d(OneBox("Krulik i Krulik, krulik"));
    d.driver.Press(1051).Press(1046).Answer(XT_ANSWER_OK);
    StopRecorder recorder(d);
    ASSERT_EQ(d.Choose("Check Story..."), 0);
    EXPECT_EQ(recorder.stops, (std::vector<std::string>{"Krulik", "krulik"}));
    UserDictionary* user = nullptr;
    ASSERT_EQ(UserDictOpen(d.Folder() + "/user.dic", user), 0);
    EXPECT_EQ(UserDictContains(user, "Krulik"), 1);
    EXPECT_EQ(UserDictContains(user, "krulik"), 0);
    UserDictClose(user);
}

TEST(CheckWalkTest, AddIsDisabledWhileTheUserDictionaryIsOff) {
    PluginDocument d(OneBox("krul"), "[1Slownik]\n2SlownikiUzytkownika=0\n");
    d.driver.Press(1);
    ASSERT_EQ(d.Choose("Check Story..."), 0);
    ASSERT_EQ(d.host.dialogs.size(), 1u);
    EXPECT_FALSE(d.host.dialogs[0].state.Find(1051)->enabled);
    EXPECT_TRUE(d.host.dialogs[0].state.Find(1048)->enabled);
}

TEST(CheckWalkTest, OptionsApplyToTheRestOfTheWalk) {
    // Capitals are skipped at first; turned off in the middle, KRUL stops the walk.
    // The user dictionary turned off disables Add at once.
    PluginDocument d(OneBox("zmija KRUL"));
    d.driver.Press(1050).Press(1020).Press(1023).Press(1);  // Options: skip capitals off
    d.driver.Press(1046).Press(1).Answer(XT_ANSWER_OK);
    StopRecorder recorder(d);
    ASSERT_EQ(d.Choose("Check Story..."), 0);
    EXPECT_TRUE(d.driver.Problems().empty());
    EXPECT_EQ(recorder.stops, (std::vector<std::string>{"zmija", "KRUL"}));
    const host::ShownDialog& check = d.host.dialogs.back();
    EXPECT_EQ(check.state.resourceId, 31108);
    EXPECT_FALSE(check.state.Find(1051)->enabled);
    EXPECT_NE(d.SettingsFile().find("3PominWERSALIKI=0"), std::string::npos);
}

TEST(CheckWalkTest, SuggestListsForTheTypedTextOrSaysItIsCorrect) {
    PluginDocument d(OneBox("krul"));
    d.driver.Type(1045, "zmija").Press(1058).Press(1);
    ASSERT_EQ(d.Choose("Check Story..."), 0);
    const host::DialogItemState* list = d.host.dialogs.at(0).state.Find(1044);
    EXPECT_THAT(list->rows, ::testing::Contains("żmija"));

    PluginDocument e(OneBox("krul"));
    e.driver.Type(1045, "kot").Press(1058).Type(1045, "").Press(1).Answer(XT_ANSWER_OK);
    ASSERT_EQ(e.Choose("Check Story..."), 0);
    const host::ShownDialog& dialog = e.host.dialogs.at(0);
    EXPECT_EQ(dialog.state.Find(1044)->rows,
              (std::vector<std::string>{"Word is spelled correctly"}));
    EXPECT_FALSE(dialog.state.Find(1044)->enabled);
    EXPECT_FALSE(dialog.state.Find(1048)->enabled) << "Change needs a Change To text";
}

TEST(CheckWalkTest, SuggestionsComeLikeliestFirstUnlessRankingIsOff) {
    PluginDocument d(OneBox("dlugosc zle"));
    d.driver.Press(1).Press(1);
    ASSERT_EQ(d.Choose("Check Story..."), 0);
    const host::DialogItemState* list = d.host.dialogs.at(0).state.Find(1044);
    ASSERT_FALSE(list->rows.empty());
    EXPECT_EQ(list->rows.front(), "długość");  // three diacritics missing at once
    EXPECT_EQ(d.host.dialogs.at(0).state.Find(1045)->text, "długość");

    PluginDocument e(OneBox("zle"), "[1Slownik]\nCSugestieWgTrafnosci=0\n");
    e.driver.Press(1);
    ASSERT_EQ(e.Choose("Check Story..."), 0);
    std::vector<std::string> rows = e.host.dialogs.at(0).state.Find(1044)->rows;
    EXPECT_GT(rows.size(), kMaxRankedSuggestions);  // the whole list, in Polish order
    EXPECT_EQ(rows.front(), "ale");
    EXPECT_EQ(rows.back(), "źle");
}

TEST(CheckWalkTest, PolishHostGetsThePolishDialogAndTexts) {
    PluginDocument d(R"({"language": "pl", "stories": [{"text": "krul"}],
        "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}], "current": "t"})");
    d.driver.Press(1046).Answer(XT_ANSWER_OK);
    ASSERT_EQ(d.Choose("Sprawdź wątek..."), 0);
    ASSERT_EQ(d.host.dialogs.size(), 1u);
    EXPECT_EQ(d.host.dialogs[0].state.resourceId, 31208);
    EXPECT_EQ(d.host.dialogs[0].state.title, "Sprawdzanie pisowni");
    EXPECT_EQ(d.host.dialogs[0].state.Find(1049)->text, "Zamień wszystkie");
    ASSERT_EQ(d.host.messages.size(), 1u);
    EXPECT_EQ(d.host.messages[0].text, "Nie ma więcej błędów.");
}

// Spread 1: a text box, a group holding a text box, a box excluded from output;
// spread 2: the first box of a linked pair, a box with a text box anchored in
// it, the second box of the pair.
const char kDocument[] = R"({"stories": [
    {"text": "raz krul"}, {"text": "dwa zmija"}, {"text": "trzy xyzzy"},
    {"text": "cztery dóm"},
    {"text": "pięć kotx", "anchors": [{"at": 5, "item": {"id": "f", "type": "text", "story": 5}}]},
    {"text": "sześć pzes"}],
  "spreads": [
    {"items": [{"id": "a", "type": "text", "story": 0},
               {"id": "g", "type": "group", "items": [{"id": "b", "type": "text", "story": 1}]},
               {"id": "c", "type": "text", "story": 2, "suppress": true}]},
    {"items": [{"id": "d1", "type": "text", "story": 3},
               {"id": "e", "type": "text", "story": 4},
               {"id": "d2", "type": "text", "story": 3}]}],
  "current": "a"})";

TEST(CheckWalkTest, CheckDocumentWalksTheAdmittedBoxesOfEverySpread) {
    PluginDocument d(kDocument);
    for (int i = 0; i < 5; ++i)
        d.driver.Press(1047);
    d.driver.Answer(XT_ANSWER_OK);
    StopRecorder recorder(d);
    ASSERT_EQ(d.Choose("Check Document..."), 0);
    EXPECT_TRUE(d.driver.Problems().empty());
    EXPECT_EQ(recorder.stops, (std::vector<std::string>{"krul", "zmija", "dóm", "kotx", "pzes"}));
    EXPECT_EQ(d.Current(), "a");
}

// Text boxes at every depth of anchoring: a group anchored in the spread's box
// (a text box and a group holding another), and a text box anchored there that
// anchors a group of its own.
const char kNested[] = R"({"stories": [
    {"text": "raz krul ", "anchors": [
      {"at": 9, "item": {"id": "g", "type": "group", "items": [
        {"id": "g1", "type": "text", "story": 1},
        {"id": "gg", "type": "group", "items": [{"id": "g2", "type": "text", "story": 2}]}]}},
      {"at": 10, "item": {"id": "a", "type": "text", "story": 3}}]},
    {"text": "dwa zmija"}, {"text": "trzy xyzzy"},
    {"text": "cztery dóm ", "anchors": [
      {"at": 11, "item": {"id": "h", "type": "group", "items": [
        {"id": "h1", "type": "text", "story": 4}]}}]},
    {"text": "pięć kotx"}],
  "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}],
  "current": "t"})";

TEST(CheckWalkTest, CheckStoryAndDocumentReachTextBoxesAtEveryDepth) {
    for (const char* command : {"Check Story...", "Check Document..."}) {
        SCOPED_TRACE(command);
        PluginDocument d(kNested);
        for (int i = 0; i < 5; ++i)
            d.driver.Press(1047);
        d.driver.Answer(XT_ANSWER_OK);
        StopRecorder recorder(d);
        ASSERT_EQ(d.Choose(command), 0);
        EXPECT_TRUE(d.driver.Problems().empty());
        EXPECT_EQ(recorder.stops,
                  (std::vector<std::string>{"krul", "zmija", "xyzzy", "dóm", "kotx"}));
        ASSERT_EQ(d.host.messages.size(), 1u);
        EXPECT_EQ(d.host.messages[0].text, "No more errors.");
    }
}

TEST(CheckWalkTest, CheckDocumentFromAGroupLeavesTheGroupCurrent) {
    std::string json = kDocument;
    json.replace(json.find(R"("current": "a")"), 14, R"("current": "g")");
    PluginDocument d(json);
    for (int i = 0; i < 5; ++i)
        d.driver.Press(1047);
    d.driver.Answer(XT_ANSWER_OK);
    ASSERT_EQ(d.Choose("Check Document..."), 0);
    EXPECT_TRUE(d.driver.Problems().empty());
    EXPECT_EQ(d.Current(), "g");
}

TEST(CheckWalkTest, AReplacementTheStoryCannotTakeKeepsTheDialogAtTheWord) {
    const char kWhy[] =
        "The word was not changed: the text in Change To is longer than 255 characters.";
    PluginDocument d(OneBox("krul i zmija"));
    StopRecorder recorder(d);
    d.driver.Type(1045, std::string(300, 'a')).Press(1048).Answer(XT_ANSWER_OK);
    d.driver.Press(1046).Press(1046).Answer(XT_ANSWER_OK);
    ASSERT_EQ(d.Choose("Check Story..."), 0);
    EXPECT_TRUE(d.driver.Problems().empty());
    EXPECT_EQ(recorder.stops, (std::vector<std::string>{"krul", "zmija"}));
    EXPECT_EQ(d.StoryText(0), "krul i zmija");
    ASSERT_EQ(d.host.messages.size(), 2u);
    EXPECT_EQ(d.host.messages[0].text, kWhy);

    // Change All with 256 characters changes nothing and joins no list: the next
    // answer decides, and the later occurrence follows that one.
    for (size_t length : {size_t(255), size_t(256)}) {
        SCOPED_TRACE(length);
        PluginDocument e(OneBox("Ala ma kotta i kotta."));
        e.driver.Type(1045, std::string(length, 'y')).Press(1049);
        if (length > 255)
            e.driver.Answer(XT_ANSWER_OK).Type(1045, "kot").Press(1049);
        e.driver.Answer(XT_ANSWER_OK);
        ASSERT_EQ(e.Choose("Check Story..."), 0);
        EXPECT_TRUE(e.driver.Problems().empty()) << e.driver.Problems().front();
        EXPECT_TRUE(e.driver.Finished());
        std::string word = length > 255 ? "kot" : std::string(length, 'y');
        EXPECT_EQ(e.StoryText(0), "Ala ma " + word + " i " + word + ".");
        EXPECT_EQ(e.host.messages.front().text, length > 255 ? kWhy : "No more errors.");
    }
}

TEST(CheckWalkTest, AMissingMainDictionaryIsNamedWhereItBelongs) {
    PluginDocument d(OneBox("krul"));
    std::filesystem::remove(d.Folder() + "/son.dic");
    d.driver.Answer(XT_ANSWER_OK);
    ASSERT_EQ(d.Choose("Check Story..."), 0);
    ASSERT_FALSE(d.host.messages.empty());
    EXPECT_NE(d.host.messages.back().text.find("[" + d.Folder() + "/son.dic]"), std::string::npos)
        << d.host.messages.back().text;
    EXPECT_EQ(d.host.messages.back().text.find("XTensions"), std::string::npos);
}

TEST(CheckWalkTest, CheckDocumentWithoutErrorsSaysSo) {
    PluginDocument d(OneBox("Ala ma kota."));
    d.driver.Answer(XT_ANSWER_OK);
    ASSERT_EQ(d.Choose("Check Document..."), 0);
    ASSERT_EQ(d.host.messages.size(), 1u);
    EXPECT_EQ(d.host.messages[0].text, "There is no errors at all");
}

}  // namespace
}  // namespace tarnik
