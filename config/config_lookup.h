// Looking up one key's value in the configuration text.
#pragma once

#include <string>

namespace sendlark {

// The value of `key` (with its leading colon) in `text`, or empty when there is none: the
// characters between the first "=" after the key's first occurrence (ignoring letter case) and
// the first ";" at or after it that is not written "\;". In the value "\;" and "\:" stand for
// "; " and "\n" for CR LF. Never fails.
std::wstring GetConfigValue(const std::wstring& text, const std::wstring& key);

}  // namespace sendlark
