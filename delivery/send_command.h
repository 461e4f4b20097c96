// The one road by which anything reaches the target application.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "delivery/clipboard_transaction.h"
#include "delivery/paste_id.h"
#include "state/delivery_bounds.h"
#include "state/options.h"

namespace sendlark {

// Carries out `deliveries` (calls of SendCommand) as one run: the items of one drop, of the
// command line, or one choice of the user. Once the target stops answering, the run's further
// items are recorded without being sent, since its waiting paste commands would read them; one
// message then says how many. With ":RestoreClipboard=1" the user's clipboard comes back once
// the run is over, after its messages. A run inside a run is part of it, and so is a SendCommand
// called outside any run.
void DeliverAsOneRun(const std::function<void()>& deliveries);

// Puts header + text + footer (with "\n" as line breaks) on the clipboard, has the target
// paste it, and records the delivery in the history and as the last delivery. Failures are
// shown to the user, never passed on. The texts are taken by value: the caller's may be menu
// captions that the history update rewrites.
void SendCommand(std::wstring text, std::wstring className, std::wstring windowName,
                 std::wstring header, std::wstring footer);

// The window a delivery goes to, and how it is asked to paste, as written in Config.ini.
struct DeliveryTarget {
  std::wstring className;
  std::wstring windowName;
  std::wstring paste;  // the number of its paste command, or the word of another route
  TitleMatch match = TitleMatch::Exact;
};

enum class Delivery {
  Taken,           // the target read the text
  Unseen,          // the target has the command, but whether it read the text cannot be seen
  NotTaken,        // the target handled its paste command without reading the text
  NotAnswering,    // the target did not get to its paste command in time
  Failed,          // not found, or a step before the paste failed
  NotOnClipboard,  // the text never reached the clipboard
};

// Puts the command text on the clipboard and has the target paste it, showing the user any
// failure, as SendCommand does, but records nothing: for trying a target out, where a route the
// target does not take may be no failure yet (`quietIfNotTaken`).
Delivery Deliver(const std::wstring& command, const DeliveryTarget& target,
                 bool quietIfNotTaken = false);

// Finds the target window, brings the target forward, has it carry out its paste command and
// waits until it reads `item`, already offered. A failed step has been reported to the user,
// except a window that was not found. A text the target did not read has been taken back from
// the clipboard, so that the target cannot paste it after it was reported as not pasted.
Delivery PasteToApplication(const DeliveryTarget& target, ClipboardTransaction& item,
                            bool quietIfNotTaken = false);

inline constexpr wchar_t kDeliveryFailedMessage[] =
    L"アプリケーションが見つからない為、処理を完了できませんでした｡";
inline constexpr wchar_t kNoSuchTitleText[] = L"指定されたタイトルのウィンドウが見つかりません。";
inline constexpr wchar_t kModifiersHeldText[] =
    L"Shift、Ctrl、Alt または Windows キーが押されたままのため、貼り付けのキーを送れませんでした。";
inline constexpr wchar_t kNotInFrontText[] =
    L"アプリケーションを前面に出せなかったため、貼り付けのキーを送れませんでした。";

// How the target is asked to paste, as :AppliactionPast writes it: a command's number, or the
// word of another route. Every delivery reads it afresh, since numbers follow the locale.
PasteId ReadPaste(const std::wstring& text);

// Why a paste counts as failed when the target never read the text, or never answered.
std::wstring NotTakenText(const PasteId& paste);
std::wstring NotAnsweringText(const PasteId& paste);
// The items of a run recorded without being sent to a target that stopped answering.
std::wstring HeldBackText(int count);

}  // namespace sendlark
