// The Typography Preferences dialog and the word-list editor, driven by scripts.
#include <gtest/gtest.h>

#include <string>

#include "charsets/utf8.h"
#include "plugin_document.h"
#include "typography/cdlg_typo_list.h"
#include "typography/typo_settings_store.h"
#include "typography/typography_state.h"

namespace tarnik {
namespace {

using testing::PluginDocument;

const char kOneBox[] = R"({"stories": [{"text": "b"}],
    "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}], "current": "t"})";

const host::DialogItemState& ItemOf(const host::ShownDialog& dialog, int16_t number) {
    const host::DialogItemState* item = dialog.state.Find(number);
    EXPECT_NE(item, nullptr) << number;
    static const host::DialogItemState none;
    return item ? *item : none;
}

TEST(TypoPrefsDialogTest, ShowsTheStoredSettingsAndFollowsItsCheckBoxes) {
    PluginDocument d(kOneBox, "[1Typografia]\n3Cytat=1\n9Pauza=0\n11Znaki=.,\n");
    d.driver.Press(1011).Press(2);  // dashes off, then Cancel
    ASSERT_EQ(d.Choose("Typography Preferences..."), 0);
    ASSERT_EQ(d.host.dialogs.size(), 1u);
    const host::ShownDialog& dialog = d.host.dialogs[0];
    EXPECT_EQ(dialog.closingItem, 2);
    EXPECT_TRUE(ItemOf(dialog, 1002).checked);
    EXPECT_TRUE(ItemOf(dialog, 1012).checked);
    EXPECT_EQ(ItemOf(dialog, 1071).text, ".,");
    // Another inner pair than the first: the guessing boxes are off limits.
    EXPECT_TRUE(ItemOf(dialog, 1002).enabled);
    EXPECT_FALSE(ItemOf(dialog, 10001).enabled);
    EXPECT_FALSE(ItemOf(dialog, 10002).enabled);
    for (int16_t item : {1012, 1013, 10005})
        EXPECT_FALSE(ItemOf(dialog, item).enabled) << item;
}

TEST(TypoPrefsDialogTest, PolishHostGetsThePolishDialogs) {
    PluginDocument d(R"({"language": "pl", "stories": [{"text": "b"}],
        "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}], "current": "t"})");
    d.driver.Press(1091).Press(1).Press(2);
    ASSERT_EQ(d.Choose("Preferencje typografii..."), 0);
    ASSERT_EQ(d.host.dialogs.size(), 2u);
    EXPECT_EQ(d.host.dialogs[0].state.resourceId, 31219);
    EXPECT_EQ(d.host.dialogs[0].state.title, "Edycja listy");
    EXPECT_EQ(d.host.dialogs[1].state.resourceId, 31220);
    EXPECT_EQ(ItemOf(d.host.dialogs[1], 1077).text, "Popraw cudzysłowy");
}

TEST(TypoPrefsDialogTest, QuotationChoicesFollowTheirCheckBox) {
    PluginDocument d(kOneBox);
    d.driver.Press(1003).Press(1001).Press(1077).Press(2);
    ASSERT_EQ(d.Choose("Typography Preferences..."), 0);
    const host::ShownDialog& dialog = d.host.dialogs.at(0);
    for (int16_t item : {1001, 1002, 1003, 1004, 10001, 10002})
        EXPECT_FALSE(ItemOf(dialog, item).enabled) << item;
    EXPECT_TRUE(ItemOf(dialog, 1011).enabled);
}

TEST(TypoPrefsDialogTest, OkSavesEveryControlAndCancelNone) {
    PluginDocument d(kOneBox);
    d.driver.Press(10001).Press(1004).Press(1013).Press(10004).Type(1071, ". , ;");
    d.driver.Type(1010, std::string(150, '#'));  // cut to the list's 100 characters
    d.driver.Type(1068, "x").Press(5);           // a character list back to its default
    d.driver.Press(1);
    ASSERT_EQ(d.Choose("Typography Preferences..."), 0);
    std::string saved = d.SettingsFile();
    for (const std::string& line : std::initializer_list<std::string>{
             "23ZgadnijCudzyslow=1\n", "3Cytat=3\n", "9Pauza=1\n",
             "26LaczPrzedCyframiRzymskimi=0\n", "11Znaki=. , ;\n",
             "BZnaki=" + std::string(100, '#') + "\n", "14Znaki=.,;:!?)]}\n", "2Cudzyslow=1\n"}) {
        EXPECT_NE(saved.find(line), std::string::npos) << line;
    }
    TypoSettingsLoad();
    EXPECT_EQ(Typography().settings.removeSpacesBeforeChars, ".,;");
    EXPECT_EQ(Typography().settings.guessQuotes, 1);

    d.driver.Press(1077).Type(1071, "?").Press(2);
    ASSERT_EQ(d.Choose("Typography Preferences..."), 0);
    EXPECT_EQ(d.SettingsFile(), saved);
}

TEST(TypoPrefsDialogTest, WordListDefaultStaysInMemoryAfterCancel) {
    PluginDocument d(kOneBox, "[1Typografia]\n18nbspAfterWords=x y\n");
    d.driver.Press(1085).Press(2);
    ASSERT_EQ(d.Choose("Typography Preferences..."), 0);
    EXPECT_EQ(Typography().settings.afterWordsList.Stored(), kDefaultAfterWords);
    EXPECT_EQ(d.SettingsFile(), "[1Typografia]\n18nbspAfterWords=x y\n");
    TypoSettingsLoad();  // as every command does
    EXPECT_EQ(Typography().settings.afterWordsList.Stored(), "x y");
}

TEST(TypoPrefsDialogTest, EditButtonOpensTheListEditorOnItsList) {
    PluginDocument d(kOneBox, "[1Typografia]\n17nbspAfterDigits=kg\n");
    d.driver.Press(1088).Type(1079, "t").Press(1080).Press(1);  // in the editor
    d.driver.Press(1);                                          // OK
    ASSERT_EQ(d.Choose("Typography Preferences..."), 0);
    ASSERT_EQ(d.host.dialogs.size(), 2u);
    EXPECT_EQ(d.host.dialogs[0].state.resourceId, 31119);
    EXPECT_EQ(ItemOf(d.host.dialogs[0], 1078).rows, (std::vector<std::string>{"kg", "t"}));
    EXPECT_NE(d.SettingsFile().find("17nbspAfterDigits=kg t\n"), std::string::npos);
}

struct EditorCase {
    const char* name;
    TypoListSelector selector;
    const char* list;  // the stored list
    void (*script)(host::ScriptedDialogDriver&);
    std::vector<std::string> rows;  // when the editor closed
    const char* edit;
    bool add, remove, change;  // enabled when it closed
    const char* after;         // the list in the record
};

const EditorCase kEditorCases[] = {
    {"word in the list",
     kListAfterWords,
     "a w z",
     [](host::ScriptedDialogDriver& s) { s.Type(1079, "w"); },
     {"a", "w", "z"},
     "w",
     false,
     true,
     false,
     "a w z"},
    {"new word",
     kListAfterWords,
     "a w z",
     [](host::ScriptedDialogDriver& s) { s.Type(1079, "na"); },
     {"a", "w", "z"},
     "na",
     true,
     false,
     true,
     "a w z"},
    {"empty edit text",
     kListAfterWords,
     "a w",
     [](host::ScriptedDialogDriver& s) { s.Type(1079, ""); },
     {"a", "w"},
     "",
     false,
     true,
     false,
     "a w"},
    {"add",
     kListBeforeWords,
     "Sp.",
     [](host::ScriptedDialogDriver& s) { s.Type(1079, "SA").Press(1080); },
     {"Sp.", "SA"},
     "Sp.",
     false,
     true,
     false,
     "Sp. SA"},
    {"remove the chosen row",
     kListAfterDigits,
     "kg zł m",
     [](host::ScriptedDialogDriver& s) { s.Choose(1078, 2).Press(1081); },
     {"kg", "zł"},
     "zł",
     false,
     true,
     false,
     "kg zł"},
    {"change the chosen row",
     kListSpaceExceptions,
     "S.A. m.in.",
     [](host::ScriptedDialogDriver& s) { s.Choose(1078, 0).Type(1079, "np.").Press(1082); },
     {"m.in.", "np."},
     "m.in.",
     false,
     true,
     false,
     "m.in. np."},
    {"remove the last word",
     kListSpaceExceptions,
     "S.A.",
     [](host::ScriptedDialogDriver& s) { s.Press(1081); },
     {},
     "",
     false,
     true,
     false,
     ""},
};

TEST(CdlgTypoListTest, ButtonsAndListFollowTheEdits) {
    for (const EditorCase& c : kEditorCases) {
        SCOPED_TRACE(c.name);
        PluginDocument d(kOneBox);
        TypoWordList& list =
            c.selector == kListAfterWords    ? Typography().settings.afterWordsList
            : c.selector == kListBeforeWords ? Typography().settings.beforeWordsList
            : c.selector == kListAfterDigits ? Typography().settings.afterDigitsList
                                             : Typography().settings.spaceExceptionsList;
        list.Assign(Utf8ToCp1250(c.list));
        Typography().listSelector = c.selector;
        c.script(d.driver);
        d.driver.Press(1);
        EXPECT_EQ(CdlgTypoList().RunModal(), 1);
        EXPECT_TRUE(d.driver.Problems().empty());
        ASSERT_EQ(d.host.dialogs.size(), 1u);
        const host::ShownDialog& dialog = d.host.dialogs[0];
        EXPECT_EQ(ItemOf(dialog, 1078).rows, c.rows);
        EXPECT_EQ(ItemOf(dialog, 1079).text, c.edit);
        EXPECT_EQ(ItemOf(dialog, 1080).enabled, c.add);
        EXPECT_EQ(ItemOf(dialog, 1081).enabled, c.remove);
        EXPECT_EQ(ItemOf(dialog, 1082).enabled, c.change);
        EXPECT_EQ(Cp1250ToUtf8(list.Stored()), c.after);
    }
}

}  // namespace
}  // namespace tarnik
