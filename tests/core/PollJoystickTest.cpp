#include "input/PollJoystick.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A joystick component whose reads follow a script of state sets, one per run.
class ScriptedReader : public JoystickReader {
 public:
  void ReadAll() override {
    ++reads;
    states_ = next;
  }
  bool HasState() const override { return readable; }
  InputStates MergedStates() const override { return states_; }
  bool ButtonDown(int index) const override { return vantrel::ButtonDown(states_, index); }
  const ControllerState& Controller() const override { return controller; }
  const std::vector<ReaderStep>& Passed() const override { return passed; }

  std::vector<ReaderStep> passed;
  InputStates next;
  ControllerState controller;
  int reads = 0;
  bool readable = true;

 private:
  InputStates states_;
};

// Runs one poll and returns the calls as "+e" (press) and "-e" (release),
// checking that Pressed was written before each call.
class PollJoystickTest : public ::testing::Test {
 protected:
  std::vector<std::string> Run(InputStates states) {
    reader.next = states;
    std::vector<std::string> calls;
    PollJoystick(
        bindings, reader, rules,
        [&](std::uint8_t entry) {
          calls.push_back((bindings[entry].Pressed ? "+" : "-") + std::to_string(entry));
        },
        now);
    return calls;
  }
  // Runs one poll at `t`.
  std::vector<std::string> RunAt(Millis t) {
    now = t;
    return Run({});
  }

  Millis now = 0;

  // Buttons 1 … 6, Up 7, Down 8, Left 9, Right 10, then the hat's Up 11,
  // Down 12, Left 13, Right 14, Z- 15, Z+ 16, Rx- 17, Rx+ 18 ...
  BindingTable bindings{6};
  ScriptedReader reader;
  AxisRules rules;
};

InputStates With(std::initializer_list<int> members) {
  InputStates s;
  for (int m : members) s.set(m);
  return s;
}

TEST_F(PollJoystickTest, ALongHoldGivesOnePressAndOneRelease) {
  EXPECT_THAT(Run(With({StateButton(2)})), ElementsAre("+3"));
  for (int i = 0; i < 5; ++i) EXPECT_THAT(Run(With({StateButton(2)})), IsEmpty());
  EXPECT_EQ(bindings[3].Pressed, 1);
  EXPECT_THAT(Run({}), ElementsAre("-3"));
  EXPECT_THAT(Run({}), IsEmpty());
  EXPECT_EQ(reader.reads, 8) << "one read per run";
}

TEST_F(PollJoystickTest, CrossingSidesKeepsTheFirstHeldUntilRest) {
  EXPECT_THAT(Run(With({StateLeft})), ElementsAre("+9"));
  EXPECT_THAT(Run(With({StateRight})), ElementsAre("+10")) << "Left stays held";
  EXPECT_EQ(bindings[9].Pressed, 1);
  EXPECT_THAT(Run({}), ElementsAre("-9", "-10"));

  EXPECT_THAT(Run(With({StateDown})), ElementsAre("+8"));
  EXPECT_THAT(Run(With({StateUp})), ElementsAre("+7"));
  EXPECT_THAT(Run({}), ElementsAre("-7", "-8")) << "Up is released before Down";
}

TEST_F(PollJoystickTest, LeftIsNotReleasedWhileRightIsHeldFromBefore) {
  Run(With({StateRight}));
  EXPECT_THAT(Run(With({StateLeft})), ElementsAre("+9")) << "Right is not looked at";
  EXPECT_EQ(bindings[10].Pressed, 1);
}

TEST_F(PollJoystickTest, ADiagonalPressesLeftThenUpThenTheButtons) {
  EXPECT_THAT(Run(With({StateUp, StateLeft, StateButton(0)})), ElementsAre("+9", "+7", "+1"));
  EXPECT_THAT(Run({}), ElementsAre("-9", "-7", "-1"));
}

TEST_F(PollJoystickTest, ButtonsGoInAscendingOrder) {
  EXPECT_THAT(Run(With({StateButton(4), StateButton(1)})), ElementsAre("+2", "+5"));
  EXPECT_THAT(Run(With({StateButton(5)})), ElementsAre("-2", "-5", "+6"));
}

TEST_F(PollJoystickTest, OnlyTheFirstNButtonsAreExamined) {
  EXPECT_THAT(Run(With({StateButton(6), StateButton(31)})), IsEmpty());
  bindings.Resize(0);
  EXPECT_EQ(bindings.EntryUp, 1);
  EXPECT_THAT(Run(With({StateButton(0), StateRight, StateDown})), ElementsAre("+4", "+2"));
}

TEST_F(PollJoystickTest, ThirtyTwoButtonsAllFire) {
  bindings.Resize(32);
  InputStates all;
  all.set();
  EXPECT_EQ(Run(all).size(), 32u + 2u) << "one side of each axis and every button";
  EXPECT_EQ(bindings[32].Pressed, 1);
}

TEST_F(PollJoystickTest, TheEmptyStateReleasesEverythingHeld) {
  Run(With({StateLeft, StateDown, StateButton(0), StateButton(5)}));
  EXPECT_THAT(Run({}), ElementsAre("-9", "-8", "-1", "-6"));
  for (std::uint8_t e = 1; e <= 10; ++e) EXPECT_EQ(bindings[e].Pressed, 0);
}

TEST_F(PollJoystickTest, OnlyEdgesFromZeroOrOneFire) {
  // A value other than 0 or 1 is neither a held nor a free entry.
  bindings[1].Pressed = 2;
  EXPECT_THAT(Run(With({StateButton(0)})), IsEmpty());
  EXPECT_THAT(Run({}), IsEmpty());
  EXPECT_EQ(bindings[1].Pressed, 2);
}

TEST_F(PollJoystickTest, APressThatReloadsTheBindingsKeepsGoing) {
  // A profile switch rewrites entries mid-run; the rest of the run uses them.
  std::vector<int> calls;
  reader.next = With({StateButton(0), StateButton(1)});
  PollJoystick(
      bindings, reader, rules,
      [&](std::uint8_t entry) {
        calls.push_back(entry);
        if (entry == 1) {
          const auto pressed = bindings[2].Pressed;
          bindings[2] = Binding{.Action = ActRun};
          bindings[2].Pressed = pressed;
        }
      },
      0);
  EXPECT_THAT(calls, ElementsAre(1, 2));
  EXPECT_EQ(bindings[2].Action, ActRun);
}

// What the device reported between two reads comes first, in its order.
TEST_F(PollJoystickTest, EveryChangeBetweenTwoReadsIsAnEdgeInOrder) {
  auto steps = [](std::initializer_list<InputStates> states) {
    std::vector<ReaderStep> passed;
    for (const InputStates& s : states) passed.push_back({s, {}});
    return passed;
  };
  // A tap shorter than the time between reads.
  reader.passed = steps({With({StateButton(0)}), {}});
  EXPECT_THAT(Run({}), ElementsAre("+1", "-1"));
  // Two buttons overlapping: 2 down, 5 down, 2 up, 5 up.
  reader.passed = steps({With({StateButton(1)}), With({StateButton(1), StateButton(4)}),
                         With({StateButton(4)}), {}});
  EXPECT_THAT(Run({}), ElementsAre("+2", "+5", "-2", "-5"));
  // The stick out of its dead zone and back, and across to the other side.
  reader.passed = steps({With({StateLeft}), {}, With({StateRight})});
  EXPECT_THAT(Run({}), ElementsAre("+9", "-9", "+10", "-10"));
  reader.passed.clear();
  EXPECT_THAT(Run({}), IsEmpty());
}

TEST_F(PollJoystickTest, TheHatHoldsBothDirectionsOfADiagonalAndReleasesBoth) {
  reader.controller.pov = 13500;  // down and right
  EXPECT_THAT(Run({}), ElementsAre("+12", "+14"));
  reader.controller.pov = 18000;
  EXPECT_THAT(Run({}), ElementsAre("-14"));
  reader.controller.pov = kHatCentred;
  EXPECT_THAT(Run({}), ElementsAre("-12"));
}

TEST_F(PollJoystickTest, AnAxisRestingAtAnEndFiresOnlyItsOtherSide) {
  reader.controller.device = 1;
  reader.controller.axes[AxisRx] = -1000;  // a trigger, as the device is opened
  EXPECT_THAT(Run({}), IsEmpty()) << "a trigger at rest holds nothing";
  reader.controller.axes[AxisRx] = -400;   // pulled beyond half its travel
  EXPECT_THAT(Run({}), ElementsAre("+18"));
  reader.controller.axes[AxisRx] = -1000;
  EXPECT_THAT(Run({}), ElementsAre("-18"));
  // A stick on Ry, resting in the middle: each side, and straight across.
  reader.controller.axes[AxisRy] = -800;
  EXPECT_THAT(Run({}), ElementsAre("+19"));
  reader.controller.axes[AxisRy] = 800;
  EXPECT_THAT(Run({}), ElementsAre("-19", "+20"));
}

// The stick first, then the hat, the other axes and the buttons; the rests
// are learnt again when another device is opened.
TEST_F(PollJoystickTest, EveryControlInItsOrderAndRestsPerDevice) {
  reader.controller = {.device = 1, .axes = {0, 0, 1000}, .pov = 0};
  EXPECT_THAT(Run(With({StateLeft, StateButton(0)})), ElementsAre("+9", "+11", "+1"));
  reader.controller.axes[AxisZ] = 0;
  EXPECT_THAT(Run(With({StateLeft, StateButton(0)})), ElementsAre("+15")) << "Z rests at its maximum";
  reader.controller = {.device = 2, .axes = {0, 0, 0}};
  EXPECT_THAT(Run({}), ElementsAre("-9", "-11", "-15", "-1")) << "now Z rests in the middle";
}

TEST_F(PollJoystickTest, SplitTriggersAreTwoSidesThatMayBeHeldTogether) {
  reader.controller = {.device = 1, .splitTriggers = true, .zPlusTrigger = 600, .zMinusTrigger = 900};
  EXPECT_THAT(Run({}), ElementsAre("+15", "+16"));
  reader.controller.zPlusTrigger = 400;
  EXPECT_THAT(Run({}), ElementsAre("-16")) << "within the dead zone's share of the travel";
}

// A stick pushed to an end while the controller opens is first taken to
// rest there; once it has stayed in the middle it is a centred stick, and
// the side it held there comes up. A trigger pulled through the middle
// stays a trigger.
TEST_F(PollJoystickTest, AnAxisFirstSeenAtAnEndIsCentredOnceItStaysInTheMiddle) {
  reader.controller = {.device = 1, .axes = {0, 0, -1000, 1000}};  // Z a trigger, Rx pushed
  EXPECT_THAT(RunAt(0), IsEmpty());
  reader.controller.axes[AxisRx] = 20;
  reader.controller.axes[AxisZ] = 30;  // the trigger pulled half way
  EXPECT_THAT(RunAt(100), ElementsAre("+16", "+17")) << "both taken from an end";
  EXPECT_EQ(rules.NextDue(), 600);
  reader.controller.axes[AxisZ] = 400;  // the trigger moves on
  EXPECT_THAT(RunAt(599), IsEmpty());
  EXPECT_EQ(rules.NextDue(), 600);
  EXPECT_THAT(RunAt(600), ElementsAre("-17")) << "Rx is a centred stick";
  EXPECT_EQ(rules.NextDue(), kNever);
  reader.controller.axes[AxisRx] = -900;
  EXPECT_THAT(RunAt(700), ElementsAre("+17"));
  reader.controller.axes[AxisZ] = -1000;
  EXPECT_THAT(RunAt(800), ElementsAre("-16")) << "the trigger is still one";
}

// An Xbox pad's sticks rest in the middle however the pad reads at first.
TEST_F(PollJoystickTest, APadsSticksAreCentredWhateverTheyReadFirst) {
  reader.controller = {.device = 1, .axes = {0, 0, 0, 1000}, .splitTriggers = true};
  EXPECT_THAT(RunAt(0), ElementsAre("+18"));
  reader.controller.axes[AxisRx] = 0;
  EXPECT_THAT(RunAt(10), ElementsAre("-18"));
}

// A read that fails gives no state: everything held comes up, and an axis
// resting at an end does not read as pushed to the middle.
TEST_F(PollJoystickTest, AFailedReadLetsGoOfEverythingAndFiresNothing) {
  reader.controller = {.device = 1, .axes = {0, 0, -1000}};
  EXPECT_THAT(Run(With({StateLeft, StateButton(0)})), ElementsAre("+9", "+1"));
  reader.readable = false;
  EXPECT_THAT(Run(With({StateLeft, StateButton(0)})), ElementsAre("-9", "-1"));
  reader.controller.axes[AxisZ] = 0;
  EXPECT_THAT(Run({}), IsEmpty()) << "no Z+ from a throttle at its minimum";
}

}  // namespace
}  // namespace vantrel
