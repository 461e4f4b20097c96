#include "delivery/paste_id.h"

#include <array>
#include <cmath>
#include <limits>

#include "config/options.h"

namespace sendlark {

namespace {

// Indexed by PasteRoute; the command's number has no word.
constexpr std::array<const wchar_t*, 5> kRouteWords = {L"", L"WM_PASTE", L"Ctrl+V", L"Shift+Insert",
                                                       L"Ctrl+Shift+V"};

}  // namespace

PasteId PasteCommandId(std::optional<double> number) {
  if (!number || std::isnan(*number)) return {0, kNotANumberText};
  const double whole = std::floor(*number);
  if (whole < std::numeric_limits<std::int32_t>::min() ||
      whole > std::numeric_limits<std::int32_t>::max()) {
    return {0, kOutOfRangeText};
  }
  return {static_cast<std::int32_t>(whole), std::nullopt};
}

std::optional<PasteRoute> PasteRouteWord(const std::wstring& text, CaseFold fold) {
  const std::wstring word = fold(TrimBlanks(text));
  for (std::size_t route = 1; route < kRouteWords.size(); ++route) {
    if (word == fold(kRouteWords[route])) return static_cast<PasteRoute>(route);
  }
  return std::nullopt;
}

const wchar_t* PasteRouteWordOf(PasteRoute route) {
  return kRouteWords[static_cast<std::size_t>(route)];
}

}  // namespace sendlark
