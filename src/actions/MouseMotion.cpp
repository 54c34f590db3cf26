#include "actions/MouseMotion.h"

#include <cmath>
#include <limits>

namespace vantrel {

namespace {
constexpr double kStartSpeed = 0.1;

// The settings file is read without a range check, so a hand-edited
// acceleration or top speed can be anything a double holds; whatever is not
// finite counts as 0.
double FiniteOrZero(double value) { return std::isfinite(value) ? value : 0; }

// One axis's move, rounded to the nearest integer (halves to even, the
// default rounding mode) and held within the range mouse_event takes: a cast
// of a double outside it would be undefined.
std::int32_t StepOf(double speed) {
  constexpr double kLow = std::numeric_limits<std::int32_t>::min();
  constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
  const double rounded = std::nearbyint(FiniteOrZero(speed));
  if (rounded <= kLow) return std::numeric_limits<std::int32_t>::min();
  if (rounded >= kHigh) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(rounded);
}

// A still axis stays still; a moving one stops growing where the next step
// would leave the doubles.
void Grow(double& speed, double acceleration) {
  if (speed == 0) return;
  const double next = speed + acceleration;
  if (std::isfinite(next)) speed = next;
}
}  // namespace

bool MovementAxis(std::uint16_t code, Axis& axis) {
  switch (code) {
    case MouseMoveLeft:
    case MouseMoveRight: axis = Axis::X; return true;
    case MouseMoveUp:
    case MouseMoveDown: axis = Axis::Y; return true;
    default: return false;
  }
}

void MouseMotion::Start(std::uint16_t code, double acceleration) {
  acceleration = FiniteOrZero(acceleration);
  switch (code) {
    case MouseMoveLeft: SpeedX = -kStartSpeed, AccelX = -acceleration; break;
    case MouseMoveRight: SpeedX = kStartSpeed, AccelX = acceleration; break;
    case MouseMoveUp: SpeedY = -kStartSpeed, AccelY = -acceleration; break;
    case MouseMoveDown: SpeedY = kStartSpeed, AccelY = acceleration; break;
    default: break;
  }
}

void MouseMotion::Stop(Axis axis) { (axis == Axis::X ? SpeedX : SpeedY) = 0; }

MouseMotion::Step MouseMotion::Tick(double maxSpeed) {
  if (std::sqrt(SpeedX * SpeedX + SpeedY * SpeedY) < FiniteOrZero(maxSpeed)) {
    Grow(SpeedX, AccelX);
    Grow(SpeedY, AccelY);
  }
  return {StepOf(SpeedX), StepOf(SpeedY)};
}

void AcceleratingPointer::Start(std::uint16_t code, double acceleration, Millis time) {
  if (!motion_.Moving()) clock_ = time;
  motion_.Start(code, acceleration);
}

std::vector<MouseMotion::Step> AcceleratingPointer::Advance(Millis now, double maxSpeed) {
  std::vector<MouseMotion::Step> steps;
  if (!motion_.Moving()) return steps;
  if (now - clock_ > kPointerCatchUpMs) clock_ = now - kPointerCatchUpMs;
  while (motion_.Moving() && now - clock_ >= kPointerPeriodMs) {
    steps.push_back(motion_.Tick(maxSpeed));
    clock_ += kPointerPeriodMs;
  }
  return steps;
}

Millis AcceleratingPointer::NextDue() const {
  return motion_.Moving() ? clock_ + kPointerPeriodMs : kNever;
}

}  // namespace vantrel
