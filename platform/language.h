// The language the user reads, as the system reports it, for the program to choose its texts.
#pragma once

namespace sendlark {

// Japanese on a Japanese system, English everywhere else.
enum class Language { kEnglish, kJapanese };

}  // namespace sendlark
