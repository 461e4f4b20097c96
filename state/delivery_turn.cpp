#include "state/delivery_turn.h"

#include "state/delivery_bounds.h"
#include "state/program_state.h"

namespace sendlark {

DeliveryTurn::DeliveryTurn() {
  if (g_program.deliveryTurns++ == 0)
    g_program.holdsDeliveryLock = Sys().AcquireDeliveryLock(kTurnPatienceMs);
}

DeliveryTurn::~DeliveryTurn() {
  if (--g_program.deliveryTurns == 0 && g_program.holdsDeliveryLock) {
    g_program.holdsDeliveryLock = false;
    Sys().ReleaseDeliveryLock();
  }
}

bool HoldsDeliveryTurn() {
  return g_program.holdsDeliveryLock;
}

void ShowMessage(const std::wstring& text) {
  const bool held = g_program.holdsDeliveryLock;
  if (held) Sys().ReleaseDeliveryLock();
  Sys().ShowMessage(text);
  if (held) g_program.holdsDeliveryLock = Sys().AcquireDeliveryLock(kTurnPatienceMs);
}

}  // namespace sendlark
