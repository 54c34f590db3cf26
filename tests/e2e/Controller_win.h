#pragma once
// A fixture for the tests that play a controller to the real program: the
// program runs with the DirectInput double beside it and a profile of the
// test's as its last profile, while the recorder watches what it injects.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/Program_win.h"
#include "resource.h"

namespace vantrel::test {

// Without a modifier the program still sends an event of virtual key 0
// before each key event; whether the hooks pass it on is up to the system,
// so the key checks look only at real keys. That event has scan code 0: one
// with another stays among the keys.
inline std::vector<std::string> RealKeys(const std::vector<std::string>& lines) {
  std::vector<std::string> keys;
  for (const std::string& line : lines)
    if (line.rfind("key ", 0) == 0 && line != "key down 0" && line != "key up 0" &&
        line != "key down 0 scan 0" && line != "key up 0 scan 0")
      keys.push_back(line);
  return keys;
}

// The profile lines that bind button `button` to a key.
inline std::string Key(int button, int vcode, int shift = 0, bool turbo = false) {
  const std::string p = "Button" + std::to_string(button);
  return p + ".Action=3\r\n" + p + ".VCode=" + std::to_string(vcode) + "\r\n" + p +
         ".Shift=" + std::to_string(shift) + "\r\n" + p + ".Turbo=" + (turbo ? "1" : "0") + "\r\n";
}

// Brings `window` to the front, asking again until it is there: a window
// just made may not show yet, and the first ask may come too early.
inline bool BringToFront(HWND window) {
  return WaitUntil([&] {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return false;
  });
}

class ControllerTest : public testing::Test {
 protected:
  // `scanCodes`: the recorder's key lines show scan codes and extended
  // flags; `times`: the events' times.
  explicit ControllerTest(bool scanCodes = false, bool times = false)
      : recorder(scanCodes, times) {}

  // Writes `profile` as "profile.ini", names it the last profile in the
  // settings file (after `setup`, more [Setup] lines; `sections` follow
  // [Setup]) and starts the program.
  void Start(const std::string& profile, const std::string& setup = "",
             const std::string& sections = "") {
    ASSERT_TRUE(recorder.Started()) << "the input recorder did not start";
    program.Write("profile.ini", profile);
    program.Settings(setup + "Path=" + (program / "profile.ini") + "\r\n" + sections);
    ASSERT_TRUE(program.Start()) << "could not start " << VANTREL_EXE << " (error "
                                 << program.StartError() << ")";
    main = program.WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "the main window did not show (is there a display?)";
    if (program.Joystick().attached > 0)
      ASSERT_TRUE(program.WaitForReads()) << "the program does not read the joystick";
    else
      ASSERT_TRUE(program.WaitUntilStarted());
    // Clicks land on the empty desktop above the main window, and moves
    // have room on every side. The recorder sees the pointer's jump there
    // only with the next move, so make one and leave it out.
    SetCursorPos(512, 120);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    recorder.WaitForLines(1, 1000);
    if (program.Joystick().attached > 0) Settle();
    recorder.Clear();
  }

  // Changes take effect on the program's next polling run; these return
  // once it has read the joystick after the change.
  void Button(int button, bool down) {
    program.Joystick().buttons[button - 1] = down ? 0x80 : 0;
    Settle();
  }
  void Press(int button) { Button(button, true); }
  void Release(int button) { Button(button, false); }
  void Stick(int x, int y) {
    program.Joystick().lX = x;
    program.Joystick().lY = y;
    Settle();
  }
  void Settle() { ASSERT_TRUE(program.WaitForReads()) << "the program stopped reading"; }

  // The recorded lines, once no more have come for a while.
  std::vector<std::string> Quiet(DWORD quietMs = 300) {
    std::vector<std::string> lines = recorder.Lines();
    for (int i = 0; i < 50; ++i) {
      Sleep(quietMs);
      std::vector<std::string> now = recorder.Lines();
      if (now == lines) break;
      lines = std::move(now);
    }
    return lines;
  }

  std::string RowText(int entry) const { return TextOf(program.Control(IDC_STJOY + entry)); }

  InputRecorder recorder;
  Program program{true};
  HWND main = nullptr;
};

}  // namespace vantrel::test
