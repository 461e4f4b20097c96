#include "state/delivery_turn.h"

#include "state/program_state.h"

namespace sendlark {

DeliveryTurn::DeliveryTurn() {
  Sys().AcquireDeliveryLock();
  g_program.inDeliveryTurn = true;
}

DeliveryTurn::~DeliveryTurn() {
  g_program.inDeliveryTurn = false;
  Sys().ReleaseDeliveryLock();
}

void ShowMessage(const std::wstring& text) {
  const bool inTurn = g_program.inDeliveryTurn;
  if (inTurn) Sys().ReleaseDeliveryLock();
  Sys().ShowMessage(text);
  if (inTurn) Sys().AcquireDeliveryLock();
}

}  // namespace sendlark
