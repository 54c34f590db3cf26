#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "input/AxisTables.h"
#include "input/InputStates.h"
#include "input/JoystickState.h"
#include "input/ScaleAxis.h"

namespace vantrel {
namespace {

TEST(ScaleAxis, FullTravelWithHalfDeadZone) {
  for (auto [raw, expected] : std::vector<std::pair<int, int>>{{0, -1000},
                                                               {16383, 0},
                                                               {32767, 0},
                                                               {49151, 0},
                                                               {49159, 1},
                                                               {65534, 1000},
                                                               {65535, 1000}})
    EXPECT_EQ(ScaleAxis(raw, 65535, 0, 50, 1000), expected) << "raw " << raw;
}

TEST(ScaleAxis, DeadZoneAndRangeExtremes) {
  EXPECT_EQ(ScaleAxis(32768, 65535, 0, 0, 1000), 0) << "within rounding of the centre";
  EXPECT_EQ(ScaleAxis(32800, 65535, 0, 0, 1000), 1);
  EXPECT_EQ(ScaleAxis(65535, 65535, 0, 0, 1000), 1000);
  for (int raw : {0, 1, 32767, 65534, 65535}) {
    EXPECT_EQ(ScaleAxis(raw, 65535, 0, 100, 1000), 0) << "dead zone 100, raw " << raw;
    EXPECT_EQ(ScaleAxis(raw, 65535, 0, 50, 0), 0) << "range 0, raw " << raw;
  }
}

TEST(ScaleAxis, TravelWithANonZeroMinimum) {
  EXPECT_EQ(ScaleAxis(600, 1000, 200, 50, 1000), 0);
  EXPECT_EQ(ScaleAxis(200, 1000, 200, 50, 1000), -1000);
  EXPECT_EQ(ScaleAxis(1000, 1000, 200, 50, 1000), 1000);
}

TEST(MulDivRound, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDivRound(5, 1, 2), 3);
  EXPECT_EQ(MulDivRound(-5, 1, 2), -3);
  EXPECT_EQ(MulDivRound(5, -1, 2), -3);
  EXPECT_EQ(MulDivRound(5, 1, -2), -3);
  EXPECT_EQ(MulDivRound(7, 1, 4), 2) << "1.75";
  EXPECT_EQ(MulDivRound(5, 1, 4), 1) << "1.25";
  EXPECT_EQ(MulDivRound(-5, 1, 4), -1);
  EXPECT_EQ(MulDivRound(100000, 100000, 1000), 10000000) << "the product needs 64 bits";
  EXPECT_EQ(MulDivRound(1, 1, 0), -1);
}

// A device that refuses some offsets and remembers what it was sent.
class FakeDevice : public AxisPropertySink {
 public:
  bool SendDeadZone(int offset, std::int32_t value) override {
    deadZones[offset] = value;
    order.push_back({'d', offset});
    return !refuse;
  }
  bool SendRange(int offset, std::int32_t lower, std::int32_t upper) override {
    ranges[offset] = {lower, upper};
    order.push_back({'r', offset});
    return !refuse;
  }
  bool refuse = false;
  std::map<int, std::int32_t> deadZones;
  std::map<int, std::pair<std::int32_t, std::int32_t>> ranges;
  std::vector<std::pair<char, int>> order;
};

// Every axis in -1000 ... +1000; only the stick's a dead zone at the device,
// the others' being measured from where they rest.
TEST(AxisTables, StartsWithRange1000OnEveryAxisAndHalfDeadZoneOnTheStick) {
  AxisTables t;
  for (int offset = kOffsetX; offset < kOffsetPov; offset += kAxisStride) {
    EXPECT_EQ(t.DeadZoneAt(offset), offset <= kOffsetY ? 50 : 0) << offset;
    EXPECT_EQ(t.RangeAt(offset), 1000) << offset;
  }
  EXPECT_EQ(t.DeadZoneAt(12), 0);
  EXPECT_EQ(t.RangeAt(kOffsetPov), 0);
}

TEST(AxisTables, SetsClampAndSkipTheHatAndTheEdges) {
  AxisTables t;
  t.SetDeadZoneAt(0, 150, nullptr);
  EXPECT_EQ(t.DeadZoneAt(0), 100);
  t.SetDeadZoneAt(0, -5, nullptr);
  EXPECT_EQ(t.DeadZoneAt(0), 0);
  t.SetRangeAt(4, -1, nullptr);
  EXPECT_EQ(t.RangeAt(4), 0);
  t.SetRangeAt(4, 5000000, nullptr);
  EXPECT_EQ(t.RangeAt(4), 5000000) << "a range has no upper limit";

  FakeDevice device;
  t.SetDeadZoneAt(kOffsetPov, 20, &device);
  t.SetRangeAt(kOffsetPov, 20, &device);
  EXPECT_EQ(t.DeadZoneAt(kOffsetPov), kRefused);
  EXPECT_EQ(t.RangeAt(kOffsetPov), kRefused);
  EXPECT_TRUE(device.order.empty()) << "the hat is never sent";

  t.SetDeadZoneAt(271, 20, &device);
  t.SetRangeAt(-1, 20, &device);
  EXPECT_TRUE(device.order.empty());
  EXPECT_EQ(t.DeadZoneAt(271), 0);
  EXPECT_EQ(t.RangeAt(300), 0);
  EXPECT_EQ(t.RangeAt(-4), 0);
}

TEST(AxisTables, SendsDeviceUnitsAndStoresARefusalAsMinusOne) {
  AxisTables t;
  FakeDevice device;
  t.SetDeadZoneAt(4, 30, &device);
  t.SetRangeAt(0, 500, &device);
  EXPECT_EQ(device.deadZones[4], 3000) << "the device counts in ten-thousandths";
  EXPECT_EQ(device.ranges[0], std::make_pair(-500, 500));
  EXPECT_EQ(t.DeadZoneAt(4), 30);
  EXPECT_EQ(t.RangeAt(0), 500);

  device.refuse = true;
  t.SetDeadZoneAt(4, 40, &device);
  t.SetRangeAt(0, 700, &device);
  EXPECT_EQ(t.DeadZoneAt(4), kRefused);
  EXPECT_EQ(t.RangeAt(0), kRefused);
  EXPECT_EQ(t.AskedDeadZoneAt(4), 40) << "the settings keep what was asked for";
  EXPECT_EQ(t.AskedRangeAt(0), 700);

  device.refuse = false;
  t.SendAll(device);
  EXPECT_EQ(device.deadZones[4], 4000) << "a new device is asked for the value, not for -1";
  EXPECT_EQ(t.RangeAt(0), 700);
}

TEST(AxisTables, SendAllGoesThroughDeadZonesThenRangesInOffsetOrder) {
  AxisTables t;
  FakeDevice device;
  t.SendAll(device);
  ASSERT_EQ(device.order.size(), 2u * 270) << "offsets 0 … 270 but the hat, twice";
  std::vector<std::pair<char, int>> expected;
  for (char kind : {'d', 'r'})
    for (int offset = 0; offset <= 270; ++offset)
      if (offset != kOffsetPov) expected.push_back({kind, offset});
  EXPECT_EQ(device.order, expected);
  EXPECT_EQ(device.deadZones[kOffsetY], 5000);
  EXPECT_EQ(device.ranges[kOffsetZ], std::make_pair(-1000, 1000));
  EXPECT_EQ(device.deadZones[1], 0);
}

TEST(InputStates, ButtonsFromBit7AndDirectionsFromSigns) {
  JoystickState record{};
  record.rgbButtons[0] = 0x80;
  record.rgbButtons[1] = 0x7F;  // bit 7 clear: up
  record.rgbButtons[31] = 0xFF;
  record.rgbButtons[32] = 0x80;  // button 33 has no member
  record.lX = 0;
  record.lY = -1;
  const InputStates s = StatesFromRecord(record);
  EXPECT_TRUE(s.test(StateButton1));
  EXPECT_FALSE(s.test(StateButton(1)));
  EXPECT_TRUE(s.test(StateButton32));
  EXPECT_TRUE(s.test(StateUp));
  EXPECT_EQ(s.count(), 3u) << "X exactly 0 sets no direction";

  record = {};
  record.lX = -3;
  record.lY = 2;
  EXPECT_EQ(StatesFromRecord(record), InputStates().set(StateLeft).set(StateDown));
  record.lX = 3;
  EXPECT_EQ(StatesFromRecord(record), InputStates().set(StateRight).set(StateDown));
}

TEST(InputStates, ButtonDownCoversIndexes0To31Only) {
  InputStates all;
  all.set();
  EXPECT_TRUE(ButtonDown(all, 0));
  EXPECT_TRUE(ButtonDown(all, 31)) << "index 31 is button 32";
  EXPECT_FALSE(ButtonDown(all, 32));
  EXPECT_FALSE(ButtonDown(all, -1));
  EXPECT_FALSE(ButtonDown(InputStates().set(StateButton(5)), 4));
  EXPECT_TRUE(ButtonDown(InputStates().set(StateButton(5)), 5));
}

TEST(InputStates, MergeFollowsTheLatestUnionByItsChanges) {
  InputStates merged, previous;
  const InputStates a = InputStates().set(StateLeft).set(StateButton1);
  const InputStates b = InputStates().set(StateButton1).set(StateUp);
  MergeStates(merged, previous, a);
  EXPECT_EQ(merged, a);
  MergeStates(merged, previous, b);
  EXPECT_EQ(merged, b);
  EXPECT_EQ(previous, b);
  // Only changes are applied: a member set from elsewhere stays until its input goes.
  merged.set(StateRight);
  MergeStates(merged, previous, b);
  EXPECT_TRUE(merged.test(StateRight));
  MergeStates(merged, previous, {});
  EXPECT_TRUE(merged.test(StateRight));
  EXPECT_FALSE(merged.test(StateButton1));
}

TEST(FallbackRecord, ScalesAxesAndSpreadsTheButtonWord) {
  AxisTables tables;
  tables.SetDeadZoneAt(kOffsetY, 0, nullptr);
  tables.SetRangeAt(kOffsetZ, 10, nullptr);
  MultimediaCaps caps{
      .wXmax = 65535, .wYmax = 65535, .wZmin = 200, .wZmax = 1000, .wNumButtons = 40};
  MultimediaPosition pos{.dwXpos = 0,
                         .dwYpos = 32800,
                         .dwZpos = 1000,
                         .dwButtons = (1u << 0) | (1u << 3) | (1u << 31),
                         .dwPOV = 9000};
  const JoystickState s = FallbackRecord(pos, caps, tables);
  EXPECT_EQ(s.lX, -1000);
  EXPECT_EQ(s.lY, 1) << "Y's own dead zone of 0";
  EXPECT_EQ(s.lZ, 10) << "Z's own range";
  EXPECT_EQ(s.rgdwPOV[0], 9000u);
  EXPECT_EQ(s.rgbButtons[0], 0x80);
  EXPECT_EQ(s.rgbButtons[1], 0);
  EXPECT_EQ(s.rgbButtons[3], 0x80);
  EXPECT_EQ(s.rgbButtons[31], 0x80);
  EXPECT_EQ(s.rgbButtons[32], 0x80) << "button 33 repeats bit 0";
  EXPECT_EQ(s.rgbButtons[35], 0x80);
  EXPECT_EQ(s.rgbButtons[40], 0) << "beyond the button count";

  const InputStates states = StatesFromRecord(s);
  EXPECT_TRUE(states.test(StateLeft));
  EXPECT_TRUE(states.test(StateDown));
  EXPECT_EQ(states.count(), 2u + 3u) << "only the first 32 buttons reach the states";
}

TEST(FallbackRecord, StopsAtTheRecordsLastButton) {
  MultimediaCaps caps{.wXmax = 65535, .wYmax = 65535, .wZmax = 65535, .wNumButtons = 1000};
  MultimediaPosition pos{
      .dwXpos = 32767, .dwYpos = 32767, .dwZpos = 32767, .dwButtons = 0xFFFFFFFF};
  const JoystickState s = FallbackRecord(pos, caps, AxisTables());
  EXPECT_EQ(s.rgbButtons[127], 0x80);
  EXPECT_EQ(s.lVX, 0) << "nothing written past the buttons";
}

}  // namespace
}  // namespace vantrel
