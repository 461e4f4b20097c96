// Turning a popup menu description into a Win32 menu.
#pragma once

#include <vector>

#include "platform/platform.h"
#include "platform/win32/unique_handle.h"

namespace sendlark::win32 {

// A popup menu with the entries in order; "&" in texts marks access keys as usual, and a tab
// puts the shortcut text on the right.
UniqueMenu RenderMenu(const std::vector<MenuEntry>& entries);

}  // namespace sendlark::win32
