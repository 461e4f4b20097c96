#include "setup/paste_command.h"

#include <array>

namespace sendlark::setup {

namespace {

// Captions Japanese programs use for paste, besides the English one; the variants differ in
// okurigana and in the kanji for "stick".
constexpr std::array<std::wstring_view, 6> kPasteWords = {
    L"paste", L"貼り付け", L"貼付け", L"貼付", L"張り付け", L"ペースト",
};

// Japanese captions are often padded with the ideographic space as well as the ASCII one.
constexpr std::wstring_view kBlanks = L" \u3000";

bool IsAsciiAlnum(wchar_t c) {
  return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

wchar_t AsciiLower(wchar_t c) {
  return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

void TrimBlanks(std::wstring& text) {
  text.erase(text.find_last_not_of(kBlanks) + 1);
  text.erase(0, text.find_first_not_of(kBlanks));
}

bool StripSuffix(std::wstring& text, std::wstring_view suffix) {
  if (!text.ends_with(suffix)) return false;
  text.resize(text.size() - suffix.size());
  return true;
}

// A trailing "(P)": Japanese captions name their access key that way, since the mark cannot
// sit under a kana. A literal "(&)", written "(&&)", names none.
bool StripAccessKeyInParentheses(std::wstring& text) {
  const std::size_t n = text.size();
  if (n < 3 || text[n - 3] != L'(' || !IsAsciiAlnum(text[n - 2]) || text[n - 1] != L')') {
    return false;
  }
  text.resize(n - 3);
  return true;
}

// The words of the caption: before any tab, "&&" read as "&" and every other "&" dropped, then
// the decorations peeled off the end in whatever order they were put on ("貼り付け(&P)...",
// "Paste... (P)").
std::wstring CaptionWords(std::wstring_view caption) {
  caption = caption.substr(0, caption.find(L'\t'));
  std::wstring words;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != L'&') {
      words += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == L'&') {
      words += L'&';
      ++i;
    }
  }
  for (bool changed = true; changed;) {
    TrimBlanks(words);
    changed = StripSuffix(words, L"...") || StripSuffix(words, L"…") ||
              StripAccessKeyInParentheses(words);
  }
  for (wchar_t& c : words)
    c = AsciiLower(c);
  return words;
}

template <typename Test>
const MenuNode* FirstCommand(const Menu& menu, const Test& test) {
  for (const MenuNode& item : menu) {
    if (item.separator) continue;
    if (!item.items.empty()) {
      if (const MenuNode* found = FirstCommand(item.items, test)) return found;
    } else if (test(item.caption)) {
      return &item;
    }
  }
  return nullptr;
}

}  // namespace

bool IsPasteCaption(std::wstring_view caption) {
  const std::wstring words = CaptionWords(caption);
  for (const std::wstring_view paste : kPasteWords) {
    if (words == paste) return true;
  }
  return false;
}

bool IsCtrlVShortcut(std::wstring_view caption) {
  const std::size_t tab = caption.rfind(L'\t');
  if (tab == std::wstring_view::npos) return false;
  std::wstring keys;
  for (const wchar_t c : caption.substr(tab + 1)) {
    if (kBlanks.find(c) == kBlanks.npos) keys += AsciiLower(c);
  }
  return keys == L"ctrl+v";
}

std::optional<PasteCommand> FindPasteCommand(const Menu& menuBar, const Menu& systemMenu) {
  for (const bool byShortcut : {false, true}) {
    for (const Menu* menu : {&menuBar, &systemMenu}) {
      if (const MenuNode* item =
              FirstCommand(*menu, byShortcut ? IsCtrlVShortcut : IsPasteCaption)) {
        return PasteCommand{item->id, byShortcut};
      }
    }
  }
  return std::nullopt;
}

}  // namespace sendlark::setup
