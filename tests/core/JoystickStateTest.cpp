#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "input/AxisTables.h"
#include "input/InputStates.h"
#include "input/JoystickState.h"
#include "input/MultimediaPad.h"
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

// A plain joystick: its stick and its buttons.
RecordReading Stick() {
  RecordReading reading;
  reading.controls.axes.set(AxisX).set(AxisY);
  return reading;
}

TEST(InputStates, ButtonsFromBit7AndDirectionsFromSigns) {
  JoystickState record{};
  record.rgbButtons[0] = 0x80;
  record.rgbButtons[1] = 0x7F;  // bit 7 clear: up
  record.rgbButtons[31] = 0xFF;
  record.rgbButtons[32] = 0x80;  // button 33 has no member
  record.lX = 0;
  record.lY = -1;
  const InputStates s = StatesOfPad(PadFromRecord(record, Stick()));
  EXPECT_TRUE(s.test(StateButton1));
  EXPECT_FALSE(s.test(StateButton(1)));
  EXPECT_TRUE(s.test(StateButton32));
  EXPECT_TRUE(s.test(StateUp));
  EXPECT_EQ(s.count(), 3u) << "X exactly 0 sets no direction";

  record = {};
  record.lX = -3;
  record.lY = 2;
  EXPECT_EQ(StatesOfPad(PadFromRecord(record, Stick())),
            InputStates().set(StateLeft).set(StateDown));
  record.lX = 3;
  EXPECT_EQ(StatesOfPad(PadFromRecord(record, Stick())),
            InputStates().set(StateRight).set(StateDown));
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

TEST(MultimediaPad, ScalesAxesAndSpreadsTheButtonWord) {
  AxisTables tables;
  tables.SetDeadZoneAt(kOffsetY, 0, nullptr);
  tables.SetRangeAt(kOffsetZ, 10, nullptr);
  MultimediaCaps caps{.wXmax = 65535,
                      .wYmax = 65535,
                      .wZmin = 200,
                      .wZmax = 1000,
                      .wNumButtons = 40,
                      .wCaps = kMultimediaHasZ | kMultimediaHasPov};
  MultimediaPosition pos{.dwXpos = 0,
                         .dwYpos = 32800,
                         .dwZpos = 1000,
                         .dwButtons = (1u << 0) | (1u << 3) | (1u << 31),
                         .dwPOV = 9000};
  const PadState s = MultimediaPadState(pos, caps, tables);
  EXPECT_EQ(s.axes[AxisX], -1000);
  EXPECT_EQ(s.axes[AxisY], 1) << "Y's own dead zone of 0";
  EXPECT_EQ(s.axes[AxisZ], 10) << "Z's own range";
  EXPECT_EQ(s.hat, 9000u);
  EXPECT_TRUE(s.buttons.test(0));
  EXPECT_FALSE(s.buttons.test(1));
  EXPECT_TRUE(s.buttons.test(3));
  EXPECT_TRUE(s.buttons.test(31));
  EXPECT_TRUE(s.buttons.test(32)) << "button 33 repeats bit 0";
  EXPECT_TRUE(s.buttons.test(35));
  EXPECT_FALSE(s.buttons.test(40)) << "beyond the button count";

  const InputStates states = StatesOfPad(s);
  EXPECT_TRUE(states.test(StateLeft));
  EXPECT_TRUE(states.test(StateDown));
  EXPECT_EQ(states.count(), 2u + 3u) << "only the first 32 buttons reach the states";
}

TEST(MultimediaPad, StopsAtTheStatesLastButton) {
  MultimediaCaps caps{.wXmax = 65535, .wYmax = 65535, .wZmax = 65535, .wNumButtons = 1000};
  MultimediaPosition pos{
      .dwXpos = 32767, .dwYpos = 32767, .dwZpos = 32767, .dwButtons = 0xFFFFFFFF};
  const PadState s = MultimediaPadState(pos, caps, AxisTables());
  EXPECT_TRUE(s.buttons.test(127));
  EXPECT_EQ(s.buttons.count(), 128u) << "nothing past the buttons";
  EXPECT_EQ(MultimediaControls(caps).buttons, 128);
}

// What the caps say the joystick has: Z and the hat only where it has them,
// whatever the reading holds.
TEST(MultimediaPad, ZAndTheHatOnlyWhereTheCapsHaveThem) {
  const MultimediaPosition pos{.dwXpos = 65535, .dwYpos = 0, .dwZpos = 65535, .dwPOV = 18000};
  const struct {
    std::uint32_t caps;
    std::int32_t z;
    std::uint32_t hat;
  } kCaps[] = {{0, 0, kHatCentred},
               {kMultimediaHasZ, 1000, kHatCentred},
               {kMultimediaHasPov, 0, 18000},
               {kMultimediaHasZ | kMultimediaHasPov, 1000, 18000}};
  for (const auto& c : kCaps) {
    const MultimediaCaps caps{.wXmax = 65535, .wYmax = 65535, .wZmax = 65535, .wCaps = c.caps};
    const PadState s = MultimediaPadState(pos, caps, AxisTables());
    EXPECT_EQ(s.axes[AxisZ], c.z) << c.caps;
    EXPECT_EQ(s.hat, c.hat) << c.caps;
    const PadControls controls = MultimediaControls(caps);
    EXPECT_EQ(controls.axes.test(AxisZ), c.z != 0) << c.caps;
    EXPECT_EQ(controls.hat, c.hat != kHatCentred) << c.caps;
    EXPECT_TRUE(controls.axes.test(AxisX) && controls.axes.test(AxisY));
    EXPECT_TRUE(controls.rests == decltype(controls.rests){}) << "learnt from the axes";
  }
}

// The stick read raw for a pointer: the reader has the positions before the
// dead zone, within the range asked for.
TEST(MultimediaPad, TheRawStickIsBeforeTheDeadZone) {
  AxisTables tables;
  tables.SetRangeAt(kOffsetX, 400, nullptr);
  const MultimediaCaps caps{.wXmax = 65535, .wYmax = 65535};
  const struct {
    std::uint32_t x, y;
    std::int32_t axisX, axisY, rawX, rawY;
  } kSticks[] = {
      {40000, 20000, 0, 0, 88, -390},
      {65535, 0, 400, -1000, 400, -1000},
  };
  for (const auto& k : kSticks) {
    const PadState s = MultimediaPadState({.dwXpos = k.x, .dwYpos = k.y}, caps, tables);
    EXPECT_EQ(s.axes[AxisX], k.axisX) << k.x;
    EXPECT_EQ(s.axes[AxisY], k.axisY) << k.y;
    EXPECT_EQ(s.rawStick[0], k.rawX) << k.x;
    EXPECT_EQ(s.rawStick[1], k.rawY) << k.y;
  }
}

// A device's record: what it lacks holds nothing; the stick, read raw, has
// its dead zone taken out by the reader.
TEST(PadFromRecord, MasksWhatTheDeviceLacksAndTakesOutTheStickDeadZoneWhereAsked) {
  JoystickState record{};
  record.lX = 300;
  record.lY = -800;
  record.lZ = 500;
  record.lRz = -200;
  record.rglSlider[1] = 900;
  record.rgdwPOV[0] = 4500;
  RecordReading reading = Stick();
  reading.controls.axes.set(AxisZ);
  PadState s = PadFromRecord(record, reading);
  EXPECT_EQ(s.axes, (std::array<std::int32_t, kPadAxes>{300, -800, 500, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(s.rawStick, (std::array<std::int32_t, 2>{300, -800})) << "the device took it out";
  EXPECT_EQ(s.hat, kHatCentred) << "no hat";

  reading.controls.hat = true;
  reading.controls.axes.set(AxisRz).set(AxisSlider2);
  reading.ownStickDeadZone = true;
  reading.stickDeadZone = {50, 20};
  reading.stickRange = {1000, 1000};
  s = PadFromRecord(record, reading);
  EXPECT_EQ(s.axes, (std::array<std::int32_t, kPadAxes>{0, -750, 500, 0, 0, -200, 0, 900, 0, 0}));
  EXPECT_EQ(s.rawStick, (std::array<std::int32_t, 2>{300, -800}));
  EXPECT_EQ(s.hat, 4500u);
}

// One buffered change after another, taken into the state they change.
TEST(ApplyChange, EachObjectOfTheRecordTakesItsChange) {
  RecordReading reading = Stick();
  reading.controls.hat = true;
  reading.ownStickDeadZone = true;
  reading.stickDeadZone = {50, 50};
  reading.stickRange = {1000, 1000};
  const struct {
    std::uint32_t offset, data;
    bool taken;
    const char* what;
  } kChanges[] = {
      {0, 750, true, "X"},
      {4, static_cast<std::uint32_t>(-1000), true, "Y"},
      {8, 600, false, "Z, which the device lacks"},
      {2, 600, false, "inside X"},
      {32, 27000, true, "the hat"},
      {36, 9000, false, "the second hat"},
      {48, 0x80, true, "button 1"},
      {49, 0x7F, true, "button 2, bit 7 clear"},
      {48 + 127, 0x80, true, "button 128"},
      {48 + 128, 0x80, false, "past the buttons"},
      {48, 0, true, "button 1 up"},
  };
  PadState state;
  for (const auto& c : kChanges) {
    const PadState before = state;
    EXPECT_EQ(ApplyChange(state, c.offset, c.data, reading), c.taken) << c.what;
    if (!c.taken) {
      EXPECT_EQ(state.axes, before.axes) << c.what;
      EXPECT_EQ(state.buttons, before.buttons) << c.what;
      EXPECT_EQ(state.hat, before.hat) << c.what;
    }
  }
  EXPECT_EQ(state.axes[AxisX], 500) << "the dead zone taken out";
  EXPECT_EQ(state.axes[AxisY], -1000);
  EXPECT_EQ(state.axes[AxisZ], 0);
  EXPECT_EQ(state.rawStick, (std::array<std::int32_t, 2>{750, -1000}));
  EXPECT_EQ(state.hat, 27000u);
  EXPECT_EQ(state.buttons, std::bitset<kPadButtons>().set(127));
}

// A change's time from its stamp on the device's clock, which wraps round
// in 32 bits.
TEST(ChangeTime, IsTheStampsAgeBeforeNowAcrossTheWrapAndNeverAfterNow) {
  constexpr Millis kNow = 5'000'000;
  const struct {
    std::uint32_t tickNow, stamp;
    Millis time;
    const char* what;
  } kStamps[] = {
      {1000, 1000, kNow, "stamped as it was read"},
      {1000, 990, kNow - 10, "ten before"},
      {1000, 0, kNow - 1000, "at the clock's zero"},
      {5, 0xFFFFFFF0u, kNow - 21, "before the clock wrapped"},
      {0, 0xFFFFFFFFu, kNow - 1, "just before the wrap"},
      {1000, 1005, kNow, "ahead of the clock read"},
      {0xFFFFFFFEu, 3, kNow, "ahead, across the wrap"},
  };
  for (const auto& s : kStamps) EXPECT_EQ(ChangeTime(kNow, s.tickNow, s.stamp), s.time) << s.what;
}

}  // namespace
}  // namespace vantrel
