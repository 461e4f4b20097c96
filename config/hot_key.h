// The hot key that Config.ini's :HotKey names, written as "Ctrl+Alt+S".
#pragma once

#include <string_view>
#include <variant>

#include "platform/platform.h"

namespace sendlark {

inline constexpr wchar_t kHotKeyKey[] = L":HotKey";

// Why a value names no combination that may be the hot key. The texts that tell it, Sendlark's
// and SendlarkSetup's, follow this order.
enum class HotKeyFault {
  NoModifier,
  NotAModifier,
  NotAKey,
  // Copy, cut or paste: held as the hot key, the paste keys Sendlark presses would open its own
  // menu, and no other program would get them.
  ClipboardShortcut,
};

// No hot key (an empty value, or blanks only), the combination, or why the value is none.
using HotKeySetting = std::variant<std::monostate, HotKey, HotKeyFault>;

// The modifiers Ctrl, Alt, Shift and Win joined by "+", then one key: a letter, a digit, F1 to
// F24, Space, Insert, Delete, Home, End, PageUp, PageDown or Pause. Letter case and blanks are
// ignored; at least one modifier is required. The clipboard's own shortcuts are refused: Ctrl+C,
// Ctrl+X, Ctrl+V, Ctrl+Insert, Shift+Insert, Shift+Delete and Ctrl+Shift+V.
HotKeySetting ParseHotKey(std::wstring_view text);

}  // namespace sendlark
