#include "platform/win32/delivery_turn.h"

namespace sendlark::win32 {

namespace {

constexpr DWORD kPatienceMs = 10000;
constexpr wchar_t kTurnName[] = L"Local\\Sendlark-delivery";

}  // namespace

void DeliveryTurn::Begin() {
  if (held_) return;
  if (!mutex_) mutex_.reset(::CreateMutexW(nullptr, FALSE, kTurnName));
  if (!mutex_) return;  // deliver all the same, as if alone
  const HANDLE mutex = mutex_.get();
  const DWORD start = ::GetTickCount();
  for (DWORD waited = 0; waited < kPatienceMs; waited = ::GetTickCount() - start) {
    const DWORD result =
        ::MsgWaitForMultipleObjects(1, &mutex, FALSE, kPatienceMs - waited, QS_SENDMESSAGE);
    // An abandoned turn belonged to a copy that ended in the middle; it is ours now.
    if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED_0) {
      held_ = true;
      return;
    }
    if (result != WAIT_OBJECT_0 + 1) return;
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

void DeliveryTurn::End() {
  if (!held_) return;
  ::ReleaseMutex(mutex_.get());
  held_ = false;
}

}  // namespace sendlark::win32
