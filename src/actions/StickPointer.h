#pragma once
// A stick as a pointer ("Pointer (stick)"): while the stick is out of its
// dead zone the pointer moves, at a speed that follows how far it is
// pushed, in the direction it is pushed, by the time that passes.
#include <array>
#include <cstdint>

#include "actions/MouseMotion.h"
#include "base/Entries.h"
#include "base/Time.h"

namespace vantrel {

// How far a stick is pushed: 0 at its dead zone's edge, 1 at the end of its
// travel, the two axes (each in -1000 ... +1000 of the travel) taken
// together as one vector, so that a diagonal is no farther than a straight
// push. `deadZone` is in the axes' units, a circle round the middle.
double Deflection(double x, double y, double deadZone);

class StickPointer {
 public:
  // Where a stick stands at `now` (its axes in -1000 ... +1000 of its
  // travel) and its round dead zone.
  void Follow(PointerStick stick, double x, double y, double deadZone, Millis now);
  // Whether the stick is a pointer now (bound, and not silenced): one that
  // stops being one stops at once.
  void SetActive(PointerStick stick, bool active, Millis now);
  bool Moving() const;

  // Moves each active stick by the time since the last move: topSpeed ×
  // d^curve per 7 ms (curve held within 1 ... 3) along its direction. The
  // fraction of a unit left over is carried to the next move, so that the
  // slowest push still moves and no distance is lost to rounding; a stick
  // that starts moving again starts without it.
  MouseMotion::Step Advance(Millis now, double topSpeed, double curve);
  // When the pointer next moves; kNever at rest.
  Millis NextDue() const { return Moving() ? last_ + kPointerPeriodMs : kNever; }

 private:
  struct Stick {
    double x = 0, y = 0, deadZone = 0;
    bool active = false;
  };
  // Call after a change of a stick: a pointer that starts moving starts
  // its clock and its carry afresh.
  void Changed(bool wasMoving, Millis now);

  std::array<Stick, kPointerSticks> sticks_{};
  double carryX_ = 0, carryY_ = 0;
  Millis last_ = 0;
};

}  // namespace vantrel
