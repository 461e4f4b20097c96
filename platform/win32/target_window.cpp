// Finding, activating and commanding the target application's window.
#include <algorithm>
#include <vector>

#include "platform/win32/error_text.h"
#include "platform/win32/retry.h"
#include "platform/win32/win32_platform.h"

namespace sendlark::win32 {

namespace {

constexpr UINT kCommandTimeoutMs = 5000;
static_assert(kErrorTimeout == ERROR_TIMEOUT);
// The system brings a window forward after SetForegroundWindow returns; the paste must not
// reach it before it is in front.
constexpr RetryPolicy kForegroundPatience = {300, 10};
// The target's thread learns that it was brought forward from a message it handles in its own
// time; until it has, it names no focus, or its frame rather than the control that gets it.
constexpr RetryPolicy kFocusPatience = {1000, 0};
constexpr DWORD kFocusPauseMs = 10;

// Sendlark's own windows are never targets: sending the strip its own resend command would
// resend for ever.
bool IsOwnWindow(HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  return process == ::GetCurrentProcessId();
}

BOOL CALLBACK CollectOthers(HWND window, LPARAM windows) {
  if (::IsWindowVisible(window) && !IsOwnWindow(window)) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  }
  return TRUE;
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
  if (!hung) {
    Retry(kForegroundPatience,
          [&] { return ::GetForegroundWindow() == window ? Attempt::Done : Attempt::Again; });
  }
}

}  // namespace

std::wstring TitleOf(HWND window) {
  return ReadWholeText([window](wchar_t* buffer, DWORD size) {
    return std::max(::GetWindowTextW(window, buffer, static_cast<int>(size)), 0);
  });
}

std::vector<HWND> OtherVisibleWindows() {
  std::vector<HWND> windows;
  ::EnumWindows(CollectOthers, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// The top-level window of another process with exactly this class and title, compared in
// Unicode, so that a class or title outside the ANSI code page is found too. Empty texts are
// searched for as empty texts, never as wildcards.
TargetWindow Win32Platform::FindTargetWindow(const std::wstring& className,
                                             const std::wstring& windowName) {
  HWND window = nullptr;
  DWORD process = 0;
  do {
    window = ::FindWindowExW(nullptr, window, className.c_str(), windowName.c_str());
    process = 0;
    if (window != nullptr) ::GetWindowThreadProcessId(window, &process);
  } while (window != nullptr && process == ::GetCurrentProcessId());
  return {ToRef(window), process, windowName};
}

// Brings forward the first visible top-level window titled `title` (letter case ignored), or
// else the first whose title begins with it.
bool Win32Platform::ActivateByTitle(const std::wstring& title) {
  const std::wstring wanted = FoldCase(title);
  const auto foldedTitle = [this](HWND window) { return FoldCase(TitleOf(window)); };
  // From the second delivery on the target is usually in front already. Every question about
  // another program's window costs a trip to the system, so its style answers two at once.
  if (const HWND foreground = ::GetForegroundWindow(); foreground != nullptr) {
    const LONG style = ::GetWindowLongW(foreground, GWL_STYLE);
    if ((style & (WS_VISIBLE | WS_MINIMIZE)) == WS_VISIBLE && !IsOwnWindow(foreground) &&
        foldedTitle(foreground) == wanted) {
      return true;
    }
  }
  const std::vector<HWND> windows = OtherVisibleWindows();
  std::vector<std::wstring> titles;
  for (const HWND window : windows)
    titles.push_back(foldedTitle(window));
  // An empty title matches only an empty title: as a prefix it would match every window.
  auto match = std::find(titles.begin(), titles.end(), wanted);
  if (match == titles.end() && !wanted.empty()) {
    match = std::find_if(titles.begin(), titles.end(),
                         [&](const std::wstring& folded) { return folded.starts_with(wanted); });
  }
  if (match == titles.end()) return false;
  BringToFront(windows[static_cast<std::size_t>(match - titles.begin())]);
  return true;
}

namespace {

// Sends `message` and waits until the window has handled it, for five seconds at most.
CommandOutcome SendBounded(HWND target, UINT message, WPARAM wParam) {
  DWORD_PTR result = 0;
  const DWORD start = ::GetTickCount();
  // A failed send does not always set the last error: an old one must not pass for its reason.
  ::SetLastError(ERROR_SUCCESS);
  if (::SendMessageTimeoutW(target, message, wParam, 0, SMTO_ABORTIFHUNG, kCommandTimeoutMs,
                            &result) != 0) {
    return {};
  }
  DWORD error = ::GetLastError();
  // Wine may take a healthy window that sat idle for a while for a hung one and refuse at
  // once. Only a refusal as hung that came at once is tried again, with the same bound, so a
  // truly hung target still costs at most those five seconds.
  const DWORD waited = ::GetTickCount() - start;
  if ((error == ERROR_TIMEOUT || error == ERROR_SUCCESS) && waited < kCommandTimeoutMs &&
      ::IsWindow(target)) {
    ::SetLastError(ERROR_SUCCESS);
    if (::SendMessageTimeoutW(target, message, wParam, 0, SMTO_NORMAL, kCommandTimeoutMs - waited,
                              &result) != 0) {
      return {};
    }
    error = ::GetLastError();
  }
  if (!::IsWindow(target)) error = ERROR_INVALID_WINDOW_HANDLE;
  // A refusal that gives no reason is taken for the wait it most likely was.
  if (error == ERROR_SUCCESS) error = ERROR_TIMEOUT;
  return {error, ErrorDescription(error)};
}

}  // namespace

std::vector<TargetWindow> Win32Platform::WindowsOfClass(const std::wstring& className) {
  std::vector<TargetWindow> windows;
  for (HWND window = nullptr;
       (window = ::FindWindowExW(nullptr, window, className.c_str(), nullptr)) != nullptr;) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId() && ::IsWindowVisible(window)) {
      windows.push_back({ToRef(window), process, TitleOf(window)});
    }
  }
  return windows;
}

void Win32Platform::ActivateWindow(WindowRef window) {
  BringToFront(ToHwnd(window));
}

CommandOutcome Win32Platform::SendCommandId(WindowRef target, std::int32_t id) {
  // All 32 bits of the identifier, as a 32-bit program would have passed them.
  return SendBounded(ToHwnd(target), WM_COMMAND, static_cast<std::uint32_t>(id));
}

// The target's control that has the focus; null while its thread names none inside it.
HWND FocusInside(HWND target, DWORD thread) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(thread, &info) || info.hwndFocus == nullptr) return nullptr;
  return info.hwndFocus == target || ::IsChild(target, info.hwndFocus) ? info.hwndFocus : nullptr;
}

// The control that has the focus takes the paste, as when the user pastes: an edit field of a
// dialog, say. A focus outside the target (its thread's other windows) does not count. Once the
// target is in front, its thread is given time to hand the focus to its control; a target that
// names none inside in that time gets the paste itself.
CommandOutcome Win32Platform::SendPasteMessage(WindowRef targetRef) {
  const HWND target = ToHwnd(targetRef);
  const DWORD thread = ::GetWindowThreadProcessId(target, nullptr);
  HWND focus = nullptr;
  // A hung target hands over no focus, and its paste has its own bound.
  if (!::IsHungAppWindow(target)) {
    const DWORD start = ::GetTickCount();
    Retry(kFocusPatience, [&] {
      if (::GetForegroundWindow() == target) {
        // Once the target's thread has answered a message sent after it came forward, it is done
        // with what coming forward asked of it, such as a frame passing the focus to its field.
        const DWORD waited = ::GetTickCount() - start;
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(
            target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
            kFocusPatience.patienceMs - std::min(waited, kFocusPatience.patienceMs), &ignored);
        if ((focus = FocusInside(target, thread)) != nullptr) return Attempt::Done;
      }
      // Our text is on the clipboard meanwhile, and a program may ask for it.
      WaitHandlingSentMessages(0, nullptr, kFocusPauseMs);
      return Attempt::Again;
    });
  }
  if (focus == nullptr) focus = FocusInside(target, thread);
  return SendBounded(focus != nullptr ? focus : target, WM_PASTE, 0);
}

}  // namespace sendlark::win32
