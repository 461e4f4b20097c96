// The hot key that Config.ini's :HotKey names, written as "Ctrl+Alt+S".
#pragma once

#include <string_view>
#include <variant>

#include "platform/platform.h"

namespace sendlark {

inline constexpr wchar_t kHotKeyKey[] = L":HotKey";

// Why a value names no combination. The texts that tell it, Sendlark's and SendlarkSetup's,
// follow this order.
enum class HotKeyFault { NoModifier, NotAModifier, NotAKey };

// No hot key (an empty value, or blanks only), the combination, or why the value is none.
using HotKeySetting = std::variant<std::monostate, HotKey, HotKeyFault>;

// The modifiers Ctrl, Alt, Shift and Win joined by "+", then one key: a letter, a digit, F1 to
// F24, Space, Insert, Delete, Home, End, PageUp, PageDown or Pause. Letter case and blanks are
// ignored; at least one modifier is required.
HotKeySetting ParseHotKey(std::wstring_view text);

}  // namespace sendlark
