#include "config/text_util.h"

namespace sendlark {

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
  if (from.empty()) return std::wstring(text);
  std::wstring result;
  result.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t hit = text.find(from); hit != std::wstring_view::npos;
       hit = text.find(from, start)) {
    result.append(text.substr(start, hit - start));
    result.append(to);
    start = hit + from.size();
  }
  result.append(text.substr(start));
  return result;
}

std::wstring TextLines(std::wstring_view fileText) {
  std::wstring lines;
  lines.reserve(fileText.size() + fileText.size() / 16 + 2);
  std::size_t start = 0;
  while (start < fileText.size()) {
    std::size_t cr = fileText.find(L'\r', start);
    if (cr == fileText.npos) cr = fileText.size();
    lines.append(fileText.substr(start, cr - start)).append(kCrLf);
    start = cr + 1;
    if (start < fileText.size() && fileText[start] == L'\n') ++start;
  }
  return lines;
}

std::wstring CutToShow(const std::wstring& text, std::size_t most) {
  if (text.size() <= most || most == 0) return text;
  std::size_t cut = most - 1;
  if (text[cut] >= 0xDC00 && text[cut] <= 0xDFFF) --cut;
  return text.substr(0, cut) + L"…";
}

}  // namespace sendlark
