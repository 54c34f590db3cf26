#include "input/XInputPad.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(XInputPad, ButtonsAreNumberedAsItsDirectInputTwinNumbersThem) {
  const std::pair<std::uint16_t, int> kButtons[] = {
      {0x1000, 1}, {0x2000, 2}, {0x4000, 3}, {0x8000, 4}, {0x0100, 5},
      {0x0200, 6}, {0x0020, 7}, {0x0010, 8}, {0x0040, 9}, {0x0080, 10}};
  const AxisTables tables;
  for (const auto& [bit, button] : kButtons) {
    const JoystickState record = XInputRecord({.buttons = bit}, tables);
    for (int i = 0; i < 16; ++i)
      EXPECT_EQ(record.rgbButtons[i] == kButtonDownBit, i == button - 1) << bit << " " << i;
  }
}

TEST(XInputPad, TheDpadIsTheHatAndOppositesCancel) {
  const std::pair<std::uint16_t, std::uint32_t> kDpad[] = {
      {0x0, kHatCentred}, {0x1, 0},     {0x9, 4500},  {0x8, 9000},  {0xA, 13500},
      {0x2, 18000},       {0x6, 22500}, {0x4, 27000}, {0x5, 31500}, {0x3, kHatCentred},
      {0xB, 9000}};
  const AxisTables tables;
  for (const auto& [bits, pov] : kDpad)
    EXPECT_EQ(XInputRecord({.buttons = bits}, tables).rgdwPOV[0], pov) << bits;
}

TEST(XInputPad, SticksAreXYAndRxRyWithUpNegativeAndTriggersAreZsSides) {
  const AxisTables tables;  // X and Y: range 1000, dead zone 50
  const XInputPad pad{.leftTrigger = 255, .rightTrigger = 128, .thumbLX = 32767,
                      .thumbLY = 32767, .thumbRX = -32768, .thumbRY = -32768};
  const JoystickState record = XInputRecord(pad, tables);
  EXPECT_EQ(record.lX, 1000);
  EXPECT_EQ(record.lY, -1000) << "pushed up";
  EXPECT_EQ(record.lRx, -1000);
  EXPECT_EQ(record.lRy, 1000) << "pulled down";
  EXPECT_EQ(XInputRecord({.thumbLX = 8000}, tables).lX, 0) << "within X's dead zone";
  EXPECT_NE(XInputRecord({.thumbRX = 8000}, tables).lRx, 0) << "Rx's is measured from its rest";
  const ControllerState state = XInputController(pad, record, 7);
  EXPECT_TRUE(state.splitTriggers);
  EXPECT_EQ(state.zPlusTrigger, 1000) << "LT";
  EXPECT_EQ(state.zMinusTrigger, 501) << "RT";
  EXPECT_EQ(state.axes[AxisRy], 1000);
  EXPECT_EQ(state.device, 7u);
}

}  // namespace
}  // namespace vantrel
