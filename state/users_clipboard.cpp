#include "state/users_clipboard.h"

#include <optional>
#include <utility>

#include "state/delivery_bounds.h"
#include "state/delivery_turn.h"
#include "state/program_state.h"

namespace sendlark {

namespace {

// A target may read one paste twice, a look and then the text: the user's clipboard waits until
// the run's last read has been left alone for a moment, serving any late request meanwhile.
void SettleReads() {
  std::uint64_t settled = g_program.lastReadMs + kSettleMs;
  for (std::uint64_t now = Sys().NowMs(); now < settled; now = Sys().NowMs()) {
    if (Sys().AwaitTextRequest(static_cast<std::uint32_t>(settled - now))) {
      g_program.lastReadMs = Sys().NowMs();
      settled = g_program.lastReadMs + kSettleMs;
    }
  }
}

}  // namespace

void KeepUsersClipboard() {
  if (!g_program.options.restoreClipboard) return;
  if (g_program.usersClipboard && Sys().OwnsClipboard()) return;
  ClipboardCopy copy = Sys().CopyClipboard();
  // Another copy's command text, or one taken back, is nobody's newer clipboard.
  if (g_program.usersClipboard && copy.kind == ClipboardCopy::Kind::CommandText) return;
  g_program.usersClipboard = std::move(copy);
}

void GiveClipboardBack() {
  // Held in memory only until here: freed whether or not it is put back.
  const std::optional<ClipboardCopy> copy = std::exchange(g_program.usersClipboard, std::nullopt);
  if (!copy || copy->kind != ClipboardCopy::Kind::Whole) return;
  SettleReads();
  // In the turn, so that no copy's item is waiting for its read meanwhile. Only all of it, and
  // only in place of a command text: what the user or another program has put there since stays.
  const DeliveryTurn turn;
  Sys().RestoreClipboard(*copy);
}

}  // namespace sendlark
