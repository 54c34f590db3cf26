// While a modal loop runs on the program's thread (an error box, the tray
// menu, a file dialog), its own message loop, which waits on the
// controller's event, does not. The controller must still be read: a press
// typed, its release and the pointer's stop seen within a refresh period.
// The test tells the program of each change once, as a driver does, and
// then only waits: it never sets the program's event again.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/QEXmainwndcode.h"
#include "e2e/Controller_win.h"
#include "resource.h"

namespace {

using vantrel::test::ControllerTest;
using vantrel::test::Key;
using vantrel::test::PushChange;
using vantrel::test::WaitUntil;
using Lines = std::vector<std::string>;

// Generous bounds for what a modal loop must not delay: the test is about
// the controller being read at all, at every refresh period, where it was
// read once a second, and a loaded machine must not make it fail.
constexpr DWORD kWithinReach = 2000;

bool Has(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class ModalLoop : public ControllerTest {
 protected:
  // Button 2 types K; the stick pushed right (its Right row, kept under
  // the Down prefix) moves the pointer right.
  void StartProgram() {
    Start("[Bind]\r\n" + Key(2, 'K') + "Down.Action=4\r\nDown.MButton=902\r\n");
  }

  // Plays a press and release of button 2 and a push of the stick while
  // `what` is up, each change told once; and counts the reads of a second
  // with nothing held, which the refresh period sets (20 at 50 ms) where
  // only the once-a-second check ran.
  void PlayWhileUp(const char* what) {
    SCOPED_TRACE(what);
    vantrel::test::ProgramEvent driver(program.Joystick());
    const std::int32_t before = program.Joystick().getDeviceStateCalls;
    Sleep(1000);
    EXPECT_GE(program.Joystick().getDeviceStateCalls - before, 5) << "reads in a second";
    recorder.Clear();
    PushChange(program.Joystick(), &driver, 49, 0x80);
    EXPECT_TRUE(WaitUntil([&] { return Has(recorder.Lines(), "key down 75"); }, kWithinReach))
        << "the press is typed";
    Sleep(200);
    PushChange(program.Joystick(), &driver, 49, 0);
    EXPECT_TRUE(WaitUntil([&] { return Has(recorder.Lines(), "key up 75"); }, kWithinReach))
        << "the release comes";
    PushChange(program.Joystick(), &driver, 0, 1000);
    EXPECT_TRUE(WaitUntil(
        [&] {
          const Lines lines = recorder.Lines();
          return std::any_of(lines.begin(), lines.end(),
                             [](const std::string& l) { return l.rfind("mouse move", 0) == 0; });
        },
        kWithinReach))
        << "the pointer moves";
    Sleep(200);
    PushChange(program.Joystick(), &driver, 0, 0);
    // The pointer stops: no move comes for a while.
    EXPECT_TRUE(WaitUntil(
        [&] {
          const std::size_t n = recorder.Lines().size();
          Sleep(300);
          return recorder.Lines().size() == n;
        },
        kWithinReach))
        << "the pointer stopped with the stick";
  }

  // The program's visible window of `className` once it shows.
  HWND WaitForWindow(const char* className) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
          for (HWND w : program.Windows(className))
            if (IsWindowVisible(w)) found = w;
          return found != nullptr;
        },
        5000);
    return found;
  }
};

// The error box of a profile switch that cannot record the profile in an
// unwritable settings file.
TEST_F(ModalLoop, AnErrorBoxKeepsTheControllerRead) {
  const std::string bindings = Key(2, 'K') + "Down.Action=4\r\nDown.MButton=902\r\n";
  program.Write("a.ini", "[Bind]\r\n" + bindings);
  program.Write("b.ini", "[Bind]\r\n" + bindings);
  Start("[Bind]\r\nButton1.Action=2\r\nButton1.INI.Count=2\r\nButton1.INI0=" + (program / "a.ini") +
        "\r\nButton1.INI1=" + (program / "b.ini") + "\r\n" + bindings);
  HANDLE lock =
      CreateFileA((program / "Vantrel.set").c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  Press(1);
  Release(1);
  const HWND box = WaitForWindow("#32770");
  ASSERT_NE(box, nullptr) << "no error box";
  PlayWhileUp("an error box");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  CloseHandle(lock);
}

TEST_F(ModalLoop, TheTrayMenuKeepsTheControllerRead) {
  StartProgram();
  PostMessageA(main, vantrel::NotifyIcon::kCallbackMessage, 0, WM_RBUTTONDOWN);
  const HWND menu = WaitForWindow("#32768");
  ASSERT_NE(menu, nullptr) << "the tray menu did not open";
  PlayWhileUp("the tray menu");
  PostMessageA(menu, WM_CANCELMODE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
}

TEST_F(ModalLoop, AFileDialogKeepsTheControllerRead) {
  StartProgram();
  PostMessageA(main, WM_COMMAND, IDM_OPEN, 0);
  const HWND dialog = WaitForWindow("#32770");
  ASSERT_NE(dialog, nullptr) << "the file dialog did not open";
  PlayWhileUp("a file dialog");
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
}

}  // namespace
