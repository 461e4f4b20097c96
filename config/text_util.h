// Small wide-string helpers shared by the parsers.
#pragma once

#include <string>
#include <string_view>

namespace sendlark {

inline constexpr std::wstring_view kCrLf = L"\r\n";

// Folds letter case so that an exact search ignores it. Every character keeps its place: the
// result is as long as the text. The program passes the system's rule, the user's locale.
using CaseFold = std::wstring (*)(const std::wstring& text);

// Replaces every occurrence of `from`, scanning left to right and resuming after each
// replacement, so replaced text is never scanned again.
std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to);

// The lines of a file's text, each followed by CR LF: a line ends at CR LF or at a CR alone; a
// LF alone belongs to its line.
std::wstring TextLines(std::wstring_view fileText);

// A value shown in a message box: a longer one would make a box larger than the screen.
inline constexpr std::size_t kMaxShownValue = 100;

// The text as shown where a long one cannot be read: at most `most` characters, a cut one
// ending in "…". A surrogate pair is never split.
std::wstring CutToShow(const std::wstring& text, std::size_t most);

}  // namespace sendlark
