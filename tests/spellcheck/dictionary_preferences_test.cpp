// Dictionary Preferences, the user-dictionary editor, and what the commands do
// with a user dictionary that is missing, damaged or unreadable.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "charsets/utf8.h"
#include "plugin_document.h"
#include "spell_fixture.h"
#include "speller/user_dictionary.h"

namespace tarnik {
namespace {

namespace fs = std::filesystem;
using testing::OneBox;
using testing::PluginDocument;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A user.dic holding `words`, written through the speller.
void WriteUserDictionary(const std::string& path, const std::vector<std::string>& words) {
    ASSERT_EQ(UserDictCreate(path), 0);
    UserDictionary* user = nullptr;
    ASSERT_EQ(UserDictOpen(path, user), 0);
    for (const std::string& word : words)
        UserDictAddWord(user, Utf8ToCp1250(word));
    UserDictClose(user);
}

std::vector<std::string> Words(const std::string& path) {
    std::vector<std::string> words;
    UserDictionary* user = nullptr;
    if (UserDictOpen(path, user) != 0)
        return words;
    std::string word;
    for (bool more = UserDictNextWord(user, word, true);;
         more = UserDictNextWord(user, word, false)) {
        if (!word.empty())
            words.push_back(Cp1250ToUtf8(word));
        if (!more)
            break;
    }
    UserDictClose(user);
    return words;
}

const host::DialogItemState& ItemOf(const host::ShownDialog& dialog, int16_t number) {
    const host::DialogItemState* item = dialog.state.Find(number);
    EXPECT_NE(item, nullptr) << number;
    static const host::DialogItemState none;
    return item ? *item : none;
}

TEST(DictPrefsTest, AbsentKeysReadAsOnAndOkWritesEveryKeyInOrder) {
    PluginDocument d(OneBox("kot"));
    d.driver.Press(1021).Press(1025).Press(1);
    ASSERT_EQ(d.Choose("Dictionary Preferences..."), 0);
    const host::ShownDialog& dialog = d.host.dialogs.at(0);
    EXPECT_EQ(dialog.state.resourceId, 31102);
    EXPECT_TRUE(ItemOf(dialog, 1020).checked);
    EXPECT_FALSE(ItemOf(dialog, 1021).checked);
    EXPECT_TRUE(ItemOf(dialog, 1022).checked);
    EXPECT_TRUE(ItemOf(dialog, 1023).checked);
    EXPECT_FALSE(ItemOf(dialog, 1025).checked);
    EXPECT_EQ(d.SettingsFile(),
              "[1Slownik]\n2SlownikiUzytkownika=1\n3PominWERSALIKI=1\n4PominCYFRY=0\n"
              "5ZawszeSugeruj=1\n6SprawdzSlowoSkrotAktywny=1\n7SprawdzSlowoSkrot=Brak\n"
              "8SprawdzLancuchSkrotAktywny=1\n9SprawdzLancuchSkrot=Brak\n"
              "ASprawdzDokumentSkrotAktywny=1\nBSprawdzDokumentSkrot=Brak\n"
              "CSugestieWgTrafnosci=0\n");
}

TEST(DictPrefsTest, StoredSettingsAreShownAndCancelStoresNothing) {
    const char settings[] =
        "[1Slownik]\n2SlownikiUzytkownika=0\n5ZawszeSugeruj=0\n7SprawdzSlowoSkrot=F9\n";
    PluginDocument d(OneBox("kot"), settings);
    d.driver.Press(1020).Press(2);
    ASSERT_EQ(d.Choose("Dictionary Preferences..."), 0);
    const host::ShownDialog& dialog = d.host.dialogs.at(0);
    EXPECT_FALSE(ItemOf(dialog, 1022).checked);
    EXPECT_FALSE(ItemOf(dialog, 1023).checked);
    EXPECT_EQ(d.SettingsFile(), settings);
}

TEST(DictPrefsTest, ShortcutTextsSurviveAnOk) {
    PluginDocument d(OneBox("kot"), "[1Slownik]\n9SprawdzLancuchSkrot=Ctrl+F7\n");
    d.driver.Press(1);
    ASSERT_EQ(d.Choose("Dictionary Preferences..."), 0);
    EXPECT_NE(d.SettingsFile().find("9SprawdzLancuchSkrot=Ctrl+F7\n"), std::string::npos);
}

// On a full disk (no file may grow, the signal ignored) OK cannot save the
// settings: the user is told why in a box marked as a failure.
TEST(DictPrefsTest, OkOnAFullDiskIsToldWithTheReason) {
    PluginDocument d(OneBox("kot"), "[1Slownik]\n4PominCYFRY=1\n");
    d.driver.Press(2);
    ASSERT_EQ(d.Choose("Dictionary Preferences..."), 0);  // the user dictionary is made
    d.driver.Press(1022).Press(1).Answer(XT_ANSWER_OK);
    auto run = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit none{0, 0};
        setrlimit(RLIMIT_FSIZE, &none);
        d.Choose("Dictionary Preferences...");
        bool told = false;
        for (const host::ShownMessage& message : d.host.messages)
            told =
                told || (message.failure && message.text.find("Can't save the settings.\n") == 0 &&
                         message.text.find("File too large") != std::string::npos);
        bool kept = d.SettingsFile() == "[1Slownik]\n4PominCYFRY=1\n";
        // No file may grow, not even the one that catches standard error: the
        // exit status tells what went wrong.
        std::exit(!told ? 1 : !kept ? 2 : !d.driver.Problems().empty() ? 3 : 0);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "")
        << "1: not told, 2: a file changed, 3: the script did not fit";
}

struct EditorCase {
    const char* name;
    std::vector<std::string> stored;
    std::function<void(host::ScriptedDialogDriver&)> script;
    std::vector<std::string> rows;  // when the editor closed
    const char* edit;
    bool add, remove;
    std::vector<std::string> after;  // the file's words
};

const EditorCase kEditorCases[] = {
    {"a stored word typed disables Add and enables Remove",
     {"kot", "pies"},
     [](host::ScriptedDialogDriver& s) { s.Type(1079, "pies"); },
     {"kot", "pies"},
     "pies",
     false,
     true,
     {"kot", "pies"}},
    {"add",
     {"kot"},
     [](host::ScriptedDialogDriver& s) { s.Type(1079, "Żuraw").Press(1080); },
     {"Żuraw", "kot"},
     "Żuraw",
     false,
     true,
     {"Żuraw", "kot"}},
    {"change kot to Kot puts it before the small words",
     {"ala", "kot"},
     [](host::ScriptedDialogDriver& s) { s.Choose(1078, 1).Type(1079, "Kot").Press(1082); },
     {"Kot", "ala"},
     "ala",
     false,
     true,
     {"Kot", "ala"}},
    {"removing the last entry chooses the new last",
     {"ala", "kot", "pies"},
     [](host::ScriptedDialogDriver& s) { s.Choose(1078, 2).Press(1081); },
     {"ala", "kot"},
     "kot",
     false,
     true,
     {"ala", "kot"}},
    {"a change to a word that cannot be stored keeps the old word, and says why",
     {"kot"},
     [](host::ScriptedDialogDriver& s) {
         s.Choose(1078, 0).Type(1079, "123").Press(1082).Answer(XT_ANSWER_OK);
     },
     {"kot"},
     "123",
     true,
     false,
     {"kot"}},
    // Words the dictionary cannot hold as typed are refused with the reason,
    // never stored cut (señor as se, x2y as x).
    {"a letter cp1250 lacks is refused",
     {"kot"},
     [](host::ScriptedDialogDriver& s) { s.Type(1079, "señor").Press(1080).Answer(XT_ANSWER_OK); },
     {"kot"},
     "señor",
     true,
     false,
     {"kot"}},
    {"a digit is refused",
     {"kot"},
     [](host::ScriptedDialogDriver& s) { s.Type(1079, "x2y").Press(1080).Answer(XT_ANSWER_OK); },
     {"kot"},
     "x2y",
     true,
     false,
     {"kot"}},
    {"a change to a word with a letter cp1250 lacks keeps the old word",
     {"kot"},
     [](host::ScriptedDialogDriver& s) {
         s.Choose(1078, 0).Type(1079, "kotñ").Press(1082).Answer(XT_ANSWER_OK);
     },
     {"kot"},
     "kotñ",
     true,
     false,
     {"kot"}},
};

TEST(DictEditorTest, ButtonsListAndFileFollowTheEdits) {
    for (const EditorCase& c : kEditorCases) {
        SCOPED_TRACE(c.name);
        PluginDocument d(OneBox("kot"));
        std::string path = d.Folder() + "/user.dic";
        WriteUserDictionary(path, c.stored);
        d.driver.Press(1024);
        c.script(d.driver);
        d.driver.Press(1).Press(2);  // Close the editor, Cancel the preferences
        ASSERT_EQ(d.Choose("Dictionary Preferences..."), 0);
        EXPECT_TRUE(d.driver.Problems().empty()) << d.driver.Problems().front();
        ASSERT_EQ(d.host.dialogs.size(), 2u);
        const host::ShownDialog& editor = d.host.dialogs[0];
        EXPECT_EQ(editor.state.resourceId, 31105);
        EXPECT_EQ(ItemOf(editor, 1078).rows, c.rows);
        EXPECT_EQ(ItemOf(editor, 1079).text, c.edit);
        EXPECT_EQ(ItemOf(editor, 1080).enabled, c.add);
        EXPECT_EQ(ItemOf(editor, 1081).enabled, c.remove);
        EXPECT_EQ(Words(path), c.after);
    }
}

TEST(UserDictionaryFileTest, AMissingOneIsCreatedAtStart) {
    PluginDocument d(OneBox("kot"));
    EXPECT_EQ(Slurp(d.Folder() + "/user.dic"), std::string("\x02\0\0\0\0\0", 6));
    EXPECT_TRUE(d.host.messages.empty());
}

TEST(UserDictionaryFileTest, ADamagedOneIsKeptAsideAndANewOneStarted) {
    PluginDocument d(OneBox("krul"));
    std::string path = d.Folder() + "/user.dic";
    fs::remove(path);
    std::ofstream(path + ".bak") << "an older backup";
    // A list that runs past its end, with no end mark.
    std::ofstream(path, std::ios::binary) << std::string("\x04\0\0\0\0\x70\x70\x70", 8);
    UserDictionary* probe = nullptr;
    ASSERT_EQ(UserDictOpen(path, probe), kUserDictDamaged);
    d.driver.Answer(XT_ANSWER_OK).Press(1);
    ASSERT_EQ(d.Choose("Check Story..."), 0);
    EXPECT_TRUE(d.driver.Problems().empty());
    ASSERT_FALSE(d.host.messages.empty());
    EXPECT_NE(d.host.messages[0].text.find(path + ".bak.1"), std::string::npos)
        << d.host.messages[0].text;
    EXPECT_EQ(Slurp(path + ".bak"), "an older backup");
    EXPECT_TRUE(fs::exists(path + ".bak.1"));
    EXPECT_EQ(Slurp(path), std::string("\x02\0\0\0\0\0", 6));
    EXPECT_TRUE(d.host.dialogs.at(0).state.Find(1051)->enabled);
}

TEST(UserDictionaryFileTest, AnEmptyOneIsStartedAnew) {
    PluginDocument d(OneBox("krul"));
    std::string path = d.Folder() + "/user.dic";
    std::ofstream(path, std::ios::binary | std::ios::trunc);
    d.driver.Press(1051).Answer(XT_ANSWER_OK);
    ASSERT_EQ(d.Choose("Check Story..."), 0);
    EXPECT_TRUE(d.driver.Problems().empty());
    EXPECT_EQ(Words(path), (std::vector<std::string>{"krul"}));
    EXPECT_FALSE(fs::exists(path + ".bak"));
}

TEST(UserDictionaryFileTest, AFailedAddIsTold) {
    PluginDocument d(OneBox("krul"));
    std::string path = d.Folder() + "/user.dic";
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);  // read-only
    d.driver.Press(1051).Answer(XT_ANSWER_OK).Answer(XT_ANSWER_OK);
    ASSERT_EQ(d.Choose("Check Story..."), 0);
    EXPECT_TRUE(d.driver.Problems().empty());
    ASSERT_EQ(d.host.messages.size(), 2u);
    EXPECT_NE(d.host.messages[0].text.find("Can't add the word to the user dictionary.\n"),
              std::string::npos)
        << d.host.messages[0].text;
    EXPECT_EQ(Words(path), std::vector<std::string>{});
}

TEST(UserDictionaryFileTest, AnUnreadableOneIsLeftAloneAndTheCheckGoesOn) {
    PluginDocument d(OneBox("krul"));
    std::string path = d.Folder() + "/user.dic";
    fs::remove(path);
    fs::create_directory(path);  // exists, and cannot be opened as a file
    d.driver.Answer(XT_ANSWER_OK).Press(1);
    ASSERT_EQ(d.Choose("Check Story..."), 0);
    EXPECT_TRUE(d.driver.Problems().empty());
    ASSERT_EQ(d.host.messages.size(), 1u);
    EXPECT_NE(d.host.messages[0].text.find("Can't load user dictionary file.\n" + path),
              std::string::npos)
        << d.host.messages[0].text;
    EXPECT_TRUE(fs::is_directory(path));
    ASSERT_EQ(d.host.dialogs.size(), 1u);
    EXPECT_FALSE(d.host.dialogs[0].state.Find(1051)->enabled) << "no user dictionary to add to";
}

}  // namespace
}  // namespace tarnik
