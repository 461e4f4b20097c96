#include "delivery/send_command.h"

#include "config/options.h"
#include "delivery/command_text.h"
#include "delivery/paste_id.h"
#include "menus/history.h"
#include "state/delivery_turn.h"
#include "state/program_state.h"
#include "state/users_clipboard.h"

namespace sendlark {

namespace {

// The paste keys not pressed, as an error code of the kind applications define.
constexpr std::uint32_t kErrorKeysNotPressed = 0x20000001;

// Outside the exact title, the window to feed is the one the user had in front last. No copy's
// strip is a target: the two copies would wait for each other's delivery lock.
TargetWindow FindTarget(const DeliveryTarget& target) {
  if (IsStripClass(target.className, SystemFold)) return {};
  if (target.match == TitleMatch::Exact) {
    return Sys().FindTargetWindow(target.className, target.windowName);
  }
  return FirstMatch(Sys().WindowsOfClass(target.className), target.match, target.windowName,
                    SystemFold);
}

// Asks the target to paste by the route configured. The keys are pressed only into the target
// in front, with no modifier held, or they would reach another window or mean another command.
CommandOutcome RequestPaste(WindowRef window, const PasteId& paste) {
  if (paste.route == PasteRoute::Command) return Sys().SendCommandId(window, paste.id);
  if (paste.route == PasteRoute::Message) return Sys().SendPasteMessage(window);
  const KeyPress press = Sys().PressPasteKeys(window, paste.route);
  if (press == KeyPress::Pressed) return {};
  return {kErrorKeysNotPressed,
          press == KeyPress::NotInFront ? kNotInFrontText : kModifiersHeldText};
}

// The paste request as the user's messages name it.
std::wstring PasteName(const PasteId& paste) {
  if (paste.route != PasteRoute::Command) return PasteRouteWordOf(paste.route);
  return L"貼り付けコマンド " + std::to_wstring(paste.id);
}

void ReportFailure(const std::wstring& description) {
  Sys().ShowMainWindow();
  ShowMessage(kDeliveryFailedMessage + description);
}

Delivery FailPaste(const std::wstring& description, Delivery delivery = Delivery::Failed) {
  ReportFailure(description);
  return delivery;
}

// Whatever ends a run, even an error that ends the program, the next one starts afresh.
class RunScope {
 public:
  RunScope() { g_program.run = {.active = true}; }
  ~RunScope() { g_program.run = {}; }
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;
};

}  // namespace

std::wstring NotTakenText(const PasteId& paste) {
  return PasteName(paste) +
         L" を受け取ったウィンドウが、クリップボードのテキストを読み取りませんでした。";
}

std::wstring NotAnsweringText(const PasteId& paste) {
  return PasteName(paste) + L" を送ったアプリケーションが、30 秒以内に応答しませんでした。";
}

PasteId ReadPaste(const std::wstring& text) {
  if (const std::optional<PasteRoute> route = PasteRouteWord(text, SystemFold)) {
    return {0, std::nullopt, *route};
  }
  return PasteCommandId(Sys().ParseNumber(text));
}

std::wstring HeldBackText(int count) {
  return L"アプリケーションが応答しないため、残りの " + std::to_wstring(count) +
         L" 件は送らずに履歴に記録しました。";
}

void DeliverAsOneRun(const std::function<void()>& deliveries) {
  if (g_program.run.active) return deliveries();
  int heldBack = 0;
  {
    const RunScope run;
    deliveries();
    heldBack = g_program.run.heldBack;
  }
  if (heldBack > 0) {
    Sys().ShowMainWindow();
    ShowMessage(HeldBackText(heldBack));
  }
  GiveClipboardBack();
}

Delivery Deliver(const std::wstring& command, const DeliveryTarget& target, bool quietIfNotTaken) {
  // A setting the user did not mean fails before anything touches the clipboard, so that the
  // user's content stays as it was.
  if (!g_program.options.unusable.empty()) {
    ReportFailure(g_program.options.unusable);
    ReportFailure(L"");
    return Delivery::Failed;
  }
  const DeliveryTurn turn;
  KeepUsersClipboard();
  ClipboardTransaction item;
  if (const ErrorText error = item.Offer(command)) {
    ReportFailure(*error);
    return Delivery::NotOnClipboard;
  }
  const Delivery delivery = PasteToApplication(target, item, quietIfNotTaken);
  if (const std::optional<std::uint64_t> read = item.LastReadMs()) g_program.lastReadMs = *read;
  const bool quiet = quietIfNotTaken && delivery == Delivery::NotTaken;
  if (delivery != Delivery::Taken && delivery != Delivery::Unseen && !quiet) ReportFailure(L"");
  return delivery;
}

void SendCommand(std::wstring text, std::wstring className, std::wstring windowName,
                 std::wstring header, std::wstring footer) {
  DeliverAsOneRun([&] {
    const std::wstring command = CommandText(header, text, footer);
    const DeliveryTurn turn;
    if (g_program.run.notAnswering) {
      ++g_program.run.heldBack;
    } else {
      const Delivery delivery =
          Deliver(command, {std::move(className), std::move(windowName),
                            g_settings[ApplicationPaste], g_program.options.titleMatch});
      if (delivery == Delivery::NotOnClipboard) return;
      g_program.run.notAnswering = delivery == Delivery::NotAnswering;
    }
    // A delivery that failed is recorded all the same, so it can be sent again.
    g_settings[LastText] = text;
    UpdateHistory(Add, HistoryEntry(command));
    g_settings[LastHeader] = header;
    g_settings[LastFooter] = footer;
  });
}

Delivery PasteToApplication(const DeliveryTarget& target, ClipboardTransaction& item,
                            bool quietIfNotTaken) {
  const TargetWindow window = FindTarget(target);
  if (window.window == 0) return Delivery::Failed;
  // From the second item of a run on, the window found is mostly in front already: asking the
  // system about other programs' windows costs more than the rest of the step.
  const bool inFront = Sys().ForegroundWindow() == window.window;
  if (!inFront && target.match != TitleMatch::Exact) {
    Sys().ActivateWindow(window.window);
  } else if (!inFront && !Sys().ActivateByTitle(target.windowName)) {
    return FailPaste(kNoSuchTitleText);
  }
  const PasteId paste = ReadPaste(target.paste);
  if (paste.error) return FailPaste(*paste.error);
  // Only a target that is slow to answer still pastes: it keeps the request and carries it out
  // once it recovers. Any other refusal loses the paste: a window that closed between the search
  // and the request, or a target running with higher rights than ours.
  const CommandOutcome outcome = RequestPaste(window.window, paste);
  const bool answered = outcome.error == 0;
  if (!answered && outcome.error != kErrorTimeout) return FailPaste(outcome.description);
  // Handling the request is not pasting: a wrong number, a window that draws its own menus, or
  // keys that the system drops on their way to a target with higher rights. The target's own
  // request for the text is the proof, during the paste or soon after it; until it comes or the
  // wait is over, the next item stays off the clipboard.
  switch (item.AwaitTargetRead(window, answered ? kTextRequestPatienceMs : kAnswerPatienceMs)) {
    case ItemRead::ByTarget:
      return Delivery::Taken;
    case ItemRead::Unseen:
      // Another program read it first, and the target's read no longer showed: no alarm then.
      return Delivery::Unseen;
    case ItemRead::NotRead:
      break;
  }
  if (!answered) return FailPaste(NotAnsweringText(paste), Delivery::NotAnswering);
  return quietIfNotTaken ? Delivery::NotTaken : FailPaste(NotTakenText(paste), Delivery::NotTaken);
}

}  // namespace sendlark
