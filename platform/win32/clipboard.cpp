#include "platform/win32/clipboard.h"

#include <cstring>

#include "platform/win32/error_text.h"
#include "platform/win32/unique_handle.h"

namespace sendlark::win32 {

namespace {

constexpr DWORD kOpenAttemptMs = 10;
// Another program may hold the clipboard for a while (a clipboard manager, a remote desktop
// copying it over); a delivery waits as long as it would for a slow target.
constexpr DWORD kOpenPatienceMs = 5000;

UniqueGlobal GlobalCopy(const void* data, std::size_t size) {
  UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, size));
  if (!memory) return memory;
  void* target = ::GlobalLock(memory.get());
  if (target == nullptr) return UniqueGlobal();
  std::memcpy(target, data, size);
  ::GlobalUnlock(memory.get());
  return memory;
}

// Tells old programs that read the ANSI form which code page the system converts it with:
// without it Windows picks the keyboard layout's, which garbles Japanese under an English one.
void PutLocale() {
  const LCID locale = ::GetSystemDefaultLCID();
  UniqueGlobal memory = GlobalCopy(&locale, sizeof locale);
  if (memory && ::SetClipboardData(CF_LOCALE, memory.get()) != nullptr) memory.release();
}

}  // namespace

ClipboardSession::ClipboardSession(HWND owner) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    open_ = ::OpenClipboard(owner) != FALSE;
    if (open_ || ::GetTickCount() - start >= kOpenPatienceMs) return;
    ::Sleep(kOpenAttemptMs);
  }
}

ClipboardSession::~ClipboardSession() {
  if (open_) ::CloseClipboard();
}

ErrorText PutClipboardText(HWND owner, const std::wstring& text) {
  ClipboardSession session(owner);
  if (!session.IsOpen()) return LastErrorText();
  if (!::EmptyClipboard()) return LastErrorText();
  UniqueGlobal memory = GlobalCopy(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  if (!memory) return LastErrorText();
  if (::SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return LastErrorText();
  memory.release();  // the clipboard owns it now
  PutLocale();
  return std::nullopt;
}

}  // namespace sendlark::win32
