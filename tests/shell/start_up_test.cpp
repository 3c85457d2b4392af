// Start-up in the host: registration, activation, the menus in both languages,
// and the shell's own records.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/host_api.h"
#include "platform/log_file.h"
#include "platform/plugin_folder.h"
#include "platform/settings_store.h"
#include "plugin_fixture.h"

namespace {

using shelltest::OneBox;
using shelltest::PluginFixture;

const char kEnglishMenus[] =
    "Polish Hyphenation\n"
    "  + Hyphenate Box\n"
    "  + Remove Hyphens From Box\n"
    "  + Suggest Hyphenation...\n"
    "  + Remove hyphens from document\n"
    "  ----\n"
    "  + Hyphenation Preferences...\n"
    "  + About Tarnik...\n"
    "Polish Spell Checker\n"
    "  + Check Word...\n"
    "  + Check Story...\n"
    "  + Check Document...\n"
    "  ----\n"
    "  + Dictionary Preferences...\n"
    "  + About Tarnik...\n"
    "Typography\n"
    "  + Typography In Box\n"
    "  ----\n"
    "  + Typography Preferences...\n"
    "  + About Tarnik...\n";

const char kPolishMenus[] =
    "Dzielenie wyrazów PL\n"
    "  + Dzielenie wyrazów w ramce\n"
    "  + Usuń dywizy z ramki\n"
    "  + Sugeruj dzielenie wyrazów...\n"
    "  + Usuń wszystkie dywizy\n"
    "  ----\n"
    "  + Preferencje dzielenia wyrazów...\n"
    "  + Informacje o Tarniku...\n"
    "Sprawdzanie pisowni PL\n"
    "  + Sprawdź wyraz...\n"
    "  + Sprawdź wątek...\n"
    "  + Sprawdź dokument...\n"
    "  ----\n"
    "  + Preferencje słownika...\n"
    "  + Informacje o Tarniku...\n"
    "Typografia\n"
    "  + Typografia w ramce\n"
    "  ----\n"
    "  + Preferencje typografii...\n"
    "  + Informacje o Tarniku...\n";

TEST(StartUp, InstallsTheThreeMenusInTheHostLanguage) {
    struct Case {
        const char* language;
        const char* menus;
    };
    for (const Case& c : {Case{"en", kEnglishMenus}, Case{"pl", kPolishMenus}}) {
        PluginFixture f(OneBox("kot", 0, 0, "content", c.language));
        ASSERT_EQ(f.started, 0);
        EXPECT_EQ(f.Menus(), c.menus) << c.language;
    }
}

TEST(StartUp, ARefusedRegistrationLeavesThePluginInert) {
    PluginFixture f(OneBox("kot"), false);
    f.host.refuseRegistration = true;
    EXPECT_EQ(f.host.Start(XTActivateCallback), 0x51000401);
    EXPECT_FALSE(f.host.HasHandler(XT_EVENT_ACTIVATE));
    EXPECT_FALSE(f.host.HasHandler(XT_EVENT_MENU_COMMAND));
    EXPECT_TRUE(f.host.menus.Menus().empty());
}

TEST(StartUp, ANullRegistrationRecordIsRefused) {
    EXPECT_EQ(XTActivateCallback(nullptr), 0x51000401);
}

TEST(StartUp, ActivationInstallsTheSubscribedEventsAndTheDialogHandler) {
    PluginFixture f(OneBox("kot"));
    ASSERT_EQ(f.started, 0);
    for (int32_t event :
         {XT_EVENT_QUIT, XT_EVENT_SHUTDOWN, XT_EVENT_IDLE, XT_EVENT_NOTICE, XT_EVENT_MENU_INSTALL,
          XT_EVENT_MENU_UPDATE, XT_EVENT_MENU_COMMAND, XT_EVENT_DIALOG, XT_EVENT_DEACTIVATE}) {
        EXPECT_TRUE(f.host.HasHandler(event)) << event;
    }
    EXPECT_FALSE(f.host.HasHandler(10));
    EXPECT_FALSE(f.host.HasHandler(12));
}

TEST(StartUp, TheMainObjectNamesItselfAndKeepsTheHostInformation) {
    PluginFixture f(OneBox("kot"));
    const tarnik::TarnikXT& shell = *tarnik::Plugin().main;
    EXPECT_EQ(shell.XTensionName(), "Tarnik11");
    EXPECT_EQ(shell.ModuleName(), "Tarnik11Win");
    EXPECT_EQ(shell.IdCode(), "TRNk");
    EXPECT_EQ(shell.DeveloperCode(), 0x414E5244u);
    EXPECT_EQ(std::memcmp(shell.HostInfo().data(), "Tarnik in-memory host", 21), 0);
    EXPECT_EQ(tarnik::GetLogLevel(), 0);
    // Linked into this program, the plug-in's folder is the program's folder.
    EXPECT_EQ(shelltest::EntryFolder(), std::filesystem::canonical(TARNIK_BIN_DIR).string());
    EXPECT_EQ(tarnik::StoreFile(), shelltest::EntryFolder() + "/Tarnik11.ini");
    for (int32_t event : {4, 3, 20, 5, 6, 7, 618})
        EXPECT_TRUE(shell.IsSubscribed(event)) << event;
    EXPECT_FALSE(shell.IsSubscribed(10));
    EXPECT_FALSE(shell.IsSubscribed(1408));
    EXPECT_FALSE(shell.IsSubscribed(-1));
}

TEST(StartUp, TheIdentifierCodeTakesAtMostElevenCharacters) {
    PluginFixture f(OneBox("kot"));
    tarnik::TarnikXT& shell = *tarnik::Plugin().main;
    shell.SetIdCode("ABCDEFGHIJK");
    EXPECT_EQ(shell.IdCode(), "ABCDEFGHIJK");
    shell.SetIdCode("ABCDEFGHIJKL");
    EXPECT_EQ(shell.IdCode(), "ABCDEFGHIJK");
}

TEST(StartUp, SubscriptionsBeyondTheEventRangeAreIgnored) {
    PluginFixture f(OneBox("kot"));
    tarnik::TarnikXT& shell = *tarnik::Plugin().main;
    shell.Subscribe(1407, true);
    shell.Subscribe(1408, true);
    EXPECT_TRUE(shell.IsSubscribed(1407));
    EXPECT_FALSE(shell.IsSubscribed(1408));
}

TEST(StartUp, TheNoticeKeepsTheInterfaceLanguage) {
    PluginFixture f(OneBox("kot"));
    XTNoticeRecord notice{XT_LANGUAGE_POLISH, 7, 0, 99};
    EXPECT_EQ(f.host.SendEvent(XT_EVENT_NOTICE, &notice), 0);
    EXPECT_EQ(tarnik::Plugin().main->InterfaceLanguage(), XT_LANGUAGE_POLISH);
    EXPECT_EQ(tarnik::Plugin().main->NoticeValue1(), 99);
    EXPECT_EQ(tarnik::Plugin().main->NoticeValue2(), 7);
}

TEST(StartUp, AfterDeactivationTheShellAnswersNoEvent) {
    PluginFixture f(OneBox(""));
    ASSERT_EQ(f.host.SendEvent(XT_EVENT_DEACTIVATE, nullptr), 0);
    EXPECT_EQ(f.host.SendEvent(XT_EVENT_MENU_UPDATE, nullptr), XT_ERR_STATE);
    EXPECT_NE(f.Menus().find("+ Check Story..."), std::string::npos);  // not updated
}

}  // namespace
