// The whole controller, end to end: the hat, the other axes and an Xbox pad
// read through XInput make the real program type, and the rows and the
// profiles follow the controls the controller has.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e/Controller_win.h"
#include "resource.h"
#include "win/Picture_win.h"

namespace {

using vantrel::test::ControllerTest;
using vantrel::test::RealKeys;
using vantrel::test::WaitUntil;
using Lines = std::vector<std::string>;

std::string KeyOf(const std::string& prefix, int vcode) {
  return prefix + ".Action=3\r\n" + prefix + ".VCode=" + std::to_string(vcode) + "\r\n" + prefix +
         ".Shift=0\r\n" + prefix + ".Turbo=0\r\n";
}

// With 4 buttons: the stick's rows are 5 to 8, then POV Up 9, POV Down 10,
// POV Left 11, POV Right 12, Z- 13, Z+ 14, Rx- 15, Rx+ 16 ...
constexpr int kPovUp = 9, kPovRight = 12, kZPlus = 14, kRxMinus = 15;

class WholeController : public ControllerTest {
 protected:
  bool HasRow(int entry) const { return program.Control(IDC_BTNJOY + entry) != nullptr; }
  std::string ReadProfile(const std::string& name) {
    return vantrel::test::ReadFileBytes(program / name);
  }
  // File/Save through its dialog, to `name` in the program's folder.
  void SaveAs(const std::string& name) {
    PostMessageA(main, WM_COMMAND, IDM_SAVE, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      return (dialog = program.Window("#32770")) && IsWindowVisible(dialog);
    })) << "no save dialog";
    Sleep(100);
    HWND box = nullptr;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM param) -> BOOL {
          const int id = GetDlgCtrlID(child);
          if (vantrel::test::ClassOf(child) != "Edit" || (id != 0x480 && id != 0x47c)) return TRUE;
          *reinterpret_cast<HWND*>(param) = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&box));
    ASSERT_NE(box, nullptr);
    const std::string path = program / name;
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    ASSERT_TRUE(WaitUntil([&] { return !ReadProfile(name).empty(); }));
  }
};

TEST_F(WholeController, TheDpadPushedDiagonallyPressesTwoEntriesAndReleasesBoth) {
  program.Joystick().hat = 1;
  Start("[Bind]\r\n" + KeyOf("POVUp", 'U') + KeyOf("POVRight", 'R'));
  EXPECT_TRUE(HasRow(kPovUp));
  EXPECT_EQ(RowText(kPovUp), "U");
  program.Joystick().pov = 4500;  // up and right
  Settle();
  program.Joystick().pov = 0xFFFFFFFF;
  Settle();
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 85", "key down 82", "key up 85", "key up 82"}));
}

TEST_F(WholeController, ATriggerRestingAtItsMinimumFiresOnlyItsPlusSide) {
  program.Joystick().otherAxes = vantrel::test::kAxisRx;
  program.Joystick().lRx = -1000;  // where it rests as the program opens it
  Start("[Bind]\r\n" + KeyOf("RxMinus", 'M') + KeyOf("RxPlus", 'P'));
  EXPECT_TRUE(HasRow(kRxMinus));
  EXPECT_FALSE(HasRow(kPovUp)) << "no hat, no POV rows";
  Settle();
  program.Joystick().lRx = 200;  // pulled beyond half its travel
  Settle();
  program.Joystick().lRx = -1000;
  Settle();
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 80", "key up 80"}));
}

TEST_F(WholeController, BothTriggersOfAnXboxPadAreHeldTogether) {
  program.Joystick().xinputTwin = 1;
  program.Joystick().otherAxes = vantrel::test::kAxisZ | vantrel::test::kAxisRx |
                                 vantrel::test::kAxisRy;
  program.Pads().pads[0].connected = 1;
  Start("[Bind]\r\n" + KeyOf("ZPlus", 'L') + KeyOf("ZMinus", 'R') + KeyOf("Button1", 'A'));
  EXPECT_TRUE(HasRow(kZPlus));
  EXPECT_TRUE(HasRow(kPovRight)) << "its D-pad is the hat";
  vantrel::test::XInputPadState& pad = program.Pads().pads[0];
  pad.leftTrigger = 255;
  pad.rightTrigger = 255;
  pad.buttons = 0x1000;  // A
  Settle();
  pad.leftTrigger = pad.rightTrigger = 0;
  pad.buttons = 0;
  Settle();
  const Lines keys = RealKeys(Quiet());
  EXPECT_EQ(keys, (Lines{"key down 82", "key down 76", "key down 65", "key up 82", "key up 76",
                         "key up 65"}))
      << "RT is Z-, LT Z+, A button 1; each once, the twin unread";
}

TEST_F(WholeController, APadWithoutAHatKeepsThePovBindingsItSaves) {
  Start("[Bind]\r\n" + KeyOf("Button1", 'A') + KeyOf("POVDown", 'D'));
  EXPECT_FALSE(HasRow(kPovUp));
  SaveAs("saved.ini");
  const std::string saved = ReadProfile("saved.ini");
  EXPECT_NE(saved.find("POVDown.Action=3"), std::string::npos) << saved;
  EXPECT_NE(saved.find("POVDown.VCode=68"), std::string::npos) << saved;
}

TEST_F(WholeController, AProfileThatBindsNoNewEntryIsSavedKeyForKeyAsBefore) {
  Start("[Bind]\r\n" + KeyOf("Button2", 'B') + "Left.Action=4\r\nLeft.MButton=903\r\n");
  SaveAs("saved.ini");
  std::string expected = "[Bind]\r\nButton1.Action=0\r\n" + KeyOf("Button2", 'B') +
                         "Button3.Action=0\r\nButton4.Action=0\r\nLeft.Action=4\r\n"
                         "Left.MButton=903\r\nRight.Action=0\r\nUp.Action=0\r\nDown.Action=0\r\n";
  EXPECT_EQ(ReadProfile("saved.ini"), expected);
}

// A tap far shorter than the time between two polls (here 500 ms) is told
// by the device's event, kept in its buffer, and typed down and up.
TEST_F(WholeController, ATapBetweenTwoPollsIsTypedDownAndUp) {
  Start("[Bind]\r\n" + KeyOf("Button1", 'T'), "tmrRefresh=500\r\n");
  vantrel::test::ProgramEvent changed(program.Joystick());
  vantrel::test::PushChange(program.Joystick(), &changed, 48, 0x80);
  Sleep(10);
  vantrel::test::PushChange(program.Joystick(), &changed, 48, 0);
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 84", "key up 84"}));
}

// "Pointer (stick)" on one of the stick's rows (the Up row, kept under the
// Left prefix) makes the whole stick a pointer: half way out of its dead
// zone it moves at a quarter of the top speed (8 every 7 ms), full way at
// the top, at rest not at all; the stick's other rows do nothing of their
// own meanwhile. The double plays a real stick here: it is given the
// stick's position, and applies whatever dead zone the program asks of it.
TEST_F(WholeController, TheStickAsAPointerFollowsItsDeflection) {
  program.Joystick().physical = 1;
  Start("[Bind]\r\nLeft.Action=4\r\nLeft.MButton=910\r\n" + KeyOf("Right", 'D'));
  EXPECT_EQ(RowText(5), "Pointer (stick)");
  EXPECT_EQ(RowText(6), "Pointer (stick)") << "the Down row says so too";
  auto steps = [&](int x, int y) {
    recorder.Clear();
    Stick(x, y);
    Sleep(400);
    Stick(0, 0);
    std::vector<std::pair<int, int>> moves;
    for (const std::string& line : Quiet()) {
      int dx = 0, dy = 0;
      if (std::sscanf(line.c_str(), "mouse move %d,%d", &dx, &dy) == 2) moves.push_back({dx, dy});
    }
    return moves;
  };
  // The default dead zone is half the travel: 75 % of it is half way out.
  // The pointer moves by the time that passes, in as many moves as the
  // machine's load allows: what counts is the distance and its direction.
  auto distance = [](const std::vector<std::pair<int, int>>& moves) {
    int x = 0, y = 0;
    for (const auto& [dx, dy] : moves) x += dx, y += dy;
    return std::pair{x, y};
  };
  const auto half = distance(steps(7500, 0));
  const auto full = distance(steps(0, 10000));
  EXPECT_GT(half.first, 0);
  EXPECT_EQ(half.second, 0) << "straight right";
  EXPECT_EQ(full.first, 0) << "straight down";
  EXPECT_GT(full.second, 200) << "about 8 every 7 ms for 0.4 s";
  EXPECT_NEAR(static_cast<double>(half.first) / full.second, 0.25, 0.1)
      << "half way out, a quarter of the top speed";
  EXPECT_TRUE(RealKeys(Quiet()).empty()) << "the Down row typed nothing";
  recorder.Clear();
  Sleep(300);
  EXPECT_TRUE(recorder.Lines().empty()) << "at rest nothing moves";
}

// A full gamepad's rows, the README's picture of them.
TEST_F(WholeController, AFullGamepadShowsEveryRow) {
  program.Joystick().hat = 1;
  program.Joystick().otherAxes = vantrel::test::kAxisZ | vantrel::test::kAxisRx |
                                 vantrel::test::kAxisRy | vantrel::test::kAxisRz;
  Start("[Bind]\r\n" + KeyOf("Button1", 'A') + KeyOf("POVUp", VK_UP) + KeyOf("POVDown", VK_DOWN) +
        "ZPlus.Action=4\r\nZPlus.MButton=300\r\nZMinus.Action=4\r\nZMinus.MButton=301\r\n");
  for (int e = kPovUp; e <= 20; ++e) EXPECT_TRUE(HasRow(e)) << e;
  EXPECT_FALSE(HasRow(21)) << "no slider";
  RECT r{};
  GetWindowRect(main, &r);
  EXPECT_LE(r.bottom - r.top, 768 - 48) << "fits a 768-pixel screen";
  vantrel::test::SavePicture(main, "main-window-gamepad");
}

}  // namespace
