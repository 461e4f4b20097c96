#include "platform/win32/win32_platform.h"

#include "app/texts.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/files.h"
#include "platform/win32/locale_text.h"
#include "platform/win32/main_window.h"
#include "platform/win32/program.h"
#include "platform/win32/target_window.h"

namespace sendlark::win32 {

namespace {

HWND ToHwnd(WindowRef window) {
  return reinterpret_cast<HWND>(window);
}
WindowRef ToRef(HWND window) {
  return reinterpret_cast<WindowRef>(window);
}

}  // namespace

HWND Win32Platform::Window() const {
  return window_.Handle();
}

std::wstring Win32Platform::ProgramFolder() {
  return win32::ProgramFolder();
}
std::wstring Win32Platform::CommandLine() {
  return ::GetCommandLineW();
}
bool Win32Platform::AnotherCopyRunning() {
  return win32::AnotherCopyRunning();
}
void Win32Platform::EndProgram(int exitCode) {
  ::ExitProcess(static_cast<UINT>(exitCode));
}

ErrorText Win32Platform::StartProgram(const std::wstring& commandLine) {
  return win32::StartProgram(commandLine);
}

bool Win32Platform::IsExistingFile(const std::wstring& path) {
  return win32::IsExistingFile(path);
}

ErrorText Win32Platform::ReadFileBytes(const std::wstring& path, std::string& bytes) {
  return ReadWholeFile(path, bytes);
}

ErrorText Win32Platform::WriteFileBytes(const std::wstring& path, const std::string& bytes,
                                        bool append) {
  return WriteWholeFile(path, bytes, append);
}

ErrorText Win32Platform::ReplaceFileBytes(const std::wstring& path, const std::string& bytes) {
  return ReplaceWholeFile(path, bytes);
}

std::wstring Win32Platform::FromAnsi(const std::string& bytes) {
  return win32::FromAnsi(bytes);
}
std::string Win32Platform::ToAnsi(const std::wstring& text) {
  return win32::ToAnsi(text);
}
std::wstring Win32Platform::FoldCase(const std::wstring& text) {
  return win32::FoldCase(text);
}

std::optional<double> Win32Platform::ParseNumber(const std::wstring& text) {
  return win32::ParseNumber(text);
}

WindowRef Win32Platform::MainWindow() {
  return ToRef(Window());
}
void Win32Platform::ShowMainWindow() {
  ::ShowWindow(Window(), SW_SHOW);
}
void Win32Platform::HideMainWindow() {
  ::ShowWindow(Window(), SW_HIDE);
}

void Win32Platform::SetTopMost(WindowRef window, bool topmost) {
  ::SetWindowPos(ToHwnd(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
}

void Win32Platform::BeginWindowDrag(WindowRef window) {
  // The press is handed to the system as a press on a title bar: its own moving loop then
  // follows the pointer until the button is let go.
  ::ReleaseCapture();
  ::SendMessageA(ToHwnd(window), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

int Win32Platform::PopupMenu(const std::vector<MenuEntry>& entries) {
  return window_.TrackPopup(entries);
}

void Win32Platform::ShowMessage(const std::wstring& text) {
  // Owned by the strip when it is on screen, so it stays above it; during start-up, while the
  // strip is hidden, it must come to the front by itself.
  const HWND owner = ::IsWindowVisible(Window()) ? Window() : nullptr;
  const UINT style = MB_OK | MB_ICONERROR | MB_SETFOREGROUND |
                     (owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL | MB_TOPMOST);
  // Other copies deliver while the user reads about this one's failure.
  const bool inTurn = turn_.Held();
  turn_.End();
  ::MessageBoxW(owner, text.c_str(), kProgramTitle, style);
  if (inTurn) turn_.Begin();
}

ErrorText Win32Platform::PutClipboardText(const std::wstring& text) {
  return win32::PutClipboardText(Window(), text);
}

WindowRef Win32Platform::FindTargetWindow(const std::wstring& className,
                                          const std::wstring& windowName) {
  return ToRef(win32::FindTargetWindow(className, windowName));
}

bool Win32Platform::ActivateByTitle(const std::wstring& title) {
  return win32::ActivateByTitle(title);
}

ErrorText Win32Platform::SendCommandId(WindowRef target, std::int32_t id) {
  return win32::SendCommandId(ToHwnd(target), id);
}

void Win32Platform::BeginDeliveryTurn() {
  turn_.Begin();
}
void Win32Platform::EndDeliveryTurn() {
  turn_.End();
}

}  // namespace sendlark::win32
