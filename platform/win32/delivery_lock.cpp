// The lock all copies of the program in the user's session share for their deliveries: a
// mutex of the session, since the clipboard is one for the whole session.
#include "platform/win32/retry.h"
#include "platform/win32/win32_platform.h"

namespace sendlark::win32 {

namespace {

// The wait is woken by the release or by a message sent to this thread, so it polls nothing.
constexpr DWORD kTurnSliceMs = 100;
constexpr wchar_t kLockName[] = L"Local\\Sendlark-delivery";

}  // namespace

bool Win32Platform::AcquireDeliveryLock(std::uint32_t patienceMs) {
  if (lockHeld_) return true;
  if (!deliveryLock_) deliveryLock_.reset(::CreateMutexW(nullptr, FALSE, kLockName));
  if (!deliveryLock_) return false;  // deliver all the same, as if alone
  const HANDLE mutex = deliveryLock_.get();
  // Mostly no other copy holds it: taking it at once costs a fraction of a wait that also
  // watches for sent messages. An abandoned lock belonged to a copy that ended in the middle;
  // it is ours now.
  const DWORD taken = ::WaitForSingleObject(mutex, 0);
  if (taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED) return lockHeld_ = true;
  lockHeld_ = Retry({patienceMs, 0}, [&] {
    // The holder may be waiting on this thread: emptying the clipboard tells its previous
    // owner, with a sent message.
    const DWORD result = WaitHandlingSentMessages(1, &mutex, kTurnSliceMs);
    if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED_0) return Attempt::Done;
    return result == WAIT_TIMEOUT || result == WAIT_OBJECT_0 + 1 ? Attempt::Again : Attempt::Fail;
  });
  return lockHeld_;
}

void Win32Platform::ReleaseDeliveryLock() {
  if (!lockHeld_) return;
  ::ReleaseMutex(deliveryLock_.get());
  lockHeld_ = false;
}

}  // namespace sendlark::win32
