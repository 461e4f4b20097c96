// Small wide-string helpers shared by the parsers.
#pragma once

#include <string>
#include <string_view>

namespace sendlark {

inline constexpr std::wstring_view kCrLf = L"\r\n";

// Replaces every occurrence of `from`, scanning left to right and resuming after each
// replacement, so replaced text is never scanned again.
std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to);

}  // namespace sendlark
