#include "platform/win32/setup/script_output.h"

#include <windows.h>

#include <climits>

#include "platform/win32/unique_handle.h"

namespace sendlark::win32 {

namespace {

// A console takes the text as it is; a file or a pipe gets it as UTF-8, which holds every
// character whatever the code page of whoever reads it.
bool WriteText(HANDLE stream, const std::wstring& text) {
  if (stream == nullptr || stream == INVALID_HANDLE_VALUE) return false;
  if (::GetFileType(stream) == FILE_TYPE_UNKNOWN || text.size() > INT_MAX / 3) return false;
  DWORD done = 0;
  DWORD mode = 0;
  if (::GetConsoleMode(stream, &mode)) {
    return ::WriteConsoleW(stream, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
  }
  const int size = static_cast<int>(text.size());
  std::string bytes(static_cast<std::size_t>(size) * 3, '\0');
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, nullptr);
  return ::WriteFile(stream, bytes.data(), static_cast<DWORD>(length), &done, nullptr) &&
         done == static_cast<DWORD>(length);
}

}  // namespace

void ReportToUser(const std::wstring& text, const std::wstring& title) {
  const std::wstring line = text + L"\r\n";
  if (WriteText(::GetStdHandle(STD_ERROR_HANDLE), line)) return;
  // A program with windows started from a command prompt gets no standard streams of its own,
  // but may write to the prompt's console.
  if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
    const UniqueFile console(::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
    if (WriteText(console.get(), line)) return;
  }
  ::MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

}  // namespace sendlark::win32
