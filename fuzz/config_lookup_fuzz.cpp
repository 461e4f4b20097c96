// GetConfigValue on any configuration text and key.
//
// Input: the first line is the key, where a single digit 0 to 7 stands for the real key of
// that index; the rest is the configuration text.

#include <cstdint>

#include "config/config_lookup.h"
#include "state/settings.h"
#include "config/text_util.h"
#include "fuzz/fuzz_support.h"

namespace sendlark::fuzzing {
namespace {

// The value of a well-formed entry as its writer means it: "\;" and "\:" stand for "; ",
// "\n" for CR LF, and every other backslash for itself.
std::wstring Unescaped(std::wstring_view value) {
  std::wstring out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const wchar_t next = i + 1 < value.size() ? value[i + 1] : L'\0';
    if (value[i] == L'\\' && (next == L';' || next == L':')) {
      out += L"; ";
      ++i;
    } else if (value[i] == L'\\' && next == L'n') {
      out += kCrLf;
      ++i;
    } else {
      out += value[i];
    }
  }
  return out;
}

// `text` made into a value an entry can hold: every ";" escaped, and no backslash at the end,
// where it would escape the entry's own ";".
std::wstring AsValue(std::wstring_view text) {
  std::wstring value;
  for (const wchar_t c : text) {
    if (c == L';' && (value.empty() || value.back() != L'\\')) continue;
    value += c;
  }
  while (!value.empty() && value.back() == L'\\')
    value.pop_back();
  return value;
}

std::wstring SwapAsciiCase(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'a' && c <= L'z') {
      c = static_cast<wchar_t>(c - L'a' + L'A');
    } else if (c >= L'A' && c <= L'Z') {
      c = static_cast<wchar_t>(c - L'A' + L'a');
    }
  }
  return text;
}

void CheckAnyLookup(const std::wstring& text, const std::wstring& key) {
  const std::wstring value = GetConfigValue(text, key, testing::UpperCase);
  FUZZ_REQUIRE(GetConfigValue(text, SwapAsciiCase(key), testing::UpperCase) == value);
  if (value.empty()) return;
  // The value lies strictly between an "=" and a ";" of the text, and every escape puts two
  // characters in the place of two.
  FUZZ_REQUIRE(value.size() + 2 <= text.size());
  // No escape is left over, and every ";" in the value is one that an escape became.
  FUZZ_REQUIRE(value.find(L"\\n") == std::wstring::npos);
  FUZZ_REQUIRE(value.find(L"\\:") == std::wstring::npos);
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == L';') FUZZ_REQUIRE(i + 1 < value.size() && value[i + 1] == L' ');
  }
}

// The entry `key` "=" value ";" placed after the whole text, and the text again after it.
void CheckWellFormedEntry(const std::wstring& text, const std::wstring& key) {
  const std::wstring before = text + std::wstring(kCrLf);
  // Only an entry whose key comes first is found; "\;" counts as "\:" in that search.
  const std::wstring searched = testing::UpperCase(ReplaceAll(before, L"\\;", L"\\:"));
  if (searched.find(testing::UpperCase(key)) != std::wstring::npos) return;
  const std::wstring value = AsValue(text);
  const std::wstring config = before + key + L"=" + value + L";" + std::wstring(kCrLf) + text;
  FUZZ_REQUIRE(GetConfigValue(config, key, testing::UpperCase) == Unescaped(value));
}

}  // namespace
}  // namespace sendlark::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sendlark;
  using namespace sendlark::fuzzing;
  const std::wstring input = Utf8Text(Bytes(data, size));
  const std::size_t lineEnd = input.find(L'\n');
  if (lineEnd == std::wstring::npos) return 0;
  const std::wstring firstLine = input.substr(0, lineEnd);
  const std::wstring text = input.substr(lineEnd + 1);

  const bool realKey = firstLine.size() == 1 && firstLine[0] >= L'0' && firstLine[0] <= L'7';
  const std::wstring key = realKey ? kConfigKeys[firstLine[0] - L'0'].key : firstLine;
  CheckAnyLookup(text, key);
  CheckWellFormedEntry(text, kConfigKeys[realKey ? firstLine[0] - L'0' : key.size() % 8].key);
  return 0;
}
