// The host's menu bar as text, in UTF-8, the way `tarnik menus` prints it: each
// menu's title on a line of its own; each item on a line of two spaces, "+ "
// when it is enabled or "- " when not, and its title; a separator as "  ----".
#pragma once

#include <string>

#include "host/menu_bar.h"

namespace tarnik::host {

std::string MenuListing(const MenuBar& menus);

}  // namespace tarnik::host
