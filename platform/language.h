// The languages SendlarkSetup speaks, as the system reports the user's, and its texts in them.
#pragma once

namespace sendlark {

// Japanese on a Japanese system, English everywhere else.
enum class Language { kEnglish, kJapanese };

// A text in both languages: neither can be left out.
struct Text {
  constexpr Text(const wchar_t* english, const wchar_t* japanese)
      : english(english), japanese(japanese) {}
  const wchar_t* In(Language language) const {
    return language == Language::kJapanese ? japanese : english;
  }

  const wchar_t* english;
  const wchar_t* japanese;
};

}  // namespace sendlark
