// The real program meeting what a user's folder may hold: hand-edited
// settings with paths too long for any file function, libraries planted
// beside it under a system library's name, and a change of the number of
// buttons while a button is held.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Options.h"
#include "e2e/Controller_win.h"
#include "resource.h"

namespace {

using vantrel::test::ControllerTest;
using vantrel::test::RealKeys;
using vantrel::test::ReadFileBytes;
using vantrel::test::Program;
using vantrel::test::WaitUntil;
using vantrel::test::WindowsPath;

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(Hardening, PathsTooLongForAFileFunctionStartTheProgramEmptyAndInEnglish) {
  Program program;
  // Bare names: a file function puts those after the Windows folder in a
  // buffer of the path limit's size, where Wine's overran it.
  const std::string overlong = std::string(5000, 'p') + ".ini";
  program.Settings("PakIndex=2\r\nLanguagePak=" + std::string(5000, 'l') + ".lng\r\nPath=" +
                   overlong + "\r\n");
  ASSERT_TRUE(program.Start());
  const HWND main = program.WaitForMainWindow();
  ASSERT_NE(main, nullptr) << "the program did not get as far as its window";
  ASSERT_TRUE(program.WaitUntilStarted());
  EXPECT_TRUE(program.Windows("#32770").empty()) << "no box at start-up";
  EXPECT_EQ(vantrel::test::TextOf(program.Control(IDC_BTNJOY + 1)), "Button 1") << "English";
  EXPECT_EQ(vantrel::test::TextOf(program.Control(IDC_STJOY + 1)), "");
  EXPECT_TRUE(program.Running());
}

TEST(Hardening, LibrariesPlantedBesideTheProgramAreNeverLoaded) {
  Program program(true);
  // No joystick through DirectInput: the multimedia functions are looked for too.
  program.Joystick().attached = 0;
  const std::string planted = WindowsPath(VANTREL_PLANTED_LIBRARY);
  for (const char* name : {"DInput.dll", "winmm.dll"})
    ASSERT_TRUE(CopyFileA(planted.c_str(), (program / name).c_str(), FALSE));
  // Windows looks beside the program first for a bare name; Wine does so for
  // these only when told to prefer a library that is not its own.
  char overrides[512] = {};
  GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
  SetEnvironmentVariableA("WINEDLLOVERRIDES", "dinput,winmm=n,b;mscoree,mshtml=");
  const bool started = program.Start();
  SetEnvironmentVariableA("WINEDLLOVERRIDES", overrides);
  ASSERT_TRUE(started);
  ASSERT_TRUE(program.WaitUntilStarted());
  // DirectInput is asked for once the window shows; a message answered after
  // that means the joystick's open, the multimedia lookup included, is over.
  ASSERT_TRUE(WaitUntil([&] { return program.Joystick().createVersion != 0; }))
      << "the system's DirectInput (the double) was not loaded";
  ASSERT_TRUE(program.WaitUntilStarted());
  EXPECT_FALSE(Exists(program / "DInput.dll.loaded"));
  EXPECT_FALSE(Exists(program / "winmm.dll.loaded"));
}

class OptionsWhileHeld : public ControllerTest {
 protected:
  HWND OpenOptions() {
    PostMessageA(main, WM_COMMAND, IDM_OPTIONS, 0);
    HWND options = nullptr;
    WaitUntil([&] { return (options = program.Window("TOptionsFrm")) && IsWindowVisible(options); });
    return options;
  }
};

TEST_F(OptionsWhileHeld, FewerButtonsLetGoOfWhatTheButtonsThatGoHold) {
  const std::string turbo10 =
      "Button10.Action=3\r\nButton10.VCode=66\r\nButton10.Shift=0\r\nButton10.Turbo=1\r\n";
  // The Down row is kept under the Right prefix.
  Start("[Bind]\r\n" + turbo10 + "Right.Action=3\r\nRight.VCode=68\r\nRight.Shift=0\r\n",
        "NumOfButtons=12\r\ntmrTurbo=50\r\n");
  Press(10);
  Stick(0, 1000);
  ASSERT_TRUE(recorder.WaitForLines(6)) << "the turbo key taps and the Down key is held";

  const HWND options = OpenOptions();
  ASSERT_NE(options, nullptr);
  const HWND fewer = GetDlgItem(options, IDC_STEPDOWN + static_cast<int>(vantrel::Stepper::Buttons));
  for (int i = 0; i < 8; ++i) SendMessageA(fewer, BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(options, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }));
  Quiet();
  recorder.Clear();
  const std::vector<std::string> after = Quiet(400);
  EXPECT_TRUE(after.empty()) << "still injected: " << after.front();
  EXPECT_FALSE(Exists(program / "qex.tmp"));

  // The Down row moved from 14 to 6 and is still held: no blip, and its
  // release comes once.
  Stick(0, 0);
  EXPECT_EQ(RealKeys(Quiet()), (std::vector<std::string>{"key up 68"}));
}

TEST_F(OptionsWhileHeld, TheScratchProfileGoesWhenTheProgramEndsWithTheWindowOpen) {
  Start("[Bind]\r\n");
  ASSERT_NE(OpenOptions(), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return Exists(program / "qex.tmp"); }));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0);
  EXPECT_FALSE(Exists(program / "qex.tmp"));
  EXPECT_EQ(ReadFileBytes(program / "Vantrel.set").find("NumOfButtons"), std::string::npos)
      << "nothing is saved on exit";
}

}  // namespace
