// The rules of the programs in front, played to the real program: what comes
// back when a ruled program ends, which file File/Save writes while a rule's
// profile is in force, and Off following its program. Wine tells no other
// process of a change of the foreground: the program decides again before
// every press, so each change of the window in front is followed by a press.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "config/Paths.h"
#include "e2e/Controller_win.h"
#include "win/TempDir_win.h"

namespace vantrel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr int kS = 'S', kT = 'T', kA = 'A', kB = 'B';

class RulesTest : public ControllerTest {
 protected:
  // A windowed program called `name` beside the program, started and in front.
  Process Bring(const std::string& name) {
    const std::string exe = program / name;
    CopyFileA(WindowsPath(VANTREL_FRONT_WINDOW).c_str(), exe.c_str(), FALSE);
    Process process(exe, program.Folder());
    EXPECT_TRUE(process.Started()) << name << " did not start";
    EXPECT_TRUE(WaitUntil([&] { return process.Window("VantrelFrontWindow") != nullptr; }));
    Front(process.Window("VantrelFrontWindow"));
    return process;
  }
  // Asked again until it is there: a window just made may not show yet.
  static void Front(HWND window) {
    EXPECT_TRUE(BringToFront(window)) << "the window did not come to the front";
  }
  static void End(Process& process) {
    PostMessageA(process.Window("VantrelFrontWindow"), WM_CLOSE, 0, 0);
    EXPECT_EQ(process.ExitCode(), 0);
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

  // An edit of the bindings in memory: the turbo box of the entry's row.
  void ClickTurbo(int entry) { SendMessageA(program.Control(IDC_CHBJOY + entry), BM_CLICK, 0, 0); }
  bool TurboTicked(int entry) const {
    return SendMessageA(program.Control(IDC_CHBJOY + entry), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  // File/Save, its dialog answered with OK: on `name` in the program's
  // folder, or on the name the dialog opened with (as Enter takes it).
  // Returns the name the dialog opened with.
  std::string Save(const std::string& name = {}) {
    const std::vector<HWND> before = program.Windows("#32770");
    PostMessageA(main, WM_COMMAND, IDM_SAVE, 0);
    HWND dialog = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
      for (HWND shown : program.Windows("#32770"))
        if (IsWindowVisible(shown) &&
            std::find(before.begin(), before.end(), shown) == before.end())
          dialog = shown;
      return dialog != nullptr;
    })) << "no save dialog";
    if (!dialog) return {};
    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (box = FileNameBox(dialog)) != nullptr; }));
    if (!box) return {};
    const std::string opened = TextOf(box);
    if (!name.empty()) {
      const std::string path = program / name;
      SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    }
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the save dialog stayed";
    // The file is written after the dialog has gone, before the main window
    // takes its next message.
    EXPECT_TRUE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr));
    return opened;
  }
  static HWND FileNameBox(HWND dialog) {
    HWND box = nullptr;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM param) -> BOOL {
          const int id = GetDlgCtrlID(child);
          if (ClassOf(child) != "Edit" || (id != 0x480 && id != 0x47c)) return TRUE;
          *reinterpret_cast<HWND*>(param) = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&box));
    return box;
  }
  std::string Read(const std::string& name) const { return ReadFileBytes(program / name); }
  std::string LastProfile() const {
    char path[MAX_PATH] = {};
    GetPrivateProfileStringA("Setup", "Path", "", path, MAX_PATH,
                             SettingsPathFor(program.Exe()).c_str());
    return path;
  }
};

TEST_F(RulesTest, TheBindingsInForceBeforeARuledProgramComeBackAsTheyWereInMemory) {
  program.Write("alpha.ini", "[Bind]\r\n" + Key(1, kA) + Key(2, kB));
  Start("[Bind]\r\n" + Key(1, kS) + Key(2, kT), "",
        "[Programs]\r\nalpha.exe=" + (program / "alpha.ini") + "\r\n");
  ClickTurbo(1);
  Save("b.ini");
  ClickTurbo(2);  // never saved
  ASSERT_THAT(Read("b.ini"), HasSubstr("Button1.Turbo=1"));

  Process alpha = Bring("alpha.exe");
  EXPECT_EQ(Tap(2), Typed(kB));
  EXPECT_FALSE(TurboTicked(1));
  EXPECT_FALSE(TurboTicked(2));

  End(alpha);
  EXPECT_TRUE(WaitUntil([&] { return RowText(1) == "S"; })) << RowText(1);
  EXPECT_TRUE(WaitUntil([&] { return TurboTicked(1); })) << "b.ini's bindings are back";
  EXPECT_TRUE(WaitUntil([&] { return TurboTicked(2); })) << "with the edit made after the save";
  EXPECT_THAT(Read("b.ini"), HasSubstr("Button2.Turbo=0")) << "the edit stays unsaved";
}

TEST_F(RulesTest, SavingWhileARulesProfileIsInForceWritesThatProfileNotTheUsersOwn) {
  program.Write("alpha.ini", "[Bind]\r\n" + Key(1, kA));
  Start("[Bind]\r\n" + Key(1, kS), "",
        "[Programs]\r\nalpha.exe=" + (program / "alpha.ini") + "\r\n");
  Save("mine.ini");
  const std::string mine = Read("mine.ini");
  ASSERT_THAT(mine, HasSubstr("Button1.VCode=83"));

  Process alpha = Bring("alpha.exe");
  EXPECT_EQ(Tap(1), Typed(kA));
  ClickTurbo(1);
  // The dialog opens on the rule's profile, and OK (Enter) takes it.
  EXPECT_EQ(Save(), "alpha.ini");
  EXPECT_EQ(Read("mine.ini"), mine) << "the user's own profile is left alone";
  const std::string alphaIni = Read("alpha.ini");
  EXPECT_THAT(alphaIni, HasSubstr("Button1.VCode=65"));
  EXPECT_THAT(alphaIni, HasSubstr("Button1.Turbo=1"));
  EXPECT_EQ(LastProfile(), program / "mine.ini") << "the next start loads the user's own";

  // Once the ruled program is gone, File/Save is the user's again.
  End(alpha);
  EXPECT_TRUE(WaitUntil([&] { return RowText(1) == "S"; })) << RowText(1);
  EXPECT_EQ(Save(), "mine.ini");
  EXPECT_THAT(Read("alpha.ini"), HasSubstr("Button1.VCode=65"));
}

TEST_F(RulesTest, OffInjectsNothingOnlyWhileItsProgramIsInFront) {
  Start("[Bind]\r\n" + Key(1, kS), "", "[Programs]\r\ngame.exe=off\r\n");
  Process game = Bring("game.exe");
  EXPECT_THAT(Tap(1), IsEmpty()) << "the game in front";

  Process browser = Bring("browser.exe");
  EXPECT_EQ(Tap(1), Typed(kS)) << "a window without a rule";

  Front(game.Window("VantrelFrontWindow"));
  EXPECT_THAT(Tap(1), IsEmpty()) << "the game back in front";

  Front(main);
  EXPECT_EQ(Tap(1), Typed(kS)) << "the program's own window";
}

TEST_F(RulesTest, ARuledProgramThatEndsBehindAnotherLeavesTheProfileInForce) {
  program.Write("alpha.ini", "[Bind]\r\n" + Key(1, kA));
  program.Write("beta.ini", "[Bind]\r\n" + Key(1, kB));
  Start("[Bind]\r\n" + Key(1, kS), "",
        "[Programs]\r\nalpha.exe=" + (program / "alpha.ini") +
            "\r\nbeta.exe=" + (program / "beta.ini") + "\r\n");
  Process alpha = Bring("alpha.exe");
  EXPECT_EQ(Tap(1), Typed(kA));
  Process beta = Bring("beta.exe");
  EXPECT_EQ(Tap(1), Typed(kB));

  End(alpha);
  EXPECT_EQ(Tap(1), Typed(kB));
  EXPECT_EQ(RowText(1), "B");

  // What was in force before alpha came returns, not alpha's.
  End(beta);
  EXPECT_TRUE(WaitUntil([&] { return RowText(1) == "S"; })) << RowText(1);
  EXPECT_EQ(Tap(1), Typed(kS));
}

// A controller that signals without pause keeps no other handle of the loop
// from being served: a ruled program's end is still seen at once.
TEST_F(RulesTest, ARuledProgramsEndIsSeenWhileTheControllerSignalsWithoutPause) {
  program.Write("alpha.ini", "[Bind]\r\n" + Key(1, kA));
  Start("[Bind]\r\n" + Key(1, kS), "",
        "[Programs]\r\nalpha.exe=" + (program / "alpha.ini") + "\r\n");
  Process alpha = Bring("alpha.exe");
  EXPECT_EQ(Tap(1), Typed(kA));
  std::atomic<bool> stop{false};
  std::thread jitter([&] {
    ProgramEvent event(program.Joystick());
    while (!stop) {
      event.Set();
      Sleep(0);
    }
  });
  End(alpha);
  const bool seen = WaitUntil([&] { return RowText(1) == "S"; }, 1000);
  stop = true;
  jitter.join();
  EXPECT_TRUE(seen) << "the end was not seen while the controller signalled";
}

}  // namespace
}  // namespace vantrel::test
