#include "delivery/send_command.h"

#include "delivery/command_text.h"
#include "delivery/paste_id.h"
#include "menus/history.h"
#include "state/delivery_turn.h"
#include "state/program_state.h"

namespace sendlark {

namespace {

void ReportFailure(const std::wstring& description) {
  Sys().ShowMainWindow();
  ShowMessage(kDeliveryFailedMessage + description);
}

bool FailPaste(const std::wstring& description) {
  ReportFailure(description);
  return false;
}

}  // namespace

Delivery Deliver(const std::wstring& command, const std::wstring& className,
                 const std::wstring& windowName) {
  const DeliveryTurn turn;
  if (const ErrorText error = Sys().PutClipboardText(command)) {
    ReportFailure(*error);
    return Delivery::NotOnClipboard;
  }
  if (PasteToApplication(className, windowName)) return Delivery::Pasted;
  ReportFailure(L"");
  return Delivery::NotPasted;
}

void SendCommand(std::wstring text, std::wstring className, std::wstring windowName,
                 std::wstring header, std::wstring footer) {
  const std::wstring command = CommandText(header, text, footer);
  const DeliveryTurn turn;
  if (Deliver(command, className, windowName) == Delivery::NotOnClipboard) return;
  // A delivery whose target was missing is recorded all the same, so it can be sent again.
  g_settings[LastText] = text;
  UpdateHistory(Add, HistoryEntry(command));
  g_settings[LastHeader] = header;
  g_settings[LastFooter] = footer;
}

bool PasteToApplication(const std::wstring& className, const std::wstring& windowName) {
  const WindowRef target = Sys().FindTargetWindow(className, windowName);
  if (target == 0) return false;
  if (!Sys().ActivateByTitle(windowName)) return FailPaste(kNoSuchTitleText);
  const PasteId paste = PasteCommandId(Sys().ParseNumber(g_settings[ApplicationPaste]));
  if (paste.error) return FailPaste(*paste.error);
  // Only a target that is slow to answer still pastes: it keeps the command and carries it out
  // once it recovers. Any other refusal loses the paste: a window that closed between the search
  // and the command, or a target running with higher rights than ours.
  const CommandOutcome outcome = Sys().SendCommandId(target, paste.id);
  if (outcome.error != 0 && outcome.error != kErrorTimeout) return FailPaste(outcome.description);
  return true;
}

}  // namespace sendlark
