#include "platform/win32/menu_render.h"

namespace sendlark::win32 {

UniqueMenu RenderMenu(const std::vector<MenuEntry>& entries) {
  UniqueMenu menu(::CreatePopupMenu());
  for (const MenuEntry& entry : entries) {
    if (entry.separator) {
      ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    } else if (!entry.children.empty()) {
      UniqueMenu submenu = RenderMenu(entry.children);
      // From here on the parent menu destroys the submenu with itself.
      if (::AppendMenuW(menu.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu.get()),
                        entry.text.c_str())) {
        submenu.release();
      }
    } else {
      const UINT flags = MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED);
      ::AppendMenuW(menu.get(), flags, static_cast<UINT_PTR>(entry.id), entry.text.c_str());
    }
  }
  return menu;
}

}  // namespace sendlark::win32
