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

void GiveClipboardBack() {
  // Held in memory only until here: freed whether or not it is put back.
  const std::optional<ClipboardCopy> copy = std::exchange(g_program.usersClipboard, std::nullopt);
  // Only all of it, and only in place of our last item: what the user or another program has
  // put there since stays.
  if (!copy || copy->kind != ClipboardCopy::Kind::Whole) return;
  const DeliveryTurn turn;
  if (Sys().OwnsClipboard()) Sys().RestoreClipboard(*copy);
}

}  // namespace sendlark
