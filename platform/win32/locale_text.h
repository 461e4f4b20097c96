// Conversions that follow the system's locale: the ANSI code page, letter case, numbers.
#pragma once

#include <optional>
#include <string>

namespace sendlark::win32 {

std::wstring FromAnsi(const std::string& bytes);
std::string ToAnsi(const std::wstring& text);

// Upper case by the user's locale; the text unchanged if that would change its length.
std::wstring FoldCase(const std::wstring& text);

// The number in `text` as the user's locale writes numbers (decimal and thousands separators
// included), or nothing.
std::optional<double> ParseNumber(const std::wstring& text);

}  // namespace sendlark::win32
