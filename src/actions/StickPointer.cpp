#include "actions/StickPointer.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {
constexpr double kTravel = 1000;

std::int32_t Whole(double& carry) {
  // Toward zero: what is left keeps its sign for the next tick. A hair is
  // allowed for, or 0.9 added up ten times would come to 8.999... and lose
  // its unit.
  const double whole = std::trunc(carry + std::copysign(1e-9, carry));
  carry -= whole;
  return static_cast<std::int32_t>(std::clamp(whole, -1e6, 1e6));
}
}  // namespace

double Deflection(double x, double y, double deadZone) {
  deadZone = std::clamp(deadZone, 0.0, kTravel - 1);
  const double reach = std::hypot(x, y);
  if (!(reach > deadZone)) return 0;
  return std::min(1.0, (reach - deadZone) / (kTravel - deadZone));
}

void StickPointer::Follow(PointerStick stick, bool active, double x, double y, double deadZone) {
  if (stick == PointerStick::None) return;
  sticks_[static_cast<std::size_t>(stick) - 1] = {x, y, deadZone, active};
}

bool StickPointer::Moving() const {
  return std::any_of(sticks_.begin(), sticks_.end(), [](const Stick& s) {
    return s.active && Deflection(s.x, s.y, s.deadZone) > 0;
  });
}

MouseMotion::Step StickPointer::Tick(double topSpeed, double curve) {
  if (!Moving()) {
    carryX_ = carryY_ = 0;
    return {};
  }
  if (!std::isfinite(topSpeed)) topSpeed = 0;
  curve = std::isfinite(curve) ? std::clamp(curve, 1.0, 3.0) : 2.0;
  for (const Stick& s : sticks_) {
    if (!s.active) continue;
    const double d = Deflection(s.x, s.y, s.deadZone);
    if (d <= 0) continue;
    const double speed = topSpeed * std::pow(d, curve);
    const double reach = std::hypot(s.x, s.y);
    carryX_ += speed * s.x / reach;
    carryY_ += speed * s.y / reach;
  }
  return {Whole(carryX_), Whole(carryY_)};
}

}  // namespace vantrel
