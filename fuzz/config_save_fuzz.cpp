// SaveConfigValues on any Config.ini text with any edits: a save that is not refused reads back
// every value, leaves every other setting and every character outside the entries it wrote as
// they were, and saving the same again changes nothing.
//
// Input: parts separated by NUL bytes, all UTF-8: the file's text, then a key and its value for
// each edit. A key that is a single digit 0 to 7 stands for the real key of that index.

#include <algorithm>
#include <cstdint>

#include "config/config_lookup.h"
#include "state/settings.h"
#include "config/text_util.h"
#include "fuzz/fuzz_support.h"
#include "platform/setup_texts.h"
#include "setup/config_edit.h"

namespace sendlark::fuzzing {
namespace {

using setup::ConfigEdit;
using setup::SaveConfigValues;
using setup::SavedConfig;
using Reason = int;

constexpr std::size_t kMostEdits = 8;

struct Region {
  std::size_t begin;
  std::size_t end;
};

// The text without the given regions, which may overlap.
std::wstring Outside(const std::wstring& text, std::vector<Region> regions) {
  std::sort(regions.begin(), regions.end(),
            [](const Region& a, const Region& b) { return a.begin < b.begin; });
  std::wstring kept;
  std::size_t at = 0;
  for (const Region& region : regions) {
    if (region.begin > at) kept.append(text, at, region.begin - at);
    at = std::max(at, region.end);
  }
  if (at < text.size()) kept.append(text, at);
  return kept;
}

bool IsLineEnd(wchar_t c) {
  return c == L'\r' || c == L'\n';
}

bool Edited(const std::vector<ConfigEdit>& edits, const std::wstring& key) {
  return std::any_of(edits.begin(), edits.end(), [&](const ConfigEdit& edit) {
    return testing::UpperCase(edit.key) == testing::UpperCase(key);
  });
}

// Where each edit's value now stands is found as Sendlark finds it; a key that had no value
// before must stand in a new entry line of its own. Taking those out of the new text, and the
// values replaced out of the old, must leave the same text, but for the line end put after an
// unfinished last line.
void CheckOnlyEntriesChanged(const std::wstring& before, const std::wstring& after,
                             const std::vector<ConfigEdit>& edits) {
  std::vector<Region> replaced;
  std::vector<Region> written;
  bool appended = false;
  for (const ConfigEdit& edit : edits) {
    const std::optional<ValueSpan> now = FindConfigValue(after, edit.key, testing::UpperCase);
    FUZZ_REQUIRE(now.has_value());
    if (const std::optional<ValueSpan> old =
            FindConfigValue(before, edit.key, testing::UpperCase)) {
      replaced.push_back({old->begin, old->end});
      written.push_back({now->begin, now->end});
      continue;
    }
    appended = appended || !FindConfigKey(before, edit.key, testing::UpperCase);
    FUZZ_REQUIRE(now->begin > edit.key.size());
    const std::size_t entryAt = now->begin - 1 - edit.key.size();
    FUZZ_REQUIRE(entryAt == 0 || IsLineEnd(after[entryAt - 1]));
    FUZZ_REQUIRE(testing::UpperCase(after.substr(entryAt, edit.key.size())) ==
                 testing::UpperCase(edit.key));
    FUZZ_REQUIRE(after[now->begin - 1] == L'=');
    FUZZ_REQUIRE(after.compare(now->end, 3, L";\r\n") == 0);
    written.push_back({entryAt, now->end + 3});
  }
  const bool lineEndAdded = appended && !before.empty() && !IsLineEnd(before.back());
  FUZZ_REQUIRE(Outside(after, written) ==
               Outside(before, replaced) + (lineEndAdded ? std::wstring(kCrLf) : L""));
}

// What makes a value impossible to write so that Sendlark reads it back, each fault looked
// for on its own.
std::vector<Reason> ValueFaults(const std::wstring& value) {
  std::vector<Reason> faults;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const wchar_t next = i + 1 < value.size() ? value[i + 1] : L'\0';
    if (value[i] == L'\r' && next != L'\n') faults.push_back(IDS_LONE_CR);
    if (value[i] == L';' && next != L' ') faults.push_back(IDS_BARE_SEMICOLON);
    if (value[i] == L'\\' && (next == L'n' || next == L':' || next == L';')) {
      faults.push_back(IDS_BACKSLASH_ESCAPE);
    }
  }
  if (!value.empty() && value.back() == L'\\') faults.push_back(IDS_TRAILING_BACKSLASH);
  return faults;
}

bool IsValueFault(Reason reason) {
  return reason == IDS_LONE_CR || reason == IDS_BARE_SEMICOLON || reason == IDS_BACKSLASH_ESCAPE ||
         reason == IDS_TRAILING_BACKSLASH;
}

bool IsSetting(const std::wstring& key) {
  return std::any_of(kConfigKeys.begin(), kConfigKeys.end(),
                     [&](const ConfigKey& setting) { return key == setting.key; });
}

// Whether a key search could find any setting's key in the value once written, where "; " is
// searched as "\:".
bool MentionsASetting(const std::wstring& value) {
  const std::wstring searched =
      testing::UpperCase(ReplaceAll(ReplaceAll(value, kCrLf, L"\\n"), L"; ", L"\\:"));
  return std::any_of(kConfigKeys.begin(), kConfigKeys.end(), [&](const ConfigKey& setting) {
    return searched.find(testing::UpperCase(setting.key)) != std::wstring::npos;
  });
}

// A refusal names an edit, unless another setting is in the way, and a value is refused for
// how it is written only for a fault it has. One edit of a setting with a value that can be
// written and mentions no setting can only be in the way of another setting's entry.
void CheckRefusal(const std::vector<ConfigEdit>& edits, const SavedConfig& saved) {
  FUZZ_REQUIRE(saved.text.empty());
  const Reason reason = saved.refusal->reason;
  const auto edit = std::find_if(edits.begin(), edits.end(),
                                 [&](const ConfigEdit& e) { return e.key == saved.refusal->key; });
  FUZZ_REQUIRE(edit != edits.end() || reason == IDS_OTHER_SETTING_CHANGED);
  if (IsValueFault(reason)) {
    const std::vector<Reason> faults = ValueFaults(edit->value);
    FUZZ_REQUIRE(std::find(faults.begin(), faults.end(), reason) != faults.end());
  }
  if (edits.size() != 1 || !IsSetting(edits[0].key)) return;
  if (!ValueFaults(edits[0].value).empty()) {
    FUZZ_REQUIRE(IsValueFault(reason));
  } else if (!MentionsASetting(edits[0].value)) {
    FUZZ_REQUIRE(reason == IDS_OTHER_SETTING_CHANGED);
  }
}

void CheckSave(const std::wstring& before, const std::vector<ConfigEdit>& edits) {
  const SavedConfig saved = SaveConfigValues(before, edits, testing::UpperCase);
  if (saved.refusal) {
    CheckRefusal(edits, saved);
    return;
  }

  const std::wstring& after = saved.text;
  const std::wstring linesBefore = TextLines(before);
  const std::wstring linesAfter = TextLines(after);
  for (const ConfigEdit& edit : edits) {
    FUZZ_REQUIRE(ValueFaults(edit.value).empty());
    FUZZ_REQUIRE(GetConfigValue(linesAfter, edit.key, testing::UpperCase) == edit.value);
  }
  for (const ConfigKey& setting : kConfigKeys) {
    if (Edited(edits, setting.key)) continue;
    FUZZ_REQUIRE(GetConfigValue(linesBefore, setting.key, testing::UpperCase) ==
                 GetConfigValue(linesAfter, setting.key, testing::UpperCase));
  }
  CheckOnlyEntriesChanged(before, after, edits);

  const SavedConfig again = SaveConfigValues(after, edits, testing::UpperCase);
  FUZZ_REQUIRE(!again.refusal);
  FUZZ_REQUIRE(again.text == after);
}

}  // namespace
}  // namespace sendlark::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace sendlark;
  using namespace sendlark::fuzzing;
  const std::vector<std::string_view> parts = Split(Bytes(data, size), '\0');
  const std::wstring text = Utf8Text(parts[0]);
  std::vector<setup::ConfigEdit> edits;
  for (std::size_t i = 1; i + 1 < parts.size() && edits.size() < kMostEdits; i += 2) {
    const std::string_view key = parts[i];
    const bool realKey = key.size() == 1 && key[0] >= '0' && key[0] <= '7';
    edits.push_back(
        {realKey ? kConfigKeys[key[0] - '0'].key : Utf8Text(key), Utf8Text(parts[i + 1])});
  }
  CheckSave(text, edits);
  return 0;
}
