#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/Errors.h"
#include "input/DXInput.h"
#include "input/Edges.h"
#include "win/JoystickFixture_win.h"

namespace vantrel {
namespace {

#ifndef VANTREL_WITHOUT_DOUBLE

using ::testing::ElementsAreArray;

TEST_F(JoystickTest, OpensThroughTheDoubleWithTheExpectedCalls) {
  TDXInput input(window.get());
  input.OpenAll();
  ASSERT_TRUE(DoubleLoaded()) << "DInput.dll beside the executable was not the one loaded";
  EXPECT_EQ(state->createVersion, 0x0500u);
  EXPECT_EQ(state->enumDevType, 4) << "joysticks";
  EXPECT_EQ(state->enumFlags, 1) << "attached only";
  EXPECT_EQ(state->createdFromInstance, 1) << "the device chosen, by its instance";
  EXPECT_EQ(state->createdFromJoystickGuid, 0);
  EXPECT_EQ(state->liveDevices, 1);
  EXPECT_EQ(state->capsSize, 44);
  EXPECT_EQ(state->enumObjectsFlags, 0);
  static_assert(sizeof(void*) == 8, "the format sizes below are those of a 64-bit build");
  EXPECT_EQ(state->formatSize, 32);
  EXPECT_EQ(state->objectSize, 24);
  EXPECT_EQ(state->formatFlags, 1) << "absolute axes";
  EXPECT_EQ(state->dataSize, 272);
  EXPECT_EQ(state->numObjs, 2 + 12) << "a plain joystick: X, Y and its buttons";
  EXPECT_EQ(state->formatTypesCopied, state->numObjs);
  EXPECT_EQ(state->cooperativeFlags, 0xA) << "non-exclusive, background";
  EXPECT_EQ(state->cooperativeWindow, reinterpret_cast<std::uintptr_t>(window.get()));
  EXPECT_EQ(state->queryDevice2Calls, 1);
  EXPECT_TRUE(input.Joystick.Opened());
  EXPECT_EQ(input.Joystick.MultimediaId(), -1);
  EXPECT_EQ(input.Joystick.CooperativeFlags(), 0xAu);
}

TEST_F(JoystickTest, SendsAutoCenterThenDeadZonesThenRangesInOffsetOrder) {
  TDXInput input(window.get());
  input.OpenAll();
  EXPECT_EQ(state->autoCenter, 1);
  for (int offset : {0, 4, 8, 28}) {
    // The stick's dead zone at the device, 50 % in ten-thousandths; the other
    // axes' is measured from their rests by the program.
    EXPECT_EQ(state->deadZone[offset], offset <= 4 ? 5000 : 0) << "offset " << offset;
    EXPECT_EQ(state->rangeMin[offset], -1000);
    EXPECT_EQ(state->rangeMax[offset], 1000);
  }
  std::vector<std::pair<int, int>> expected{{test::kAutoCenter, -1}};
  for (int kind : {test::kDeadZone, test::kRange})
    for (int offset = 0; offset <= 270; ++offset)
      if (offset != 32) expected.push_back({kind, offset});
  ASSERT_EQ(state->propertyCalls, static_cast<int>(expected.size()));
  std::vector<std::pair<int, int>> log;
  for (int i = 0; i < state->propertyCalls; ++i)
    log.push_back({state->propertyLog[i].kind, state->propertyLog[i].offset});
  EXPECT_THAT(log, ElementsAreArray(expected));
  // Offsets without an axis were refused by the device and say so.
  EXPECT_EQ(input.Joystick.DeadZoneAt(12), -1);
  EXPECT_EQ(input.Joystick.RangeAt(48), -1);
  EXPECT_EQ(input.Joystick.DeadZoneAt(32), -1) << "the hat is never sent";
  EXPECT_EQ(input.Joystick.DeadZoneX(), 50);
  EXPECT_EQ(input.Joystick.RangeY(), 1000);
}

TEST_F(JoystickTest, RangeAndDeadZoneReachTheDeviceAtOnce) {
  TDXInput input(window.get());
  input.Joystick.SetRangeY(700);  // before the open: stored, then sent with the rest
  input.OpenAll();
  EXPECT_EQ(state->rangeMax[4], 700);
  input.Joystick.SetRangeX(500);
  input.Joystick.SetDeadZoneY(30);
  EXPECT_EQ(state->rangeMin[0], -500);
  EXPECT_EQ(state->rangeMax[0], 500);
  EXPECT_EQ(state->deadZone[4], 3000);
  EXPECT_EQ(input.Joystick.RangeX(), 500);
  EXPECT_EQ(input.Joystick.DeadZoneY(), 30);
  input.Joystick.SetDeadZoneX(250);
  EXPECT_EQ(state->deadZone[0], 10000) << "clamped to 100 %";
}

TEST_F(JoystickTest, ARefusedValueStaysAskedForAndANoEffectAnswerIsNoRefusal) {
  TDXInput input(window.get());
  input.OpenAll();
  state->axisPropertyAnswer = S_FALSE;  // DI_PROPNOEFFECT
  input.Joystick.SetRangeX(400);
  input.Joystick.SetDeadZoneY(25);
  EXPECT_EQ(input.Joystick.RangeX(), 400);
  EXPECT_EQ(input.Joystick.DeadZoneY(), 25);
  state->axisPropertyAnswer = E_NOTIMPL;  // DIERR_UNSUPPORTED
  input.Joystick.SetRangeX(600);
  input.Joystick.SetDeadZoneY(35);
  EXPECT_EQ(input.Joystick.RangeX(), -1);
  EXPECT_EQ(input.Joystick.DeadZoneY(), -1);
  EXPECT_EQ(input.Joystick.AskedRangeX(), 600);
  EXPECT_EQ(input.Joystick.AskedDeadZoneY(), 35);
}

TEST_F(JoystickTest, ReadsButtonsAndAxesAndAcquiresOnDemand) {
  TDXInput input(window.get());
  state->lX = -300;
  state->lY = 0;
  state->buttons[0] = 0x80;
  state->buttons[31] = 0x80;
  state->buttons[32] = 0x80;
  input.OpenAll();  // its read finds the device not yet acquired
  EXPECT_EQ(state->acquired, 1);
  EXPECT_GE(state->pollCalls, 1);
  EXPECT_EQ(state->getDeviceStateSize, 272);
  EXPECT_EQ(input.State().axes[AxisX], -300);
  EXPECT_TRUE(input.ButtonDown(0));
  EXPECT_TRUE(input.ButtonDown(31));
  EXPECT_FALSE(input.ButtonDown(32)) << "button 33 has no state";
  EXPECT_EQ(input.MergedStates(),
            InputStates().set(StateLeft).set(StateButton(0)).set(StateButton(31)));

  state->lX = 0;
  state->lY = 1;
  state->buttons[0] = 0x7F;
  input.ReadAll();
  EXPECT_EQ(input.MergedStates(), InputStates().set(StateDown).set(StateButton(31)));
  EXPECT_FALSE(input.ButtonDown(0)) << "only bit 7 counts";
}

TEST_F(JoystickTest, ReportsTheDevicesButtonCountBeyond32) {
  state->buttonCount = 40;
  TDXInput input(window.get());
  input.OpenAll();
  EXPECT_EQ(input.Joystick.DeviceButtonCount(), 40);
  EXPECT_EQ(state->numObjs, 2 + 40);
}

TEST_F(JoystickTest, RetriesOnceAfterLostInput) {
  TDXInput input(window.get());
  input.OpenAll();
  PadReader& pad = input;
  state->buttons[4] = 0x80;
  state->inputLostOnce = 1;
  const int acquires = state->acquireCalls;
  const int reads = state->getDeviceStateCalls;
  EXPECT_TRUE(pad.Read(1));
  EXPECT_EQ(state->acquireCalls, acquires + 1);
  EXPECT_EQ(state->getDeviceStateCalls, reads + 2);
  EXPECT_TRUE(pad.State().buttons.test(4)) << "the retry's state is used";

  // Lost and not to be had back: this read is empty and the device is
  // closed, until a rescan finds it again.
  state->inputLostOnce = 1;
  state->failAcquire = 1;
  EXPECT_FALSE(pad.Read(2));
  EXPECT_FALSE(pad.State().buttons.test(4));
  EXPECT_TRUE(pad.State().buttons.none() && pad.Passed().empty());
  EXPECT_TRUE(input.Joystick.TakeLost());
  EXPECT_FALSE(input.Joystick.Opened());
  state->failAcquire = 0;
  EXPECT_TRUE(input.Joystick.Rescan());
  EXPECT_TRUE(pad.Read(3));
  EXPECT_TRUE(pad.State().buttons.test(4));
  EXPECT_FALSE(input.Joystick.Rescan()) << "nothing changed";
}

// A controller plugged in later, even one the system lists first, never
// takes over from the one being read, unless it is the one chosen.
TEST_F(JoystickTest, AControllerPluggedInLaterNeverTakesOverFromTheOneRead) {
  std::strcpy(state->names[1], "Wheel");
  TDXInput input(window.get());
  input.OpenAll();
  const std::string pad = input.Joystick.Reading().id;
  state->attached = 2;
  state->listedFirst = 1;  // the wheel, plugged in now, listed before the pad
  EXPECT_FALSE(input.Joystick.Rescan());
  EXPECT_EQ(input.Joystick.Reading().id, pad) << "first attached: the pad read stays";
  input.Joystick.SetWish({"Away pad", "{00000000-0000-0000-0000-000000000000}"});
  const std::string standIn = input.Joystick.Reading().id;
  EXPECT_EQ(input.Joystick.Reading().name, "Wheel") << "the first listed stands in";
  state->listedFirst = 0;
  EXPECT_FALSE(input.Joystick.Rescan());
  EXPECT_EQ(input.Joystick.Reading().id, standIn) << "and stays while the one chosen is away";
  input.Joystick.SetWish({"Double joystick", pad});
  EXPECT_EQ(input.Joystick.Reading().id, pad) << "the one chosen is read";
}

TEST_F(JoystickTest, TheWishedJoystickIsReadAndTheFirstStandsInWhileItIsAway) {
  state->attached = 2;
  std::strcpy(state->names[1], "Second pad");
  state->secondButtons[0] = 0x80;
  TDXInput input(window.get());
  input.OpenAll();
  const std::vector<AttachedController> attached = input.Joystick.Attached();
  ASSERT_EQ(attached.size(), 2u);
  EXPECT_EQ(attached[1].name, "Second pad");
  EXPECT_NE(attached[0].id, attached[1].id);
  input.Joystick.SetWish({attached[1].name, attached[1].id});
  PadReader& pad = input;
  EXPECT_TRUE(pad.Read(1));
  EXPECT_TRUE(pad.State().buttons.test(0)) << "the second one is read";
  state->attached = 1;  // unplugged
  EXPECT_FALSE(pad.Read(2));
  EXPECT_TRUE(input.Joystick.TakeLost());
  EXPECT_TRUE(input.Joystick.Rescan());
  EXPECT_EQ(input.Joystick.Reading().id, attached[0].id) << "the first stands in";
  EXPECT_FALSE(input.Joystick.ReadsWished());
  state->attached = 2;
  EXPECT_TRUE(input.Joystick.Rescan());
  EXPECT_TRUE(input.Joystick.ReadsWished()) << "and gives way when it is back";
}

TEST_F(JoystickTest, ActivationAcquiresTheDevice) {
  TDXInput input(window.get());
  input.OpenAll();
  state->acquired = 0;
  const int acquires = state->acquireCalls;
  input.HandleActivation(WM_ACTIVATE, WA_INACTIVE);
  input.HandleActivation(WM_ACTIVATEAPP, FALSE);
  EXPECT_EQ(state->acquireCalls, acquires);
  input.HandleActivation(WM_ACTIVATE, WA_CLICKACTIVE);
  EXPECT_EQ(state->acquired, 1);
  input.HandleActivation(WM_ACTIVATEAPP, TRUE);
  EXPECT_EQ(state->acquireCalls, acquires + 2);
}

TEST_F(JoystickTest, ANewOwnerWindowGetsTheCooperativeLevel) {
  TDXInput input(window.get());
  input.OpenAll();
  MessageWindow other;
  input.SetOwner(other.get());
  EXPECT_EQ(state->cooperativeWindow, reinterpret_cast<std::uintptr_t>(other.get()));
  EXPECT_EQ(state->cooperativeFlags, 0xA);
}

TEST_F(JoystickTest, WithoutAutoCenterTheJoystickAsksForExclusiveForeground) {
  TDXInput input(window.get());
  input.Joystick.AutoCenter = false;
  input.OpenAll();
  EXPECT_EQ(state->autoCenter, 0);
  EXPECT_EQ(state->cooperativeFlags, 0x5);
}

TEST_F(JoystickTest, MoreThan256ObjectsAreCutAtTheTable) {
  state->extraObjects = 300;
  TDXInput input(window.get());
  input.OpenAll();
  EXPECT_EQ(state->numObjs, 256);
  EXPECT_LT(state->formatMaxOffset, 272) << "the object beyond the record is skipped";
  EXPECT_EQ(state->formatTypesCopied, 256);
  EXPECT_TRUE(input.Joystick.Opened());
}

TEST_F(JoystickTest, CloseAllReleasesTheDeviceAndTheInterface) {
  {
    TDXInput input(window.get());
    input.OpenAll();
    input.CloseAll();
    EXPECT_EQ(state->liveDevices, 0);
    EXPECT_EQ(state->liveObjects, 0);
    EXPECT_GE(state->unacquireCalls, 1);
    EXPECT_FALSE(input.Joystick.Opened());
    EXPECT_EQ(input.Joystick.DeviceButtonCount(), 0);
    input.OpenAll();
    EXPECT_EQ(state->liveObjects, 1);
  }
  EXPECT_EQ(state->liveDevices, 0) << "the component's end closes everything";
  EXPECT_EQ(state->liveObjects, 0);
}

TEST_F(JoystickTest, OneInterfaceObjectServesEveryComponent) {
  TDXInput first(window.get());
  TDXInput second(window.get());
  first.OpenAll();
  second.OpenAll();
  EXPECT_EQ(state->liveObjects, 1);
  first.CloseAll();
  EXPECT_EQ(state->liveObjects, 1);
  second.CloseAll();
  EXPECT_EQ(state->liveObjects, 0);
}

// Failures of the device: the reader stays closed and reads empty, quietly.
// Under Wine the multimedia functions list no joystick, so no button count.
void ExpectClosedAndEmpty(TDXInput& input, test::DoubleState& state) {
  EXPECT_FALSE(input.Joystick.Opened());
  EXPECT_EQ(input.Joystick.DeviceButtonCount(), 0);
  EXPECT_EQ(state.liveDevices, 0);
  state.buttons[0] = 0x80;
  state.lX = 5;
  PadReader& pad = input;
  EXPECT_FALSE(pad.Read(1));
  EXPECT_TRUE(pad.State().buttons.none());
  EXPECT_EQ(pad.State().axes[AxisX], 0);
  EXPECT_EQ(pad.Controls(), PadControls()) << "no device, no controls";
}

TEST_F(JoystickTest, NoAttachedJoystickLeavesTheReaderClosed) {
  state->attached = 0;
  TDXInput input(window.get());
  input.OpenAll();
  EXPECT_EQ(state->createdFromInstance + state->createdFromJoystickGuid, 0);
  ExpectClosedAndEmpty(input, *state);
}

TEST_F(JoystickTest, ARefusedDataFormatLeavesTheReaderClosed) {
  state->failSetDataFormat = 1;
  TDXInput input(window.get());
  input.OpenAll();
  EXPECT_EQ(state->setDataFormatCalls, 1);
  EXPECT_EQ(state->propertyCalls, 0);
  ExpectClosedAndEmpty(input, *state);
  input.Joystick.SetRangeX(300);
  EXPECT_EQ(input.Joystick.RangeX(), 300) << "stored, with no device to send it to";
}

TEST_F(JoystickTest, ARefusedPollingInterfaceIsAnErrorAndTheReaderStaysClosed) {
  state->refuseDevice2 = 1;
  TDXInput input(window.get());
  EXPECT_THROW(input.OpenAll(), AppError);
  EXPECT_EQ(state->setCooperativeLevelCalls, 0) << "the open ends at the error";
  ExpectClosedAndEmpty(input, *state);
}

// Without the primary interface the multimedia functions are used: the
// reader is open, and under Wine (no joystick there) every read is empty.
void ExpectMultimediaFallback(TDXInput& input, test::DoubleState& state) {
  EXPECT_NO_THROW(input.OpenAll());
  EXPECT_EQ(input.DirectInput(), nullptr);
  EXPECT_TRUE(input.Joystick.Opened());
  EXPECT_EQ(input.Joystick.MultimediaId(), -1);
  EXPECT_EQ(input.Joystick.DeviceButtonCount(), 0);
  EXPECT_EQ(state.liveDevices, 0);
  state.buttons[0] = 0x80;
  PadReader& pad = input;
  EXPECT_FALSE(pad.Read(1));
  EXPECT_TRUE(pad.State().buttons.none());
  input.Joystick.SetRangeX(300);
  EXPECT_EQ(state.propertyCalls, 0);
  EXPECT_EQ(input.Joystick.RangeX(), 300);
}

TEST_F(JoystickTest, FailedCreationFallsBackToTheMultimediaFunctions) {
  state->failCreate = 1;
  TDXInput input(window.get());
  ExpectMultimediaFallback(input, *state);
  EXPECT_EQ(state->createVersion, 0x0500u);
}

TEST_F(JoystickTest, AMissingLibraryOrEntryFallsBackToTheMultimediaFunctions) {
  TDXInput missingLibrary(window.get(), "VantrelNoSuchInput.dll");
  ExpectMultimediaFallback(missingLibrary, *state);
  TDXInput missingEntry(window.get(), "kernel32.dll");
  ExpectMultimediaFallback(missingEntry, *state);
}

TEST_F(JoystickTest, WithoutDirectInputByChoiceTheFallbackIsUsed) {
  TDXInput input(window.get());
  input.OpenAll();
  ASSERT_TRUE(input.Joystick.HasDevice());
  input.SetUseDirectInput(false);
  EXPECT_EQ(state->liveObjects, 0);
  EXPECT_TRUE(input.Joystick.Opened());
  EXPECT_FALSE(input.Joystick.HasDevice());
}

// The device keeps its changes between reads and says so through the
// event: a tap, two overlapping buttons and the stick out and back, all
// between two reads, come out edge by edge in their order. A buffer that ran
// over is counted, and the read goes by the state.
TEST_F(JoystickTest, EveryChangeBetweenTwoReadsInOrderAndTheEventTellsOfThem) {
  TDXInput input(window.get());
  input.OpenAll();
  const HANDLE event = input.Joystick.InputEvent();
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(state->bufferSize, 256);
  test::ProgramEvent changed(*state);
  EdgeStage edges(4);  // Up 5, Down 6, Left 7, Right 8
  TCustomDXInput& pad = input;
  std::vector<std::string> calls;
  auto poll = [&] {
    const bool got = pad.Read(0);
    for (const Edge& e : edges.Read(0, pad, got, 0))
      calls.push_back((e.down ? "+" : "-") + std::to_string(e.entry));
  };
  poll();
  for (auto [offset, data] :
       {std::pair{48, 0x80}, {48, 0}, {49, 0x80}, {50, 0x80}, {49, 0}, {50, 0}, {0, -1000}, {0, 0}})
    test::PushChange(*state, &changed, offset, data);
  EXPECT_EQ(WaitForSingleObject(event, 5000), WAIT_OBJECT_0) << "the device told of its changes";
  ResetEvent(event);
  poll();
  EXPECT_THAT(calls, ::testing::ElementsAre("+1", "-1", "+2", "+3", "-2", "-3", "+7", "-7"));

  calls.clear();
  for (int i = 0; i < 300; ++i) test::PushChange(*state, nullptr, 48, i % 2 ? 0 : 0x80);
  state->buttons[3] = 0x80;
  poll();
  EXPECT_EQ(input.Joystick.Overflows, 1);
  EXPECT_THAT(calls, ::testing::ElementsAre("+4")) << "the state alone";
}

TEST_F(JoystickTest, PollingTurnsTheDoublesButtonsIntoPressesAndReleases) {
  TDXInput input(window.get());
  input.OpenAll();
  EdgeStage edges(4);
  TCustomDXInput& pad = input;
  std::vector<std::string> calls;
  auto poll = [&] {
    const bool got = pad.Read(0);
    for (const Edge& e : edges.Read(0, pad, got, 0))
      calls.push_back((e.down ? "+" : "-") + std::to_string(e.entry));
  };
  state->buttons[2] = 0x80;
  state->lX = 1000;
  poll();
  poll();
  state->buttons[2] = 0;
  state->lX = 0;
  poll();
  EXPECT_THAT(calls, ::testing::ElementsAre("+8", "+3", "-8", "-3"));
}

#else  // VANTREL_WITHOUT_DOUBLE

TEST(JoystickWithoutDouble, TheSystemsInterfaceOrTheFallbackAnswersQuietly) {
  MessageWindow window;
  TDXInput input(window.get());
  ASSERT_NO_THROW(input.OpenAll());
  EXPECT_FALSE(DoubleLoaded()) << "no double sits beside this executable";
  // Wine offers no joystick: whichever interface answered, every read is empty.
  input.ReadAll();
  EXPECT_TRUE(input.MergedStates().none());
  EXPECT_EQ(input.Joystick.DeviceButtonCount(), 0);
  input.Joystick.SetRangeX(400);
  EXPECT_EQ(input.Joystick.RangeX(), 400);
}

#endif

}  // namespace
}  // namespace vantrel
