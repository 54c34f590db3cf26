#pragma once
#include <cstdint>

namespace vantrel {

// Mouse action codes held in Binding::VCode.
enum MouseCode : std::uint16_t {
  MouseLButton = 300,
  MouseRButton = 301,
  MouseMoveLeft = 901,
  MouseMoveRight = 902,
  MouseMoveUp = 903,
  MouseMoveDown = 904,
  MouseWheelForward = 905,
  MouseWheelBackward = 906,
  MouseWheelClick = 907,
  // The whole stick of the entry moves the pointer, at a speed that follows
  // its deflection (StickPointer).
  MousePointerStick = 910,
};

enum class Axis { X, Y };

// The emulated pointer: each held direction starts its axis at 0.1 units per
// tick and adds the acceleration every tick until the speed reaches the top.
class MouseMotion {
 public:
  // A movement press: the axis starts over at ±0.1 whatever it was doing.
  void Start(std::uint16_t code, double acceleration);
  void Stop(Axis axis);
  bool BothAxesMoving() const { return SpeedX != 0 && SpeedY != 0; }
  bool Moving() const { return SpeedX != 0 || SpeedY != 0; }

  struct Step {
    std::int32_t dx = 0;
    std::int32_t dy = 0;
  };
  // One timer tick: grow the speeds (the top is tested before the addition,
  // so a speed may end one step above it) and return the rounded move,
  // halves to even, held within 32 bits. A top speed that is not finite
  // counts as 0.
  Step Tick(double maxSpeed);

  double SpeedX = 0, SpeedY = 0;
  double AccelX = 0, AccelY = 0;
};

// The axis a movement code drives; false for other codes.
bool MovementAxis(std::uint16_t code, Axis& axis);

}  // namespace vantrel
