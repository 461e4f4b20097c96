#include "state/delivery_turn.h"

#include "state/program_state.h"

namespace sendlark {

DeliveryTurn::DeliveryTurn() {
  if (g_program.deliveryTurns++ == 0) Sys().AcquireDeliveryLock();
}

DeliveryTurn::~DeliveryTurn() {
  if (--g_program.deliveryTurns == 0) Sys().ReleaseDeliveryLock();
}

bool InDeliveryTurn() {
  return g_program.deliveryTurns > 0;
}

void ShowMessage(const std::wstring& text) {
  const bool inTurn = InDeliveryTurn();
  if (inTurn) Sys().ReleaseDeliveryLock();
  Sys().ShowMessage(text);
  if (inTurn) Sys().AcquireDeliveryLock();
}

}  // namespace sendlark
