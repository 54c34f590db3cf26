// An Xbox pad takes the same fast, lossless path as any other controller:
// its DirectInput twin tells of each change (and keeps its buttons' changes
// in order) while the pad itself is read through XInput; and the pad the
// user chose is the one read. The test plays the driver: each change goes
// into the XInput pad and into the twin, whose event it sets once.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/Controller_win.h"

namespace {

using vantrel::test::ControllerTest;
using vantrel::test::Key;
using vantrel::test::PushChange;
using vantrel::test::RealKeys;
using vantrel::test::WaitUntil;
using Lines = std::vector<std::string>;

constexpr std::uint16_t kButtonA = 0x1000;

class XboxPad : public ControllerTest {
 protected:
  XboxPad() {
    program.Joystick().xinputTwin = 1;
    program.Joystick().otherAxes =
        vantrel::test::kAxisZ | vantrel::test::kAxisRx | vantrel::test::kAxisRy;
    program.Pads().pads[0].connected = 1;
  }
  // Button A of XInput pad `user`, with its twin told as a driver tells it.
  void A(int user, bool down, vantrel::test::ProgramEvent* driver) {
    std::uint16_t& buttons = program.Pads().pads[user].buttons;
    buttons = static_cast<std::uint16_t>(down ? buttons | kButtonA : buttons & ~kButtonA);
    PushChange(program.Joystick(), driver, 48, down ? 0x80 : 0);
  }
};

// Started in the tray, with a polling period far longer than the wait: only
// the twin's event can make the press arrive in time, and only its buffer
// can keep a tap shorter than any poll.
TEST_F(XboxPad, ItsChangesArriveAtOnceAndATapBetweenTwoReadsIsKept) {
  Start("[Bind]\r\n" + Key(1, 'A'), "Minimize=1\r\ntmrRefresh=1500\r\n");
  vantrel::test::ProgramEvent driver(program.Joystick());
  A(0, true, &driver);
  EXPECT_TRUE(WaitUntil([&] { return RealKeys(recorder.Lines()) == Lines{"key down 65"}; }, 500))
      << "the press within half a second";
  A(0, false, &driver);
  EXPECT_TRUE(WaitUntil([&] { return RealKeys(recorder.Lines()).size() == 2; }, 500));
  recorder.Clear();
  // A tap of 10 ms, which no read of XInput alone sees once it is over.
  program.Pads().pads[0].buttons = kButtonA;
  PushChange(program.Joystick(), nullptr, 48, 0x80);
  Sleep(10);
  program.Pads().pads[0].buttons = 0;
  PushChange(program.Joystick(), &driver, 48, 0);
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 65", "key up 65"}));
}

// Two Xbox pads: the second one chosen in the options is the one whose
// presses act, not XInput's first connected pad.
TEST_F(XboxPad, TheChosenPadIsTheOneRead) {
  program.Joystick().attached = 2;
  program.Pads().pads[1].connected = 1;
  // The double's second joystick, as the program names it.
  Start("[Bind]\r\n" + Key(1, 'A'),
        "Controller=Double joystick\r\nControllerId={7A1C0D11-2B3E-4F50-9A61-728394A5B601}\r\n");
  vantrel::test::ProgramEvent driver(program.Joystick());
  // The first pad's twin is not the one the program listens to: its press
  // reaches the program only as a read for some other reason.
  program.Pads().pads[0].buttons = kButtonA;
  Settle();
  program.Pads().pads[0].buttons = 0;
  Settle();
  EXPECT_TRUE(RealKeys(Quiet()).empty()) << "the first pad typed";
  A(1, true, &driver);
  A(1, false, &driver);
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 65", "key up 65"})) << "the second pad is read";
}

}  // namespace
