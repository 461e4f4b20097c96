#include "platform/win32/win32_platform.h"

#include "platform/win32/error_text.h"
#include "platform/win32/menu_render.h"

namespace sendlark::win32 {

namespace {

// The program's one hot key, among the identifiers an application may give its own.
constexpr int kHotKeyId = 1;
static_assert(kModAlt == MOD_ALT && kModControl == MOD_CONTROL && kModShift == MOD_SHIFT &&
              kModWin == MOD_WIN);

}  // namespace

WindowRef Win32Platform::MainWindow() {
  return ToRef(window_);
}

// Shown without being activated: the window the user just fed keeps the keyboard. A click on
// the strip or its hot key activates it.
void Win32Platform::ShowMainWindow() {
  ::ShowWindow(window_, SW_SHOWNA);
}

void Win32Platform::HideMainWindow() {
  ::ShowWindow(window_, SW_HIDE);
}

void Win32Platform::SetAlwaysOnTop(WindowRef window, bool onTop) {
  ::SetWindowPos(ToHwnd(window), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void Win32Platform::BeginWindowDrag(WindowRef window) {
  // The press is handed to the system as a press on a title bar: its own moving loop then
  // follows the pointer until the button is let go.
  ::ReleaseCapture();
  ::SendMessageA(ToHwnd(window), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

int Win32Platform::PopupMenu(const std::vector<MenuEntry>& entries) {
  const UniqueMenu menu = RenderMenu(entries);
  POINT pointer = {};
  ::GetCursorPos(&pointer);
  // Without being the foreground window the menu would not close on a click elsewhere, nor take
  // the keyboard. A process is let take it in answer to the user: a click, or its hot key.
  ::SetForegroundWindow(window_);
  const int chosen = static_cast<int>(
      ::TrackPopupMenuEx(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                         pointer.x, pointer.y, window_, nullptr));
  ::PostMessageW(window_, WM_NULL, 0, 0);
  return chosen;
}

void Win32Platform::ShowMessage(const std::wstring& text) {
  // Owned by the strip when it is on screen, so it stays above it; during start-up, while the
  // strip is hidden, it must come to the front by itself.
  const HWND owner = ::IsWindowVisible(window_) ? window_ : nullptr;
  const UINT style = MB_OK | MB_ICONERROR | MB_SETFOREGROUND |
                     (owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL | MB_TOPMOST);
  ::MessageBoxW(owner, text.c_str(), title_.c_str(), style);
}

WindowRef Win32Platform::ForegroundWindow() {
  return ToRef(::GetForegroundWindow());
}

ErrorText Win32Platform::RegisterHotKey(const HotKey& hotKey) {
  // Held down, the combination is reported once, not at every repeat of the key.
  if (::RegisterHotKey(window_, kHotKeyId, hotKey.modifiers | MOD_NOREPEAT, hotKey.key)) {
    return std::nullopt;
  }
  return LastErrorText();
}

void Win32Platform::UnregisterHotKey() {
  ::UnregisterHotKey(window_, kHotKeyId);
}

}  // namespace sendlark::win32
