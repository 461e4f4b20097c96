#include "delivery/paste_id.h"

#include <cmath>
#include <limits>

namespace sendlark {

PasteId PasteCommandId(std::optional<double> number) {
  if (!number || std::isnan(*number)) return {0, kNotANumberText};
  const double whole = std::floor(*number);
  if (whole < std::numeric_limits<std::int32_t>::min() ||
      whole > std::numeric_limits<std::int32_t>::max()) {
    return {0, kOutOfRangeText};
  }
  return {static_cast<std::int32_t>(whole), std::nullopt};
}

}  // namespace sendlark
