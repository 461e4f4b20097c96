#include "config/options.h"

#include <array>

#include "config/config_lookup.h"
#include "platform/strip.h"

namespace sendlark {

namespace {

constexpr std::array<const wchar_t*, 4> kTitleMatchNames = {L"exact", L"begins", L"contains",
                                                            L"any"};

}  // namespace

std::wstring TrimBlanks(const std::wstring& value) {
  // The ideographic space too, which Japanese input types for a blank.
  constexpr wchar_t kBlanks[] = L" \t\r\n\x3000";
  const std::size_t first = value.find_first_not_of(kBlanks);
  if (first == std::wstring::npos) return L"";
  return value.substr(first, value.find_last_not_of(kBlanks) - first + 1);
}

std::optional<TitleMatch> ParseTitleMatch(const std::wstring& value, CaseFold fold) {
  const std::wstring word = fold(TrimBlanks(value));
  if (word.empty()) return TitleMatch::Exact;
  for (std::size_t mode = 0; mode < kTitleMatchNames.size(); ++mode) {
    if (word == fold(kTitleMatchNames[mode])) return static_cast<TitleMatch>(mode);
  }
  return std::nullopt;
}

const wchar_t* TitleMatchName(TitleMatch match) {
  return kTitleMatchNames[static_cast<std::size_t>(match)];
}

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

bool IsStripClass(const std::wstring& className, CaseFold fold) {
  return fold(className) == fold(kStripClassName);
}

std::wstring UnusableValueText(const std::wstring& key, const std::wstring& value) {
  return L"Config.ini の " + key + L" に使えない値「" + CutToShow(value, kMaxShownValue) +
         L"」が書かれています。";
}

Options ReadOptions(const std::wstring& configText, CaseFold fold) {
  Options options;
  const auto unusable = [&](const wchar_t* key, const std::wstring& value) {
    if (options.unusable.empty()) options.unusable = UnusableValueText(key, value);
  };
  const std::wstring match = GetConfigValue(configText, kTitleMatchKey, fold);
  if (const std::optional<TitleMatch> parsed = ParseTitleMatch(match, fold)) {
    options.titleMatch = *parsed;
  } else {
    unusable(kTitleMatchKey, TrimBlanks(match));
  }
  const std::wstring restore = TrimBlanks(GetConfigValue(configText, kRestoreClipboardKey, fold));
  options.restoreClipboard = restore == L"1";
  if (!restore.empty() && restore != L"0" && restore != L"1") {
    unusable(kRestoreClipboardKey, restore);
  }
  return options;
}

}  // namespace sendlark
