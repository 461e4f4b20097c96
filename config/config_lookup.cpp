#include "config/config_lookup.h"

namespace sendlark {

namespace {

// "\;" becomes "\:" before anything is searched, so no escaped semicolon can end a value. Each
// replacement puts two characters in place of two, so positions hold for the original text.
std::wstring Searchable(const std::wstring& text) {
  return ReplaceAll(text, L"\\;", L"\\:");
}

std::optional<std::size_t> FindKeyIn(const std::wstring& work, const std::wstring& key,
                                     CaseFold fold) {
  // Folding keeps every character in place, so positions found in the folded copy hold for
  // the working text as well.
  const std::size_t keyAt = fold(work).find(fold(key));
  return keyAt == std::wstring::npos ? std::nullopt : std::optional(keyAt);
}

std::optional<ValueSpan> FindIn(const std::wstring& work, const std::wstring& key, CaseFold fold) {
  const std::optional<std::size_t> keyAt = FindKeyIn(work, key, fold);
  if (!keyAt) return std::nullopt;
  const std::size_t equalsAt = work.find(L'=', *keyAt + 1);
  const std::size_t endAt = work.find(L';', *keyAt);
  // A missing "=" lies at npos, after any ";".
  if (endAt == std::wstring::npos || equalsAt > endAt) return std::nullopt;
  return ValueSpan{equalsAt + 1, endAt};
}

}  // namespace

std::optional<std::size_t> FindConfigKey(const std::wstring& text, const std::wstring& key,
                                         CaseFold fold) {
  return FindKeyIn(Searchable(text), key, fold);
}

std::optional<ValueSpan> FindConfigValue(const std::wstring& text, const std::wstring& key,
                                         CaseFold fold) {
  return FindIn(Searchable(text), key, fold);
}

std::wstring GetConfigValue(const std::wstring& text, const std::wstring& key, CaseFold fold) {
  const std::wstring work = Searchable(text);
  const std::optional<ValueSpan> span = FindIn(work, key, fold);
  if (!span) return {};
  // No escape can straddle the span's ends: "=" begins no escape, and the ";" that ends the
  // value follows no backslash.
  const std::wstring_view value =
      std::wstring_view(work).substr(span->begin, span->end - span->begin);
  return ReplaceAll(ReplaceAll(value, L"\\n", kCrLf), L"\\:", L"; ");
}

}  // namespace sendlark
