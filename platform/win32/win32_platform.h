// The platform the program runs on: Windows, one concern per file of this folder.
#pragma once

#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/clipboard_owner.h"
#include "platform/win32/unique_handle.h"

namespace sendlark::win32 {

class Win32Platform final : public Platform {
 public:
  // `window` is the program's window and the owner of message boxes, which bear `title`.
  explicit Win32Platform(HWND window = nullptr, std::wstring title = {})
      : window_(window), title_(std::move(title)) {}

  std::wstring ProgramFolder() override;
  std::wstring CommandLine() override;
  bool AnotherCopyRunning() override;
  [[noreturn]] void Exit(int exitCode) override;
  ErrorText StartProgram(const ProgramStart& start) override;
  bool IsExistingFile(const std::wstring& path) override;
  std::optional<FileIdentity> IdentifyFile(const std::wstring& path) override;
  bool IsMissingFile(const std::wstring& path) override;
  FileRead ReadFileBytes(const std::wstring& path, std::uint64_t maxBytes) override;
  ErrorText ReplaceFileBytes(const std::wstring& path, const std::string& bytes,
                             bool flush = false) override;
  void RemoveStaleReplacements(const std::wstring& path) override;
  std::wstring FromAnsi(const std::string& bytes) override;
  std::optional<std::string> ToAnsi(const std::wstring& text) override;
  std::wstring FoldCase(const std::wstring& text) override;
  std::optional<double> ParseNumber(const std::wstring& text) override;
  WindowRef MainWindow() override;
  void ShowMainWindow() override;
  void HideMainWindow() override;
  void SetAlwaysOnTop(WindowRef window, bool onTop) override;
  void BeginWindowDrag(WindowRef window) override;
  int PopupMenu(const std::vector<MenuEntry>& entries) override;
  void ShowMessage(const std::wstring& text) override;
  WindowRef ForegroundWindow() override;
  ErrorText RegisterHotKey(const HotKey& hotKey) override;
  void UnregisterHotKey() override;
  std::uint64_t NowMs() override;
  ErrorText OfferClipboardText(const std::wstring& text) override;
  void ReofferClipboardText() override;
  void WithdrawClipboardText() override;
  std::optional<TextRequest> AwaitTextRequest(std::uint32_t patienceMs) override;
  ClipboardCopy CopyClipboard() override;
  bool OwnsClipboard() override;
  void RestoreClipboard(const ClipboardCopy& copy) override;
  TargetWindow FindTargetWindow(const std::wstring& className,
                                const std::wstring& windowName) override;
  std::vector<TargetWindow> WindowsOfClass(const std::wstring& className) override;
  bool ActivateByTitle(const std::wstring& title) override;
  void ActivateWindow(WindowRef window) override;
  CommandOutcome SendCommandId(WindowRef target, std::int32_t id) override;
  CommandOutcome SendPasteMessage(WindowRef target) override;
  KeyPress PressPasteKeys(WindowRef target, PasteRoute keys) override;
  bool AcquireDeliveryLock(std::uint32_t patienceMs) override;
  void ReleaseDeliveryLock() override;

 private:
  HWND window_;
  std::wstring title_;
  ClipboardOwner clipboard_;
  UniqueWindow restoredOwner_;        // of the user's content put back, created on first use
  UniqueKernelHandle instanceClaim_;  // held until the process ends
  UniqueKernelHandle deliveryLock_;
  bool lockHeld_ = false;
};

// The whole text that `read(buffer, size)` writes into a buffer of `size` characters, returning
// its length: a text that fills the buffer may have been cut, and is read again into one twice
// as large.
template <typename Read>
std::wstring ReadWholeText(Read read) {
  for (std::wstring text(256, L'\0');; text.assign(text.size() * 2, L'\0')) {
    const auto length =
        static_cast<std::size_t>(read(text.data(), static_cast<DWORD>(text.size())));
    if (length + 1 < text.size()) {
      text.resize(length);
      return text;
    }
  }
}

// The window's whole title. For another process's window this reads the title the system
// keeps, without a message to that process, so a hung program cannot stall the caller.
std::wstring TitleOf(HWND window);

// The visible top-level windows of other processes, front to back.
std::vector<HWND> OtherVisibleWindows();

inline HWND ToHwnd(WindowRef window) {
  return reinterpret_cast<HWND>(window);
}
inline WindowRef ToRef(HWND window) {
  return reinterpret_cast<WindowRef>(window);
}

}  // namespace sendlark::win32
