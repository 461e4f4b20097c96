// How the target is asked to paste, as configured: its paste command's identifier, or one of
// the routes that need no command.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config/text_util.h"
#include "platform/platform.h"

namespace sendlark {

struct PasteId {
  std::int32_t id = 0;
  ErrorText error;  // set when the text gives no usable identifier
  PasteRoute route = PasteRoute::Command;
};

// The configured identifier from the number its text stands for under the user's locale
// (nothing when it is not a number): rounded down, and it must fit a signed 32-bit integer.
PasteId PasteCommandId(std::optional<double> number);

// The route that a word of :AppliactionPast names: "WM_PASTE", "Ctrl+V", "Shift+Insert" or
// "Ctrl+Shift+V", letter case and surrounding blanks ignored. Nothing for any other text, which
// must then be a command's number.
std::optional<PasteRoute> PasteRouteWord(const std::wstring& text, CaseFold fold);
// The route's word as written in Config.ini.
const wchar_t* PasteRouteWordOf(PasteRoute route);

inline constexpr wchar_t kNotANumberText[] = L"貼り付けコマンドの識別子が数値ではありません。";
inline constexpr wchar_t kOutOfRangeText[] = L"貼り付けコマンドの識別子が範囲外です。";

}  // namespace sendlark
