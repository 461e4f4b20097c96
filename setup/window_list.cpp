#include "setup/window_list.h"

#include <initializer_list>

#include "config/text_encoding.h"

namespace sendlark::setup {

namespace {

std::wstring Field(std::wstring text) {
  for (wchar_t& c : text) {
    if (c == L'\t' || c == L'\r' || c == L'\n') c = L' ';
  }
  return text;
}

std::wstring Line(std::initializer_list<std::wstring> fields) {
  std::wstring line;
  for (const std::wstring& field : fields) {
    if (&field != fields.begin()) line += L'\t';
    line += Field(field);
  }
  return line + L"\r\n";
}

}  // namespace

std::string FormatWindowList(const std::vector<TargetRow>& rows) {
  std::wstring text = Line({L"title", L"class", L"program", L"paste", L"hwnd"});
  for (const TargetRow& row : rows) {
    const std::wstring paste = row.paste ? std::to_wstring(row.paste->id) : L"";
    text += Line({row.title, row.className, row.program, paste, HandleText(row.window)});
  }
  return EncodeUnicode(text, FileEncoding::Utf8);
}

}  // namespace sendlark::setup
