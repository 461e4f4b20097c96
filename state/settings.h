// The settings table: the last delivery and the configuration, and the keys of "Config.ini"
// the configuration is read from.
#pragma once

#include <array>
#include <string>

namespace sendlark {

enum SettingSlot : int {
  LastText = 0,
  LastHeader = 1,
  LastFooter = 2,
  ApplicationPath = 3,
  ApplicationName = 4,
  ApplicationClass = 5,
  ApplicationPaste = 6,
  CommandHeader = 7,
  CommandFooter = 8,
  CommandFileName = 9,
  LogFileName = 10,
};

inline constexpr int kSettingCount = 11;

// Indexed by SettingSlot; every slot is empty until written.
using SettingsTable = std::array<std::wstring, kSettingCount>;

inline constexpr wchar_t kConfigFileName[] = L"Config.ini";

// The key in "Config.ini" for each configured slot, ApplicationPath to LogFileName, in the
// order start-up looks them up. The misspellings are part of the file format.
struct ConfigKey {
  SettingSlot slot;
  const wchar_t* key;
};
inline constexpr std::array<ConfigKey, 8> kConfigKeys = {{
    {ApplicationPath, L":AppliactionPath"},
    {ApplicationName, L":AppliactionName"},
    {ApplicationClass, L":AppliactionClass"},
    {ApplicationPaste, L":AppliactionPast"},
    {CommandHeader, L":CommandHeader"},
    {CommandFooter, L":CommandFooter"},
    {CommandFileName, L":CommandFileName"},
    {LogFileName, L":LogFileName"},
}};

}  // namespace sendlark
