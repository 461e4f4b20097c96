// Helpers for tests that run the real programs under Windows (or Wine): folders, processes,
// windows and message boxes of other processes.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sendlark::harness {

std::string Utf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
// Text in the system's ANSI code page, as Sendlark's files are.
std::string Ansi(const std::wstring& text);

// The folder holding the running test program, and the programs built beside it.
std::wstring BinFolder();

// Polls `condition` until it holds or the time is up; true when it held.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
  void Write(const std::wstring& name, const std::string& bytes) const;
  std::string Read(const std::wstring& name) const;
  bool Exists(const std::wstring& name) const;

 private:
  std::wstring path_;
};

// A started process, ended in the destructor if still running.
class Process {
 public:
  Process(const std::wstring& commandLine, const std::wstring& folder);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  DWORD Id() const { return id_; }
  bool Running() const;
  // The exit code once the process has ended within the time, or nothing.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(10));

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// A top-level window of the process with this class, or null.
HWND FindProcessWindow(DWORD processId, const std::wstring& className, bool visibleOnly = true);

// The text a window shows (its title for a top-level window).
std::wstring WindowText(HWND window);

struct MessageBoxView {
  HWND window;
  std::wstring title;
  std::wstring text;
};

// The message box the process shows, waited for.
std::optional<MessageBoxView> WaitForMessageBox(
    DWORD processId, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Presses the message box's OK button and waits until it is gone.
void PressOk(const MessageBoxView& box);

// Runs xdotool on the X display Wine draws on (real pointer and keyboard input) and waits
// for it; e.g. Xdotool(L"mousemove 10 20 click 1").
void Xdotool(const std::wstring& arguments);

// The colours of a rectangle of the screen, row by row, as RGB triples in COLORREFs.
std::vector<COLORREF> CaptureScreen(const RECT& area);

// The Unicode text on the clipboard, read as any program reads it, opened through `window`.
std::wstring ClipboardText(HWND window = nullptr);
// Puts these formats on the clipboard, as the user copying in another program would; each
// format's bytes are its memory.
void PutClipboard(const std::vector<std::pair<UINT, std::string>>& formats);
void PutClipboardText(const std::wstring& text);

// The texts the recorder target has pasted, in order.
std::vector<std::wstring> ReadRecords(const std::wstring& file);

}  // namespace sendlark::harness
