#include "host/menu_listing.h"

#include "tarnik/text_codec.h"

namespace tarnik::host {

std::string MenuListing(const MenuBar& menus) {
    std::string listing;
    for (const Menu& menu : menus.Menus()) {
        listing += Cp1250ToUtf8(menu.title) + "\n";
        for (const MenuItem& item : menu.items) {
            if (item.IsSeparator())
                listing += "  ----\n";
            else
                listing += std::string("  ") + (item.enabled ? "+ " : "- ") +
                           Cp1250ToUtf8(item.title) + "\n";
        }
    }
    return listing;
}

}  // namespace tarnik::host
