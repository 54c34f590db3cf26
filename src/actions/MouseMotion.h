#pragma once
#include <cstdint>
#include <vector>

#include "base/Time.h"

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

// The pointers' speeds are given per 7 ms of time, the period their timer
// had; they move by the time that passed, whatever the real period of the
// wait (which Windows rounds up to 10 or 16 ms).
inline constexpr Millis kPointerPeriodMs = 7;
// After a stall (a hung machine), a pointer moves by at most this much time
// at once rather than jumping across the screen.
inline constexpr Millis kPointerCatchUpMs = 250;

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

// The accelerating pointer by the time given: it steps every 7 ms of time,
// whatever the real period of the caller's wait, its speed and acceleration
// being per step, each step a move of its own, as it always was.
class AcceleratingPointer {
 public:
  // A movement press at `time`; a pointer at rest starts its steps from then.
  void Start(std::uint16_t code, double acceleration, Millis time);
  void Stop(Axis axis) { motion_.Stop(axis); }
  bool Moving() const { return motion_.Moving(); }
  // The steps due by `now`, each a move; after a stall, at most a quarter
  // of a second of them.
  std::vector<MouseMotion::Step> Advance(Millis now, double maxSpeed);
  Millis NextDue() const;
  const MouseMotion& Motion() const { return motion_; }

 private:
  MouseMotion motion_;
  Millis clock_ = 0;  // the time of the last step
};

}  // namespace vantrel
