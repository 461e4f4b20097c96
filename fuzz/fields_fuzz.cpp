// GetField and the one-pass LeadingFields on any text: with CR LF, as every caller cuts, and
// with other delimiters, some of them taken from the text itself.

#include <climits>
#include <cstdint>

#include "config/fields.h"
#include "config/text_util.h"
#include "fuzz/fuzz_support.h"

namespace sendlark::fuzzing {
namespace {

// GetField starts from the beginning of the text every time, so asking for every field of a
// text of thousands would be slow without finding anything that a few hundred do not.
constexpr int kMostFieldsAsked = 200;

std::size_t Occurrences(const std::wstring& text, std::wstring_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::wstring::npos;
       at = text.find(part, at + part.size())) {
    ++count;
  }
  return count;
}

// The lines are the text cut at each CR LF, none of them holding one.
void CheckLines(const std::wstring& text) {
  const std::wstring crLf(kCrLf);
  const std::size_t count = Occurrences(text, kCrLf) + 1;
  if (count > kMostFieldsAsked) return;
  std::wstring joined;
  for (int n = 1; n <= static_cast<int>(count); ++n) {
    const std::wstring line = GetField(text, n, crLf, testing::UpperCase);
    FUZZ_REQUIRE(line.find(kCrLf) == std::wstring::npos);
    joined += (n > 1 ? crLf : L"") + line;
  }
  FUZZ_REQUIRE(joined == text);
  FUZZ_REQUIRE(GetField(text, static_cast<int>(count) + 1, crLf, testing::UpperCase).empty());
}

// LeadingFields, whatever its limit, gives what GetField 1, 2, ... gives up to the first
// empty field; no field number below 1 gives anything.
void CheckLeadingFields(const std::wstring& text, const std::wstring& delimiter) {
  for (const int n : {0, -1, INT_MIN})
    FUZZ_REQUIRE(GetField(text, n, delimiter, testing::UpperCase).empty());
  std::vector<std::wstring> fields;
  for (int n = 1; n <= kMostFieldsAsked; ++n) {
    std::wstring field = GetField(text, n, delimiter, testing::UpperCase);
    if (field.empty()) break;
    fields.push_back(std::move(field));
  }
  const bool all = fields.size() < kMostFieldsAsked;
  for (const std::size_t limit :
       {std::size_t{0}, std::size_t{1}, std::size_t{9}, std::size_t{kMostFieldsAsked}, SIZE_MAX}) {
    if (limit == SIZE_MAX && !all) continue;
    const std::vector<std::wstring> leading =
        LeadingFields(text, delimiter, limit, testing::UpperCase);
    const std::size_t expected = std::min(limit, fields.size());
    FUZZ_REQUIRE(leading.size() == expected);
    FUZZ_REQUIRE(std::equal(leading.begin(), leading.end(), fields.begin()));
  }
}

}  // namespace
}  // namespace sendlark::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sendlark::fuzzing;
  const std::wstring text = Utf8Text(Bytes(data, size));
  CheckLines(text);
  // "aB" is found in some texts only when letter case is ignored; the empty delimiter is one
  // that no caller passes.
  for (const std::wstring delimiter : {L"\r\n", L",", L"\r", L"\n", L"aB", L"", L"\r\n\r\n"}) {
    CheckLeadingFields(text, delimiter);
  }
  for (std::size_t length = 1; length <= 2 && length <= text.size(); ++length) {
    CheckLeadingFields(text, text.substr(0, length));
  }
  return 0;
}
