// A stand-in target application for end-to-end tests. It opens a visible top-level window
// with the class and title given on its command line and, each time it receives WM_COMMAND
// with its paste identifier, appends the clipboard's Unicode text to a record file as UTF-8,
// each record followed by a NUL byte.
//
//   recorder.exe <class> <title> <paste id> <record file> [<delay ms> [<mode>]]
//
// With a delay it waits that long before reading the clipboard, like a slow application. Mode
// "minimised" starts it minimised; "close-on-activate" starts it minimised and closes it the
// moment it is brought to the front, like a program the user quits between the search for its
// window and the paste. "later" answers the command at once and reads the clipboard from a
// timer, the delay after it; "never" answers it and never reads, like a wrong paste number.
// Ctrl+V and Shift+Insert read and record the clipboard too. Mode "edit" gives the window an
// edit control with the focus and nothing else, like a dialog with one field: only the control
// pastes, and what it holds is its text; with a delay the window keeps the focus that long before
// it hands it to the field, like a frame slow to come forward. "rich-edit" is the same with a
// rich edit control. "shift-insert" is a terminal: it pastes on Shift+Insert alone, and records
// the control character that Ctrl+V types. "copy" copies "copied by the target" once it has
// pasted the first time. "twice" reads during the command and once more the delay after it, as
// programs that look at the clipboard before they read it for real. "slow-once" waits the delay
// only before its first read.
// Started without arguments it only leaves a file "launched.txt" beside itself, so a test can
// tell which program a command line really started.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <cstring>
#include <string>
#include <utility>

namespace {

struct Options {
  std::wstring className;
  std::wstring title;
  WPARAM pasteId = 0;
  std::wstring recordFile;
  DWORD delayMs = 0;
  bool minimised = false;
  bool closeOnActivate = false;
  bool later = false;
  bool never = false;
  bool edit = false;
  bool richEdit = false;
  bool terminal = false;
  bool copy = false;
  bool twice = false;
  bool slowOnce = false;
};

constexpr UINT_PTR kLaterTimer = 1;
int g_laterReads = 0;   // commands whose read is still to come
HWND g_edit = nullptr;  // in modes "edit" and "rich-edit"

Options g_options;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

std::wstring ClipboardText(HWND window) {
  std::wstring text;
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (OpenClipboard(window)) break;
    Sleep(10);
  }
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void Copy(HWND window, const std::wstring& text) {
  const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  memcpy(GlobalLock(memory), text.c_str(), size);
  GlobalUnlock(memory);
  OpenClipboard(window);
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

void Record(const std::wstring& text) {
  FILE* file = _wfopen(g_options.recordFile.c_str(), L"ab");
  if (file == nullptr) return;
  const std::string bytes = Utf8(text);
  fwrite(bytes.data(), 1, bytes.size(), file);
  fputc('\0', file);
  fclose(file);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && wParam == g_options.pasteId && !g_options.edit) {
    if (g_options.never) return 0;
    if (g_options.later || g_options.twice) {
      if (g_options.twice) Record(ClipboardText(window));
      if (g_laterReads++ == 0) SetTimer(window, kLaterTimer, g_options.delayMs, nullptr);
      return 0;
    }
    if (g_options.delayMs > 0)
      Sleep(std::exchange(g_options.delayMs, g_options.slowOnce ? 0 : g_options.delayMs));
    Record(ClipboardText(window));
    if (std::exchange(g_options.copy, false)) Copy(window, L"copied by the target");
    return 0;
  }
  if (message == WM_SETFOCUS && g_edit != nullptr) {  // as a dialog hands it to its field
    Sleep(g_options.delayMs);
    SetFocus(g_edit);
    return 0;
  }
  const bool shortcut = (wParam == 'V' && GetKeyState(VK_CONTROL) < 0 && !g_options.terminal) ||
                        (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0);
  if (message == WM_KEYDOWN && shortcut) {
    Record(ClipboardText(window));
    return 0;
  }
  if (message == WM_CHAR && g_options.terminal && wParam < L' ') {
    Record(std::wstring(1, static_cast<wchar_t>(wParam)));
    return 0;
  }
  if (message == WM_TIMER && wParam == kLaterTimer) {
    if (--g_laterReads == 0) KillTimer(window, kLaterTimer);
    Record(ClipboardText(window));
    return 0;
  }
  if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && g_options.closeOnActivate) {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return 2;
  if (count < 5) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring marker = self;
    marker = marker.substr(0, marker.find_last_of(L"\\") + 1) + L"launched.txt";
    FILE* file = _wfopen(marker.c_str(), L"wb");
    if (file != nullptr) fclose(file);
    return 0;
  }
  g_options.className = arguments[1];
  g_options.title = arguments[2];
  g_options.pasteId = static_cast<WPARAM>(std::wcstoul(arguments[3], nullptr, 10));
  g_options.recordFile = arguments[4];
  if (count > 5) g_options.delayMs = static_cast<DWORD>(std::wcstoul(arguments[5], nullptr, 10));
  const auto mode = [&](const wchar_t* name) {
    return count > 6 && std::wcscmp(arguments[6], name) == 0;
  };
  g_options.closeOnActivate = mode(L"close-on-activate");
  g_options.later = mode(L"later");
  g_options.never = mode(L"never");
  g_options.richEdit = mode(L"rich-edit");
  g_options.edit = mode(L"edit") || g_options.richEdit;
  g_options.terminal = mode(L"shift-insert");
  g_options.copy = mode(L"copy");
  g_options.twice = mode(L"twice");
  g_options.slowOnce = mode(L"slow-once");
  g_options.minimised = g_options.closeOnActivate || mode(L"minimised");
  LocalFree(arguments);

  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = g_options.className.c_str();
  RegisterClassW(&windowClass);
  HWND window =
      CreateWindowExW(0, g_options.className.c_str(), g_options.title.c_str(), WS_OVERLAPPEDWINDOW,
                      200, 200, 300, 200, nullptr, nullptr, instance, nullptr);
  if (g_options.edit) {
    if (g_options.richEdit) LoadLibraryW(L"msftedit.dll");
    g_edit = CreateWindowExW(0, g_options.richEdit ? L"RICHEDIT50W" : L"EDIT", L"",
                             WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 280, 150, window, nullptr,
                             instance, nullptr);
  }
  ShowWindow(window, g_options.minimised ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
