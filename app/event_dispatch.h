// How the window's events reach the program: one at a time, each carried out to its end.
#pragma once

#include <functional>

namespace sendlark {

// Carries out `event`, or, when it arrives while another is being carried out (a command that
// another program sends while a delivery waits for its target, say), right after that one:
// a delivery never starts inside another. What escapes an event ends the program with the file
// error message and the reason, instead of without a word.
void HandleEvent(std::function<void()> event);

// True while an event is being carried out.
bool HandlingEvent();

inline constexpr wchar_t kOutOfMemoryText[] = L"メモリが足りないため、処理を続けられません。";
inline constexpr wchar_t kUnexpectedFailureText[] =
    L"予期しないエラーのため、処理を続けられません。";

}  // namespace sendlark
