#pragma once
// Time as the core sees it: milliseconds on the program's monotonic clock,
// always passed in by the caller. The core never reads a clock itself, so
// a test drives every timeline by hand.
#include <cstdint>
#include <limits>

namespace vantrel {

using Millis = std::int64_t;
// No moment at all: what a stage that waits for nothing answers.
inline constexpr Millis kNever = std::numeric_limits<Millis>::max();

}  // namespace vantrel
