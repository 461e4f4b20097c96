// Putting text on the clipboard, and handing it over when a program asks for it.
#include <cstring>

#include "platform/win32/error_text.h"
#include "platform/win32/retry.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"

namespace sendlark::win32 {

namespace {

// Another program may hold the clipboard for a while (a clipboard manager, a remote desktop
// copying it over); a delivery waits as long as it would for a slow target.
constexpr RetryPolicy kClipboardPatience = {5000, 0};
constexpr DWORD kClipboardPauseMs = 10;
// How often the wait for a request looks at the clock; requests themselves wake it at once.
constexpr DWORD kRequestSliceMs = 20;
constexpr wchar_t kOwnerClass[] = L"SendlarkClipboardOwner";

// Opens the clipboard for one operation and closes it when it goes out of scope.
class ClipboardSession {
 public:
  // The program that holds the clipboard open may be asking for our own text meanwhile, and
  // would wait for it as long as we wait for the clipboard: the wait serves it.
  explicit ClipboardSession(HWND owner) {
    open_ = Retry(kClipboardPatience, [&] {
      if (::OpenClipboard(owner)) return Attempt::Done;
      const DWORD error = ::GetLastError();
      WaitHandlingSentMessages(0, nullptr, kClipboardPauseMs);
      ::SetLastError(error);
      return Attempt::Again;
    });
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

void PutData(UINT format, const void* data, std::size_t size) {
  UniqueGlobal memory = GlobalCopy(data, size);
  if (memory && ::SetClipboardData(format, memory.get()) != nullptr) memory.release();
}

// Tells old programs that read the ANSI form which code page the system converts it with:
// without it Windows picks the keyboard layout's, which garbles Japanese under an English one.
void PutLocale() {
  const LCID locale = ::GetSystemDefaultLCID();
  PutData(CF_LOCALE, &locale, sizeof locale);
}

// Commands may carry passwords, and Sendlark keeps its own history: the system's clipboard
// history and its cloud clipboard leave them out, and so do clipboard managers that honour the
// mark. Monitors that read every new text would also read ours before the target does.
void PutKeepOutMarks() {
  static const UINT marks[] = {
      ::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"),
      ::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"),
      ::RegisterClipboardFormatW(L"CanUploadToCloudClipboard")};
  const DWORD no = 0;
  for (const UINT format : marks) {
    if (format != 0) PutData(format, &no, sizeof no);
  }
}

}  // namespace

ClipboardOwner::~ClipboardOwner() {
  HandOver();
}

HWND ClipboardOwner::Window() {
  if (window_ != nullptr) return window_;
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kOwnerClass;
  ::RegisterClassExW(&windowClass);  // fails harmlessly when a second owner registers it again
  // A message-only window: never shown, never listed among other programs' windows.
  Create(instance, kOwnerClass, L"", 0, 0, 0, 0, 0, 0, HWND_MESSAGE);
  return window_;
}

void ClipboardOwner::Offer(std::wstring text) {
  text_ = std::move(text);
  pending_ = true;
  request_.reset();
}

LRESULT ClipboardOwner::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_RENDERFORMAT:
      if (wParam == CF_UNICODETEXT) OnRenderRequest();
      return 0;
    case WM_RENDERALLFORMATS:  // the window is destroyed while it still owns the clipboard
      HandOver();
      return 0;
    case WM_DESTROYCLIPBOARD:  // the text is gone from the clipboard
      pending_ = false;
      return 0;
    default:
      return ::DefWindowProcW(window_, message, wParam, lParam);
  }
}

// A program reads the text: the window through which it opened the clipboard tells who it is,
// if it named one.
void ClipboardOwner::OnRenderRequest() {
  if (!pending_) return;
  request_ = TextRequest{ToRef(::GetOpenClipboardWindow())};
  PutText();
}

void ClipboardOwner::Withdraw() {
  if (!pending_) return;
  pending_ = false;  // from now on a request gets no text, whether or not emptying works
  const ClipboardSession session(window_);
  if (session.IsOpen() && ::GetClipboardOwner() == window_) ::EmptyClipboard();
}

void ClipboardOwner::HandOver() {
  if (!pending_ || window_ == nullptr) return;
  const ClipboardSession session(window_);
  // Another program may have emptied the clipboard since the text was offered.
  if (session.IsOpen() && ::GetClipboardOwner() == window_) PutText();
}

void ClipboardOwner::PutText() {
  PutData(CF_UNICODETEXT, text_.c_str(), (text_.size() + 1) * sizeof(wchar_t));
  pending_ = false;
}

// Replaces the clipboard's content with the text as Unicode text, to be handed over when it is
// asked for: the request then tells who read it, and when.
ErrorText Win32Platform::PutClipboardText(const std::wstring& text) {
  const ClipboardSession session(clipboard_.Window());
  if (!session.IsOpen()) return LastErrorText();
  if (!::EmptyClipboard()) return LastErrorText();
  // Announced without data, for which the result is null even when it worked.
  ::SetLastError(ERROR_SUCCESS);
  ::SetClipboardData(CF_UNICODETEXT, nullptr);
  if (::GetLastError() != ERROR_SUCCESS) return LastErrorText();
  clipboard_.Offer(text);
  PutLocale();
  PutKeepOutMarks();
  return std::nullopt;
}

void Win32Platform::WithdrawClipboardText() {
  clipboard_.Withdraw();
}

std::optional<TextRequest> Win32Platform::AwaitTextRequest(std::uint32_t patienceMs) {
  Retry({patienceMs, 0}, [&] {
    if (clipboard_.FirstRequest()) return Attempt::Done;
    // The request is a sent message; anything posted to the strip waits until the delivery ends.
    WaitHandlingSentMessages(0, nullptr, kRequestSliceMs);
    return clipboard_.FirstRequest() ? Attempt::Done : Attempt::Again;
  });
  return clipboard_.FirstRequest();
}

std::uint32_t Win32Platform::ProcessOf(WindowRef window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(ToHwnd(window), &process);
  return process;
}

}  // namespace sendlark::win32
