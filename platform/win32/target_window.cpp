#include "platform/win32/target_window.h"

#include <vector>

#include "delivery/title_match.h"
#include "platform/win32/error_text.h"
#include "platform/win32/locale_text.h"

namespace sendlark::win32 {

namespace {

constexpr UINT kCommandTimeoutMs = 5000;
constexpr DWORD kForegroundPatienceMs = 300;
constexpr DWORD kForegroundPollMs = 10;

struct TopWindows {
  std::vector<HWND> handles;
  std::vector<std::wstring> titles;
};

// The window's title with letter case folded. For another process's window this reads the
// title the system keeps, without a message to that process, so a hung program cannot stall
// the search.
std::wstring TitleOf(HWND window) {
  wchar_t title[512] = {};
  ::GetWindowTextW(window, title, static_cast<int>(std::size(title)));
  return FoldCase(title);
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM data) {
  if (!::IsWindowVisible(window)) return TRUE;
  auto& found = *reinterpret_cast<TopWindows*>(data);
  found.handles.push_back(window);
  found.titles.push_back(TitleOf(window));
  return TRUE;
}

void WaitUntilForeground(HWND window) {
  const DWORD start = ::GetTickCount();
  while (::GetForegroundWindow() != window && ::GetTickCount() - start < kForegroundPatienceMs) {
    ::Sleep(kForegroundPollMs);
  }
}

// Windows only lets the program that has the user's input move another one to the front.
// Sharing the input state of the foreground window's thread for the call gives us that right,
// as automation tools do.
void BringToFront(HWND window) {
  const bool hung = ::IsHungAppWindow(window) != FALSE;
  if (::IsIconic(window)) ::ShowWindowAsync(window, SW_RESTORE);
  const HWND foreground = ::GetForegroundWindow();
  const DWORD ownThread = ::GetCurrentThreadId();
  const DWORD foregroundThread =
      foreground != nullptr ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
  const bool attach = foregroundThread != 0 && foregroundThread != ownThread &&
                      !::IsHungAppWindow(foreground) &&
                      ::AttachThreadInput(ownThread, foregroundThread, TRUE);
  ::SetForegroundWindow(window);
  if (attach) ::AttachThreadInput(ownThread, foregroundThread, FALSE);
  if (!hung) WaitUntilForeground(window);
}

}  // namespace

HWND FindTargetWindow(const std::wstring& className, const std::wstring& windowName) {
  const std::string ansiClass = ToAnsi(className);
  const std::string ansiName = ToAnsi(windowName);
  return ::FindWindowA(ansiClass.c_str(), ansiName.c_str());
}

bool ActivateByTitle(const std::wstring& title) {
  const std::wstring wanted = FoldCase(title);
  // From the second delivery on the target is usually in front already.
  if (const HWND foreground = ::GetForegroundWindow();
      foreground != nullptr && ::IsWindowVisible(foreground) && !::IsIconic(foreground) &&
      TitleOf(foreground) == wanted) {
    return true;
  }
  TopWindows windows;
  ::EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
  const auto match = PickTitleMatch(windows.titles, wanted);
  if (!match) return false;
  BringToFront(windows.handles[*match]);
  return true;
}

ErrorText SendCommandId(HWND target, std::int32_t id) {
  // All 32 bits of the identifier, as a 32-bit program would have passed them.
  const WPARAM command = static_cast<std::uint32_t>(id);
  DWORD_PTR result = 0;
  const DWORD start = ::GetTickCount();
  if (::SendMessageTimeoutW(target, WM_COMMAND, command, 0, SMTO_ABORTIFHUNG, kCommandTimeoutMs,
                            &result) != 0) {
    return std::nullopt;
  }
  // Wine may take a healthy window that sat idle for a while for a hung one and refuse at
  // once. Only a refusal that came at once is tried again, with the same bound, so a truly
  // hung target still costs at most those five seconds.
  const DWORD waited = ::GetTickCount() - start;
  if (waited < kCommandTimeoutMs && ::IsWindow(target)) {
    ::SendMessageTimeoutW(target, WM_COMMAND, command, 0, SMTO_NORMAL, kCommandTimeoutMs - waited,
                          &result);
  }
  // A hung target keeps the command and carries it out once it recovers, as it would a posted
  // one; only a window that is gone has lost it.
  if (!::IsWindow(target)) return ErrorDescription(ERROR_INVALID_WINDOW_HANDLE);
  return std::nullopt;
}

}  // namespace sendlark::win32
