#include "config/settings.h"

namespace sendlark {

SettingsTable g_settings;
std::wstring g_configText;

}  // namespace sendlark
