#include "actions/StickPointer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantrel {
namespace {

// The distance one tick moves, with the carry settled over many ticks.
double Speed(double x, double y, double deadZone, double top, double curve) {
  StickPointer p;
  p.Follow(PointerStick::RxRy, true, x, y, deadZone);
  double dx = 0, dy = 0;
  constexpr int kTicks = 4000;
  for (int i = 0; i < kTicks; ++i) {
    const MouseMotion::Step s = p.Tick(top, curve);
    dx += s.dx;
    dy += s.dy;
  }
  return std::hypot(dx, dy) / kTicks;
}

TEST(StickPointer, SpeedIsTheTopTimesTheDeflectionToTheCurve) {
  struct Case {
    double x, y, deadZone, curve, speed;
  };
  const Case kCases[] = {
      {500, 0, 0, 2, 2},         // half way: a quarter of the top speed of 8
      {1000, 0, 0, 2, 8},        // the end of the travel: the top, whatever the curve
      {-1000, 0, 0, 3, 8},
      {0, 1000, 0, 1, 8},
      {500, 0, 0, 1, 4},         // a straight line
      {250, 0, 0, 3, 0.125},     // the slowest still moves, a unit every 8 ticks
      {750, 0, 500, 2, 2},       // measured from the dead zone's edge
      {400, 0, 500, 2, 0},       // within the dead zone: nothing
      {1000, 1000, 0, 2, 8},     // a full diagonal is no faster than a straight push
      {707.1, 707.1, 0, 2, 8},
      {500, 0, 0, 9, 1},         // a hand-edited curve is held within 1 ... 3
  };
  for (const Case& c : kCases)
    EXPECT_NEAR(Speed(c.x, c.y, c.deadZone, 8, c.curve), c.speed, 0.002)
        << c.x << "," << c.y << " curve " << c.curve;
}

TEST(StickPointer, TheCarriedFractionsAddUpToTheExactDistanceAndRestSendsNothing) {
  StickPointer p;
  p.Follow(PointerStick::XY, true, 300, -400, 0);  // d = 0.5 along (0.6, -0.8)
  long dx = 0, dy = 0;
  for (int i = 0; i < 1000; ++i) {
    const MouseMotion::Step s = p.Tick(3, 1);  // 1.5 a tick: 0.9 right, 1.2 up
    dx += s.dx;
    dy += s.dy;
  }
  EXPECT_EQ(dx, 900);
  EXPECT_EQ(dy, -1200);
  p.Follow(PointerStick::XY, true, 0, 0, 0);
  EXPECT_FALSE(p.Moving());
  const MouseMotion::Step rest = p.Tick(3, 1);
  EXPECT_EQ(rest.dx, 0);
  EXPECT_EQ(rest.dy, 0);
  p.Follow(PointerStick::XY, false, 1000, 0, 0);
  EXPECT_FALSE(p.Moving()) << "a stick that is no pointer moves nothing";
}

}  // namespace
}  // namespace vantrel
