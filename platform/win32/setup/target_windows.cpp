#include "platform/win32/setup/target_windows.h"

#include <windows.h>

#include <map>

#include "platform/win32/setup/menu_reader.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_title.h"

namespace sendlark::win32 {

namespace {

// A window's class name is at most 256 characters long.
constexpr int kLongestClassName = 257;
// The longest path the system writes.
constexpr DWORD kLongestPath = 32768;

std::wstring ClassOf(HWND window) {
  wchar_t name[kLongestClassName] = {};
  const int length = ::GetClassNameW(window, name, kLongestClassName);
  return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
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
  const HMENU barHandle = child ? nullptr : ::GetMenu(window);
  facts.menuBar = Menu{};
  if (barHandle != nullptr) facts.menuBar = ReadMenu(barHandle);
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

BOOL CALLBACK CollectOthers(HWND window, LPARAM windows) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (::IsWindowVisible(window) && process != ::GetCurrentProcessId()) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  }
  return TRUE;
}

}  // namespace

std::vector<ListedWindow> ListTargetWindows() {
  std::vector<HWND> windows;
  ::EnumWindows(CollectOthers, reinterpret_cast<LPARAM>(&windows));
  ProgramMenus programMenus;
  std::vector<ListedWindow> described;
  for (const HWND window : windows) {
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
