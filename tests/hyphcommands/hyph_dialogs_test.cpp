// The hyphenation dialogs through the plug-in: the auto-hyphenation warning,
// the preferences, the exceptions editor and Suggested Hyphenation; the
// document-wide removal and the messages when the data cannot be opened.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "hyph_document.h"

namespace {

namespace fs = std::filesystem;
using hyphtest::HyphDocument;
using hyphtest::OneBox;
using tarnik::host::DialogItemState;
using tarnik::host::ShownDialog;

std::vector<std::string> Rows(const ShownDialog& dialog, int16_t item) {
    const DialogItemState* state = dialog.state.Find(item);
    return state ? state->rows : std::vector<std::string>{};
}

std::string TextOf(const ShownDialog& dialog, int16_t item) {
    const DialogItemState* state = dialog.state.Find(item);
    return state ? state->text : "<none>";
}

// Paragraph 0 uses "Standard", paragraph 1 "Auto", whose automatic hyphenation
// is on.
std::string AutoDocument(int start = 0, int end = 0) {
    return R"({"hj": [{"name": "Standard"}, {"name": "Auto", "autoHyphenate": true}],
      "stories": [{"text": "kotek\nniebieski", "paragraphs": [0, 1]}],
      "spreads": [{"items": [{"id": "t", "type": "text", "story": 0, "selection": [)" +
           std::to_string(start) + ", " + std::to_string(end) + R"(]}]}], "current": "t"})";
}

constexpr char kAsk[] = "[1Dzielenie]\n6AutomatycznieWylaczAutoHyphenation=0\n";

TEST(AutoHyphenationWarning, TheSettingFixesWithoutAsking) {
    HyphDocument d(AutoDocument());
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
    EXPECT_TRUE(d.host.dialogs.empty());
    EXPECT_FALSE(d.host.document->hj[1].autoHyphenate);
    EXPECT_EQ(d.Text(), "ko~tek\nnie~bie~ski");
}

TEST(AutoHyphenationWarning, EachButtonDecides) {
    const struct {
        int16_t button;
        bool autoAfter;
        const char* text;
    } cases[] = {
        {1, true, "ko~tek\nnie~bie~ski"},      // Continue
        {1052, false, "ko~tek\nnie~bie~ski"},  // Fix
        {2, true, "kotek\nniebieski"},         // Cancel
    };
    for (const auto& c : cases) {
        HyphDocument d(AutoDocument(3, 3), kAsk);
        d.driver.Press(c.button);
        ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
        ASSERT_EQ(d.host.dialogs.size(), 1u) << c.button;
        EXPECT_EQ(d.host.dialogs[0].state.title, "Autohyphenation Warning");
        EXPECT_EQ(Rows(d.host.dialogs[0], 1054), std::vector<std::string>{"Auto"});
        EXPECT_EQ(d.host.document->hj[1].autoHyphenate, c.autoAfter) << c.button;
        EXPECT_EQ(d.Text(), c.text) << c.button;
        EXPECT_TRUE(d.driver.Finished());
        EXPECT_TRUE(d.driver.Problems().empty());
    }
}

TEST(AutoHyphenationWarning, CancelLeavesACaretAtTheStart) {
    HyphDocument d(AutoDocument(), kAsk);
    d.driver.Press(2);
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
    EXPECT_EQ(d.host.document->stories[0].selectionStart, 0);
    EXPECT_EQ(d.host.document->stories[0].selectionEnd, 0);
}

TEST(AutoHyphenationWarning, CancelGivesBackTheUsersCaretOrSelection) {
    // Cancel leaves the box as it was, the selection included (one that cuts
    // words, which the pass would have widened, too).
    for (auto [start, end] : {std::pair{8, 8}, std::pair{3, 12}}) {
        HyphDocument d(AutoDocument(start, end), kAsk);
        d.driver.Press(2);
        ASSERT_EQ(d.Choose(start == end ? "Hyphenate Box" : "Hyphenate Selection"), XT_OK);
        EXPECT_EQ(d.Text(), "kotek\nniebieski");
        EXPECT_EQ(d.host.document->stories[0].selectionStart, start);
        EXPECT_EQ(d.host.document->stories[0].selectionEnd, end);
    }
}

TEST(AutoHyphenationWarning, OnlyTheParagraphsOfTheRangeCount) {
    HyphDocument d(AutoDocument(0, 5), kAsk);
    ASSERT_EQ(d.Choose("Hyphenate Selection"), XT_OK);
    EXPECT_TRUE(d.host.dialogs.empty());
    EXPECT_EQ(d.Text(), "ko~tek\nniebieski");
}

TEST(AutoHyphenationWarning, ListsEachSpecificationOnceTheLastMetFirst) {
    HyphDocument d(R"({"hj": [{"name": "Standard"}, {"name": "A", "autoHyphenate": true},
      {"name": "B", "autoHyphenate": true}],
      "stories": [{"text": "kotek\nkotek\nkotek\nkotek", "paragraphs": [1, 0, 2, 1]}],
      "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}], "current": "t"})",
                   kAsk);
    d.driver.Press(1052);
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
    ASSERT_EQ(d.host.dialogs.size(), 1u);
    EXPECT_EQ(Rows(d.host.dialogs[0], 1054), (std::vector<std::string>{"B", "A"}));
    EXPECT_FALSE(d.host.document->hj[1].autoHyphenate);
    EXPECT_FALSE(d.host.document->hj[2].autoHyphenate);
}

TEST(AutoHyphenationWarning, IsShownInPolish) {
    HyphDocument d(R"({"language": "pl", "hj": [{"name": "Auto", "autoHyphenate": true}],
      "stories": [{"text": "kotek"}],
      "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}], "current": "t"})",
                   kAsk);
    d.driver.Press(2);
    ASSERT_EQ(d.Choose("Dzielenie wyrazów w ramce"), XT_OK);
    ASSERT_EQ(d.host.dialogs.size(), 1u);
    EXPECT_EQ(d.host.dialogs[0].state.title, "Ostrzeżenia automatycznego dzielenia");
    EXPECT_EQ(TextOf(d.host.dialogs[0], 1052), "Napraw");
}

const char kAllSettings[] =
    "[1Dzielenie]\n"
    "2UzywajWyjatkow=1\n"
    "3NajpierTypografia=0\n"
    "4PominWersaliki=0\n"
    "5PominXPress=1\n"
    "6AutomatycznieWylaczAutoHyphenation=1\n"
    "7WstawSkrotAktywny=1\n"
    "8WstawSkrot=Brak\n"
    "9UsunSkrotAktywny=1\n"
    "AUsunSkrot=Brak\n"
    "BSugerujSkrotAktywny=1\n"
    "CSugerujSkrot=Brak\n";

TEST(HyphenationPreferences, OkSavesEveryKeyAndTheNewSettingsHold) {
    HyphDocument d(OneBox("NATO"));
    d.driver.Press(1015).Press(1);
    ASSERT_EQ(d.Choose("Hyphenation Preferences..."), XT_OK);
    ASSERT_EQ(d.host.dialogs.size(), 1u);
    const ShownDialog& dialog = d.host.dialogs[0];
    EXPECT_EQ(dialog.state.title, "Hyphenation Preferences");
    EXPECT_FALSE(dialog.state.Find(1014)->checked);
    EXPECT_TRUE(dialog.state.Find(1016)->checked);
    EXPECT_TRUE(dialog.state.Find(1017)->checked);
    EXPECT_TRUE(dialog.state.Find(1018)->checked);
    EXPECT_EQ(d.SettingsFile(), kAllSettings);
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
    EXPECT_EQ(d.Text(), "NA~TO");
}

TEST(HyphenationPreferences, CancelStoresNothing) {
    HyphDocument d(OneBox("NATO"), "[1Dzielenie]\n3NajpierTypografia=1\n8WstawSkrot=Ctrl+H\n");
    d.driver.Press(1015).Press(1014).Press(2);
    ASSERT_EQ(d.Choose("Hyphenation Preferences..."), XT_OK);
    EXPECT_FALSE(d.host.dialogs[0].state.Find(1014)->checked);  // shown checked, then pressed
    EXPECT_EQ(d.SettingsFile(), "[1Dzielenie]\n3NajpierTypografia=1\n8WstawSkrot=Ctrl+H\n");
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
    EXPECT_EQ(d.Text(), "NATO");
}

TEST(HyphenationPreferences, KeepsTheShortcutTexts) {
    HyphDocument d(OneBox("kot"), "[1Dzielenie]\n8WstawSkrot=Ctrl+Alt+H\nCSugerujSkrot=F12\n");
    d.driver.Press(1);
    ASSERT_EQ(d.Choose("Hyphenation Preferences..."), XT_OK);
    std::string saved = d.SettingsFile();
    EXPECT_NE(saved.find("8WstawSkrot=Ctrl+Alt+H\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("CSugerujSkrot=F12\n"), std::string::npos) << saved;
}

// The exceptions editor, opened from the preferences, which are then cancelled:
// its changes stay all the same.
TEST(HyphenationExceptions, AddChangeAndRemoveAreSavedAtOnce) {
    HyphDocument d(OneBox("kotek"));
    d.driver.Press(1019)
        .Type(1079, "kot-ek")
        .Press(1080)  // Add
        .Type(1079, "ko-tek")
        .Press(1)   // Close: "ko-tek" could not be added, kotek is listed
        .Press(2);  // Cancel the preferences
    ASSERT_EQ(d.Choose("Hyphenation Preferences..."), XT_OK);
    ASSERT_TRUE(d.driver.Problems().empty()) << d.driver.Problems()[0];
    ASSERT_EQ(d.host.dialogs.size(), 2u);
    const ShownDialog& editor = d.host.dialogs[0];
    EXPECT_EQ(editor.state.title, "Edit list");
    EXPECT_EQ(Rows(editor, 1078), std::vector<std::string>{"kot-ek"});
    EXPECT_FALSE(editor.state.Find(1080)->enabled);  // Add
    EXPECT_TRUE(editor.state.Find(1082)->enabled);   // Change
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
    EXPECT_EQ(d.Text(), "kot~ek");

    // Change replaces the breaks; Remove takes the word out.
    d.driver.Press(1019).Choose(1078, 0).Type(1079, "ko-tek").Press(1082).Press(1).Press(2);
    ASSERT_EQ(d.Choose("Hyphenation Preferences..."), XT_OK);
    EXPECT_EQ(Rows(d.host.dialogs[2], 1078), std::vector<std::string>{"ko-tek"});
    d.driver.Press(1019).Choose(1078, 0).Press(1081).Press(1).Press(2);
    ASSERT_EQ(d.Choose("Hyphenation Preferences..."), XT_OK);
    EXPECT_TRUE(Rows(d.host.dialogs[4], 1078).empty());
    EXPECT_TRUE(d.driver.Problems().empty());
}

TEST(HyphenationExceptions, AChangeThatCannotBeStoredKeepsTheOldEntry) {
    std::string tooMany;  // 51 letters, 50 breaks: more than an entry holds
    for (int i = 0; i < 51; ++i)
        tooMany += i == 0 ? "a" : "-a";
    HyphDocument d(OneBox("kotek"));
    d.driver.Press(1019)
        .Type(1079, "kot-ek")
        .Press(1080)
        .Choose(1078, 0)
        .Type(1079, tooMany)
        .Press(1082)  // Change, refused with the reason
        .Answer(XT_ANSWER_OK)
        .Press(1)
        .Press(1);
    ASSERT_EQ(d.Choose("Hyphenation Preferences..."), XT_OK);
    ASSERT_TRUE(d.driver.Problems().empty()) << d.driver.Problems()[0];
    EXPECT_EQ(Rows(d.host.dialogs[0], 1078), std::vector<std::string>{"kot-ek"});
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
    EXPECT_EQ(d.Text(), "kot~ek");
}

// On a full disk (no file may grow, the signal ignored) each save of the
// hyphenation dialogs fails: the user is told why in a box marked as a
// failure, and the files keep what they held.
struct FullDiskCase {
    const char* name;
    void (*script)(tarnik::host::ScriptedDialogDriver& driver);
    const char* message;
};

class HyphenationOnAFullDisk : public testing::TestWithParam<FullDiskCase> {};

TEST_P(HyphenationOnAFullDisk, EverySaveIsToldWithItsReason) {
    HyphDocument d(OneBox("kotek"));
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);  // the exceptions file is made
    const std::string settings = d.SettingsFile();
    const std::string exceptions = d.UserExceptionsFile();
    GetParam().script(d.driver);
    auto run = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit none{0, 0};
        setrlimit(RLIMIT_FSIZE, &none);
        d.Choose("Hyphenation Preferences...");
        bool told = false;
        for (const tarnik::host::ShownMessage& message : d.host.messages)
            told = told || (message.failure && message.text.find(GetParam().message) == 0 &&
                            message.text.find("File too large") != std::string::npos);
        bool kept = d.SettingsFile() == settings && d.UserExceptionsFile() == exceptions;
        // No file may grow, not even the one that catches standard error: the
        // exit status tells what went wrong.
        std::exit(!told ? 1 : !kept ? 2 : !d.driver.Problems().empty() ? 3 : 0);
    };
    EXPECT_EXIT(run(), testing::ExitedWithCode(0), "")
        << "1: not told, 2: a file changed, 3: the script did not fit";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HyphenationOnAFullDisk,
    testing::Values(FullDiskCase{"PreferencesOk",
                                 [](tarnik::host::ScriptedDialogDriver& driver) {
                                     driver.Press(1015).Press(1).Answer(XT_ANSWER_OK);
                                 },
                                 "Can't save the settings."},
                    FullDiskCase{"AddedException",
                                 [](tarnik::host::ScriptedDialogDriver& driver) {
                                     driver.Press(1019)
                                         .Type(1079, "kot-ek")
                                         .Press(1080)
                                         .Answer(XT_ANSWER_OK)
                                         .Press(1)
                                         .Press(2);
                                 },
                                 "Error: 102\rCan't save the hyphenation exceptions file."}),
    [](const testing::TestParamInfo<FullDiskCase>& info) { return info.param.name; });

TEST(HyphenationExceptions, TheUserListCanBeSwitchedOff) {
    HyphDocument d(OneBox("kotek"));
    d.driver.Press(1019).Type(1079, "kot-ek").Press(1080).Press(1).Press(1018).Press(1);
    ASSERT_EQ(d.Choose("Hyphenation Preferences..."), XT_OK);
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
    EXPECT_EQ(d.Text(), "ko~tek");
}

TEST(SuggestHyphenation, ShowsTheWordAtTheCaret) {
    const struct {
        const char* text;
        int caret;
        const char* plain;
        const char* current;
        const char* without;
    } cases[] = {
        {"to biało-czerwony kolor", 5, "biało-czerwony", "biało-czerwony", "bia-ło--czer-wo-ny"},
        // Each part of a compound is a word: no break before its last letter.
        {"kotek-piesek", 2, "kotek-piesek", "kotek-piesek", "ko-tek--pie-sek"},
        {"ko~tek i", 6, "kotek", "ko-tek", "ko-tek"},  // the caret right after the word
        {"kotek", 0, "kotek", "kotek", "ko-tek"},
    };
    for (const auto& c : cases) {
        HyphDocument d(OneBox(c.text, c.caret, c.caret));
        d.driver.Press(1);
        ASSERT_EQ(d.Choose("Suggest Hyphenation..."), XT_OK) << c.text;
        ASSERT_EQ(d.host.dialogs.size(), 1u) << c.text;
        const ShownDialog& dialog = d.host.dialogs[0];
        EXPECT_EQ(dialog.state.title, "Suggested Hyphenation");
        EXPECT_EQ(TextOf(dialog, 1039), c.plain) << c.text;
        EXPECT_EQ(TextOf(dialog, 1040), c.current) << c.text;
        EXPECT_EQ(TextOf(dialog, 1041), c.without) << c.text;
        EXPECT_EQ(TextOf(dialog, 1042), c.without) << c.text;
        EXPECT_EQ(d.Text(), c.text);
    }
}

TEST(SuggestHyphenation, ShowsTheUsersExceptionBesideThePatterns) {
    HyphDocument d(OneBox("kotek", 2, 2));
    d.driver.Press(1019).Type(1079, "kot-ek").Press(1080).Press(1).Press(1).Press(1);
    ASSERT_EQ(d.Choose("Hyphenation Preferences..."), XT_OK);
    ASSERT_EQ(d.Choose("Suggest Hyphenation..."), XT_OK);
    ASSERT_EQ(d.host.dialogs.size(), 3u);
    EXPECT_EQ(TextOf(d.host.dialogs[2], 1041), "ko-tek");
    EXPECT_EQ(TextOf(d.host.dialogs[2], 1042), "kot-ek");
}

TEST(SuggestHyphenation, NoWordOpensNothing) {
    HyphDocument d(OneBox("kot  pies", 4, 4));
    ASSERT_EQ(d.Choose("Suggest Hyphenation..."), XT_OK);
    EXPECT_TRUE(d.host.dialogs.empty());
    HyphDocument item(OneBox("kotek", 2, 2, "item"));
    EXPECT_EQ(item.Choose("Suggest Hyphenation..."), XT_ERR_PARAM);  // disabled
}

TEST(SuggestHyphenation, IsShownInPolish) {
    HyphDocument d(OneBox("kotek", 2, 2, "content", "pl"));
    d.driver.Press(1);
    ASSERT_EQ(d.Choose("Sugeruj dzielenie wyrazów..."), XT_OK);
    ASSERT_EQ(d.host.dialogs.size(), 1u);
    EXPECT_EQ(d.host.dialogs[0].state.title, "Sugerowanie dzielenia");
}

const char kTwoSpreads[] = R"({
  "stories": [
    {"text": "ko~tek ", "anchors": [{"at": 7, "item": {"id": "a", "type": "text", "story": 3}}]},
    {"text": "nie~bie~ski"},
    {"text": "zie~lo~ny"},
    {"text": "czer~wo~ny"}
  ],
  "spreads": [
    {"items": [{"id": "t1", "type": "text", "story": 0, "selection": [0, 2]},
               {"id": "x", "type": "text", "story": 2, "suppress": true}]},
    {"items": [{"id": "g", "type": "group", "items": [{"id": "t2", "type": "text", "story": 1}]}]}
  ],
  "current": "x"})";

TEST(RemoveHyphensFromDocument, AfterYesEveryBoxOutsideTheExcludedOnes) {
    HyphDocument d(hyphtest::Soft(kTwoSpreads));
    d.driver.Answer(XT_ANSWER_YES);
    ASSERT_EQ(d.Choose("Remove hyphens from document"), XT_OK);
    ASSERT_EQ(d.host.messages.size(), 1u);
    EXPECT_EQ(d.host.messages[0].text,
              "Do you really want to remove all hyphenation points from this document?");
    EXPECT_EQ(d.Text(0), "kotek \uFFFC");
    EXPECT_EQ(d.Text(1), "niebieski");
    EXPECT_EQ(d.Text(2), "zie~lo~ny");
    EXPECT_EQ(d.Text(3), "czerwony");
    EXPECT_EQ(d.host.UndoSteps(), 1u);
}

// Text boxes at every depth of anchoring: a group anchored in the spread's box
// (holding a text box and a group with another), a text box anchored there that
// anchors a group of its own. Soft hyphens written as '~'.
const char kNested[] = R"({
  "stories": [
    {"text": "ko~tek ", "anchors": [
      {"at": 7, "item": {"id": "g", "type": "group", "items": [
        {"id": "g1", "type": "text", "story": 1},
        {"id": "gg", "type": "group", "items": [{"id": "g2", "type": "text", "story": 2}]}]}},
      {"at": 8, "item": {"id": "a", "type": "text", "story": 3}}]},
    {"text": "nie~bie~ski"},
    {"text": "zie~lo~ny"},
    {"text": "czer~wo~ny ", "anchors": [
      {"at": 11, "item": {"id": "h", "type": "group", "items": [
        {"id": "h1", "type": "text", "story": 4}]}}]},
    {"text": "po~ma~rań~czo~wy"}
  ],
  "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}],
  "current": "t"})";

TEST(NestedBoxes, EveryWholeStoryAndWholeDocumentCommandReachesEveryDepth) {
    const std::string plain[] = {"kotek \uFFFC\uFFFC", "niebieski", "zielony", "czerwony \uFFFC",
                                 "pomarańczowy"};
    {
        HyphDocument d(hyphtest::Soft(kNested));
        d.driver.Answer(XT_ANSWER_YES);
        ASSERT_EQ(d.Choose("Remove hyphens from document"), XT_OK);
        for (size_t story = 0; story < 5; ++story)
            EXPECT_EQ(d.Text(story), plain[story]) << "from document, story " << story;
    }
    {
        HyphDocument d(hyphtest::Soft(kNested));
        ASSERT_EQ(d.Choose("Remove Hyphens From Box"), XT_OK);
        for (size_t story = 0; story < 5; ++story)
            EXPECT_EQ(d.Text(story), plain[story]) << "from box, story " << story;
        ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
        for (size_t story = 1; story < 5; ++story)
            EXPECT_NE(d.Text(story), plain[story]) << "hyphenated, story " << story;
        EXPECT_EQ(d.Text(4), "po~ma~rań~czo~wy");
    }
}

TEST(RemoveHyphensFromDocument, NoChangesNothing) {
    HyphDocument d(hyphtest::Soft(kTwoSpreads));
    d.driver.Answer(XT_ANSWER_NO);
    ASSERT_EQ(d.Choose("Remove hyphens from document"), XT_OK);
    EXPECT_EQ(d.Text(1), "nie~bie~ski");
    EXPECT_EQ(d.host.UndoSteps(), 0u);
}

TEST(OpenHyphenation, AMissingDataFileIsToldAndTriedAgainByTheNextCommand) {
    HyphDocument d(OneBox("kotek"), "", false);
    ASSERT_EQ(d.host.messages.size(), 1u);
    const std::string dataPath = d.pluginFolder + "/PLHYPH.DAT";
    EXPECT_NE(
        d.host.messages[0].text.find(
            "Can't open hyphenation (probably file plhyph.dat is missing) [" + dataPath + "]"),
        std::string::npos)
        << d.host.messages[0].text;
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
    EXPECT_EQ(d.host.messages.size(), 2u);
    EXPECT_EQ(d.Text(), "kotek");
    d.driver.Press(1);
    ASSERT_EQ(d.Choose("Hyphenation Preferences..."), XT_OK);
    EXPECT_EQ(d.host.messages.size(), 3u);
    EXPECT_TRUE(d.host.dialogs.empty());

    fs::copy_file(fs::path(TARNIK_SOURCE_DIR) / "data" / "PLHYPH.DAT", dataPath);
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
    EXPECT_EQ(d.Text(), "ko~tek");
    EXPECT_EQ(d.host.messages.size(), 3u);
}

TEST(OpenHyphenation, ADamagedExceptionsFileIsToldAndTheSeedListServes) {
    HyphDocument d(OneBox("kotek"), "", true, false);
    std::ofstream(d.pluginFolder + "/PLHYPH.USR", std::ios::binary) << "\xff\xff\xff\x7f";
    d.Start();
    ASSERT_EQ(d.host.messages.size(), 1u);
    // The message says where the damaged file went.
    EXPECT_NE(d.host.messages[0].text.find("The hyphenation exceptions file was damaged. It has "
                                           "been kept as " +
                                           d.pluginFolder +
                                           "/PLHYPH.USR.bak and a new one "
                                           "started."),
              std::string::npos)
        << d.host.messages[0].text;
    EXPECT_TRUE(fs::exists(d.pluginFolder + "/PLHYPH.USR.bak"));
    ASSERT_EQ(d.Choose("Hyphenate Box"), XT_OK);
    EXPECT_EQ(d.Text(), "ko~tek");
    EXPECT_EQ(d.host.messages.size(), 1u);
}

}  // namespace
