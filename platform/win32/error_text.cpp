#include "platform/win32/error_text.h"

namespace sendlark::win32 {

std::wstring ErrorDescription(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (length != 0 && buffer != nullptr) text.assign(buffer, length);
  ::LocalFree(buffer);
  text.erase(text.find_last_not_of(L"\r\n ") + 1);
  // Some codes have no text of their own; the number still tells a support desk what happened.
  if (text.empty()) text = L"Error " + std::to_wstring(error);
  return text;
}

std::wstring LastErrorText() {
  return ErrorDescription(::GetLastError());
}

}  // namespace sendlark::win32
