#include "delivery/title_match.h"

namespace sendlark {

bool TitleMatches(TitleMatch match, const std::wstring& wanted, const std::wstring& title,
                  CaseFold fold) {
  if (match == TitleMatch::Any) return true;
  const std::wstring folded = fold(title);
  const std::wstring name = fold(wanted);
  switch (match) {
    case TitleMatch::Begins:
      return folded.starts_with(name);
    case TitleMatch::Contains:
      return folded.find(name) != std::wstring::npos;
    default:
      return folded == name;
  }
}

TargetWindow FirstMatch(const std::vector<TargetWindow>& windows, TitleMatch match,
                        const std::wstring& wanted, CaseFold fold) {
  for (const TargetWindow& window : windows) {
    if (TitleMatches(match, wanted, window.title, fold)) return window;
  }
  return {};
}

}  // namespace sendlark
