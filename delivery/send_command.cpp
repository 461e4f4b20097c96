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

void SendCommand(std::wstring text, std::wstring className, std::wstring windowName,
                 std::wstring header, std::wstring footer) {
  const std::wstring command = CommandText(header, text, footer);
  const DeliveryTurn turn;
  if (const ErrorText error = Sys().PutClipboardText(command)) {
    ReportFailure(*error);
    return;
  }
  if (!PasteToApplication(className, windowName)) ReportFailure(L"");
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
  // The window can close between the search and the command; the paste is then lost.
  if (const ErrorText error = Sys().SendCommandId(target, paste.id)) return FailPaste(*error);
  return true;
}

}  // namespace sendlark
