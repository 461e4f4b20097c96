#include "delivery/title_match.h"

namespace sendlark {

std::optional<std::size_t> PickTitleMatch(const std::vector<std::wstring>& titles,
                                          const std::wstring& wanted) {
  for (std::size_t i = 0; i < titles.size(); ++i) {
    if (titles[i] == wanted) return i;
  }
  if (wanted.empty()) return std::nullopt;
  for (std::size_t i = 0; i < titles.size(); ++i) {
    if (titles[i].starts_with(wanted)) return i;
  }
  return std::nullopt;
}

}  // namespace sendlark
