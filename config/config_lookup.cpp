#include "config/config_lookup.h"

#include "config/text_util.h"
#include "platform/platform.h"

namespace sendlark {

std::wstring GetConfigValue(const std::wstring& text, const std::wstring& key) {
  // "\;" becomes "\:" before anything is searched, so no escaped semicolon can end a value.
  std::wstring work = ReplaceAll(text, L"\\;", L"\\:");

  // Folding keeps every character in place, so positions found in the folded copy hold for
  // the working text as well.
  const std::size_t keyAt = Sys().FoldCase(work).find(Sys().FoldCase(key));
  if (keyAt == std::wstring::npos) return {};
  const std::size_t equalsAt = work.find(L'=', keyAt + 1);
  const std::size_t endAt = work.find(L';', keyAt);
  if (endAt == std::wstring::npos) return {};
  if (equalsAt == std::wstring::npos || equalsAt > endAt) return {};

  // Each replacement puts two characters in place of two, so both marks stay valid.
  work = ReplaceAll(ReplaceAll(work, L"\\n", kCrLf), L"\\:", L"; ");
  return work.substr(equalsAt + 1, endAt - equalsAt - 1);
}

}  // namespace sendlark
