// The platform the program runs on: Windows.
#pragma once

#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/delivery_turn.h"

namespace sendlark::win32 {

class MainWindow;

class Win32Platform final : public Platform {
 public:
  explicit Win32Platform(win32::MainWindow& window) : window_(window) {}

  std::wstring ProgramFolder() override;
  std::wstring CommandLine() override;
  bool AnotherCopyRunning() override;
  [[noreturn]] void EndProgram(int exitCode) override;
  ErrorText StartProgram(const std::wstring& commandLine) override;
  bool IsExistingFile(const std::wstring& path) override;
  ErrorText ReadFileBytes(const std::wstring& path, std::string& bytes) override;
  ErrorText WriteFileBytes(const std::wstring& path, const std::string& bytes,
                           bool append) override;
  ErrorText ReplaceFileBytes(const std::wstring& path, const std::string& bytes) override;
  std::wstring FromAnsi(const std::string& bytes) override;
  std::string ToAnsi(const std::wstring& text) override;
  std::wstring FoldCase(const std::wstring& text) override;
  std::optional<double> ParseNumber(const std::wstring& text) override;
  WindowRef MainWindow() override;
  void ShowMainWindow() override;
  void HideMainWindow() override;
  void SetTopMost(WindowRef window, bool topmost) override;
  void BeginWindowDrag(WindowRef window) override;
  int PopupMenu(const std::vector<MenuEntry>& entries) override;
  void ShowMessage(const std::wstring& text) override;
  ErrorText PutClipboardText(const std::wstring& text) override;
  WindowRef FindTargetWindow(const std::wstring& className,
                             const std::wstring& windowName) override;
  bool ActivateByTitle(const std::wstring& title) override;
  ErrorText SendCommandId(WindowRef target, std::int32_t id) override;
  void BeginDeliveryTurn() override;
  void EndDeliveryTurn() override;

 private:
  HWND Window() const;
  win32::MainWindow& window_;
  DeliveryTurn turn_;
};

}  // namespace sendlark::win32
