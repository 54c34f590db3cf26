// The whole job, end to end: a controller played through the DirectInput
// double makes the real program type keys, click, turn the wheel, move the
// pointer, start programs and switch profiles, and whatever it holds down it
// lets go of again.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/Controller_win.h"

namespace {

using vantrel::test::ClassOf;
using vantrel::test::ControllerTest;
using vantrel::test::Key;
using vantrel::test::RealKeys;
using vantrel::test::TextOf;
using vantrel::test::WaitUntil;
using vantrel::test::WindowsPath;
using Lines = std::vector<std::string>;

std::string Mouse(const std::string& prefix, int code) {
  return prefix + ".Action=4\r\n" + prefix + ".MButton=" + std::to_string(code) + "\r\n";
}

long Count(const Lines& lines, const std::string& line) {
  return std::count(lines.begin(), lines.end(), line);
}

TEST_F(ControllerTest, AKeyWithModifierGoesDownAndUpInTheBindingsOrder) {
  Start("[Bind]\r\n" + Key(3, VK_F5, VK_CONTROL));
  Press(3);
  ASSERT_TRUE(recorder.WaitForLines(2));
  EXPECT_EQ(Quiet(), (Lines{"key down 17", "key down 116"})) << "nothing more while held";
  Release(3);
  ASSERT_TRUE(recorder.WaitForLines(4));
  // The modifier comes up first, as it went down first.
  EXPECT_EQ(Quiet(), (Lines{"key down 17", "key down 116", "key up 17", "key up 116"}));
}

TEST_F(ControllerTest, ATurboKeyTapsWhileHeldAndStopsOnRelease) {
  Start("[Bind]\r\n" + Key(1, 'A', 0, true));
  Press(1);
  Sleep(450);
  Release(1);
  const Lines keys = RealKeys(Quiet());
  // About four taps at 100 ms; the timers of a virtual desktop jitter.
  const long taps = Count(keys, "key down 65");
  EXPECT_GE(taps, 2);
  EXPECT_LE(taps, 8);
  for (std::size_t i = 0; i < keys.size(); ++i)
    EXPECT_EQ(keys[i], i % 2 ? "key up 65" : "key down 65") << "each tap is a down and an up";

  // Released, it taps no more.
  const std::size_t after = recorder.Lines().size();
  Sleep(400);
  EXPECT_EQ(recorder.Lines().size(), after);
}

TEST_F(ControllerTest, MouseButtonsAndTheWheel) {
  Start("[Bind]\r\n" + Mouse("Button1", 300) + Mouse("Button2", 905) + Mouse("Button3", 906) +
            Mouse("Button4", 907) + Mouse("Button5", 301),
        "NumOfButtons=5\r\n");
  Press(1);
  ASSERT_TRUE(recorder.WaitForLines(1));
  EXPECT_EQ(Quiet(), Lines{"mouse left down"}) << "nothing more while held";
  Release(1);
  ASSERT_TRUE(recorder.WaitForLines(2));
  recorder.Clear();

  // Forward and backward both turn the wheel one unit forward (profiles rely
  // on it); the click turns it one notch. Releases send nothing, holds don't repeat.
  for (int button : {2, 3, 4}) {
    Press(button);
    Sleep(150);
    Release(button);
  }
  EXPECT_EQ(Quiet(), (Lines{"mouse wheel 1", "mouse wheel 1", "mouse wheel 120"}));
  recorder.Clear();

  Press(5);
  Release(5);
  EXPECT_EQ(Quiet(), (Lines{"mouse right down", "mouse right up"}));
  // The right click opened the desktop's menu, if any; close it.
  keybd_event(VK_ESCAPE, 0, 0, 0);
  keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
}

TEST_F(ControllerTest, TheStickMovesThePointerFasterAndFasterAndStopsAtRest) {
  // Stick right is the Right row, which profiles keep under the Down prefix.
  Start("[Bind]\r\n" + Mouse("Down", 902));
  // Only non-zero steps, all to the right, growing.
  auto hold = [&] {
    // Room on the right for the whole run.
    SetCursorPos(200, 120);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    recorder.WaitForLines(1, 1000);
    Sleep(100);
    recorder.Clear();
    Stick(1000, 0);
    Sleep(500);
    Stick(0, 0);
    std::vector<int> steps;
    for (const std::string& line : Quiet()) {
      int dx = 0, dy = 0;
      EXPECT_EQ(std::sscanf(line.c_str(), "mouse move %d,%d", &dx, &dy), 2) << line;
      EXPECT_FALSE(dx == 0 && dy == 0) << "a still pointer gets no moves";
      EXPECT_EQ(dy, 0);
      steps.push_back(dx);
    }
    EXPECT_GE(steps.size(), 3u);
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end())) << "the speed only grows";
    if (!steps.empty()) {
      EXPECT_GT(steps.back(), steps.front());
      EXPECT_LE(steps.back(), 8) << "up to the maximum speed";
    }
    return steps;
  };
  const std::vector<int> first = hold();

  // At rest nothing moves, and no moves of 0, 0 are sent.
  recorder.Clear();
  Sleep(400);
  EXPECT_TRUE(recorder.Lines().empty());

  // After a second at rest the pointer sets off exactly as it did the first
  // time: the same steps, as far as the shorter hold went.
  Sleep(1000);
  const std::vector<int> again = hold();
  const std::size_t common = std::min(first.size(), again.size());
  EXPECT_TRUE(std::equal(first.begin(), first.begin() + common, again.begin()));
}

TEST_F(ControllerTest, ARunEntryStartsTheFileItNamesDespiteTheSpacesInItsPath) {
  const std::string folder = program / "my tools";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string marker = WindowsPath(VANTREL_MARKER);
  const std::string target = folder + "\\Run Marker.exe";
  // A command line split at the first blank would start this one instead.
  const std::string decoy = folder + "\\Run.exe";
  ASSERT_TRUE(CopyFileA(marker.c_str(), target.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(marker.c_str(), decoy.c_str(), FALSE));

  Start("[Bind]\r\nButton1.Action=5\r\nButton1.Execute=" + target + "\r\n");
  EXPECT_EQ(RowText(1), "Run Marker.exe");
  Press(1);
  Release(1);
  EXPECT_TRUE(WaitUntil([&] {
    return GetFileAttributesA((target + ".ran").c_str()) != INVALID_FILE_ATTRIBUTES;
  })) << "the program named was not started";
  EXPECT_EQ(GetFileAttributesA((decoy + ".ran").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(program.Running());
}

// A program that no longer exists starts nothing, even where cutting its
// path at a blank would name one; a program part that is quoted, or names a
// file, takes the rest of the entry as its arguments.
TEST_F(ControllerTest, ARunEntryStartsTheProgramItNamesOrNothing) {
  const std::string folder = program / "my tools";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string marker = WindowsPath(VANTREL_MARKER);
  const std::string decoy = folder + "\\Run.exe";
  const std::string quoted = folder + "\\Quoted Marker.exe";
  const std::string plain = folder + "\\Plain.exe";
  for (const std::string& copy : {decoy, quoted, plain})
    ASSERT_TRUE(CopyFileA(marker.c_str(), copy.c_str(), FALSE));
  const std::string missing = folder + "\\Run Marker.exe";
  Start("[Bind]\r\nButton1.Action=5\r\nButton1.Execute=" + missing +
        "\r\nButton2.Action=5\r\nButton2.Execute=\"" + quoted +
        "\" -fast\r\nButton3.Action=5\r\nButton3.Execute=" + plain + " /slow\r\n");
  for (int button : {1, 2, 3}) {
    Press(button);
    Release(button);
  }
  auto ran = [](const std::string& exe) { return vantrel::test::ReadFileBytes(exe + ".ran"); };
  ASSERT_TRUE(WaitUntil([&] { return !ran(quoted).empty() && !ran(plain).empty(); }))
      << "a program named with arguments was not started";
  EXPECT_NE(ran(quoted).find("-fast"), std::string::npos) << ran(quoted);
  EXPECT_NE(ran(plain).find("/slow"), std::string::npos) << ran(plain);
  Sleep(500);
  EXPECT_EQ(GetFileAttributesA((decoy + ".ran").c_str()), INVALID_FILE_ATTRIBUTES)
      << "a program found by cutting the path at a blank was started";
}

class ProfileSwitch : public ControllerTest {
 protected:
  // alpha, beta and gamma each bind button 2 to their own letter; button 1
  // of alpha cycles through all three.
  void StartWithThreeProfiles() {
    for (const char* name : {"alpha", "beta", "gamma"})
      program.Write(std::string(name) + ".ini", "[Bind]\r\n" + Key(2, std::toupper(name[0])));
    std::string list = "[Bind]\r\nButton1.Action=2\r\nButton1.INI.Count=3\r\n";
    int i = 0;
    for (const char* name : {"alpha", "beta", "gamma"})
      list += "Button1.INI" + std::to_string(i++) + "=" + (program / name) + ".ini\r\n";
    // The first profile is alpha's bindings with the switching button.
    Start(list + Key(2, 'A'), "Popup=1\r\nPopupShowTime=0\r\n");
  }

  void Switch() {
    Press(1);
    Release(1);
  }

  std::string LastProfile() const {
    char path[MAX_PATH] = {};
    GetPrivateProfileStringA("Setup", "Path", "", path, MAX_PATH,
                             (program / "Vantrel.set").c_str());
    return path;
  }

  // The popup's two lines, top to bottom.
  Lines PopupLines() const {
    Lines lines;
    EnumChildWindows(
        program.Window("TpopupINI"),
        [](HWND child, LPARAM param) -> BOOL {
          reinterpret_cast<Lines*>(param)->push_back(TextOf(child));
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&lines));
    return lines;
  }
};

TEST_F(ProfileSwitch, ThreeProfilesCycleWithTheRowThePopupAndTheLastProfile) {
  StartWithThreeProfiles();
  const HWND popup = program.Window("TpopupINI");
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(RowText(1), "beta.ini") << "the row names what the next press loads";
  EXPECT_FALSE(IsWindowVisible(popup));

  struct Step {
    const char* loaded;
    const char* next;
    int key;
  };
  for (const Step& step :
       {Step{"beta", "gamma", 'B'}, Step{"gamma", "alpha", 'G'}, Step{"alpha", "beta", 'A'}}) {
    SCOPED_TRACE(step.loaded);
    Switch();
    EXPECT_EQ(RowText(1), std::string(step.next) + ".ini");
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_EQ(PopupLines(), (Lines{std::string("Current: ") + step.loaded + ".ini",
                                   std::string("Next: ") + step.next + ".ini"}));
    EXPECT_EQ(LastProfile(), (program / step.loaded) + ".ini");
    // Button 2 now types the loaded profile's letter.
    recorder.Clear();
    Press(2);
    Release(2);
    EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down " + std::to_string(step.key),
                                        "key up " + std::to_string(step.key)}));
  }
  // The popup stays (show time 0) until its menu's Close; it never took the focus.
  EXPECT_TRUE(IsWindowVisible(popup));
  EXPECT_NE(GetForegroundWindow(), popup);
}

TEST_F(ProfileSwitch, AKeyHeldAcrossASwitchComesUpAsTheKeyThatWentDown) {
  StartWithThreeProfiles();
  Press(2);  // 'A' of alpha goes down
  Switch();  // beta binds button 2 to 'B'
  ASSERT_EQ(RowText(1), "gamma.ini");
  Release(2);
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 65", "key up 65"})) << "nothing of 'B'";
}

// The program sits in a folder its user cannot write to: recording the last
// profile fails at every switch. Every switch still ends as a switch, and
// the user hears of the failure once, in one box, which the polling does not
// run inside of.
TEST_F(ProfileSwitch, AnUnwritableSettingsFileIsToldOnceAndNeverStopsASwitch) {
  StartWithThreeProfiles();
  HANDLE lock =
      CreateFileA((program / "Vantrel.set").c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  auto visibleBoxes = [&] {
    int n = 0;
    for (HWND box : program.Windows("#32770")) n += IsWindowVisible(box) ? 1 : 0;
    return n;
  };
  for (const char* next : {"gamma.ini", "alpha.ini", "beta.ini"}) {
    Switch();
    Settle();
    EXPECT_EQ(RowText(1), next);
    EXPECT_LE(visibleBoxes(), 1) << "boxes stacked over the game";
  }
  ASSERT_TRUE(WaitUntil([&] { return visibleBoxes() == 1; }));
  const HWND box = program.Windows("#32770").front();
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return visibleBoxes() == 0; }));
  Switch();
  Settle();
  EXPECT_EQ(RowText(1), "gamma.ini");
  EXPECT_EQ(visibleBoxes(), 0) << "told once";
  CloseHandle(lock);
  EXPECT_TRUE(program.Running());
}

TEST_F(ControllerTest, ClosingLetsGoOfEverythingHeld) {
  Start("[Bind]\r\n" + Key(3, VK_F5, VK_CONTROL) + Mouse("Button1", 300));
  Press(3);
  Press(1);
  ASSERT_TRUE(recorder.WaitForLines(3));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0);
  const Lines lines = Quiet();
  for (const char* up : {"key up 17", "key up 116", "mouse left up"})
    EXPECT_EQ(Count(lines, up), 1) << up;
}

TEST_F(ControllerTest, TheEndOfTheSessionLetsGoOfEverythingHeld) {
  Start("[Bind]\r\n" + Key(3, VK_F5, VK_CONTROL));
  Press(3);
  ASSERT_TRUE(recorder.WaitForLines(2));
  SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                      nullptr);
  const Lines lines = Quiet();
  EXPECT_EQ(Count(lines, "key up 17"), 1);
  EXPECT_EQ(Count(lines, "key up 116"), 1);
}

// The window of the program's class `name` once it shows.
HWND Shown(vantrel::test::Program& program, const char* name) {
  HWND hwnd = nullptr;
  WaitUntil([&] { return (hwnd = program.Window(name)) && IsWindowVisible(hwnd); });
  return hwnd;
}

TEST_F(ControllerTest, AKeyBoundThroughTheDialogsIsTheKeyTheButtonTypes) {
  Start("[Bind]\r\n" + Key(1, 'A'));
  SendMessageA(program.Control(IDC_BTNJOY + 1), BM_CLICK, 0, 0);
  const HWND action = Shown(program, "TActionDlg");
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(TextOf(action), "Action [Button 1]");
  EXPECT_FALSE(IsWindowEnabled(main));
  SendMessageA(GetDlgItem(action, IDC_BTNEMULKEY), BM_CLICK, 0, 0);
  const HWND keys = Shown(program, "TBindEmulDlg");
  ASSERT_NE(keys, nullptr);
  const HWND shown = GetDlgItem(keys, IDC_STKEY);
  PostMessageA(shown, WM_KEYDOWN, VK_F5, 1);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(shown) == "F5"; }));
  SendMessageA(GetDlgItem(keys, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != 0; }));
  EXPECT_EQ(RowText(1), "F5");

  Press(1);
  Release(1);
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 116", "key up 116"}));
}

}  // namespace

namespace {

TEST_F(ControllerTest, ASecondStartBringsTheFirstBackAndNothingRunsTwice) {
  Start("[Bind]\r\n" + Key(1, 'A'));
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); })) << "not in the tray";
  EXPECT_EQ(program.StartAgain(1000), 0) << "the second copy ends at once";
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != 0; }))
      << "the first copy's window is back";
  EXPECT_EQ(program.Windows("TMainFrm").size(), 1u);
  Press(1);
  Release(1);
  EXPECT_EQ(RealKeys(Quiet()), (Lines{"key down 65", "key up 65"})) << "typed once";
}

}  // namespace
