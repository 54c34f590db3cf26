#include "input/JoystickReaderAdapter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/XInputPad.h"

namespace vantrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A pad whose reads give what the test put in, and say when they were asked for.
class ScriptedPad : public PadReader {
 public:
  bool Read(Millis now) override {
    readAt.push_back(now);
    return readable;
  }
  const PadState& State() const override { return state; }
  const std::vector<PadState>& Passed() const override { return passed; }
  const PadControls& Controls() const override { return controls; }

  PadState state;
  std::vector<PadState> passed;
  PadControls controls;
  bool readable = true;
  std::vector<Millis> readAt;
};

Millis clockNow = 0;
Millis Clock() { return clockNow; }

class JoystickReaderAdapterTest : public ::testing::Test {
 protected:
  JoystickReaderAdapterTest() {
    pad.controls.axes.set(AxisX).set(AxisY).set(AxisRz);
    pad.controls.hat = true;
    pad.controls.buttons = 40;
  }

  // One polling run through the adapter, its calls as "+e" and "-e".
  std::vector<std::string> Poll() {
    std::vector<std::string> calls;
    PollJoystick(
        bindings, adapter, rules,
        [&](std::uint8_t entry) {
          calls.push_back((bindings[entry].Pressed ? "+" : "-") + std::to_string(entry));
        },
        clockNow);
    return calls;
  }
  std::string Entry(char sign, int extra) const {
    return sign + std::to_string(bindings.ExtraEntry(extra));
  }

  ScriptedPad pad;
  JoystickReaderAdapter adapter{pad, Clock};
  BindingTable bindings{4};  // Up 5, Down 6, Left 7, Right 8
  AxisRules rules;
};

TEST_F(JoystickReaderAdapterTest, AReadGivesTheStatesAndTheControllerOfItsPadState) {
  clockNow = 1234;
  pad.state.device = 3;
  pad.state.buttons.set(0).set(31).set(32);
  pad.state.axes[AxisX] = -5;
  pad.state.rawStick = {-300, 40};  // Y within the dead zone
  pad.state.axes[AxisRz] = 700;
  pad.state.hat = 9000;
  adapter.ReadAll();
  EXPECT_THAT(pad.readAt, ElementsAre(1234)) << "read at the clock's time";
  EXPECT_TRUE(adapter.HasState());
  EXPECT_EQ(adapter.MergedStates(),
            InputStates().set(StateLeft).set(StateButton(0)).set(StateButton(31)));
  EXPECT_TRUE(adapter.ButtonDown(0));
  EXPECT_TRUE(adapter.ButtonDown(31));
  EXPECT_FALSE(adapter.ButtonDown(32)) << "button 33 has no state";
  const ControllerState& c = adapter.Controller();
  EXPECT_EQ(c.device, 3u);
  EXPECT_EQ(c.axes[AxisX], -300) << "the stick as it is, for the pointer";
  EXPECT_EQ(c.axes[AxisY], 40);
  EXPECT_EQ(c.axes[AxisRz], 700);
  EXPECT_EQ(c.pov, 9000u);
  EXPECT_FALSE(c.splitTriggers);
}

// An Xbox pad's triggers, two axes of their own, come back as Z's two sides.
TEST_F(JoystickReaderAdapterTest, AnXboxPadsTriggersAreZsTwoSidesEachOnItsOwn) {
  pad.controls = XInputControls();
  pad.state = XInputPadState({.leftTrigger = 64}, AxisTables());
  adapter.ReadAll();
  EXPECT_TRUE(adapter.Controller().splitTriggers);
  EXPECT_EQ(adapter.Controller().zPlusTrigger, 250) << "LT";
  EXPECT_EQ(adapter.Controller().zMinusTrigger, 0) << "RT at rest";
  EXPECT_EQ(adapter.Controller().axes[AxisZ], 0);
}

TEST_F(JoystickReaderAdapterTest, AReadThatGivesNoStateHoldsNothing) {
  pad.state.device = 5;
  pad.state.buttons.set(2);
  pad.state.axes[AxisX] = 1000;
  pad.state.rawStick = {1000, 0};
  pad.state.hat = 0;
  EXPECT_THAT(Poll(), ElementsAre("+8", Entry('+', 0), "+3"));
  pad.readable = false;
  pad.passed = {pad.state};
  adapter.ReadAll();
  EXPECT_FALSE(adapter.HasState());
  EXPECT_TRUE(adapter.MergedStates().none());
  EXPECT_FALSE(adapter.ButtonDown(2));
  EXPECT_THAT(adapter.Passed(), IsEmpty());
  EXPECT_EQ(adapter.Controller().device, 5u);
  EXPECT_EQ(adapter.Controller().axes[AxisX], 0);
  EXPECT_EQ(adapter.Controller().pov, kHatCentred);
  EXPECT_THAT(Poll(), ElementsAre("-8", Entry('-', 0), "-3"));
}

}  // namespace
}  // namespace vantrel
