// The optional keys of Config.ini that change how the target is reached and what a delivery
// leaves behind. A Config.ini without them works as it always did.
#pragma once

#include <string>

#include "platform/platform.h"

namespace sendlark {

struct Options {
  TitleMatch titleMatch = TitleMatch::Exact;
  bool restoreClipboard = false;  // the user's clipboard comes back after each run
  // Why a value cannot be used, naming its key and the value. Every delivery fails with it, so
  // that no item is delivered with a setting the user did not mean; empty when all can be used.
  std::wstring unusable;
};

inline constexpr wchar_t kTitleMatchKey[] = L":TitleMatch";
inline constexpr wchar_t kRestoreClipboardKey[] = L":RestoreClipboard";

}  // namespace sendlark
