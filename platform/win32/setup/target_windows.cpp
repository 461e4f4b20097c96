#include "platform/win32/setup/target_windows.h"

#include <windows.h>

#include <map>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"

namespace sendlark::win32 {

namespace {

// Menus nest a few levels deep; a menu that seems to hold itself must not recurse for ever.
constexpr int kDeepestSubmenu = 16;

BOOL CALLBACK ReadMenuResource(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR menus) {
  const UniqueMenu menu(::LoadMenuW(module, name));
  std::optional<Menu> items = menu ? ReadMenu(menu.get()) : std::nullopt;
  if (items) reinterpret_cast<std::vector<Menu>*>(menus)->push_back(std::move(*items));
  return TRUE;
}

// A window's class name is at most 256 characters long.
constexpr int kLongestClassName = 257;
// The longest path the system writes.
constexpr DWORD kLongestPath = 32768;

std::wstring ClassOf(HWND window) {
  wchar_t name[kLongestClassName] = {};
  ::GetClassNameW(window, name, kLongestClassName);
  return name;
}

// The full path of the executable of the process that owns `window`; empty when the system
// does not tell (a process running with higher rights, one that has ended).
std::wstring ProgramFileOf(HWND window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  // The least access there is: granted even for most processes of other users.
  const UniqueKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  std::wstring path(kLongestPath, L'\0');
  DWORD length = kLongestPath;
  if (!process || !::QueryFullProcessImageNameW(process.get(), 0, path.data(), &length)) return {};
  path.resize(length);
  return path;
}

// What a program file's menus hold is read once per listing, however many windows it has.
using ProgramMenus = std::map<std::wstring, std::vector<Menu>>;

ListedWindow Describe(HWND window, ProgramMenus& programMenus) {
  ListedWindow facts;
  facts.window = reinterpret_cast<std::uintptr_t>(window);
  facts.title = TitleOf(window);
  facts.className = ClassOf(window);
  facts.program = ProgramFileOf(window);

  // A child window's "menu" is its control id.
  const bool child = (::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0;
  const HMENU bar = child ? nullptr : ::GetMenu(window);
  facts.menuBar = bar != nullptr ? ReadMenu(bar) : Menu{};
  if (const HMENU handle = ::GetSystemMenu(window, FALSE)) {
    facts.systemMenu = ReadMenu(handle).value_or(Menu{});
  }

  // Loading a program file costs time; its menus count only where the window's own cannot.
  if ((!facts.menuBar || facts.menuBar->empty()) && !facts.program.empty()) {
    const auto [known, added] = programMenus.try_emplace(facts.program);
    if (added) known->second = ReadProgramMenus(facts.program);
    facts.programMenus = known->second;
  }
  return facts;
}

}  // namespace

std::optional<Menu> ReadMenu(HMENU menu, int depth) {
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
      if (depth < kDeepestSubmenu) submenu = ReadMenu(info.hSubMenu, depth + 1);
      if (!submenu || submenu->empty()) continue;
      item.items = std::move(*submenu);
    }
    items.push_back(std::move(item));
  }
  return items;
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

std::vector<ListedWindow> ListTargetWindows() {
  ProgramMenus programMenus;
  std::vector<ListedWindow> described;
  for (const HWND window : OtherVisibleWindows()) {
    // A window that closed meanwhile is no target.
    if (::IsWindow(window)) described.push_back(Describe(window, programMenus));
  }
  return described;
}

std::optional<ListedWindow> DescribeWindow(std::uintptr_t window) {
  const HWND handle = reinterpret_cast<HWND>(window);
  if (!::IsWindow(handle)) return std::nullopt;
  ProgramMenus programMenus;
  return Describe(handle, programMenus);
}

}  // namespace sendlark::win32
