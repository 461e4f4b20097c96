// The identifier of the target's paste command, as configured.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/platform.h"

namespace sendlark {

struct PasteId {
  std::int32_t id = 0;
  ErrorText error;  // set when the text gives no usable identifier
};

// The configured identifier from the number its text stands for under the user's locale
// (nothing when it is not a number): rounded down, and it must fit a signed 32-bit integer.
PasteId PasteCommandId(std::optional<double> number);

inline constexpr wchar_t kNotANumberText[] = L"貼り付けコマンドの識別子が数値ではありません。";
inline constexpr wchar_t kOutOfRangeText[] = L"貼り付けコマンドの識別子が範囲外です。";

}  // namespace sendlark
