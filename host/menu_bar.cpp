#include "host/menu_bar.h"

#include "tarnik/text_codec.h"

namespace tarnik::host {

XTMenu MenuBar::Create(const std::string& title) {
    XTMenu id = static_cast<XTMenu>(menus_.size()) + 1;
    menus_.push_back(Menu{id, title, {}});
    return id;
}

Menu* MenuBar::FindMenu(XTMenu menu) {
    for (auto& m : menus_) {
        if (m.id == menu)
            return &m;
    }
    return nullptr;
}

int16_t MenuBar::AppendItem(XTMenu menu, const std::string& title) {
    Menu* m = FindMenu(menu);
    if (!m || nextItem_ == INT16_MAX)
        return 0;
    m->items.push_back(MenuItem{nextItem_, title, true});
    return nextItem_++;
}

bool MenuBar::AppendSeparator(XTMenu menu) {
    Menu* m = FindMenu(menu);
    if (!m)
        return false;
    m->items.push_back(MenuItem{0, "-", true});
    return true;
}

MenuItem* MenuBar::FindItem(int16_t number) {
    if (number <= 0)
        return nullptr;
    for (auto& m : menus_) {
        for (auto& item : m.items) {
            if (item.number == number)
                return &item;
        }
    }
    return nullptr;
}

const MenuItem* MenuBar::FindItemByTitle(const std::string& utf8Title) const {
    for (const auto& m : menus_) {
        for (const auto& item : m.items) {
            if (!item.IsSeparator() && Cp1250ToUtf8(item.title) == utf8Title)
                return &item;
        }
    }
    return nullptr;
}

}  // namespace tarnik::host
