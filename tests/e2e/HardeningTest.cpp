// The real program meeting what a user's folder may hold: hand-edited
// settings with paths too long for any file function, libraries and programs
// planted beside it under a system name, and a change of the number of
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
using vantrel::test::Key;
using vantrel::test::RealKeys;
using vantrel::test::ReadFileBytes;
using vantrel::test::Program;
using vantrel::test::WaitUntil;
using vantrel::test::WindowsPath;

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Windows looks beside the program first for a library's bare name; Wine
// does so for one of its own only when told to prefer a library that is not
// its own. Told so, while this lives, for the libraries `names` (without
// ".dll") and programs of the file name `exe`, through the prefix's registry:
// WINEDLLOVERRIDES in the environment of a process started from this one
// reaches its loads at run time but not the imports resolved at its start.
class PreferPlantedLibraries {
 public:
  PreferPlantedLibraries(const std::string& exe, const std::vector<std::string>& names)
      : key_("Software\\Wine\\AppDefaults\\" + exe) {
    HKEY overrides = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, (key_ + "\\DllOverrides").c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &overrides, nullptr) != ERROR_SUCCESS)
      return;
    static const char kNativeFirst[] = "native,builtin";
    for (const std::string& name : names)
      RegSetValueExA(overrides, name.c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(kNativeFirst), sizeof kNativeFirst);
    RegCloseKey(overrides);
  }
  ~PreferPlantedLibraries() { RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }
  PreferPlantedLibraries(const PreferPlantedLibraries&) = delete;
  PreferPlantedLibraries& operator=(const PreferPlantedLibraries&) = delete;

 private:
  std::string key_;
};

// Copies the planted library into `folder` under each of `names`.
void Plant(const std::string& folder, const std::vector<std::string>& names) {
  const std::string planted = WindowsPath(VANTREL_PLANTED_LIBRARY);
  for (const std::string& name : names)
    ASSERT_TRUE(CopyFileA(planted.c_str(), (folder + name + ".dll").c_str(), FALSE)) << name;
}

// Those of `names` planted in `folder` that were loaded.
std::vector<std::string> LoadedOf(const std::string& folder,
                                  const std::vector<std::string>& names) {
  std::vector<std::string> loaded;
  for (const std::string& name : names)
    if (Exists(folder + name + ".dll.loaded")) loaded.push_back(name);
  return loaded;
}

// Ends the process that owns `window`, one the program started.
void EndProcessOf(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
  if (!process) return;
  TerminateProcess(process, 0);
  WaitForSingleObject(process, 5000);
  CloseHandle(process);
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

// Planted beside the program: the libraries it loads itself, and one that
// the system's libraries it uses import in turn (the common controls'
// uxtheme.dll). The shell's version.dll and the input devices' hid.dll are
// the next test's. Wine's own user32, unlike Windows' (a known library, whose
// imports come from the system folder), imports version.dll, so any program
// under Wine that imports user32 loads a version.dll it prefers beside it
// before its first line runs. And Wine resolves the libraries that its own
// libraries load late (the multimedia joystick functions' DirectInput, which
// imports hid.dll) as it resolves a program's imports, beside the program
// first, whatever the program restricted.
TEST(Hardening, LibrariesPlantedBesideTheProgramAreNeverLoaded) {
  const std::vector<std::string> names = {"dinput", "winmm", "uxtheme"};
  // A name of its own, so that no other test's program prefers what lies
  // beside it.
  const std::string exe = "Planted Vantrel.exe";
  Program program(true, exe);
  // No joystick through DirectInput: the multimedia functions are looked for too.
  program.Joystick().attached = 0;
  Plant(program.Folder(), names);
  const PreferPlantedLibraries prefer(exe, names);
  ASSERT_TRUE(program.Start());
  ASSERT_NE(program.WaitForMainWindow(), nullptr) << program.Describe();
  ASSERT_TRUE(program.WaitUntilStarted());
  // DirectInput is asked for once the window shows; a message answered after
  // that means the joystick's open, the multimedia lookup included, is over.
  ASSERT_TRUE(WaitUntil([&] { return program.Joystick().createVersion != 0; }))
      << "the system's DirectInput (the double) was not loaded";
  ASSERT_TRUE(program.WaitUntilStarted());
  EXPECT_EQ(LoadedOf(program.Folder(), names), std::vector<std::string>{});
  EXPECT_TRUE(program.Running());
}

// The common controls, the shell and DirectInput, loaded as the program
// loads them once it has started, bring no library planted beside it: tried
// with a program that loads them so and imports neither user32 nor anything
// else that would bring one in first. Wine's own DirectInput, not the
// double, which imports nothing of the kind.
TEST(Hardening, TheSystemsLibrariesBringNoLibraryPlantedBesideTheProgram) {
  const std::vector<std::string> names = {"version", "uxtheme", "hid"};
  vantrel::test::TempDir dir;
  const std::string exe = "Planted Loader.exe";
  ASSERT_TRUE(CopyFileA(WindowsPath(VANTREL_LIBRARY_LOADER).c_str(), (dir / exe).c_str(), FALSE));
  Plant(dir.Path(), names);
  const PreferPlantedLibraries prefer(exe, names);
  char overrides[512] = {};
  GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
  SetEnvironmentVariableA("WINEDLLOVERRIDES", "dinput=b;mscoree,mshtml=");
  const vantrel::test::Process loader(dir / exe, dir.Path());
  SetEnvironmentVariableA("WINEDLLOVERRIDES", overrides);
  ASSERT_TRUE(loader.Started());
  EXPECT_EQ(loader.ExitCode(), 0) << "a library did not load";
  EXPECT_EQ(LoadedOf(dir.Path(), names), std::vector<std::string>{});
}

// A Run entry's bare name is looked for where the system keeps its programs,
// never beside the program (its working folder too), where a planted one
// would start instead: the system's own starts.
TEST_F(ControllerTest, ARunEntrysBareNameNeverStartsAProgramPlantedBesideIt) {
  const std::string planted = program / "notepad.exe";
  ASSERT_TRUE(CopyFileA(WindowsPath(VANTREL_MARKER).c_str(), planted.c_str(), FALSE));
  Start("[Bind]\r\nButton1.Action=5\r\nButton1.Execute=notepad.exe\r\n" + Key(2, 'A'));
  Press(1);
  Release(1);
  HWND notepad = nullptr;
  EXPECT_TRUE(
      WaitUntil([&] { return (notepad = FindWindowA("Notepad", nullptr)) != nullptr; }, 10000))
      << "the system's notepad did not start";
  if (notepad) EndProcessOf(notepad);
  EXPECT_FALSE(Exists(planted + ".ran")) << "the program beside Vantrel was started";

  Press(2);
  Release(2);
  EXPECT_EQ(RealKeys(Quiet()), (std::vector<std::string>{"key down 65", "key up 65"}));
  EXPECT_TRUE(program.Running());
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
