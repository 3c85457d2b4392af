// The dialog framework in the host: the order of the dialog's operations, its
// items by number, the translated resource, and how a run ends.
#include <gtest/gtest.h>

#include "platform/xt40_xdlog.h"
#include "plugin_fixture.h"

namespace {

using shelltest::OneBox;
using shelltest::PluginFixture;
using tarnik::XT40xdlog;

// Records every operation the host's events call, and works on its items the way
// the plug-in's dialogs do.
class RecordingDialog : public XT40xdlog {
  public:
    explicit RecordingDialog(uint16_t resource) : XT40xdlog(resource) {}
    std::vector<std::string> calls;
    std::function<void(RecordingDialog&)> onSetUp;
    std::function<void(RecordingDialog&, int16_t)> onHit;

  protected:
    void DefineItems() override { calls.push_back("define"); }
    void SetUp() override {
        calls.push_back("setup");
        if (onSetUp)
            onSetUp(*this);
    }
    void ItemHit(int16_t item, int16_t listAction) override {
        calls.push_back("hit " + std::to_string(item) + "/" + std::to_string(listAction));
        if (onHit)
            onHit(*this, item);
        XT40xdlog::ItemHit(item, listAction);
    }
    void Close(int16_t item) override { calls.push_back("close " + std::to_string(item)); }
};

TEST(DialogFramework, OperationsComeInOrderAndTheClosingItemReturns) {
    PluginFixture f(OneBox("kot"));
    RecordingDialog dialog(31102);
    dialog.onSetUp = [](RecordingDialog& d) { d.Item(1021).SetChecked(true); };
    f.driver.Press(1020).Press(1);
    EXPECT_EQ(dialog.RunModal(), 1);
    EXPECT_EQ(dialog.calls,
              (std::vector<std::string>{"define", "setup", "hit 1020/0", "hit 1/0", "close 1"}));
    EXPECT_FALSE(dialog.IsOpen());
    const auto& shown = f.host.dialogs.back().state;
    EXPECT_EQ(shown.resourceId, 31102);
    EXPECT_TRUE(shown.Find(1020)->checked);
    EXPECT_TRUE(shown.Find(1021)->checked);
    EXPECT_TRUE(f.driver.Problems().empty());
}

TEST(DialogFramework, ADialogWithNoMoreActionsIsCancelled) {
    PluginFixture f(OneBox("kot"));
    RecordingDialog dialog(31102);
    EXPECT_EQ(dialog.RunModal(), 2);
    EXPECT_EQ(dialog.calls.back(), "close 2");
}

TEST(DialogFramework, TheHostLanguageChoosesTheTranslatedResource) {
    PluginFixture f(OneBox("kot", 0, 0, "content", "pl"));
    RecordingDialog dialog(31102);
    f.driver.Press(2);
    EXPECT_EQ(dialog.RunModal(), 2);
    EXPECT_EQ(f.host.dialogs.back().state.resourceId, 31202);
    EXPECT_EQ(f.host.dialogs.back().state.title, "Preferencje słownika");
    EXPECT_EQ(f.host.dialogs.back().state.Find(1020)->text, "Pomiń wyrazy pisane wersalikami");
}

TEST(DialogFramework, AResourceThatDoesNotExistIsCancelledUnshown) {
    PluginFixture f(OneBox("kot"));
    RecordingDialog dialog(31114);
    EXPECT_EQ(dialog.RunModal(), 2);
    EXPECT_TRUE(dialog.calls.empty());
    EXPECT_TRUE(f.host.dialogs.empty());
}

TEST(DialogFramework, ListRowsTextsAndTheirChoices) {
    PluginFixture f(OneBox("kot"));
    RecordingDialog dialog(31119);
    std::string chosen;
    dialog.onSetUp = [](RecordingDialog& d) {
        auto list = d.Item(1078);
        list.ClearRows();
        for (const char* row : {"do", "na",
                                "\xBF"
                                "aba"})  // "żaba" in cp1250
            list.AppendRow(row);
        list.SetChosenRow(1);
        d.Item(1079).SetText(list.Row(list.ChosenRow()));
        d.Item(1080).Enable(false);
    };
    dialog.onHit = [&chosen](RecordingDialog& d, int16_t item) {
        if (item == 1078)
            d.Item(1079).SetText(d.Item(1078).Row(d.Item(1078).ChosenRow()));
        if (item == 1)
            chosen = d.Item(1079).Text() + "/" + std::to_string(d.Item(1078).RowCount());
    };
    f.driver.Press(1080).Choose(1078, 2).Activate(1078, 0).Press(1);
    EXPECT_EQ(dialog.RunModal(), 1);
    EXPECT_EQ(chosen, "do/3");
    EXPECT_EQ(dialog.calls[2], "hit 1078/1");
    EXPECT_EQ(dialog.calls[3], "hit 1078/2");
    ASSERT_EQ(f.driver.Problems().size(), 1u);  // the disabled Add
    const auto& shown = f.host.dialogs.back().state;
    EXPECT_EQ(shown.Find(1078)->rows, (std::vector<std::string>{"do", "na", "żaba"}));
    EXPECT_FALSE(shown.Find(1080)->enabled);
}

TEST(DialogFramework, RadioButtonsAnswerForTheirGroup) {
    PluginFixture f(OneBox("kot"));
    RecordingDialog dialog(31120);
    std::vector<int16_t> chosen;
    dialog.onSetUp = [](RecordingDialog& d) {
        d.Item(1003).ChooseRadio();
        d.Item(1013).ChooseRadio();
    };
    dialog.onHit = [&chosen](RecordingDialog& d, int16_t item) {
        if (item == 1) {
            chosen = {d.Item(1001).ChosenRadio(), d.Item(1004).ChosenRadio(),
                      d.Item(1012).ChosenRadio()};
        }
    };
    f.driver.Press(1002).Press(1);
    dialog.RunModal();
    EXPECT_EQ(chosen, (std::vector<int16_t>{1002, 1002, 1013}));
}

TEST(DialogFramework, ADialogOpenedFromADialogRunsInsideIt) {
    PluginFixture f(OneBox("kot"));
    RecordingDialog outer(31102);
    RecordingDialog inner(31119);
    outer.onHit = [&inner](RecordingDialog&, int16_t item) {
        if (item == 1024)
            inner.RunModal();
    };
    f.driver.Press(1024).Press(1).Press(2);
    EXPECT_EQ(outer.RunModal(), 2);
    EXPECT_EQ(inner.calls.back(), "close 1");
    ASSERT_EQ(f.host.dialogs.size(), 2u);
    EXPECT_EQ(f.host.dialogs[0].state.resourceId, 31119);
}

TEST(DialogFramework, EventsForADialogThatIsNotRunningAreRefused) {
    PluginFixture f(OneBox("kot"));
    RecordingDialog idle(31102);
    XTDialogEventRecord record{1, XT_DIALOG_SETUP, 0, XT_LIST_NONE, 0, &idle};
    EXPECT_NE(XT40xdlog::HandleDialogEvent(XT_EVENT_DIALOG, &record), 0);
    record.userData = nullptr;
    EXPECT_NE(XT40xdlog::HandleDialogEvent(XT_EVENT_DIALOG, &record), 0);
    EXPECT_NE(XT40xdlog::HandleDialogEvent(XT_EVENT_DIALOG, nullptr), 0);
    EXPECT_TRUE(idle.calls.empty());
}

}  // namespace
