#include "input/ControllerState.h"
#include "input/Edges.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

// Up, Down, Left, Right as four letters, "-" for a direction not held.
std::string Held(std::uint32_t pov) {
  const std::array<bool, 4> held = HatDirections(pov);
  std::string text;
  for (int d = 0; d < 4; ++d) text += held[d] ? "UDLR"[d] : '-';
  return text;
}

TEST(Hat, EightSectorsWithEveryBoundaryOnItsClockwiseSide) {
  const std::pair<std::uint32_t, const char*> kCases[] = {
      {0, "U---"},     {2249, "U---"},  {2250, "U--R"},  {6749, "U--R"},  {6750, "---R"},
      {11249, "---R"}, {11250, "-D-R"}, {15749, "-D-R"}, {15750, "-D--"}, {20249, "-D--"},
      {20250, "-DL-"}, {24749, "-DL-"}, {24750, "--L-"}, {29249, "--L-"}, {29250, "U-L-"},
      {33749, "U-L-"}, {33750, "U---"}, {35999, "U---"},
      // Centred: a low word of 0xFFFF, or a value of a full circle or more.
      {kHatCentred, "----"}, {0xFFFF, "----"}, {36000, "----"}, {0x1234FFFF, "----"}};
  for (const auto& [pov, held] : kCases) EXPECT_EQ(Held(pov), held) << pov;
}

TEST(Axes, ARestIsTheMiddleOrTheNearerEnd) {
  EXPECT_EQ(RestOf(0), AxisRest::Middle);
  EXPECT_EQ(RestOf(-499), AxisRest::Middle);
  EXPECT_EQ(RestOf(499), AxisRest::Middle);
  EXPECT_EQ(RestOf(-500), AxisRest::Minimum);
  EXPECT_EQ(RestOf(-1000), AxisRest::Minimum);
  EXPECT_EQ(RestOf(500), AxisRest::Maximum);
  EXPECT_EQ(RestOf(1000), AxisRest::Maximum);
}

TEST(Axes, ASideIsDownBeyondTheDeadZoneAwayFromTheRest) {
  struct Case {
    AxisRest rest;
    std::int32_t value;
    bool minus, plus;
  };
  const Case kCases[] = {
      // In the middle, a dead zone of 50 reaches 500 either way.
      {AxisRest::Middle, 0, false, false},   {AxisRest::Middle, -500, false, false},
      {AxisRest::Middle, -501, true, false}, {AxisRest::Middle, 501, false, true},
      // At the minimum only the plus side exists, beyond -500.
      {AxisRest::Minimum, -1000, false, false}, {AxisRest::Minimum, -500, false, false},
      {AxisRest::Minimum, -499, false, true},   {AxisRest::Minimum, 1000, false, true},
      // At the maximum only the minus side.
      {AxisRest::Maximum, 1000, false, false}, {AxisRest::Maximum, 499, true, false},
      {AxisRest::Maximum, -1000, true, false},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(SideDown(c.value, c.rest, -1, 50), c.minus) << c.value;
    EXPECT_EQ(SideDown(c.value, c.rest, +1, 50), c.plus) << c.value;
  }
}

TEST(Axes, AHandEditedDeadZoneIsHeldWithinItsPercent) {
  EntryRules rules;
  PadState state;
  state.device = 1;
  PadControls controls;
  controls.axes.set();
  rules.deadZoneAxes = -50;
  rules.Learn(state, controls);
  EXPECT_TRUE(rules.ExtrasDown(state, controls).none()) << "nothing held at rest";
  rules.deadZoneAxes = 500;
  state.axes[AxisRz] = 1000;
  EXPECT_TRUE(rules.ExtrasDown(state, controls).none());
}

}  // namespace
}  // namespace vantrel
