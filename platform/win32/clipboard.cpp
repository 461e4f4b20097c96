// Putting text on the clipboard.
#include <cstring>

#include "platform/win32/error_text.h"
#include "platform/win32/retry.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"

namespace sendlark::win32 {

namespace {

// Another program may hold the clipboard for a while (a clipboard manager, a remote desktop
// copying it over); a delivery waits as long as it would for a slow target.
constexpr RetryPolicy kClipboardPatience = {5000, 10};

// Opens the clipboard for one operation and closes it when it goes out of scope.
class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) {
    open_ = Retry(kClipboardPatience,
                  [&] { return ::OpenClipboard(owner) ? Attempt::Done : Attempt::Again; });
  }
  ~ClipboardSession() {
    if (open_) ::CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;

  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

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

// Replaces the clipboard's content with the text as Unicode text, owned by the program's
// window.
ErrorText Win32Platform::PutClipboardText(const std::wstring& text) {
  ClipboardSession session(Window());
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
