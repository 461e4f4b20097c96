// The language the user reads the system's own texts in.
#pragma once

#include "setup/setup_texts.h"

namespace sendlark::win32 {

// Japanese when the user's interface language is Japanese, English for any other.
setup::Language UserInterfaceLanguage();

}  // namespace sendlark::win32
