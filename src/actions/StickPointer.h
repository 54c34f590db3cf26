#pragma once
// A stick as a pointer ("Pointer (stick)"): the pointer moves on every tick
// while the stick is out of its dead zone, at a speed that follows how far
// it is pushed, in the direction it is pushed.
#include <array>
#include <cstdint>

#include "actions/MouseMotion.h"
#include "base/Entries.h"

namespace vantrel {

// How far a stick is pushed: 0 at its dead zone's edge, 1 at the end of its
// travel, the two axes (each in -1000 ... +1000) taken together as one
// vector, so that a diagonal is no farther than a straight push. `deadZone`
// is in the axes' units, measured from the middle.
double Deflection(double x, double y, double deadZone);

class StickPointer {
 public:
  // Where a stick stands now (its axes in -1000 ... +1000), or that it is
  // no pointer (`active` false).
  void Follow(PointerStick stick, bool active, double x, double y, double deadZone);
  bool Moving() const;

  // One tick: each stick moves by topSpeed × d^curve along its direction
  // (curve held within 1 ... 3), and the fraction of a unit left over is
  // carried to the next tick, so that the slowest push still moves and no
  // distance is lost to rounding. At rest the carry goes.
  MouseMotion::Step Tick(double topSpeed, double curve);

 private:
  struct Stick {
    double x = 0, y = 0, deadZone = 0;
    bool active = false;
  };
  std::array<Stick, kPointerSticks> sticks_{};
  double carryX_ = 0, carryY_ = 0;
};

}  // namespace vantrel
