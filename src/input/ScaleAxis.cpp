#include "input/ScaleAxis.h"

#include <algorithm>
#include <limits>

namespace vantrel {

std::int32_t MulDivRound(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  std::int64_t quotient = product / c;
  const std::int64_t remainder = product % c;
  // Round on the magnitudes: twice the remainder reaching the divisor is a half or more.
  const std::uint64_t twiceRem =
      2 * static_cast<std::uint64_t>(remainder < 0 ? -remainder : remainder);
  const std::uint64_t divisor =
      static_cast<std::uint64_t>(c < 0 ? -static_cast<std::int64_t>(c) : c);
  if (twiceRem >= divisor) quotient += ((product < 0) != (c < 0)) ? -1 : 1;
  if (quotient > std::numeric_limits<std::int32_t>::max() ||
      quotient < std::numeric_limits<std::int32_t>::min())
    return -1;
  return static_cast<std::int32_t>(quotient);
}

std::int32_t ScaleAxis(std::int32_t raw, std::int32_t max, std::int32_t min, std::int32_t deadZone,
                       std::int32_t range) {
  // Signed 32-bit arithmetic as the stored settings assume; the products go
  // through 64 bits only so that a wild value cannot overflow.
  const auto half = static_cast<std::int32_t>((static_cast<std::int64_t>(max) - min) / 2);
  const auto offset = static_cast<std::int32_t>(static_cast<std::int64_t>(raw) - min - half);
  const auto w = static_cast<std::int32_t>(static_cast<std::int64_t>(half) * deadZone / 100);
  const auto span = static_cast<std::int32_t>(static_cast<std::int64_t>(half) - w);
  if (span == 0) return 0;
  const std::int64_t distance = offset < 0 ? -static_cast<std::int64_t>(offset) : offset;
  if (distance <= w) return 0;
  if (offset > 0) return MulDivRound(offset - w, range, span);
  return MulDivRound(offset + w, range, span);
}

std::int32_t DeadZoned(std::int32_t value, std::int32_t range, std::int32_t deadZone) {
  if (range <= 0) return 0;
  const std::int64_t edge = static_cast<std::int64_t>(range) * std::clamp(deadZone, 0, 100) / 100;
  const std::int64_t magnitude =
      std::min<std::int64_t>(value < 0 ? -std::int64_t{value} : value, range);
  if (magnitude <= edge || edge >= range) return 0;
  const std::int64_t spread = (magnitude - edge) * range / (range - edge);
  return static_cast<std::int32_t>(value < 0 ? -spread : spread);
}

}  // namespace vantrel
