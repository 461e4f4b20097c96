#include "platform/win32/setup/menu_reader.h"

#include "platform/win32/unique_handle.h"

namespace sendlark::win32 {

namespace {

// Menus nest a few levels deep; a menu that seems to hold itself must not recurse for ever.
constexpr int kDeepestSubmenu = 16;

std::optional<Menu> ReadMenuAt(HMENU menu, int depth) {
  const int count = ::GetMenuItemCount(menu);
  if (count < 0) return std::nullopt;
  Menu items;
  for (int i = 0; i < count; ++i) {
    const UINT position = static_cast<UINT>(i);
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    if (!::GetMenuItemInfoW(menu, position, TRUE, &info)) continue;
    MenuNode item;
    item.id = info.wID;
    item.separator = (info.fType & MFT_SEPARATOR) != 0;
    item.caption.resize(info.cch + 1);
    item.caption.resize(static_cast<std::size_t>(::GetMenuStringW(
        menu, position, item.caption.data(), static_cast<int>(info.cch + 1), MF_BYPOSITION)));
    if (info.hSubMenu != nullptr) {
      std::optional<Menu> submenu;
      if (depth < kDeepestSubmenu) submenu = ReadMenuAt(info.hSubMenu, depth + 1);
      if (!submenu || submenu->empty()) continue;
      item.items = std::move(*submenu);
    }
    items.push_back(std::move(item));
  }
  return items;
}

BOOL CALLBACK ReadMenuResource(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR menus) {
  const UniqueMenu menu(::LoadMenuW(module, name));
  std::optional<Menu> items = menu ? ReadMenu(menu.get()) : std::nullopt;
  if (items) reinterpret_cast<std::vector<Menu>*>(menus)->push_back(std::move(*items));
  return TRUE;
}

}  // namespace

std::optional<Menu> ReadMenu(HMENU menu) {
  return ReadMenuAt(menu, 0);
}

std::vector<Menu> ReadProgramMenus(const std::wstring& path) {
  // Only its resources, as data: nothing of the program runs.
  const UniqueModule module(::LoadLibraryExW(
      path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  std::vector<Menu> menus;
  if (module) {
    ::EnumResourceNamesW(module.get(), RT_MENU, ReadMenuResource,
                         reinterpret_cast<LONG_PTR>(&menus));
  }
  return menus;
}

}  // namespace sendlark::win32
