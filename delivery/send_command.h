// The one road by which anything reaches the target application.
#pragma once

#include <string>

namespace sendlark {

// Puts header + text + footer (with "\n" as line breaks) on the clipboard, has the target
// paste it, and records the delivery in the history and as the last delivery. Failures are
// shown to the user, never passed on. The texts are taken by value: the caller's may be menu
// captions that the history update rewrites.
void SendCommand(std::wstring text, std::wstring className, std::wstring windowName,
                 std::wstring header, std::wstring footer);

enum class Delivery { Pasted, NotPasted, NotOnClipboard };

// Puts the command text on the clipboard and has the target paste it, showing the user any
// failure, as SendCommand does, but records nothing: for trying a target out.
Delivery Deliver(const std::wstring& command, const std::wstring& className,
                 const std::wstring& windowName);

// Finds the target window, brings the target forward and has it carry out its paste command.
// False when the window was not found or a step failed; a failed step has been reported.
bool PasteToApplication(const std::wstring& className, const std::wstring& windowName);

inline constexpr wchar_t kDeliveryFailedMessage[] =
    L"アプリケーションが見つからない為、処理を完了できませんでした｡";
inline constexpr wchar_t kNoSuchTitleText[] = L"指定されたタイトルのウィンドウが見つかりません。";

}  // namespace sendlark
