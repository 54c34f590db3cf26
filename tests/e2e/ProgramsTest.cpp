// Profiles that follow the program in front, played to the real program:
// two small windowed programs of different names come to the front, and
// the recorder shows which profile each press went out under. Wine tells no
// other process of a change of the foreground, so these see the decision
// the program takes again before every press.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Paths.h"
#include "config/ProgramsSection.h"
#include "e2e/Controller_win.h"
#include "lang/LanguageKeys.h"
#include "win/DialogAnswer_win.h"

namespace vantrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kS = 'S', kT = 'T', kA = 'A', kB = 'B';

class ProgramsTest : public ControllerTest {
 protected:
  // A windowed program called `name` beside the program, started and in front.
  Process Bring(const std::string& name) {
    const std::string exe = program / name;
    CopyFileA(WindowsPath(VANTREL_FRONT_WINDOW).c_str(), exe.c_str(), FALSE);
    Process process(exe, program.Folder());
    EXPECT_TRUE(process.Started()) << name << " did not start";
    HWND window = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (window = process.Window("VantrelFrontWindow")); }));
    Front(window);
    return process;
  }
  static void Front(HWND window) {
    EXPECT_TRUE(BringToFront(window)) << "the window did not come to the front";
  }
  // The keys a press and release of `button` typed.
  std::vector<std::string> Tap(int button) {
    recorder.Clear();
    Press(button);
    Release(button);
    return RealKeys(Quiet());
  }
  static std::vector<std::string> Typed(int vcode) {
    return {"key down " + std::to_string(vcode), "key up " + std::to_string(vcode)};
  }
};

TEST_F(ProgramsTest, TheRuledProgramsProfileTypesUntilItsLastWindowCloses) {
  program.Write("alpha.ini", "[Bind]\r\n" + Key(1, kA));
  Start("[Bind]\r\n" + Key(1, kS), "",
        "[Programs]\r\nalpha.exe=" + (program / "alpha.ini") + "\r\n");
  EXPECT_EQ(Tap(1), Typed(kS));

  Process alpha = Bring("alpha.exe");
  EXPECT_EQ(Tap(1), Typed(kA));
  EXPECT_EQ(RowText(1), "A");

  // A window without a rule keeps the profile in force.
  Process beta = Bring("beta.exe");
  EXPECT_EQ(Tap(1), Typed(kA));

  PostMessageA(alpha.Window("VantrelFrontWindow"), WM_CLOSE, 0, 0);
  EXPECT_EQ(alpha.ExitCode(), 0);
  EXPECT_TRUE(WaitUntil([&] { return RowText(1) == "S"; })) << "the earlier profile is back";
  EXPECT_EQ(Tap(1), Typed(kS));

  // The automatic load is not the profile the next start loads.
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0);
  char path[MAX_PATH] = {};
  GetPrivateProfileStringA("Setup", "Path", "", path, MAX_PATH, SettingsPathFor(program.Exe()).c_str());
  EXPECT_EQ(path, program / "profile.ini");
}

TEST_F(ProgramsTest, OffInjectsNothingAndLetsGoOfTheKeyHeldWhenItsProgramCameToTheFront) {
  Start("[Bind]\r\n" + Key(1, kS) + Key(2, kT), "", "[Programs]\r\ngamma.exe=Off\r\n");
  Press(1);
  EXPECT_THAT(RealKeys(Quiet()), ElementsAre("key down 83"));

  recorder.Clear();
  Process gamma = Bring("gamma.exe");
  Press(2);
  Release(2);
  Release(1);
  EXPECT_THAT(RealKeys(Quiet()), ElementsAre("key up 83"));
  EXPECT_THAT(Tap(1), IsEmpty());

  PostMessageA(gamma.Window("VantrelFrontWindow"), WM_CLOSE, 0, 0);
  EXPECT_EQ(gamma.ExitCode(), 0);
  Front(main);
  EXPECT_EQ(Tap(2), Typed(kT)) << "Off ends with its program";
}

TEST_F(ProgramsTest, AKeyHeldWhileTheProfileSwitchesIsLetGoAndPressedAnewUnderTheNewOne) {
  program.Write("alpha.ini", "[Bind]\r\n" + Key(1, kA) + Key(2, kB));
  Start("[Bind]\r\n" + Key(1, kS) + Key(2, kT), "",
        "[Programs]\r\nalpha.exe=" + (program / "alpha.ini") + "\r\n");
  Press(1);
  EXPECT_THAT(RealKeys(Quiet()), ElementsAre("key down 83"));

  recorder.Clear();
  Process alpha = Bring("alpha.exe");
  Press(2);
  // The switch let go of S before anything of the new profile went out;
  // button 1, still down, is pressed again under the new profile.
  std::vector<std::string> keys = RealKeys(Quiet());
  ASSERT_FALSE(keys.empty());
  EXPECT_EQ(keys.front(), "key up 83");
  EXPECT_THAT(keys, ::testing::UnorderedElementsAre("key up 83", "key down 66", "key down 65"));
  recorder.Clear();
  Release(2);
  Release(1);
  EXPECT_THAT(RealKeys(Quiet()), ::testing::UnorderedElementsAre("key up 66", "key up 65"));
}

TEST_F(ProgramsTest, ARuleForTheProgramInFrontAtStartUpAppliesBeforeAnyPress) {
  program.Write("alpha.ini", "[Bind]\r\n" + Key(1, kA));
  Process alpha = Bring("alpha.exe");
  // In the tray from the start, so that the program in front stays there.
  program.Write("profile.ini", "[Bind]\r\n" + Key(1, kS));
  program.Settings("Minimize=1\r\nPath=" + (program / "profile.ini") + "\r\n[Programs]\r\n" +
                   "alpha.exe=" + (program / "alpha.ini") + "\r\n");
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(program.WaitUntilStarted());
  ASSERT_TRUE(program.WaitForReads());
  EXPECT_TRUE(WaitUntil([&] { return RowText(1) == "A"; })) << RowText(1);
  EXPECT_EQ(GetForegroundWindow(), alpha.Window("VantrelFrontWindow"));
  EXPECT_EQ(Tap(1), Typed(kA));
}

// A program whose name a key of the settings file cannot hold ("a=b.exe"
// would read back as "a") is offered but gets no rule: the dialog says why,
// and what OK keeps is the rules there were.
TEST_F(ProgramsTest, AProgramWhoseNameTheSettingsCannotHoldIsRefusedWithAWordWhy) {
  Start("[Bind]\r\n" + Key(1, kS), "", "[Programs]\r\nalpha.exe=off\r\n");
  Process odd = Bring("a=b.exe");
  PostMessageA(main, WM_COMMAND, IDM_PROGRAMS, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    return (dialog = program.Window("TProgramsDlg")) && IsWindowVisible(dialog);
  })) << program.Describe();
  const HWND combo = GetDlgItem(dialog, IDC_CBPROGRAM);
  const auto item = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>("a=b.exe"));
  ASSERT_GT(item, 0) << "the program is offered";
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  PostMessageA(GetDlgItem(dialog, IDC_BTNRULEADD), BM_CLICK, 0, 0);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND w : program.Windows("#32770"))
      if (IsWindowVisible(w)) box = w;
    return box != nullptr;
  })) << "no box says why";
  EXPECT_EQ(BoxText(box), NameRefusalText(BuiltInText("ProgramsWindow", "NameEquals"), "a=b.exe"));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_LBRULES), LB_GETCOUNT, 0, 0), 1);
  SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
  char rule[MAX_PATH] = {};
  const std::string settings = SettingsPathFor(program.Exe());
  GetPrivateProfileSectionA("Programs", rule, sizeof rule, settings.c_str());
  EXPECT_STREQ(rule, "alpha.exe=off");
}

}  // namespace
}  // namespace vantrel::test
