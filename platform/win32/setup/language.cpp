#include "platform/win32/setup/language.h"

#include <windows.h>

namespace sendlark::win32 {

setup::Language UserInterfaceLanguage() {
  return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_JAPANESE ? setup::Language::kJapanese
                                                                      : setup::Language::kEnglish;
}

}  // namespace sendlark::win32
