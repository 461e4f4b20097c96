// Pressing the paste shortcut for a target that takes no paste command or message.
#include "platform/win32/retry.h"
#include "platform/win32/win32_platform.h"

namespace sendlark::win32 {

namespace {

// Long enough for a user to finish pressing the shortcut that started the delivery.
constexpr RetryPolicy kReleasePatience = {2000, 0};
constexpr DWORD kReleasePauseMs = 10;

bool ModifierHeld() {
  for (const int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN}) {
    if (::GetAsyncKeyState(key) < 0) return true;
  }
  return false;
}

INPUT Key(WORD key, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags;
  return input;
}

}  // namespace

KeyPress Win32Platform::PressPasteKeys(WindowRef targetRef, PasteRoute keys) {
  // A modifier still down would make the shortcut another one (Ctrl+Shift+V, Alt+Insert). Our
  // text is on the clipboard meanwhile, and a program may ask for it.
  const bool released = Retry(kReleasePatience, [] {
    if (!ModifierHeld()) return Attempt::Done;
    WaitHandlingSentMessages(0, nullptr, kReleasePauseMs);
    return Attempt::Again;
  });
  if (!released) return KeyPress::ModifiersHeld;
  // Keys go to whichever window is in front: never to another than the target.
  const HWND target = ToHwnd(targetRef);
  const HWND foreground = ::GetForegroundWindow();
  if (foreground == nullptr ||
      (foreground != target && foreground != ::GetAncestor(target, GA_ROOTOWNER))) {
    return KeyPress::NotInFront;
  }
  const bool ctrlV = keys == PasteRoute::CtrlV;
  const WORD modifier = ctrlV ? VK_CONTROL : VK_SHIFT;
  const WORD key = ctrlV ? 'V' : VK_INSERT;
  // The Insert key of the navigation block, not the numeric keypad's 0.
  const DWORD extended = ctrlV ? 0 : KEYEVENTF_EXTENDEDKEY;
  INPUT inputs[] = {Key(modifier, 0), Key(key, extended), Key(key, extended | KEYEVENTF_KEYUP),
                    Key(modifier, KEYEVENTF_KEYUP)};
  ::SendInput(static_cast<UINT>(std::size(inputs)), inputs, sizeof(INPUT));
  return KeyPress::Pressed;
}

}  // namespace sendlark::win32
