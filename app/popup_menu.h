// The popup menu tree, built from the current menu items each time it opens.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/platform.h"
#include "state/menu_items.h"

namespace sendlark {

// More command entries than this are shown in submenus of this many each.
inline constexpr std::size_t kCommandGroupSize = 1000;

// Longer captions are shown cut, ending in "…"; choosing the entry still uses the whole text.
inline constexpr std::size_t kMaxShownCaption = 200;

std::vector<MenuEntry> BuildPopupMenu(const MenuState& menus);

}  // namespace sendlark
