#include "setup/setup_texts.h"

#include <vector>

namespace sendlark::setup {

std::wstring Fill(std::wstring_view pattern, std::initializer_list<std::wstring_view> arguments) {
  const std::vector<std::wstring_view> values(arguments);
  std::wstring text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const wchar_t next = i + 1 < pattern.size() ? pattern[i + 1] : L'\0';
    const std::size_t index = static_cast<std::size_t>(next - L'1');
    if (pattern[i] == L'%' && next >= L'1' && next <= L'9' && index < values.size()) {
      text += values[index];
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace sendlark::setup
