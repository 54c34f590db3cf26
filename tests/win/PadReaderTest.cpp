// The component as a PadReader, against the DirectInput and XInput doubles:
// each backend's state, and the states of the changes a device kept.
#include <windows.h>

#include <gtest/gtest.h>

#include <bitset>
#include <string>
#include <vector>

#include "input/DXInput.h"
#include "input/XInputPad.h"
#include "win/JoystickFixture_win.h"

namespace vantrel {
namespace {

#ifndef VANTREL_WITHOUT_DOUBLE

using PadReaderTest = JoystickTest;

// Each change the device kept is a state of its own, at the time the device
// stamped it, brought onto the program's clock.
TEST_F(PadReaderTest, EachKeptChangeIsAStateAtTheTimeItsDeviceStampedIt) {
  TDXInput input(window.get());
  input.OpenAll();
  PadReader& pad = input;
  const DWORD tick = GetTickCount();
  test::PushChange(*state, nullptr, 48, 0x80, tick - 1000);
  test::PushChange(*state, nullptr, 48, 0, tick - 400);
  test::PushChange(*state, nullptr, 49, 0x80, tick + 60000);  // ahead of the clock read
  constexpr Millis kNow = 50'000'000;
  ASSERT_TRUE(pad.Read(kNow));
  EXPECT_EQ(pad.State().time, kNow);
  EXPECT_EQ(pad.State().buttons, std::bitset<kPadButtons>().set(1));
  ASSERT_EQ(pad.Passed().size(), 3u);
  const std::vector<PadState>& passed = pad.Passed();
  EXPECT_EQ(passed[0].buttons, std::bitset<kPadButtons>().set(0));
  EXPECT_TRUE(passed[1].buttons.none());
  EXPECT_EQ(passed[2].buttons, std::bitset<kPadButtons>().set(1));
  EXPECT_LE(passed[0].time, kNow - 1000);
  EXPECT_GT(passed[0].time, kNow - 1000 - 60000) << "aged by the stamp, not by anything else";
  EXPECT_EQ(passed[1].time - passed[0].time, 600) << "as far apart as their stamps";
  EXPECT_EQ(passed[2].time, kNow) << "never after the read";
  EXPECT_EQ(passed[0].device, pad.State().device);

  EXPECT_TRUE(pad.Read(kNow + 10));
  EXPECT_TRUE(pad.Passed().empty()) << "each read brings only the changes since the last";
}

// The stick's axes always have its dead zone taken out: by the device, or
// by the reader where the device gives them raw for a pointer. Its raw
// positions are there only then.
TEST_F(PadReaderTest, TheStickHasItsDeadZoneTakenOutAndItsRawPositionsWhereReadRaw) {
  state->physical = 1;  // deflections, through the dead zone and range sent
  TDXInput input(window.get());
  input.OpenAll();
  PadReader& pad = input;
  const struct {
    bool raw;
    std::int32_t deflection;
    std::int32_t axis, rawStick;
  } kCases[] = {
      {false, 3000, 0, 0},    {false, 7500, 500, 500},      {true, 3000, 0, 300},
      {true, 7500, 500, 750}, {true, -10000, -1000, -1000}, {false, -10000, -1000, -1000},
  };
  Millis now = 1;
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::Message() << (c.raw ? "raw " : "") << c.deflection);
    input.Joystick.SetRawStick(c.raw);
    EXPECT_EQ(state->deadZone[0], c.raw ? 0 : 5000) << "asked of the device";
    test::PushChange(*state, nullptr, 0, c.deflection);
    ASSERT_TRUE(pad.Read(++now));
    EXPECT_EQ(pad.State().axes[AxisX], c.axis);
    EXPECT_EQ(pad.State().rawStick[0], c.rawStick);
    ASSERT_EQ(pad.Passed().size(), 1u) << "the change kept";
    EXPECT_EQ(pad.Passed()[0].axes[AxisX], c.axis);
    EXPECT_EQ(pad.Passed()[0].rawStick[0], c.rawStick);
  }
}

// An Xbox pad is read through XInput, its twin's buttons' and hat's changes
// passing in order with their stamps, its axes from XInput alone.
TEST_F(PadReaderTest, AnXboxPadReadsThroughXInputWithItsTwinsChanges) {
  test::XInputState& pads = ConnectXboxPad();
  TDXInput input(window.get());
  input.OpenAll();
  ASSERT_TRUE(input.Joystick.ReadsXInput());
  PadReader& pad = input;
  EXPECT_EQ(pad.Controls(), XInputControls());
  EXPECT_EQ(input.Joystick.DeviceButtonCount(), kXInputButtons);

  const DWORD tick = GetTickCount();
  pads.pads[0] = {.connected = 1,
                  .buttons = 0x1000 | 0x0008,  // A, the D-pad's right
                  .leftTrigger = 255,
                  .thumbLX = 32767,
                  .thumbRY = 32767};
  test::PushChange(*state, nullptr, 48, 0x80, tick - 300);
  test::PushChange(*state, nullptr, 0, 555, tick - 200);  // an axis: XInput's to read
  test::PushChange(*state, nullptr, 32, 9000, tick - 100);
  constexpr Millis kNow = 70'000'000;
  ASSERT_TRUE(pad.Read(kNow));
  const PadState& now = pad.State();
  EXPECT_EQ(now.time, kNow);
  EXPECT_EQ(now.axes[AxisX], 1000);
  EXPECT_EQ(now.axes[AxisRy], -1000);
  EXPECT_EQ(now.axes[PadLeftTrigger], 0) << "pulled fully";
  EXPECT_EQ(now.axes[PadRightTrigger], -1000) << "at rest";
  EXPECT_EQ(now.hat, 9000u);
  EXPECT_EQ(now.buttons, std::bitset<kPadButtons>().set(0));
  const std::vector<PadState>& passed = pad.Passed();
  ASSERT_EQ(passed.size(), 2u) << "the buttons' and the hat's changes only";
  EXPECT_EQ(passed[0].buttons, std::bitset<kPadButtons>().set(0));
  EXPECT_EQ(passed[0].hat, kHatCentred);
  EXPECT_EQ(passed[1].hat, 9000u);
  EXPECT_EQ(passed[1].time - passed[0].time, 200);
  EXPECT_LE(passed[1].time, kNow - 100);
  for (const PadState& step : passed) {
    EXPECT_EQ(step.axes[AxisX], 0) << "the axes as the read before left them";
    EXPECT_EQ(step.axes[PadLeftTrigger], -1000);
  }

  pads.pads[0].connected = 0;
  EXPECT_FALSE(pad.Read(kNow + 10)) << "gone";
  EXPECT_TRUE(input.Joystick.TakeLost());
  EXPECT_FALSE(input.Joystick.Opened());
}

// XInput's stick is scaled by the reader, as the user asked: what its twin
// answered for the dead zone and the range has nothing to do with it.
TEST_F(PadReaderTest, AnXboxPadsStickReadsAsAskedWhateverItsTwinRefused) {
  test::XInputState& pads = ConnectXboxPad();
  state->axisPropertyAnswer = E_NOTIMPL;  // DIERR_UNSUPPORTED
  TDXInput input(window.get());
  input.OpenAll();
  ASSERT_TRUE(input.Joystick.ReadsXInput());
  EXPECT_EQ(input.Joystick.RangeX(), -1) << "the twin refused";
  const struct {
    std::int16_t x, y;
    InputStates states;
  } kSticks[] = {
      {0, 0, {}},
      {8000, -8000, {}},  // within the dead zone asked for
      {32767, 0, InputStates().set(StateRight)},
      {-32768, 32767, InputStates().set(StateLeft).set(StateUp)},
  };
  for (const auto& k : kSticks) {
    pads.pads[0].thumbLX = k.x;
    pads.pads[0].thumbLY = k.y;
    input.ReadAll();
    EXPECT_EQ(input.MergedStates(), k.states) << k.x << " " << k.y;
  }
}

#endif  // VANTREL_WITHOUT_DOUBLE

}  // namespace
}  // namespace vantrel
