// The host drives an XTension through the boundary: entry, registration,
// activation with callback fetching, menus, commands, dialogs and quit.
#include <gtest/gtest.h>

#include "host/callback_groups.h"
#include "host/plugin_module.h"
#include "host_fixture.h"
#include "tarnik/text_codec.h"

using tarnik::Cp1250ToUtf8;
using tarnik::host::MemoryHost;
using tarnik::host::PluginModule;
using tarnik::host::ScriptedDialogDriver;

namespace {

const char* kNoDocument = R"({"language": "pl"})";

TEST(XTensionLifecycle, StartRegistersActivatesAndInstallsMenus) {
    MemoryHost host;
    ASSERT_EQ(host.Start(fake::Entry), 0);
    EXPECT_TRUE(host.Accepted());
    EXPECT_EQ(fake::Record().missingCallbacks, 0);  // every group and callback was there
    const auto& events = fake::Record().events;
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], XT_EVENT_ACTIVATE);
    EXPECT_EQ(events[1], XT_EVENT_NOTICE);
    EXPECT_EQ(events[2], XT_EVENT_MENU_INSTALL);
    ASSERT_EQ(host.menus.Menus().size(), 1u);
    const auto& items = host.menus.Menus()[0].items;
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].title, "First");
    EXPECT_TRUE(items[1].IsSeparator());
    EXPECT_EQ(items[2].number, fake::Record().second);
    EXPECT_NE(items[0].number, items[2].number);
}

TEST(XTensionLifecycle, RefusedRegistrationLeavesTheXTensionInert) {
    MemoryHost host;
    host.refuseRegistration = true;
    EXPECT_EQ(host.Start(fake::Entry), 0x51000401);
    EXPECT_FALSE(host.HasHandler(XT_EVENT_ACTIVATE));
    EXPECT_TRUE(fake::Record().events.empty());
    EXPECT_TRUE(host.menus.Menus().empty());
}

TEST(XTensionLifecycle, MenuUpdateAndCommandsFollowTheDocument) {
    MemoryHost host;
    std::string error;
    ASSERT_TRUE(tarnik::host::LoadDocumentText(kNoDocument, host, error)) << error;
    ASSERT_EQ(host.Start(fake::Entry), 0);
    host.UpdateMenus();
    EXPECT_FALSE(host.menus.FindItem(fake::Record().second)->enabled);
    EXPECT_EQ(host.ChooseMenuItem(fake::Record().second), XT_ERR_PARAM);  // disabled

    ASSERT_TRUE(tarnik::host::LoadDocumentText(fake::OneBox("x"), host, error)) << error;
    host.UpdateMenus();
    EXPECT_TRUE(host.menus.FindItem(fake::Record().second)->enabled);
    // Titles travel as cp1250 and read back as UTF-8.
    EXPECT_EQ(Cp1250ToUtf8(host.menus.FindItem(fake::Record().first)->title), "First Łódź");
    EXPECT_NE(host.menus.FindItemByTitle("First Łódź"), nullptr);

    ScriptedDialogDriver driver;
    driver.Answer(XT_ANSWER_YES);
    host.SetDialogDriver(&driver);
    EXPECT_EQ(host.ChooseMenuItem(fake::Record().second), 0);
    EXPECT_EQ(fake::Record().answer, XT_ANSWER_YES);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Go on?");
    EXPECT_TRUE(driver.Problems().empty());
}

TEST(XTensionLifecycle, DialogRunsThroughTheDriverAndSeesItemState) {
    fake::HostFixture fixture(fake::OneBox("x"));
    ScriptedDialogDriver driver;
    driver
        .Press(1)          // disabled at set-up: refused
        .Type(10, "Żółw")  // enables OK
        .Press(11)         // toggles the check box
        .Press(1);
    fixture.host.SetDialogDriver(&driver);
    ASSERT_EQ(fixture.host.ChooseMenuItem(fake::Record().first), 0);
    EXPECT_EQ(fake::Record().dialogResult, 1);
    EXPECT_EQ(fake::Record().typed, "\xAF\xF3\xB3w");  // cp1250 on the XTension's side
    ASSERT_EQ(fixture.host.dialogs.size(), 1u);
    const auto& closed = fixture.host.dialogs[0];
    EXPECT_EQ(closed.state.title, "Fake dialog");
    EXPECT_EQ(closed.state.Find(10)->text, "Żółw");
    EXPECT_TRUE(closed.state.Find(11)->checked);
    ASSERT_EQ(driver.Problems().size(), 1u);
    EXPECT_NE(driver.Problems()[0].find("disabled"), std::string::npos);
    EXPECT_TRUE(driver.Finished());
}

TEST(XTensionLifecycle, DialogWithoutActionsClosesWithCancel) {
    fake::HostFixture fixture(fake::OneBox("x"));
    ASSERT_EQ(fixture.host.ChooseMenuItem(fake::Record().first), 0);
    EXPECT_EQ(fake::Record().dialogResult, XT_ANSWER_CANCEL);
    EXPECT_EQ(fake::Record().typed, "start");
}

TEST(XTensionLifecycle, QuitSendsQuitShutdownAndDeactivation) {
    MemoryHost host;
    ASSERT_EQ(host.Start(fake::Entry), 0);
    fake::Record().events.clear();
    host.Idle();
    host.Quit();
    EXPECT_EQ(fake::Record().events,
              (std::vector<int32_t>{XT_EVENT_IDLE, XT_EVENT_QUIT, XT_EVENT_SHUTDOWN,
                                    XT_EVENT_DEACTIVATE}));
    EXPECT_FALSE(host.HasHandler(XT_EVENT_MENU_COMMAND));
}

TEST(XTensionLifecycle, UnknownGroupsAndNumbersComeBackEmpty) {
    XTCallbackProc table[3] = {};
    const uint32_t request[] = {XT_GROUP_MARKER, XTCB_GetCurrentBox, 999, 0};
    EXPECT_EQ(tarnik::host::HostGetCallbackGroup(XT_GROUP_ITEMS, table, request), 1);
    EXPECT_NE(table[0], nullptr);
    EXPECT_EQ(table[1], nullptr);
    EXPECT_EQ(tarnik::host::HostGetCallbackGroup(XT_TAG('N', 'O', 'N', 'E'), table, request), 2);
    const uint32_t unmarked[] = {1, 0};
    EXPECT_EQ(tarnik::host::HostGetCallbackGroup(XT_GROUP_ITEMS, table, unmarked), XT_ERR_PARAM);
}

TEST(XTensionLifecycle, LoadsAModuleByPathAndDrivesIt) {
    PluginModule module;
    std::string error;
    ASSERT_TRUE(module.Load(FAKE_XTENSION_PATH, error)) << error;
    MemoryHost host;
    ASSERT_EQ(host.Start(module.Entry()), 0);
    // The module has its own copy of the fake's records; what it did shows in the host.
    ASSERT_EQ(host.menus.Menus().size(), 1u);
    EXPECT_EQ(host.menus.Menus()[0].title, "Fake");
    host.Quit();
}

TEST(XTensionLifecycle, ModuleLoadFailuresAreReported) {
    PluginModule module;
    std::string error;
    EXPECT_FALSE(module.Load("/nonexistent/Tarnik11.so", error));
    EXPECT_NE(error.find("/nonexistent/Tarnik11.so"), std::string::npos);
    EXPECT_EQ(module.Entry(), nullptr);
}

}  // namespace

namespace {

TEST(XTensionLifecycle, HyphenationRequestsReadOnlyWhatTheBlockHolds) {
    MemoryHost host;
    ASSERT_EQ(host.Start(fake::Entry), 0);
    EXPECT_EQ(host.HyphenationBreaks("kotek"), (std::vector<int16_t>{2, 4, 5}));
    auto methods = host.CollectHyphenationMethods();
    ASSERT_EQ(methods.size(), 1u);
    EXPECT_EQ(std::string(methods[0].begin(), methods[0].begin() + 4), "KNRT");
    EXPECT_EQ(host.LiveHandles(), 0u);
}

}  // namespace
