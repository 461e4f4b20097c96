// Conversions that follow the system's locale: the ANSI code page, letter case, numbers.
#include <windows.h>
#include <oleauto.h>

#include <climits>

#include "platform/win32/win32_platform.h"

namespace sendlark::win32 {

namespace {

// The Win32 conversion functions take int lengths.
bool FitsInt(std::size_t size) {
  return size <= static_cast<std::size_t>(INT_MAX);
}

}  // namespace

std::wstring Win32Platform::FromAnsi(const std::string& bytes) {
  if (bytes.empty() || !FitsInt(bytes.size())) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length);
  return text;
}

std::optional<std::string> Win32Platform::ToAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  if (!FitsInt(text.size())) return std::nullopt;
  const int size = static_cast<int>(text.size());
  // Without best fit a character the code page lacks becomes the default character, and the
  // flag says so. A system whose ANSI code page is UTF-8 takes neither, and loses nothing but
  // unpaired surrogates, which the way back shows.
  const bool utf8 = ::GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* const defaultFlag = utf8 ? nullptr : &usedDefault;
  const int length =
      ::WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, defaultFlag);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_ACP, flags, text.data(), size, bytes.data(), length, nullptr,
                        defaultFlag);
  if (usedDefault || FromAnsi(bytes) != text) return std::nullopt;
  return bytes;
}

// Upper case by the user's locale; the text unchanged if that would change its length.
std::wstring Win32Platform::FoldCase(const std::wstring& text) {
  if (text.empty() || !FitsInt(text.size())) return text;
  const int size = static_cast<int>(text.size());
  std::wstring folded(text.size(), L'\0');
  const int length = ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING,
                                    text.data(), size, folded.data(), size);
  return length == size ? folded : text;
}

// Numbers as the user's locale writes them, decimal and thousands separators included.
std::optional<double> Win32Platform::ParseNumber(const std::wstring& text) {
  double value = 0;
  std::wstring buffer = text;  // the declaration takes a non-const string, though it only reads
  if (FAILED(::VarR8FromStr(buffer.data(), LOCALE_USER_DEFAULT, 0, &value))) return std::nullopt;
  return value;
}

}  // namespace sendlark::win32
