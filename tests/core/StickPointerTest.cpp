#include "actions/StickPointer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantrel {
namespace {

// The distance one 7 ms period moves, with the carry settled over many of
// them, the pointer being moved every `stepMs`.
double Speed(double x, double y, double deadZone, double top, double curve, Millis stepMs = 7) {
  StickPointer p;
  p.Follow(PointerStick::RxRy, x, y, deadZone, 0);
  p.SetActive(PointerStick::RxRy, true, 0);
  double dx = 0, dy = 0;
  constexpr Millis kSpan = 7 * 4000;
  for (Millis t = stepMs; t <= kSpan; t += stepMs) {
    const MouseMotion::Step s = p.Advance(t, top, curve);
    dx += s.dx;
    dy += s.dy;
  }
  return std::hypot(dx, dy) / (kSpan / 7.0);
}

TEST(StickPointer, SpeedIsTheTopTimesTheDeflectionToTheCurveWhateverTheSteps) {
  struct Case {
    double x, y, deadZone, curve, speed;
  };
  const Case kCases[] = {
      {500, 0, 0, 2, 2},   // half way: a quarter of the top speed of 8
      {1000, 0, 0, 2, 8},  // the end of the travel: the top, whatever the curve
      {-1000, 0, 0, 3, 8},     {0, 1000, 0, 1, 8}, {500, 0, 0, 1, 4},  // a straight line
      {250, 0, 0, 3, 0.125},  // the slowest still moves, a unit every 8 periods
      {750, 0, 500, 2, 2},    // measured from the dead zone's edge
      {400, 0, 500, 2, 0},    // within the dead zone: nothing
      {1000, 1000, 0, 2, 8},  // a full diagonal is no faster than a straight push
      {707.1, 707.1, 0, 2, 8}, {500, 0, 0, 9, 1},  // a hand-edited curve is held within 1 ... 3
  };
  for (Millis step : {1, 7, 10, 16}) {
    for (const Case& c : kCases)
      EXPECT_NEAR(Speed(c.x, c.y, c.deadZone, 8, c.curve, step), c.speed, 0.002)
          << c.x << "," << c.y << " curve " << c.curve << " every " << step << " ms";
  }
}

TEST(StickPointer, TheCarriedFractionsAddUpToTheExactDistanceAndRestSendsNothing) {
  StickPointer p;
  p.Follow(PointerStick::XY, 300, -400, 0, 0);  // d = 0.5 along (0.6, -0.8)
  p.SetActive(PointerStick::XY, true, 0);
  EXPECT_EQ(p.NextDue(), 7);
  long dx = 0, dy = 0;
  for (Millis t = 7; t <= 7000; t += 7) {
    const MouseMotion::Step s = p.Advance(t, 3, 1);  // 1.5 a period: 0.9 right, 1.2 up
    dx += s.dx;
    dy += s.dy;
  }
  EXPECT_EQ(dx, 900);
  EXPECT_EQ(dy, -1200);
  p.Follow(PointerStick::XY, 0, 0, 0, 7000);
  EXPECT_FALSE(p.Moving());
  EXPECT_EQ(p.NextDue(), kNever);
  const MouseMotion::Step rest = p.Advance(7100, 3, 1);
  EXPECT_EQ(rest.dx, 0);
  EXPECT_EQ(rest.dy, 0);
  p.SetActive(PointerStick::XY, false, 7100);
  p.Follow(PointerStick::XY, 1000, 0, 0, 7100);
  EXPECT_FALSE(p.Moving()) << "a stick that is no pointer moves nothing";
}

// A stick that comes to rest and moves again starts afresh: neither the
// fraction left from before nor the time it spent at rest moves it.
TEST(StickPointer, AStickMovingAgainStartsWithoutWhatWasLeftFromBefore) {
  StickPointer p;
  p.SetActive(PointerStick::XY, true, 0);
  p.Follow(PointerStick::XY, 1000, 0, 0, 0);
  EXPECT_EQ(p.Advance(7, 0.9, 1).dx, 0) << "0.9 carried";
  p.Follow(PointerStick::XY, 0, 0, 0, 7);
  p.Follow(PointerStick::XY, 1000, 0, 0, 5000);
  EXPECT_EQ(p.NextDue(), 5007);
  EXPECT_EQ(p.Advance(5007, 0.9, 1).dx, 0) << "a fresh 0.9, not 1.8";
  EXPECT_EQ(p.Advance(5014, 0.9, 1).dx, 1);
}

TEST(StickPointer, AStallMovesByAQuarterOfASecondAtMost) {
  StickPointer p;
  p.SetActive(PointerStick::ZRz, true, 0);
  p.Follow(PointerStick::ZRz, 1000, 0, 0, 0);
  const MouseMotion::Step s = p.Advance(10000, 7, 1);
  EXPECT_EQ(s.dx, 250);
}

}  // namespace
}  // namespace vantrel
