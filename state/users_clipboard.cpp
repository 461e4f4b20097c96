#include "state/users_clipboard.h"

#include <optional>
#include <utility>

#include "state/delivery_turn.h"
#include "state/program_state.h"

namespace sendlark {

void KeepUsersClipboard() {
  if (!g_program.options.restoreClipboard) return;
  if (g_program.usersClipboard && Sys().OwnsClipboard()) return;
  g_program.usersClipboard = Sys().CopyClipboard();
}

bool RestoreDue(const ClipboardCopy& copy, bool stillOurs) {
  return copy.kind == ClipboardCopy::Kind::Whole && stillOurs;
}

void GiveClipboardBack() {
  // Held in memory only until here: freed whether or not it is put back.
  const std::optional<ClipboardCopy> copy = std::exchange(g_program.usersClipboard, std::nullopt);
  if (!copy) return;
  const DeliveryTurn turn;
  if (RestoreDue(*copy, Sys().OwnsClipboard())) Sys().RestoreClipboard(*copy);
}

}  // namespace sendlark
