// The mouse actions through the pipeline: the buttons, the wheel, the
// accelerating pointer by 7 ms steps of time, and a stick as a pointer.
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/DispatchFixture.h"

namespace vantrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using test::DispatchTest;

TEST_F(DispatchTest, MouseButtonsAndWheel) {
  table[1] = {.VCode = 300, .Action = ActEmulClick};
  table[2] = {.VCode = 301, .Action = ActEmulClick};
  Press(1);
  Release(1);
  Press(2);
  Release(2);
  for (std::uint16_t code : {905, 906, 907}) {
    table[3] = {.VCode = code, .Action = ActEmulClick};
    Press(3);
    Release(3);
  }
  EXPECT_THAT(sink.Take(), ElementsAre("m2", "m4", "m8", "m16", "w1", "w1", "w120"));
}

TEST_F(DispatchTest, PointerAcceleratesToTheTopSpeed) {
  table[1] = {.VCode = 902, .Action = ActEmulClick};
  Press(1);
  const std::vector<int> steps = Steps(100);
  EXPECT_THAT(std::vector<int>(steps.begin(), steps.begin() + 5), ElementsAre(0, 0, 0, 0, 1))
      << "0.5 rounds to even, 0.6 to one";
  EXPECT_NEAR(d.Dispatch.Motion().SpeedX, 8.1, 1e-9) << "the top is tested before the addition";
  EXPECT_EQ(steps[79], 8);
  EXPECT_EQ(steps[99], 8);
  Release(1);
  EXPECT_EQ(d.Dispatch.Motion().SpeedX, 0);
  EXPECT_THAT(Steps(3), ElementsAre(0, 0, 0));
  EXPECT_THAT(sink.events, IsEmpty()) << "a still pointer injects nothing";
}

TEST_F(DispatchTest, TwoAxesSettleAtSixAndReleaseIndependently) {
  table[1] = {.VCode = 902, .Action = ActEmulClick};
  table[2] = {.VCode = 904, .Action = ActEmulClick};
  Press(1);
  Press(2);
  for (int i = 0; i < 200; ++i) Step();
  EXPECT_THAT(sink.Take().back(), "mv6,6");
  Release(1);
  Step();
  EXPECT_THAT(sink.Take(), ElementsAre("mv0,6")) << "only the released axis stops";
}

TEST_F(DispatchTest, TheOppositeDirectionTurnsTheAxisRound) {
  table[1] = {.VCode = 901, .Action = ActEmulClick};
  table[2] = {.VCode = 902, .Action = ActEmulClick};
  Press(1);
  for (int i = 0; i < 30; ++i) Step();
  Press(2);
  EXPECT_DOUBLE_EQ(d.Dispatch.Motion().SpeedX, 0.1);
  Release(2);
  EXPECT_EQ(d.Dispatch.Motion().SpeedX, 0) << "releasing either direction stops the axis";
}

TEST_F(DispatchTest, NoAccelerationNeverMoves) {
  d.Dispatch.Settings.mouseAcceleration = 0;
  table[1] = {.VCode = 903, .Action = ActEmulClick};
  Press(1);
  for (int i = 0; i < 50; ++i) Step();
  EXPECT_THAT(sink.events, IsEmpty());
  EXPECT_DOUBLE_EQ(d.Dispatch.Motion().SpeedY, -0.1);
}

TEST_F(DispatchTest, EveryDirectionStartsSlowlyWithItsOwnSign) {
  struct Case {
    std::uint16_t code;
    const char* step;  // the move once the speed rounds to one unit
  };
  for (Case c : {Case{901, "-1,0"}, Case{902, "1,0"}, Case{903, "0,-1"}, Case{904, "0,1"}}) {
    SCOPED_TRACE(c.code);
    table[1] = {.VCode = c.code, .Action = ActEmulClick};
    Press(1);
    // 0.2, 0.3, 0.4 and 0.5 round to 0; 0.6 is the first visible step.
    EXPECT_THAT(Moves(7), ElementsAre("0,0", "0,0", "0,0", "0,0", c.step, c.step, c.step));
    Release(1);
  }
}

TEST_F(DispatchTest, ThePointerIsDueOnlyWhileAnAxisMoves) {
  table[1] = {.VCode = 902, .Action = ActEmulClick};  // right
  table[2] = {.VCode = 904, .Action = ActEmulClick};  // down
  table[3] = {.VCode = 901, .Action = ActEmulClick};  // left
  table[4] = {.VCode = 300, .Action = ActEmulClick};
  struct Change {
    int entry;
    std::uint8_t pressed;
    bool timerOn;  // whether the pointer asks to run again
  };
  const Change steps[] = {
      {4, 1, false},
      {4, 0, false},  // a button moves nothing
      {1, 1, true},
      {2, 1, true},
      {1, 0, true},
      {4, 1, true},
      {4, 0, true},
      {2, 0, false},
      // The opposite direction's release stops the axis with Left still held.
      {3, 1, true},
      {1, 1, true},
      {1, 0, false},
      {3, 0, false},
  };
  EXPECT_FALSE(Due()) << "still at start-up";
  for (const Change& c : steps) {
    SCOPED_TRACE(testing::Message() << c.entry << (c.pressed ? " down" : " up"));
    Edge(c.entry, c.pressed);
    EXPECT_EQ(Due(), c.timerOn);
  }
}

TEST_F(DispatchTest, APointerThatSleptStartsExactlyAsAFreshOne) {
  table[1] = {.VCode = 902, .Action = ActEmulClick};
  table[2] = {.VCode = 904, .Action = ActEmulClick};
  // The loop runs the dispatcher only when it is due, as the message loop does.
  auto ticked = [&](int ticks) {
    std::vector<std::string> moves;
    for (int i = 0; i < ticks; ++i) {
      if (!Due()) continue;
      sink.events.clear();
      At(d.NextDue());
      moves.push_back(sink.events.empty() ? "0,0" : sink.events.front().substr(2));
    }
    sink.events.clear();
    return moves;
  };
  Press(1);
  const auto fresh = ticked(100);
  Release(1);
  EXPECT_THAT(ticked(1000), IsEmpty()) << "no ticks while nothing moves";
  Press(1);
  EXPECT_EQ(ticked(100), fresh);
  EXPECT_THAT(std::vector<std::string>(fresh.begin(), fresh.begin() + 5),
              ElementsAre("0,0", "0,0", "0,0", "0,0", "1,0"));
  EXPECT_EQ(fresh.back(), "8,0");
  Press(2);
  Release(1);
  Release(2);
  EXPECT_FALSE(Due());

  // An acceleration against the direction brings the axis to a stop by
  // itself; its timer stops with it.
  d.Dispatch.Settings.mouseAcceleration = -0.1;
  Press(1);
  EXPECT_THAT(ticked(5), ElementsAre("0,0"));
  EXPECT_FALSE(Due());
}

TEST_F(DispatchTest, TheTopSpeedReachedExactlyStopsTheGrowth) {
  d.Dispatch.Settings.mouseAcceleration = 0.9;
  d.Dispatch.Settings.mouseTopSpeed = 1;
  struct Case {
    std::uint16_t code;
    const char* step;
  };
  for (Case c : {Case{901, "-1,0"}, Case{902, "1,0"}, Case{903, "0,-1"}, Case{904, "0,1"}}) {
    SCOPED_TRACE(c.code);
    table[1] = {.VCode = c.code, .Action = ActEmulClick};
    Press(1);
    // 0.1 + 0.9 is exactly 1: the top, so nothing more is added.
    EXPECT_THAT(Moves(4), ElementsAre(c.step, c.step, c.step, c.step));
    EXPECT_DOUBLE_EQ(std::abs(d.Dispatch.Motion().SpeedX + d.Dispatch.Motion().SpeedY), 1.0);
    Release(1);
  }
}

TEST_F(DispatchTest, HandEditedMouseSettingsStayWithinTheMovesRange) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const std::string max = std::to_string(std::numeric_limits<std::int32_t>::max());
  const std::string min = std::to_string(std::numeric_limits<std::int32_t>::min());
  struct Case {
    double accel, top;
    std::uint16_t code;
    std::string last;  // the move of the last of 20 ticks
  };
  for (const Case& c :
       {Case{1e10, 1e300, 902, max + ",0"}, Case{1e10, 1e300, 901, min + ",0"},
        Case{1e300, 1e308, 903, "0," + min}, Case{1.7e308, 1.79e308, 904, "0," + max},
        Case{kNaN, 8, 902, "0,0"}, Case{kInf, 8, 902, "0,0"}, Case{-kInf, 8, 901, "0,0"},
        Case{0.5, kNaN, 902, "0,0"}, Case{0.5, kInf, 902, "0,0"}, Case{0.5, -1, 902, "0,0"}}) {
    SCOPED_TRACE(testing::Message() << c.accel << " " << c.top << " " << c.code);
    d.Dispatch.Settings.mouseAcceleration = c.accel;
    d.Dispatch.Settings.mouseTopSpeed = c.top;
    table[1] = {.VCode = c.code, .Action = ActEmulClick};
    Press(1);
    EXPECT_EQ(Moves(20).back(), c.last);
    Release(1);
  }
}

// A stick as a pointer takes its two axes as one vector, from their raw
// positions and scaled to their range, with a round dead zone: a full push
// in any direction is the top speed, and the pointer goes the stick's way.
TEST_F(DispatchTest, TheStickPointerGoesTheWayTheStickIsPushedAtItsFullSpeed) {
  table[table.EntryRight] = {.VCode = kPointerStickCode, .Action = ActEmulClick};
  struct Case {
    double degrees;   // above the horizontal
    double fraction;  // of the travel
    double range;     // the values the end of the travel reads
    double speed;     // per 7 ms
  };
  const Case cases[] = {
      {0, 1, 1000, 8},        {45, 1, 1000, 8},    {20, 1, 1000, 8},
      {70, 1, 1000, 8},       {45, 1, 500, 8},     {200, 1, 500, 8},
      {20, 0.5, 1000, 1.125}, {135, 0.2, 1000, 0}, {300, 0.6, 1000, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.degrees << " degrees, " << c.fraction << " of range " << c.range);
    const double radians = c.degrees * 3.14159265358979 / 180;
    std::array<std::int32_t, kControllerAxes> axes{};
    axes[AxisX] = static_cast<std::int32_t>(std::lround(c.fraction * c.range * std::cos(radians)));
    axes[AxisY] = static_cast<std::int32_t>(std::lround(-c.fraction * c.range * std::sin(radians)));
    StickReaches reaches{};
    reaches[0] = {c.range, c.range, 20};  // a dead zone of 20 %
    const Millis start = now;
    d.Dispatch.FollowSticks(axes, reaches);
    double dx = 0, dy = 0;
    for (Millis t = start + 16; t <= start + 7000; t += 16) {
      At(t);
      for (const std::string& mv : sink.Take()) {
        const auto comma = mv.find(',');
        dx += std::stoi(mv.substr(2, comma - 2));
        dy += std::stoi(mv.substr(comma + 1));
      }
    }
    EXPECT_NEAR(std::hypot(dx, dy) / 1000, c.speed, 0.02);
    if (c.speed > 0) {
      EXPECT_NEAR(std::atan2(-dy, dx), std::atan2(std::sin(radians), std::cos(radians)), 0.02)
          << "within about a degree of the stick's direction";
    }
    d.Dispatch.FollowSticks({}, reaches);
    At(now + 100);
    sink.Take();
  }
}

// Unbound by an edit, a switch or an Off rule, the pointer stops at once,
// not at the next read of the controller.
TEST_F(DispatchTest, AnUnboundPointerStickStopsAtOnce) {
  table[table.EntryUp] = {.VCode = kPointerStickCode, .Action = ActEmulClick};
  std::array<std::int32_t, kControllerAxes> axes{};
  axes[AxisX] = 1000;
  d.Dispatch.FollowSticks(axes, StickReaches{});
  At(70);
  EXPECT_THAT(sink.Take(), ElementsAre("mv80,0"));
  d.Dispatch.Quiet = true;
  At(77);
  EXPECT_THAT(sink.Take(), IsEmpty());
  EXPECT_FALSE(Due());
  d.Dispatch.Quiet = false;
  At(84);
  At(91);
  EXPECT_THAT(sink.Take(), ElementsAre("mv8,0")) << "moving again from 84";
  table[table.EntryUp] = {};
  At(98);
  EXPECT_THAT(sink.Take(), IsEmpty());
  EXPECT_FALSE(Due());
}

}  // namespace
}  // namespace vantrel
