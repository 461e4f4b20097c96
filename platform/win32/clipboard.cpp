// Offering a text on the clipboard, and handing it over when a program asks for it; offering it
// anew, and taking it back.
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>

#include "platform/win32/clipboard_session.h"
#include "platform/win32/error_text.h"
#include "platform/win32/retry.h"
#include "platform/win32/win32_platform.h"

namespace sendlark::win32 {

namespace {

constexpr RetryPolicy kClipboardPatience = {kClipboardPatienceMs, 0};
constexpr DWORD kClipboardPauseMs = 10;
// How often the wait for a request looks at the clock; requests themselves wake it at once.
constexpr DWORD kRequestSliceMs = 20;

// Tells old programs that read the ANSI form which code page the system converts it with:
// without it Windows picks the keyboard layout's, which garbles Japanese under an English one.
void PutLocale() {
  const LCID locale = ::GetSystemDefaultLCID();
  PutData(CF_LOCALE, &locale, sizeof locale);
}

// Commands may carry passwords, and Sendlark keeps its own history: the system's clipboard
// history and its cloud clipboard leave them out, and so do clipboard managers that honour one
// of the two older marks. Monitors that read every new text would also read ours before the
// target does. The last mark tells any copy of Sendlark that this is a command text.
void PutMarks() {
  static const UINT marks[] = {
      ::RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"),
      ::RegisterClipboardFormatW(L"Clipboard Viewer Ignore"),
      ::RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"),
      ::RegisterClipboardFormatW(L"CanUploadToCloudClipboard"), CommandTextMark()};
  const DWORD no = 0;
  for (const UINT format : marks) {
    if (format != 0) PutData(format, &no, sizeof no);
  }
}

// Announces the text without its data, for which the result is null even when it worked, then
// its locale and the marks, on the clipboard just emptied.
ErrorText Announce() {
  ::SetLastError(ERROR_SUCCESS);
  ::SetClipboardData(CF_UNICODETEXT, nullptr);
  if (::GetLastError() != ERROR_SUCCESS) return LastErrorText();
  PutLocale();
  PutMarks();
  return std::nullopt;
}

}  // namespace

ClipboardSession::ClipboardSession(HWND owner) {
  open_ = Retry(kClipboardPatience, [&] {
    if (::OpenClipboard(owner)) return Attempt::Done;
    const DWORD error = ::GetLastError();
    WaitHandlingSentMessages(0, nullptr, kClipboardPauseMs);
    ::SetLastError(error);
    return Attempt::Again;
  });
}

ClipboardSession::~ClipboardSession() {
  if (open_) ::CloseClipboard();
}

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

UINT CommandTextMark() {
  static const UINT mark = ::RegisterClipboardFormatW(L"SendlarkCommandText");
  return mark;
}

bool HoldsCommandText() {
  if (::IsClipboardFormatAvailable(CommandTextMark())) return true;
  wchar_t className[std::size(kOwnerClass) + 1] = {};
  const HWND owner = ::GetClipboardOwner();
  return owner != nullptr &&
         ::GetClassNameW(owner, className, static_cast<int>(std::size(className))) > 0 &&
         std::wcscmp(className, kOwnerClass) == 0;
}

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
  OfferAgain();
}

void ClipboardOwner::OfferAgain() {
  pending_ = true;
  request_.reset();
}

std::optional<TextRequest> ClipboardOwner::TakeRequest() {
  return std::exchange(request_, std::nullopt);
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
// if it named one, and its process is noted now, while it is surely there.
void ClipboardOwner::OnRenderRequest() {
  if (!pending_) return;
  const HWND reader = ::GetOpenClipboardWindow();
  DWORD process = 0;
  if (reader != nullptr) ::GetWindowThreadProcessId(reader, &process);
  request_ = TextRequest{ToRef(reader), process};
  PutText();
}

void ClipboardOwner::Withdraw() {
  if (!pending_) return;
  pending_ = false;  // from now on a request gets no text, whether or not emptying works
  const ClipboardSession session(window_);
  if (session.IsOpen() && ::GetClipboardOwner() == window_ && ::EmptyClipboard()) PutMarks();
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

std::uint64_t Win32Platform::NowMs() {
  return ::GetTickCount64();
}

ErrorText Win32Platform::OfferClipboardText(const std::wstring& text) {
  const ClipboardSession session(clipboard_.Window());
  if (!session.IsOpen()) return LastErrorText();
  if (!::EmptyClipboard()) return LastErrorText();
  if (ErrorText error = Announce()) return error;
  clipboard_.Offer(text);
  return std::nullopt;
}

void Win32Platform::ReofferClipboardText() {
  const ClipboardSession session(clipboard_.Window());
  // Only while the clipboard still holds our text: what another program put there since stays.
  if (!session.IsOpen() || ::GetClipboardOwner() != clipboard_.Window() || !::EmptyClipboard()) {
    return;
  }
  if (!Announce()) clipboard_.OfferAgain();
}

void Win32Platform::WithdrawClipboardText() {
  clipboard_.Withdraw();
}

std::optional<TextRequest> Win32Platform::AwaitTextRequest(std::uint32_t patienceMs) {
  const DWORD sliceMs = std::min<DWORD>(kRequestSliceMs, patienceMs);
  Retry({patienceMs, 0}, [&] {
    if (clipboard_.HasRequest()) return Attempt::Done;
    // The request is a sent message; anything posted to the strip waits until the delivery ends.
    WaitHandlingSentMessages(0, nullptr, sliceMs);
    return clipboard_.HasRequest() ? Attempt::Done : Attempt::Again;
  });
  return clipboard_.TakeRequest();
}

}  // namespace sendlark::win32
