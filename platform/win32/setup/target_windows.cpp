#include "platform/win32/setup/target_windows.h"

#include <map>

#include "platform/win32/setup/menu_reader.h"
#include "platform/win32/setup/program_file.h"
#include "platform/win32/window_title.h"

namespace sendlark::win32 {

namespace {

// A window's class name is at most 256 characters long.
constexpr int kLongestClassName = 257;

std::wstring ClassOf(HWND window) {
  wchar_t name[kLongestClassName] = {};
  const int length = ::GetClassNameW(window, name, kLongestClassName);
  return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

// What a program file's menus hold is read once per listing, however many windows it has.
using ProgramMenus = std::map<std::wstring, std::vector<Menu>>;

WindowFacts Describe(HWND window, ProgramMenus& programMenus) {
  WindowFacts facts;
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

std::vector<WindowFacts> ListTargetWindows() {
  std::vector<HWND> windows;
  ::EnumWindows(CollectOthers, reinterpret_cast<LPARAM>(&windows));
  ProgramMenus programMenus;
  std::vector<WindowFacts> described;
  for (const HWND window : windows) {
    // A window that closed meanwhile is no target.
    if (::IsWindow(window)) described.push_back(Describe(window, programMenus));
  }
  return described;
}

std::optional<WindowFacts> DescribeWindow(HWND window) {
  if (!::IsWindow(window)) return std::nullopt;
  ProgramMenus programMenus;
  return Describe(window, programMenus);
}

}  // namespace sendlark::win32
