// Controllers that come and go while the real program runs, and the one the
// user picks: the DirectInput double attaches and detaches them, and the
// test tells the program's window of it as Windows would.
#include <windows.h>

#include <dbt.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "e2e/Controller_win.h"
#include "resource.h"

namespace {

using vantrel::test::ControllerTest;
using vantrel::test::RealKeys;
using vantrel::test::WaitUntil;
using Lines = std::vector<std::string>;

const std::string kTwoKeys =
    "[Bind]\r\nButton1.Action=3\r\nButton1.VCode=65\r\nButton1.Shift=0\r\nButton1.Turbo=0\r\n"
    "Button2.Action=3\r\nButton2.VCode=66\r\nButton2.Shift=0\r\nButton2.Turbo=0\r\n";

class HotPlug : public ControllerTest {
 protected:
  void Announce() { PostMessageA(main, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0); }
  // Presses and releases button 1 of the first joystick, or of the second.
  void Tap(bool second = false) {
    std::uint8_t& button =
        second ? program.Joystick().secondButtons[0] : program.Joystick().buttons[0];
    button = 0x80;
    Settle();
    button = 0;
    Settle();
  }
  // Waits, within `ms`, until the program reads a joystick again.
  bool ReadsWithin(DWORD ms) { return program.WaitForReads(2, ms); }
};

TEST_F(HotPlug, AControllerAttachedAfterStartTypesWithinTwoSeconds) {
  program.Joystick().attached = 0;
  Start(kTwoKeys);
  program.Joystick().attached = 1;
  const ULONGLONG announced = GetTickCount64();
  Announce();
  ASSERT_TRUE(ReadsWithin(2000)) << "not opened within 2 s of the notice";
  EXPECT_LT(GetTickCount64() - announced, 2000u);
  Tap();
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 65", "key up 65"}));
}

TEST_F(HotPlug, UnpluggedWhileHeldTheKeyComesUpAtOnceAndPluggedBackItTypesAgain) {
  Start(kTwoKeys);
  Press(1);
  ASSERT_TRUE(recorder.WaitForLines(1));
  program.Joystick().attached = 0;  // the cable pulled, the button still held
  program.Tell();                    // as the driver tells of the lost device
  EXPECT_TRUE(WaitUntil([&] { return RealKeys(recorder.Lines()).size() >= 2; }, 1000));
  Announce();
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 65", "key up 65"}));
  recorder.Clear();
  program.Joystick().buttons[0] = 0;
  program.Joystick().attached = 1;
  Announce();
  ASSERT_TRUE(ReadsWithin(2000));
  Tap();
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 65", "key up 65"}));
}

TEST_F(HotPlug, TheChosenOneIsReadKeptAcrossARestartAndStoodInForWhileAway) {
  program.Joystick().attached = 2;
  std::strcpy(program.Joystick().names[1], "Second Pad");
  Start(kTwoKeys);
  PostMessageA(main, WM_COMMAND, IDM_OPTIONS, 0);
  HWND options = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (options = program.Window("TOptionsFrm")) && IsWindowVisible(options); }));
  const HWND list = GetDlgItem(options, IDC_CBCONTROLLER);
  ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 3) << "First attached and the two";
  SendMessageA(list, CB_SETCURSEL, 2, 0);
  SendMessageA(options, WM_COMMAND, MAKEWPARAM(IDC_CBCONTROLLER, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  SendMessageA(GetDlgItem(options, IDOK), BM_CLICK, 0, 0);
  Settle();
  Tap(false);
  Tap(true);
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 65", "key up 65"})) << "only the second types";
  recorder.Clear();

  // The second unplugged: the first stands in; back, it takes over again.
  program.Joystick().attached = 1;
  Announce();
  ASSERT_TRUE(ReadsWithin(2000));
  Sleep(400);
  Tap(false);
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 65", "key up 65"})) << "the first stands in";
  recorder.Clear();
  program.Joystick().attached = 2;
  Announce();
  Sleep(600);
  Tap(false);
  Tap(true);
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 65", "key up 65"})) << "the second is back";

  const std::string settings = vantrel::test::ReadFileBytes(program / "Vantrel.set");
  EXPECT_NE(settings.find("Controller=Second Pad"), std::string::npos) << settings;
  EXPECT_NE(settings.find("ControllerId={"), std::string::npos) << settings;
  // A restart keeps the choice: the second still types alone.
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_EQ(program.ExitCode(), 0);
  recorder.Clear();
  ASSERT_TRUE(program.Start());
  main = program.WaitForMainWindow();
  ASSERT_TRUE(program.WaitForReads());
  Tap(false);
  Tap(true);
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 65", "key up 65"}));
}

}  // namespace
