#pragma once
#include <cstdint>

namespace vantrel {

// a × b ÷ c with a 64-bit product, rounded to the nearest integer, halves
// away from zero. A zero divisor or a result beyond 32 bits gives −1, as the
// platform's MulDiv does.
std::int32_t MulDivRound(std::int32_t a, std::int32_t b, std::int32_t c);

// A raw axis position within min … max mapped to −range … +range, with a dead
// zone of `deadZone` percent of the half travel around the centre. The edge
// of the dead zone maps to 0 and the end of the travel to ±range.
std::int32_t ScaleAxis(std::int32_t raw, std::int32_t max, std::int32_t min, std::int32_t deadZone,
                       std::int32_t range);

// A value in -range ... +range with a dead zone of `deadZone` percent of the
// range taken out round the middle, the rest spread over the whole range
// again: what a device does with a dead zone set, done by the reader when
// it asks the device for the raw value.
std::int32_t DeadZoned(std::int32_t value, std::int32_t range, std::int32_t deadZone);

}  // namespace vantrel
