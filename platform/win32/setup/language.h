// The language the user reads the system's own texts in.
#pragma once

#include "platform/language.h"

namespace sendlark::win32 {

// Japanese when the user's interface language is Japanese, English for any other.
Language UserInterfaceLanguage();

}  // namespace sendlark::win32
