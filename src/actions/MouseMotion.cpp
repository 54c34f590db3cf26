#include "actions/MouseMotion.h"

#include <cmath>

namespace vantrel {

namespace {
constexpr double kStartSpeed = 0.1;
}

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
  if (std::sqrt(SpeedX * SpeedX + SpeedY * SpeedY) < maxSpeed) {
    if (SpeedX != 0) SpeedX += AccelX;
    if (SpeedY != 0) SpeedY += AccelY;
  }
  // nearbyint rounds in the default mode: to nearest, halves to even.
  return {static_cast<std::int32_t>(std::nearbyint(SpeedX)),
          static_cast<std::int32_t>(std::nearbyint(SpeedY))};
}

}  // namespace vantrel
