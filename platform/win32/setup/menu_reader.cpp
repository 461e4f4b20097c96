#include "platform/win32/setup/menu_reader.h"

#include "platform/win32/unique_handle.h"

namespace sendlark::win32 {

namespace {

// Menus nest a few levels deep; a menu that seems to hold itself must not recurse for ever.
constexpr int kDeepestSubmenu = 16;

std::wstring Caption(HMENU menu, UINT position, UINT length) {
  std::wstring caption(length + 1, L'\0');
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = caption.data();
  info.cch = length + 1;
  if (!::GetMenuItemInfoW(menu, position, TRUE, &info)) return {};
  caption.resize(info.cch);
  return caption;
}

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
    if (info.cch > 0) item.caption = Caption(menu, position, info.cch);
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

// A resource is named by a number or by a text; the text lives only during the enumeration.
struct ResourceName {
  ULONG_PTR number = 0;
  std::wstring text;
  LPCWSTR Get() const { return text.empty() ? MAKEINTRESOURCEW(number) : text.c_str(); }
};

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
  auto& collected = *reinterpret_cast<std::vector<ResourceName>*>(names);
  if (IS_INTRESOURCE(name)) {
    collected.push_back({reinterpret_cast<ULONG_PTR>(name), {}});
  } else {
    collected.push_back({0, name});
  }
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
  if (!module) return {};
  std::vector<ResourceName> names;
  ::EnumResourceNamesW(module.get(), RT_MENU, CollectName, reinterpret_cast<LONG_PTR>(&names));
  std::vector<Menu> menus;
  for (const ResourceName& name : names) {
    const UniqueMenu menu(::LoadMenuW(module.get(), name.Get()));
    if (!menu) continue;
    if (std::optional<Menu> items = ReadMenu(menu.get())) menus.push_back(std::move(*items));
  }
  return menus;
}

}  // namespace sendlark::win32
