// The host's menu bar: menus the XTension creates, their items and separators.
// Titles are kept as the cp1250 bytes the XTension gave. Item numbers are unique
// across the bar and start at 1; separators have none.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tarnik/xtabi.h"

namespace tarnik::host {

struct MenuItem {
    int16_t number = 0;  // 0 for a separator
    std::string title;   // cp1250
    bool enabled = true;
    bool IsSeparator() const { return number == 0; }
};

struct Menu {
    XTMenu id = 0;
    std::string title;  // cp1250
    std::vector<MenuItem> items;
};

class MenuBar {
  public:
    XTMenu Create(const std::string& title);
    // The new item's number, or 0 when `menu` does not exist.
    int16_t AppendItem(XTMenu menu, const std::string& title);
    bool AppendSeparator(XTMenu menu);
    MenuItem* FindItem(int16_t number);
    // The first item whose title, in UTF-8, is `title`; nullptr when none.
    const MenuItem* FindItemByTitle(const std::string& utf8Title) const;
    const std::vector<Menu>& Menus() const { return menus_; }

  private:
    Menu* FindMenu(XTMenu menu);
    std::vector<Menu> menus_;
    int16_t nextItem_ = 1;
};

}  // namespace tarnik::host
