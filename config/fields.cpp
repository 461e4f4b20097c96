#include "config/fields.h"

namespace sendlark {

namespace {

std::wstring WithoutCrLf(std::wstring_view field) {
  return ReplaceAll(field, kCrLf, L"");
}

}  // namespace

std::wstring GetField(const std::wstring& text, int n, const std::wstring& delimiter,
                      CaseFold fold) {
  if (delimiter.empty()) return n == 1 ? text : std::wstring();
  if (text.find(delimiter) == std::wstring::npos) {
    // Only a match in another letter case lets the text count as cut (into one field).
    if (fold(text).find(fold(delimiter)) == std::wstring::npos) return n == 1 ? text : L"";
  }
  if (n < 1) return {};
  std::size_t start = 0;
  for (int k = 1; k < n; ++k) {
    const std::size_t hit = text.find(delimiter, start);
    if (hit == std::wstring::npos) return {};
    start = hit + delimiter.size();
  }
  const std::size_t end = text.find(delimiter, start);
  const std::wstring_view all(text);
  return WithoutCrLf(all.substr(start, end == std::wstring::npos ? all.npos : end - start));
}

std::vector<std::wstring> LeadingFields(const std::wstring& text, const std::wstring& delimiter,
                                        std::size_t limit, CaseFold fold) {
  std::vector<std::wstring> fields;
  if (delimiter.empty() || text.find(delimiter) == std::wstring::npos) {
    std::wstring only = GetField(text, 1, delimiter, fold);
    if (!only.empty() && limit > 0) fields.push_back(std::move(only));
    return fields;
  }
  const std::wstring_view all(text);
  std::size_t start = 0;
  while (fields.size() < limit) {
    const std::size_t hit = all.find(delimiter, start);
    std::wstring field = WithoutCrLf(all.substr(start, hit == all.npos ? all.npos : hit - start));
    if (field.empty()) break;
    fields.push_back(std::move(field));
    if (hit == all.npos) break;
    start = hit + delimiter.size();
  }
  return fields;
}

}  // namespace sendlark
