// Menu commands, idle and quit: registered windows first, then the components;
// the About box from every menu.
#include <gtest/gtest.h>

#include "platform/xt40_xdwap.h"
#include "plugin_fixture.h"
#include "shell/module_place.h"

namespace {

using shelltest::OneBox;
using shelltest::PluginFixture;

struct WindowLog {
    int idles = 0;
    int updates = 0;
    int commands = 0;
    bool destroyed = false;
};

// A modeless window that counts what reaches it; it takes every command when
// `takesCommands` is set, and sends a nested menu update from its own.
class CountingWindow : public tarnik::XT40xdwap {
  public:
    CountingWindow(WindowLog& log, bool open, bool takesCommands, tarnik::host::MemoryHost* host)
        : log_(log), open_(open), takesCommands_(takesCommands), host_(host) {}
    ~CountingWindow() override { log_.destroyed = true; }
    bool IsOpen() const override { return open_; }
    void Idle() override { ++log_.idles; }
    void MenuUpdate() override {
        ++log_.updates;
        if (host_)
            host_->UpdateMenus();
    }
    bool MenuCommand(const XTMenuCommandRecord&) override {
        ++log_.commands;
        return takesCommands_;
    }

  private:
    WindowLog& log_;
    bool open_;
    bool takesCommands_;
    tarnik::host::MemoryHost* host_;
};

tarnik::TarnikXT& Shell() {
    return *tarnik::Plugin().main;
}

std::vector<int16_t> AboutItems(PluginFixture& f) {
    std::vector<int16_t> items;
    for (const auto& menu : f.host.menus.Menus()) {
        items.push_back(menu.items.back().number);
    }
    return items;
}

TEST(Dispatch, EveryMenuShowsTheAboutBoxWithTheModuleVersion) {
    PluginFixture f(OneBox("kot"));
    std::vector<int16_t> about = AboutItems(f);
    ASSERT_EQ(about.size(), 3u);
    for (int16_t item : about) {
        f.driver.Press(1);
        EXPECT_EQ(f.host.ChooseMenuItem(item), 0);
    }
    ASSERT_EQ(f.host.dialogs.size(), 3u);
    for (const auto& shown : f.host.dialogs) {
        EXPECT_EQ(shown.state.resourceId, 30001);
        EXPECT_EQ(shown.state.title, "O rozszerzeniu");
        EXPECT_EQ(shown.state.Find(3)->text, "Tarnik11 (" + tarnik::ModuleFileVersion() + ")");
        EXPECT_EQ(shown.closingItem, 1);
    }
    EXPECT_TRUE(f.driver.Problems().empty());
}

TEST(Dispatch, AnOpenWindowThatTakesTheCommandEndsTheDispatch) {
    PluginFixture f(OneBox("kot"));
    WindowLog closed, passing, taking;
    Shell().RegisterWindow(std::make_unique<CountingWindow>(closed, false, true, nullptr));
    Shell().RegisterWindow(std::make_unique<CountingWindow>(passing, true, false, nullptr));
    Shell().RegisterWindow(std::make_unique<CountingWindow>(taking, true, true, nullptr));
    f.host.ChooseMenuItem(AboutItems(f)[0]);
    EXPECT_EQ(closed.commands, 0);
    EXPECT_EQ(passing.commands, 1);
    EXPECT_EQ(taking.commands, 1);
    EXPECT_TRUE(f.host.dialogs.empty());
    f.host.Quit();  // the windows go while their logs live
}

TEST(Dispatch, OpenWindowsTakeIdleAndMenuUpdatesAndDieAtQuit) {
    PluginFixture f(OneBox("kot"));
    WindowLog open, closed;
    Shell().RegisterWindow(std::make_unique<CountingWindow>(open, true, false, &f.host));
    Shell().RegisterWindow(std::make_unique<CountingWindow>(closed, false, false, &f.host));
    f.host.Idle();
    f.host.UpdateMenus();  // the window's nested update is ignored
    EXPECT_EQ(open.idles, 1);
    EXPECT_EQ(open.updates, 1);
    EXPECT_EQ(closed.idles + closed.updates, 0);
    // The command falls through the window to the component.
    f.driver.Press(1);
    f.host.ChooseMenuItem(AboutItems(f)[2]);
    EXPECT_EQ(f.host.dialogs.size(), 1u);
    f.host.Quit();
    EXPECT_TRUE(open.destroyed);
    EXPECT_TRUE(closed.destroyed);
    EXPECT_EQ(Shell().WindowAt(0), nullptr);
}

TEST(Dispatch, ThirteenWindowSlots) {
    PluginFixture f(OneBox("kot"));
    std::vector<WindowLog> logs(14);
    std::vector<const tarnik::XT40xdwap*> windows;
    for (int i = 0; i < 14; ++i) {
        auto window = std::make_unique<CountingWindow>(logs[i], true, false, nullptr);
        windows.push_back(window.get());
        EXPECT_EQ(Shell().RegisterWindow(std::move(window)), std::min(i, 13));
    }
    EXPECT_TRUE(logs[13].destroyed);  // the full table ignored it
    EXPECT_EQ(Shell().UnregisterWindow(windows[4]), 4);
    EXPECT_TRUE(logs[4].destroyed);
    EXPECT_EQ(Shell().UnregisterWindow(windows[4]), 13);
    WindowLog late;
    EXPECT_EQ(Shell().RegisterWindow(std::make_unique<CountingWindow>(late, true, false, nullptr)),
              4);
    f.host.Quit();  // the windows go while their logs live
}

TEST(Dispatch, CommandsOfItemsNobodyOwnsDoNothing) {
    PluginFixture f(OneBox("kot"));
    XTMenuCommandRecord record{0, 999};
    EXPECT_EQ(f.host.SendEvent(XT_EVENT_MENU_COMMAND, &record), 0);
    EXPECT_EQ(f.host.SendEvent(XT_EVENT_MENU_COMMAND, nullptr), 0);
    EXPECT_TRUE(f.host.dialogs.empty());
    EXPECT_TRUE(f.host.messages.empty());
}

}  // namespace
