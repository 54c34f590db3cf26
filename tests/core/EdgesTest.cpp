#include "input/Edges.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A pad whose reads give the states the test sets.
struct ScriptedPad : PadReader {
  bool Read(Millis) override { return true; }
  const PadState& State() const override { return state; }
  const std::vector<PadState>& Passed() const override { return passed; }
  const PadControls& Controls() const override { return controls; }
  PadState state;
  std::vector<PadState> passed;
  PadControls controls;
};

// A state with these buttons (1 ...) down and the stick at (x, y).
PadState Pad(std::initializer_list<int> buttons, int x = 0, int y = 0) {
  PadState s;
  s.device = 1;
  for (int b : buttons) s.buttons.set(static_cast<std::size_t>(b - 1));
  s.axes[AxisX] = x;
  s.axes[AxisY] = y;
  return s;
}

// Reads the pad once and gives its edges as "+e" (press) and "-e" (release).
class EdgesTest : public ::testing::Test {
 protected:
  EdgesTest() {
    // A full gamepad: every axis and the hat.
    for (int a = 0; a < kControllerAxes; ++a) pad.controls.axes.set(static_cast<std::size_t>(a));
    pad.controls.hat = true;
  }
  std::vector<std::string> Run(PadState state, bool gotState = true) {
    state.time = now;
    if (state.device == 0) state.device = 1;
    pad.state = state;
    return Texts(edges.Read(0, pad, gotState, now));
  }
  // The pad's last state read again at `t`.
  std::vector<std::string> RunAt(Millis t) {
    now = t;
    return Run(pad.state);
  }
  static std::vector<std::string> Texts(const std::vector<Edge>& out) {
    std::vector<std::string> texts;
    for (const Edge& e : out) texts.push_back((e.down ? "+" : "-") + std::to_string(e.entry));
    return texts;
  }

  // Buttons 1 ... 6, Up 7, Down 8, Left 9, Right 10, then the hat's Up 11,
  // Down 12, Left 13, Right 14, Z- 15, Z+ 16, Rx- 17, Rx+ 18 ...
  EdgeStage edges{6};
  ScriptedPad pad;
  Millis now = 0;
};

TEST_F(EdgesTest, ALongHoldGivesOnePressAndOneRelease) {
  EXPECT_THAT(Run(Pad({3})), ElementsAre("+3"));
  for (int i = 0; i < 5; ++i) EXPECT_THAT(Run(Pad({3})), IsEmpty());
  EXPECT_TRUE(edges.Held(0, 3));
  EXPECT_THAT(Run(Pad({})), ElementsAre("-3"));
  EXPECT_THAT(Run(Pad({})), IsEmpty());
}

TEST_F(EdgesTest, CrossingSidesKeepsTheFirstHeldUntilRest) {
  EXPECT_THAT(Run(Pad({}, -500)), ElementsAre("+9"));
  EXPECT_THAT(Run(Pad({}, 500)), ElementsAre("+10")) << "Left stays held";
  EXPECT_TRUE(edges.Held(0, 9));
  EXPECT_THAT(Run(Pad({})), ElementsAre("-9", "-10"));

  EXPECT_THAT(Run(Pad({}, 0, 500)), ElementsAre("+8"));
  EXPECT_THAT(Run(Pad({}, 0, -500)), ElementsAre("+7"));
  EXPECT_THAT(Run(Pad({})), ElementsAre("-7", "-8")) << "Up is released before Down";
}

TEST_F(EdgesTest, LeftIsNotReleasedWhileRightIsHeldFromBefore) {
  Run(Pad({}, 500));
  EXPECT_THAT(Run(Pad({}, -500)), ElementsAre("+9")) << "Right is not looked at";
  EXPECT_TRUE(edges.Held(0, 10));
}

TEST_F(EdgesTest, ADiagonalPressesLeftThenUpThenTheButtons) {
  EXPECT_THAT(Run(Pad({1}, -1, -1)), ElementsAre("+9", "+7", "+1"));
  EXPECT_THAT(Run(Pad({})), ElementsAre("-9", "-7", "-1"));
}

TEST_F(EdgesTest, ButtonsGoInAscendingOrder) {
  EXPECT_THAT(Run(Pad({5, 2})), ElementsAre("+2", "+5"));
  EXPECT_THAT(Run(Pad({6})), ElementsAre("-2", "-5", "+6"));
}

TEST_F(EdgesTest, OnlyTheFirstNButtonsAreExamined) {
  EXPECT_THAT(Run(Pad({7, 32})), IsEmpty());
  edges.Resize(0);
  EXPECT_THAT(Run(Pad({1}, 1, 1)), ElementsAre("+4", "+2")) << "Right is 4, Down 2";
}

TEST_F(EdgesTest, ThirtyTwoButtonsAllFireAndNoMore) {
  edges.Resize(32);
  PadState all = Pad({}, 1, 1);
  all.buttons.set();
  EXPECT_EQ(Run(all).size(), 32u + 2u) << "one side of each axis and every button";
  EXPECT_TRUE(edges.Held(0, 32));
}

TEST_F(EdgesTest, TheEmptyStateAndAFailedReadReleaseEverythingHeld) {
  Run(Pad({1, 6}, -1, 1));
  EXPECT_THAT(Run(Pad({})), ElementsAre("-9", "-8", "-1", "-6"));
  EXPECT_FALSE(edges.AnyHeld());
  // A read that gives no state is no state, not zeros: an axis resting at
  // its minimum does not read as pushed to the middle.
  PadState throttle = Pad({1}, -1);
  throttle.device = 2;  // another device, whose Z rests at its minimum
  throttle.axes[AxisZ] = -1000;
  EXPECT_THAT(Run(throttle), ElementsAre("+9", "+1"));
  EXPECT_THAT(Run(Pad({1}, -1), false), ElementsAre("-9", "-1"));
  EXPECT_FALSE(edges.AnyHeld());
}

// What the device reported between two reads comes first, in its order,
// each edge with the time of its change.
TEST_F(EdgesTest, EveryChangeBetweenTwoReadsIsAnEdgeInOrderWithItsTime) {
  auto steps = [](std::initializer_list<PadState> states) {
    std::vector<PadState> passed;
    Millis t = 10;
    for (PadState s : states) {
      s.time = t++;
      passed.push_back(s);
    }
    return passed;
  };
  now = 20;
  // A tap shorter than the time between reads.
  pad.passed = steps({Pad({1}), Pad({})});
  const std::vector<Edge> tap = edges.Read(0, pad, true, now);
  EXPECT_EQ(tap, (std::vector<Edge>{{0, 1, true, 10}, {0, 1, false, 11}}));
  // Two buttons overlapping: 2 down, 5 down, 2 up, 5 up.
  pad.passed = steps({Pad({2}), Pad({2, 5}), Pad({5}), Pad({})});
  EXPECT_THAT(Run(Pad({})), ElementsAre("+2", "+5", "-2", "-5"));
  // The stick out of its dead zone and back, and across to the other side.
  pad.passed = steps({Pad({}, -1), Pad({}), Pad({}, 1)});
  EXPECT_THAT(Run(Pad({})), ElementsAre("+9", "-9", "+10", "-10"));
  pad.passed.clear();
  EXPECT_THAT(Run(Pad({})), IsEmpty());
}

TEST_F(EdgesTest, TheHatHoldsBothDirectionsOfADiagonalAndReleasesBoth) {
  PadState s = Pad({});
  s.hat = 13500;  // down and right
  EXPECT_THAT(Run(s), ElementsAre("+12", "+14"));
  s.hat = 18000;
  EXPECT_THAT(Run(s), ElementsAre("-14"));
  s.hat = kHatCentred;
  EXPECT_THAT(Run(s), ElementsAre("-12"));
  pad.controls.hat = false;
  s.hat = 0;
  EXPECT_THAT(Run(s), IsEmpty()) << "a device without a hat holds none";
}

TEST_F(EdgesTest, AnAxisRestingAtAnEndFiresOnlyItsOtherSide) {
  PadState s = Pad({});
  s.axes[AxisRx] = -1000;  // a trigger, as the device is opened
  EXPECT_THAT(Run(s), IsEmpty()) << "a trigger at rest holds nothing";
  s.axes[AxisRx] = -400;  // pulled beyond half its travel
  EXPECT_THAT(Run(s), ElementsAre("+18"));
  s.axes[AxisRx] = -1000;
  EXPECT_THAT(Run(s), ElementsAre("-18"));
  // A stick on Ry, resting in the middle: each side, and straight across.
  s.axes[AxisRy] = -800;
  EXPECT_THAT(Run(s), ElementsAre("+19"));
  s.axes[AxisRy] = 800;
  EXPECT_THAT(Run(s), ElementsAre("-19", "+20"));
}

// The stick first, then the hat, the other axes and the buttons; the rests
// are learnt again when another device is opened.
TEST_F(EdgesTest, EveryControlInItsOrderAndRestsPerDevice) {
  PadState s = Pad({1}, -1);
  s.axes[AxisZ] = 1000;
  s.hat = 0;
  EXPECT_THAT(Run(s), ElementsAre("+9", "+11", "+1"));
  s.axes[AxisZ] = 0;
  EXPECT_THAT(Run(s), ElementsAre("+15")) << "Z rests at its maximum";
  PadState other = Pad({});
  other.device = 2;
  EXPECT_THAT(Run(other), ElementsAre("-9", "-11", "-15", "-1")) << "now Z rests in the middle";
}

// An Xbox pad's triggers are two axes of their own that rest at their
// minimum: LT is Z+ and RT Z-, and both may be held at once.
TEST_F(EdgesTest, APadsTriggersAreZsSidesThatMayBeHeldTogether) {
  pad.controls.axes.reset(AxisZ);
  pad.controls.axes.set(AxisLeftTrigger).set(AxisRightTrigger);
  pad.controls.rests[AxisLeftTrigger] = pad.controls.rests[AxisRightTrigger] = AxisRest::Minimum;
  PadState s = Pad({});
  s.axes[AxisLeftTrigger] = -400;   // 60 % of its travel
  s.axes[AxisRightTrigger] = -100;  // 90 %
  EXPECT_THAT(Run(s), ElementsAre("+15", "+16"));
  s.axes[AxisLeftTrigger] = -600;  // 40 %: within the dead zone's share of the travel
  EXPECT_THAT(Run(s), ElementsAre("-16"));
}

// A stick pushed to an end while the controller opens is first taken to
// rest there; once it has stayed in the middle it is a centred stick, and
// the side it held there comes up. A trigger pulled through the middle
// stays a trigger.
TEST_F(EdgesTest, AnAxisFirstSeenAtAnEndIsCentredOnceItStaysInTheMiddle) {
  PadState s = Pad({});
  s.axes[AxisZ] = -1000;  // a trigger
  s.axes[AxisRx] = 1000;  // pushed
  pad.state = s;
  EXPECT_THAT(RunAt(0), IsEmpty());
  pad.state.axes[AxisRx] = 20;
  pad.state.axes[AxisZ] = 30;  // the trigger pulled half way
  EXPECT_THAT(RunAt(100), ElementsAre("+16", "+17")) << "both taken from an end";
  EXPECT_EQ(edges.NextDue(), 600);
  pad.state.axes[AxisZ] = 400;  // the trigger moves on
  EXPECT_THAT(RunAt(599), IsEmpty());
  EXPECT_EQ(edges.NextDue(), 600);
  std::vector<Edge> settled;
  edges.Advance(600, settled);
  EXPECT_THAT(Texts(settled), ElementsAre("-17")) << "Rx is a centred stick, at once";
  EXPECT_EQ(edges.NextDue(), kNever);
  pad.state.axes[AxisRx] = -900;
  EXPECT_THAT(RunAt(700), ElementsAre("+17"));
  pad.state.axes[AxisZ] = -1000;
  EXPECT_THAT(RunAt(800), ElementsAre("-16")) << "the trigger is still one";
}

// Where the device's kind says an axis rests, its first reading does not
// count: an Xbox pad's stick pushed as it opens is a centred stick.
TEST_F(EdgesTest, AKnownRestOutweighsTheFirstReading) {
  pad.controls.rests[AxisRx] = AxisRest::Middle;
  PadState s = Pad({});
  s.axes[AxisRx] = 1000;
  EXPECT_THAT(Run(s), ElementsAre("+18"));
  s.axes[AxisRx] = 0;
  EXPECT_THAT(Run(s), ElementsAre("-18"));
}

// Fewer buttons: the ones that go let go; the entries after the buttons
// move with theirs, held or not.
TEST_F(EdgesTest, ResizingMovesTheHeldEntriesAfterTheButtons) {
  Run(Pad({2, 5}, -1));
  std::vector<Edge> gone;
  edges.Resize(4, &gone, 30);
  EXPECT_EQ(gone, (std::vector<Edge>{{0, 5, false, 30}}));
  EXPECT_TRUE(edges.Held(0, 7)) << "Left moved from 9";
  EXPECT_TRUE(edges.Held(0, 2));
  EXPECT_FALSE(edges.Held(0, 5)) << "now the Up row, not held";
  EXPECT_THAT(Run(Pad({2}, -1)), IsEmpty());
}

}  // namespace
}  // namespace vantrel
