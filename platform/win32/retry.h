// Waiting for something another program holds: the one loop behind every wait of the Windows
// layer.
#pragma once

#include <windows.h>

namespace sendlark::win32 {

// How long to keep trying, and how long to pause between attempts. Which failures are worth
// another attempt is for each attempt to say.
struct RetryPolicy {
  DWORD patienceMs;  // no attempt starts once this long has passed since the first
  DWORD pauseMs;     // between two attempts; 0 for an attempt that itself waits
};

enum class Attempt {
  Done,   // it worked
  Again,  // refused for a reason that passes (another program holds what we need)
  Fail,   // refused for good
};

// Calls `attempt` until it is done or fails for good, or the policy's patience runs out. True
// when it was done. The thread's last error is the one the last attempt left.
template <typename AttemptFn>
bool Retry(const RetryPolicy& policy, AttemptFn attempt) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    const Attempt result = attempt();
    if (result == Attempt::Done) return true;
    const DWORD error = ::GetLastError();
    if (result == Attempt::Fail || ::GetTickCount() - start >= policy.patienceMs) {
      ::SetLastError(error);
      return false;
    }
    if (policy.pauseMs > 0) ::Sleep(policy.pauseMs);
  }
}

// Waits up to `ms` for one of `handles`, meanwhile handling only the messages other threads send
// to this one (another program reading our clipboard, say), never what is posted. Returns as
// MsgWaitForMultipleObjects does; WAIT_OBJECT_0 + count when sent messages were handled.
inline DWORD WaitHandlingSentMessages(DWORD count, const HANDLE* handles, DWORD ms) {
  const DWORD result = ::MsgWaitForMultipleObjects(count, handles, FALSE, ms, QS_SENDMESSAGE);
  if (result == WAIT_OBJECT_0 + count) {
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  return result;
}

}  // namespace sendlark::win32
