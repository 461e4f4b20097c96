#include "platform/win32/setup/target_windows.h"

#include <map>

#include "platform/win32/setup/menu_reader.h"
#include "platform/win32/setup/program_file.h"

namespace sendlark::win32 {

namespace {

// A window's class name is at most 256 characters long.
constexpr int kLongestClassName = 257;

// For another process's window this reads the title the system keeps, without a message to
// that process, so a hung program cannot stall the list.
std::wstring TitleOf(HWND window) {
  std::wstring title(256, L'\0');
  for (;;) {
    const int length = ::GetWindowTextW(window, title.data(), static_cast<int>(title.size()));
    // A title that fills the buffer may have been cut.
    if (length < static_cast<int>(title.size()) - 1) {
      title.resize(static_cast<std::size_t>(length > 0 ? length : 0));
      return title;
    }
    title.assign(title.size() * 2, L'\0');
  }
}

std::wstring ClassOf(HWND window) {
  wchar_t name[kLongestClassName] = {};
  const int length = ::GetClassNameW(window, name, kLongestClassName);
  return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

// The paste command in the menus of a program file: the first of its menus that has one.
std::optional<setup::PasteCommand> PasteInProgramFile(const std::wstring& path) {
  for (const Menu& menu : ReadProgramMenus(path)) {
    if (std::optional<setup::PasteCommand> paste = setup::FindPasteCommand(menu, {})) return paste;
  }
  return std::nullopt;
}

// What a program file's menus hold is looked up once per listing, however many windows it has.
using ProgramPastes = std::map<std::wstring, std::optional<setup::PasteCommand>>;

setup::TargetRow Describe(HWND window, ProgramPastes& programPastes) {
  setup::TargetRow row;
  row.window = reinterpret_cast<std::uintptr_t>(window);
  row.title = TitleOf(window);
  row.className = ClassOf(window);
  row.program = ProgramFileOf(window);

  // A child window's "menu" is its control id.
  const bool child = (::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0;
  const HMENU barHandle = child ? nullptr : ::GetMenu(window);
  std::optional<Menu> bar = Menu{};  // nothing: there is one, but unreadable
  if (barHandle != nullptr) bar = ReadMenu(barHandle);
  Menu systemMenu;
  if (const HMENU handle = ::GetSystemMenu(window, FALSE)) {
    systemMenu = ReadMenu(handle).value_or(Menu{});
  }
  row.paste = setup::FindPasteCommand(bar.value_or(Menu{}), systemMenu);

  // Wine cannot read another process's menus, and a program may set its menu bar up only
  // later; the menus it was built with usually hold the same commands.
  if (!row.paste && (!bar || bar->empty()) && !row.program.empty()) {
    const auto [known, added] = programPastes.try_emplace(row.program);
    if (added) known->second = PasteInProgramFile(row.program);
    row.paste = known->second;
    row.pasteFromProgramFile = row.paste.has_value();
  }
  return row;
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

std::vector<setup::TargetRow> ListTargetWindows() {
  std::vector<HWND> windows;
  ::EnumWindows(CollectOthers, reinterpret_cast<LPARAM>(&windows));
  ProgramPastes programPastes;
  std::vector<setup::TargetRow> rows;
  for (const HWND window : windows) {
    // A window that closed meanwhile is no target.
    if (::IsWindow(window)) rows.push_back(Describe(window, programPastes));
  }
  return rows;
}

std::optional<setup::TargetRow> DescribeWindow(HWND window) {
  if (!::IsWindow(window)) return std::nullopt;
  ProgramPastes programPastes;
  return Describe(window, programPastes);
}

}  // namespace sendlark::win32
