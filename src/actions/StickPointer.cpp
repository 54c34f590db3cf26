#include "actions/StickPointer.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {
constexpr double kTravel = 1000;

std::int32_t Whole(double& carry) {
  // Toward zero: what is left keeps its sign for the next move. A hair is
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

void StickPointer::Follow(PointerStick stick, double x, double y, double deadZone, Millis now) {
  if (stick == PointerStick::None) return;
  const bool wasMoving = Moving();
  Stick& s = sticks_[static_cast<std::size_t>(stick) - 1];
  s.x = std::isfinite(x) ? x : 0;
  s.y = std::isfinite(y) ? y : 0;
  s.deadZone = std::isfinite(deadZone) ? deadZone : 0;
  Changed(wasMoving, now);
}

void StickPointer::SetActive(PointerStick stick, bool active, Millis now) {
  if (stick == PointerStick::None) return;
  const bool wasMoving = Moving();
  sticks_[static_cast<std::size_t>(stick) - 1].active = active;
  Changed(wasMoving, now);
}

void StickPointer::Changed(bool wasMoving, Millis now) {
  const bool moving = Moving();
  if (moving == wasMoving) return;
  carryX_ = carryY_ = 0;
  last_ = now;
}

bool StickPointer::Moving() const {
  return std::any_of(sticks_.begin(), sticks_.end(), [](const Stick& s) {
    return s.active && Deflection(s.x, s.y, s.deadZone) > 0;
  });
}

MouseMotion::Step StickPointer::Advance(Millis now, double topSpeed, double curve) {
  if (!Moving() || now <= last_) return {};
  const double periods =
      static_cast<double>(std::min(now - last_, kPointerCatchUpMs)) / kPointerPeriodMs;
  last_ = now;
  if (!std::isfinite(topSpeed)) topSpeed = 0;
  curve = std::isfinite(curve) ? std::clamp(curve, 1.0, 3.0) : 2.0;
  for (const Stick& s : sticks_) {
    if (!s.active) continue;
    const double d = Deflection(s.x, s.y, s.deadZone);
    if (d <= 0) continue;
    const double distance = topSpeed * std::pow(d, curve) * periods;
    const double reach = std::hypot(s.x, s.y);
    carryX_ += distance * s.x / reach;
    carryY_ += distance * s.y / reach;
  }
  return {Whole(carryX_), Whole(carryY_)};
}

}  // namespace vantrel
