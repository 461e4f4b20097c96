#include "platform/win32/setup/language.h"

#include <windows.h>

namespace sendlark::win32 {

Language UserInterfaceLanguage() {
  return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::kJapanese
                                                                      : Language::kEnglish;
}

}  // namespace sendlark::win32
