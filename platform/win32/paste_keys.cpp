// Pressing the paste shortcut for a target that takes no paste command or message.
#include <vector>

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
  // The Insert key of the navigation block, not the numeric keypad's 0.
  input.ki.dwFlags = flags | (key == VK_INSERT ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

// The keys of a shortcut, pressed in this order and let go in the reverse one.
std::vector<WORD> ShortcutKeys(PasteRoute keys) {
  switch (keys) {
    case PasteRoute::ShiftInsert:
      return {VK_SHIFT, VK_INSERT};
    case PasteRoute::CtrlShiftV:
      return {VK_CONTROL, VK_SHIFT, 'V'};
    default:
      return {VK_CONTROL, 'V'};
  }
}

}  // namespace

KeyPress Win32Platform::PressPasteKeys(WindowRef targetRef, PasteRoute keys) {
  // A modifier still down would make the shortcut another one (Alt+Insert, Ctrl+Alt+V). Our
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
  const std::vector<WORD> shortcut = ShortcutKeys(keys);
  std::vector<INPUT> inputs;
  for (const WORD key : shortcut)
    inputs.push_back(Key(key, 0));
  for (auto key = shortcut.rbegin(); key != shortcut.rend(); ++key)
    inputs.push_back(Key(*key, KEYEVENTF_KEYUP));
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  return KeyPress::Pressed;
}

}  // namespace sendlark::win32
