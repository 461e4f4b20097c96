// Looking up one key's value in the configuration text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "config/text_util.h"

namespace sendlark {

// Where a key's value is written in the configuration text: the characters [begin, end),
// between the "=" and the ";" that end its entry, with its escapes not yet applied.
struct ValueSpan {
  std::size_t begin;
  std::size_t end;
};

// Where the first occurrence of `key` begins in `text`, letter case ignored through `fold`, as
// the lookups below search for it: "\;" counts as "\:" there, so a key written after an escaped
// semicolon is found. Nothing when the key does not occur.
std::optional<std::size_t> FindConfigKey(const std::wstring& text, const std::wstring& key,
                                         CaseFold fold);

// The place of the value of `key` (with its leading colon) in `text`: after the first "="
// that follows the key's first occurrence (letter case ignored through `fold`), up to the first
// ";" at or after the key that is not written "\;". Nothing when the key, the "=" or the ";" is
// missing, or when the ";" comes before the "=".
std::optional<ValueSpan> FindConfigValue(const std::wstring& text, const std::wstring& key,
                                         CaseFold fold);

// The value of `key` in `text`, or empty when there is none. In the value "\;" and "\:" stand
// for "; " and "\n" for CR LF. Never fails.
std::wstring GetConfigValue(const std::wstring& text, const std::wstring& key, CaseFold fold);

}  // namespace sendlark
