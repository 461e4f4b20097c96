#include "config/hot_key.h"

#include <array>
#include <optional>
#include <string>

namespace sendlark {

namespace {

struct Name {
  std::wstring_view name;  // upper case
  std::uint32_t code;
};

constexpr std::array<Name, 4> kModifiers = {
    {{L"CTRL", kModControl}, {L"ALT", kModAlt}, {L"SHIFT", kModShift}, {L"WIN", kModWin}}};

// Virtual-key codes: letters and digits are their own upper-case characters, F1 is 0x70.
constexpr std::uint32_t kInsert = 0x2D;
constexpr std::uint32_t kDelete = 0x2E;
constexpr std::array<Name, 8> kNamedKeys = {{{L"SPACE", 0x20},
                                             {L"INSERT", kInsert},
                                             {L"DELETE", kDelete},
                                             {L"HOME", 0x24},
                                             {L"END", 0x23},
                                             {L"PAGEUP", 0x21},
                                             {L"PAGEDOWN", 0x22},
                                             {L"PAUSE", 0x13}}};
constexpr std::uint32_t kF1 = 0x70;

// Copy, cut and paste in both their spellings, and the terminals' paste that Sendlark presses.
constexpr std::array<HotKey, 7> kClipboardShortcuts = {{{kModControl, 'C'},
                                                        {kModControl, 'X'},
                                                        {kModControl, 'V'},
                                                        {kModControl, kInsert},
                                                        {kModShift, kInsert},
                                                        {kModShift, kDelete},
                                                        {kModControl | kModShift, 'V'}}};

template <std::size_t N>
std::optional<std::uint32_t> Find(const std::array<Name, N>& names, std::wstring_view name) {
  for (const Name& candidate : names) {
    if (candidate.name == name) return candidate.code;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> KeyCode(std::wstring_view name) {
  if (name.size() == 1 &&
      ((name[0] >= L'A' && name[0] <= L'Z') || (name[0] >= L'0' && name[0] <= L'9'))) {
    return name[0];
  }
  for (std::uint32_t n = 1; n <= 24; ++n) {
    if (name == L"F" + std::to_wstring(n)) return kF1 + n - 1;
  }
  return Find(kNamedKeys, name);
}

}  // namespace

HotKeySetting ParseHotKey(std::wstring_view text) {
  // Names are ASCII: only its letters are folded, so that no locale makes another letter match.
  // Blanks include the ideographic space that Japanese input types.
  std::wstring folded;
  for (const wchar_t c : text) {
    if (std::wstring_view(L" \t\r\n\x3000").find(c) == std::wstring_view::npos) {
      folded += c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    }
  }
  if (folded.empty()) return std::monostate{};
  HotKey hotKey;
  std::size_t start = 0;
  for (std::size_t plus; (plus = folded.find(L'+', start)) != std::wstring::npos;
       start = plus + 1) {
    const std::optional<std::uint32_t> modifier =
        Find(kModifiers, std::wstring_view(folded).substr(start, plus - start));
    if (!modifier) return HotKeyFault::NotAModifier;
    hotKey.modifiers |= *modifier;
  }
  const std::optional<std::uint32_t> key = KeyCode(std::wstring_view(folded).substr(start));
  if (!key) return HotKeyFault::NotAKey;
  if (hotKey.modifiers == 0) return HotKeyFault::NoModifier;
  hotKey.key = *key;
  for (const HotKey& shortcut : kClipboardShortcuts) {
    if (shortcut == hotKey) return HotKeyFault::ClipboardShortcut;
  }
  return hotKey;
}

}  // namespace sendlark
