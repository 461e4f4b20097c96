// Where a program without a window tells the user what went wrong.
#pragma once

#include <string>

namespace sendlark::win32 {

// Writes `text` to the standard error stream when the program has one (redirected by its
// starter, or the console of the command prompt it was started from); otherwise shows it in a
// message box titled `title`.
void ReportToUser(const std::wstring& text, const std::wstring& title);

}  // namespace sendlark::win32
