// The popup menu tree, built from the current menu state each time it opens, and the
// keyboard shortcuts of its items.
#pragma once

#include <array>
#include <vector>

#include "menus/menu_state.h"
#include "platform/platform.h"

namespace sendlark {

// More command entries than this are shown in submenus of this many each.
inline constexpr std::size_t kCommandGroupSize = 1000;

// Longer captions are shown cut, ending in "…"; choosing the entry still uses the whole text.
inline constexpr std::size_t kMaxShownCaption = 200;

std::vector<MenuEntry> BuildPopupMenu(const MenuState& menus);

// Ctrl + key carries out the command, whether or not the menu is open.
struct Accelerator {
  wchar_t key;
  int id;
};
extern const std::array<Accelerator, 3> kAccelerators;

}  // namespace sendlark
