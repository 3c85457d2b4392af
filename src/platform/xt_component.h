// XTComponent: a component of the plug-in (hyphenation, spell check,
// typography). Each owns one menu of the host's menu bar and declares it as a
// table: every item's title, the rule that enables it, the titles it takes for
// a group or a selection, and the command it runs. The component installs,
// updates and dispatches its own menu from that table; the shell only reads the
// host's state once per update and hands it, and every menu command, to each
// component in turn.
//
// The enabling rules, from the state of the current document, box and selection:
//
//   kBoxOrGroup                   D and B and (G or (T and L))
//   kBoxWithText                  D and B and T and L
//   kBoxWithTextUnderContentTool  D and B and T and L and M
//   kDocument                     D
//   kAlways                       (Preferences, About: never changed)
//
// D: a document is open. B: there is a current box and it is valid. G: it is a
// group. T: it holds text. L: its text is not empty. S: its selection is not
// empty. M: the content tool is active.
//
// An item with scope titles is retitled whenever it is enabled: its "boxes"
// title for a group, its "selection" title while text is selected under the
// content tool, else its own title.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tarnik/xtabi.h"

namespace tarnik {

struct MenuConditions {
    bool document = false;     // D
    bool box = false;          // B
    bool group = false;        // G
    bool text = false;         // T
    bool hasText = false;      // L
    bool selection = false;    // S
    bool contentTool = false;  // M
};

// Reads the conditions from the host.
MenuConditions ReadMenuConditions();

enum class MenuRule : uint8_t {
    kAlways,
    kDocument,
    kBoxOrGroup,
    kBoxWithText,
    kBoxWithTextUnderContentTool,
};

bool MenuRuleHolds(MenuRule rule, const MenuConditions& conditions);

// The titles an item takes for where its command acts; null keeps the title.
struct ScopeTitles {
    const char* boxes = nullptr;
    const char* selection = nullptr;
};

// One item of a component's menu. Titles are in English and shown in the
// host's language (translated, sent as cp1250).
struct MenuItemSpec {
    const char* title = nullptr;
    MenuRule rule = MenuRule::kAlways;
    ScopeTitles scope = {};
    void (*run)() = nullptr;
    bool separatorBefore = false;
};

class XTComponent {
  public:
    virtual ~XTComponent() = default;

    // Prepares the component's service, then appends its menu to the menu bar.
    void InstallMenu(const XTMenuInstallRecord& record);

    // Runs the command when the item is one of the component's own; true then.
    bool PerformMenuCommand(const XTMenuCommandRecord& record);

    // Enables and retitles the component's items for `conditions`.
    void UpdateMenu(const MenuConditions& conditions);

    // The host's notice (event 5).
    virtual int32_t HostNotice(const XTNoticeRecord&) { return 0; }

  protected:
    virtual const char* MenuTitle() const = 0;
    virtual std::span<const MenuItemSpec> MenuItems() const = 0;
    // What the component opens before its menu is installed.
    virtual void PrepareService() {}

  private:
    std::vector<int16_t> numbers_;  // the host's number of each item of the table
};

}  // namespace tarnik
