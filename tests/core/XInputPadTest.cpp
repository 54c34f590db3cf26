#include "input/XInputPad.h"

#include <gtest/gtest.h>

#include "input/ControllerState.h"

namespace vantrel {
namespace {

TEST(XInputPad, ButtonsAreNumberedAsItsDirectInputTwinNumbersThem) {
  const std::pair<std::uint16_t, int> kButtons[] = {
      {0x1000, 1}, {0x2000, 2}, {0x4000, 3}, {0x8000, 4}, {0x0100, 5},
      {0x0200, 6}, {0x0020, 7}, {0x0010, 8}, {0x0040, 9}, {0x0080, 10}};
  const AxisTables tables;
  for (const auto& [bit, button] : kButtons) {
    const PadState state = XInputPadState({.buttons = bit}, tables);
    for (std::size_t i = 0; i < 16; ++i)
      EXPECT_EQ(state.buttons.test(i), i == static_cast<std::size_t>(button - 1))
          << bit << " " << i;
  }
}

TEST(XInputPad, TheDpadIsTheHatAndOppositesCancel) {
  const std::pair<std::uint16_t, std::uint32_t> kDpad[] = {
      {0x0, kHatCentred}, {0x1, 0},           {0x9, 4500},  {0x8, 9000},
      {0xA, 13500},       {0x2, 18000},       {0x6, 22500}, {0x4, 27000},
      {0x5, 31500},       {0x3, kHatCentred}, {0xB, 9000}};
  const AxisTables tables;
  for (const auto& [bits, pov] : kDpad)
    EXPECT_EQ(XInputPadState({.buttons = bits}, tables).hat, pov) << bits;
}

TEST(XInputPad, SticksAreXYAndRxRyWithUpNegativeAndTriggersAreZsSides) {
  const AxisTables tables;  // X and Y: range 1000, dead zone 50
  const XInputPad pad{.leftTrigger = 255,
                      .rightTrigger = 128,
                      .thumbLX = 32767,
                      .thumbLY = 32767,
                      .thumbRX = -32768,
                      .thumbRY = -32768};
  PadState padState = XInputPadState(pad, tables);
  EXPECT_EQ(padState.axes[AxisX], 1000);
  EXPECT_EQ(padState.axes[AxisY], -1000) << "pushed up";
  EXPECT_EQ(padState.axes[AxisRx], -1000);
  EXPECT_EQ(padState.axes[AxisRy], 1000) << "pulled down";
  EXPECT_EQ(XInputPadState({.thumbLX = 8000}, tables).axes[AxisX], 0) << "within X's dead zone";
  EXPECT_NE(XInputPadState({.thumbRX = 8000}, tables).axes[AxisRx], 0)
      << "Rx's is measured from its rest";
}

// Each trigger is an axis of its own that rests at its minimum, its travel
// the lower half of the axis.
TEST(XInputPad, TriggersAreAxesOfTheirOwnFromTheMinimumToTheMiddle) {
  const struct {
    std::uint8_t pulled;
    std::int32_t axis;
  } kTravel[] = {{0, -1000}, {1, -997}, {128, -499}, {254, -4}, {255, 0}};
  const AxisTables tables;
  for (const auto& t : kTravel) {
    const PadState left = XInputPadState({.leftTrigger = t.pulled}, tables);
    const PadState right = XInputPadState({.rightTrigger = t.pulled}, tables);
    EXPECT_EQ(left.axes[PadLeftTrigger], t.axis) << int{t.pulled};
    EXPECT_EQ(left.axes[PadRightTrigger], -1000) << "RT at rest";
    EXPECT_EQ(right.axes[PadRightTrigger], t.axis) << int{t.pulled};
    EXPECT_EQ(right.axes[PadLeftTrigger], -1000) << "LT at rest";
    EXPECT_EQ(left.axes[AxisZ], 0) << "Z is no trigger";
  }
}

TEST(XInputPad, ItsControlsAndWhereTheyRest) {
  const PadControls controls = XInputControls();
  const std::optional<AxisRest> kRests[kPadAxes] = {
      AxisRest::Middle, AxisRest::Middle, std::nullopt, AxisRest::Middle,  AxisRest::Middle,
      std::nullopt,     std::nullopt,     std::nullopt, AxisRest::Minimum, AxisRest::Minimum};
  for (std::size_t a = 0; a < kPadAxes; ++a) {
    EXPECT_EQ(controls.rests[a], kRests[a]) << "axis " << a;
    EXPECT_EQ(controls.axes.test(a), kRests[a].has_value()) << "axis " << a;
  }
  EXPECT_TRUE(controls.hat);
  EXPECT_EQ(controls.buttons, kXInputButtons);
  // The rows show the triggers as Z's two sides: extras 4 and 5 are Z-
  // and Z+, 6 and 7 Rx's, 10 and 11 Rz's, 0 ... 3 the hat's.
  for (int extra : {0, 4, 5, 6, 7}) EXPECT_TRUE(HasControl(controls, extra)) << extra;
  for (int extra : {10, 11, 12}) EXPECT_FALSE(HasControl(controls, extra)) << extra;
}

// The stick for a pointer: its positions before the dead zone, within the
// range set for it.
TEST(XInputPad, TheRawStickKeepsTheRangeButNotTheDeadZone) {
  AxisTables tables;
  tables.SetRangeAt(kOffsetY, 500, nullptr);
  const struct {
    std::int16_t x, y;
    std::int32_t axisX, axisY, rawX, rawY;
  } kSticks[] = {
      {0, 0, 0, 0, 0, 0},
      {8000, -8000, 0, 0, 244, 122},
      {32767, 32767, 1000, -500, 1000, -500},
      {-32768, -32768, -1000, 500, -1000, 500},
  };
  for (const auto& s : kSticks) {
    const PadState state = XInputPadState({.thumbLX = s.x, .thumbLY = s.y}, tables);
    EXPECT_EQ(state.axes[AxisX], s.axisX) << s.x;
    EXPECT_EQ(state.axes[AxisY], s.axisY) << s.y;
    EXPECT_EQ(state.rawStick[0], s.rawX) << s.x;
    EXPECT_EQ(state.rawStick[1], s.rawY) << s.y;
  }
}

}  // namespace
}  // namespace vantrel
