// Putting text on the clipboard, and handing it over when a program asks for it; copying what
// the clipboard holds, and putting such a copy back.
#include <algorithm>
#include <cstring>
#include <new>

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

// Every command text carries it, so that no copy of Sendlark takes one for the user's clipboard.
UINT CommandTextMark() {
  static const UINT mark = ::RegisterClipboardFormatW(L"SendlarkCommandText");
  return mark;
}

// The system makes each form of a text, of a picture and of a metafile from another, and lists
// the forms it makes after the one a program put.
int Family(UINT format) {
  switch (format) {
    case CF_UNICODETEXT:
    case CF_TEXT:
    case CF_OEMTEXT:
      return 1;
    case CF_DIB:
    case CF_DIBV5:
    case CF_BITMAP:
    case CF_PALETTE:
      return 2;
    case CF_ENHMETAFILE:
    case CF_METAFILEPICT:
      return 3;
    default:
      return 0;
  }
}

bool Derived(UINT format, const std::vector<UINT>& listed) {
  const int family = Family(format);
  const auto kin = [&](UINT other) { return other != CF_PALETTE && Family(other) == family; };
  // A DIB holds its colours: the system makes the palette from it.
  if (format == CF_PALETTE) return std::any_of(listed.begin(), listed.end(), kin);
  return family != 0 && *std::find_if(listed.begin(), listed.end(), kin) != format;
}

// Data the system hands to other programs as memory: not a GDI object or a metafile, nor a handle
// that means something only to the program that put it there.
bool IsMemory(UINT format) {
  constexpr UINT kHandles[] = {CF_BITMAP,          CF_METAFILEPICT,  CF_PALETTE,
                               CF_ENHMETAFILE,     CF_OWNERDISPLAY,  CF_DSPBITMAP,
                               CF_DSPMETAFILEPICT, CF_DSPENHMETAFILE};
  return std::find(std::begin(kHandles), std::end(kHandles), format) == std::end(kHandles) &&
         (format < CF_PRIVATEFIRST || format > CF_GDIOBJLAST);
}

// One format's data as bytes: memory as it is, a bitmap as the DIB the system makes of it (and
// makes it again from), an enhanced metafile as its records. Nothing when its owner does not
// hand it over (hung, or gone), or when it is a handle that cannot be copied.
std::optional<ClipboardCopy::Format> CopyFormat(UINT format) {
  if (format == CF_BITMAP) format = CF_DIB;
  if (format == CF_ENHMETAFILE) {
    const auto picture = static_cast<HENHMETAFILE>(::GetClipboardData(format));
    std::string bytes(picture != nullptr ? ::GetEnhMetaFileBits(picture, 0, nullptr) : 0, '\0');
    const auto size = static_cast<UINT>(bytes.size());
    if (size == 0 ||
        ::GetEnhMetaFileBits(picture, size, reinterpret_cast<BYTE*>(bytes.data())) != size) {
      return std::nullopt;
    }
    return ClipboardCopy::Format{format, std::move(bytes)};
  }
  const HANDLE data = IsMemory(format) ? ::GetClipboardData(format) : nullptr;
  std::string bytes(data != nullptr ? ::GlobalSize(data) : 0, '\0');
  const void* memory = data != nullptr ? ::GlobalLock(data) : nullptr;
  if (memory == nullptr) return std::nullopt;
  std::memcpy(bytes.data(), memory, bytes.size());
  ::GlobalUnlock(data);
  return ClipboardCopy::Format{format, std::move(bytes)};
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
  const DWORD mark = 0;
  PutData(CommandTextMark(), &mark, sizeof mark);
  return std::nullopt;
}

// Only a copy of the whole content is of use: a part put back would lose the rest.
ClipboardCopy Win32Platform::CopyClipboard() {
  const ClipboardSession session(clipboard_.Window());
  if (!session.IsOpen()) return {.kind = ClipboardCopy::Kind::Incomplete};
  if (::IsClipboardFormatAvailable(CommandTextMark()))
    return {.kind = ClipboardCopy::Kind::CommandText};
  std::vector<UINT> listed;
  for (UINT format = ::EnumClipboardFormats(0); format != 0;
       format = ::EnumClipboardFormats(format)) {
    listed.push_back(format);
  }
  ClipboardCopy copy;
  try {
    for (const UINT format : listed) {
      if (Derived(format, listed)) continue;
      std::optional<ClipboardCopy::Format> copied = CopyFormat(format);
      if (!copied) return {.kind = ClipboardCopy::Kind::Incomplete};
      copy.formats.push_back(std::move(*copied));
    }
  } catch (const std::bad_alloc&) {
    // Content too large to hold beside ours is as good as not handed over: the delivery goes on.
    return {.kind = ClipboardCopy::Kind::Incomplete};
  }
  return copy;
}

bool Win32Platform::OwnsClipboard() {
  return ::GetClipboardOwner() == clipboard_.Window();
}

void Win32Platform::RestoreClipboard(const ClipboardCopy& copy) {
  struct Ready {
    UINT format;
    UniqueGlobal memory;
    UniqueEnhMetaFile picture;
  };
  // Every format is made ready before the clipboard is emptied, so that none is missing after.
  std::vector<Ready> ready;
  for (const ClipboardCopy::Format& format : copy.formats) {
    Ready& data = ready.emplace_back(format.id);
    if (format.id == CF_ENHMETAFILE) {
      data.picture.reset(::SetEnhMetaFileBits(static_cast<UINT>(format.bytes.size()),
                                              reinterpret_cast<const BYTE*>(format.bytes.data())));
    } else {
      data.memory = GlobalCopy(format.bytes.data(), format.bytes.size());
    }
    if (!data.memory && !data.picture) return;
  }
  const ClipboardSession session(clipboard_.Window());
  // Another program may have put something there since the run's last item.
  if (!session.IsOpen() || ::GetClipboardOwner() != clipboard_.Window() || !::EmptyClipboard()) {
    return;
  }
  for (Ready& data : ready) {
    const HANDLE handle =
        data.picture ? static_cast<HANDLE>(data.picture.get()) : data.memory.get();
    if (::SetClipboardData(data.format, handle) != nullptr) {
      data.memory.release();
      data.picture.release();
    }
  }
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
