// The main window's elevation notice and its File menu.
#include "win/MainWindowFixture_win.h"

namespace vantrel::test {
namespace {

struct ElevationAnswers {
  HWND elevatedWindow = nullptr;
  bool selfElevated = false;
  int asked = 0;
} answers;

bool AnswerElevation(HWND window, DWORD) {
  ++answers.asked;
  return window ? window == answers.elevatedWindow : answers.selfElevated;
}

class Elevation : public MainWindow {
 protected:
  void TearDown() override {
    SetElevationCheck(nullptr);
    DestroyWindow(answers.elevatedWindow);
    MainWindow::TearDown();
  }
  // A key on button 1, button 2 unbound, the chosen window in front.
  TMainFrm& StartBehind(bool selfElevated) {
    answers = {.selfElevated = selfElevated};
    SetElevationCheck(&AnswerElevation);
    TMainFrm& main = Start(4, "Button1.Action=3\r\nButton1.VCode=65\r\n");
    answers.elevatedWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 80, 40,
                                             nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(answers.elevatedWindow);
    EXPECT_EQ(GetForegroundWindow(), answers.elevatedWindow);
    return main;
  }
  // A press and a release, as the polling reports them.
  void Tap(int entry) {
    // The rules decide before each read, and so before each press.
    for (bool down : {true, false}) {
      if (down) app->MainFrm.FollowFront();
      app->MainFrm.Actions.Feed({0, static_cast<std::uint8_t>(entry), down, 0});
    }
  }
};

TEST_F(Elevation, APressIntoAnElevatedProgramIsToldOnceAndNothingIsAskedWhileIdle) {
  TMainFrm& main = StartBehind(false);
  const ULONGLONG end = GetTickCount64() + 300;  // the polling runs, nothing is pressed
  for (MSG msg; GetTickCount64() < end; Sleep(10))
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  Tap(2);
  EXPECT_EQ(answers.asked, 0) << "asked while idle, or for a press that injects nothing";
  Tap(1);
  Tap(1);
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  EXPECT_EQ(main.Elevation.Told(), std::vector<std::string>{FileNamePart(exe, "filename")});
  EXPECT_EQ(answers.asked, 2) << "once of itself, once of the program in front";
}

TEST_F(Elevation, NothingIsToldWhenTheProgramIsElevatedItself) {
  TMainFrm& main = StartBehind(true);
  Tap(1);
  EXPECT_TRUE(main.Elevation.Told().empty());
}

// An Off rule's program in front gets nothing: there is nothing to tell of.
TEST_F(Elevation, NothingIsToldOfAProgramWhoseOffRuleIsInForce) {
  TMainFrm& main = StartBehind(false);
  const std::string exe = dir / "game.exe";
  ASSERT_TRUE(CopyFileA(VANTREL_FRONT_WINDOW_PATH, exe.c_str(), FALSE));
  main.SetProgramRules({{"game.exe", "off"}});
  struct Started {
    PROCESS_INFORMATION info{};
    ~Started() {
      if (info.hProcess) TerminateProcess(info.hProcess, 0), CloseHandle(info.hProcess);
      if (info.hThread) CloseHandle(info.hThread);
    }
  } game;
  STARTUPINFOA si{.cb = sizeof(STARTUPINFOA)};
  std::string line = "\"" + exe + "\"";
  ASSERT_TRUE(CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &game.info));
  HWND window = nullptr;
  for (int i = 0; i < 250 && !window; ++i, Sleep(20)) {
    window = FindWindowA("VantrelFrontWindow", nullptr);
    DWORD process = 0;
    if (window) GetWindowThreadProcessId(window, &process);
    if (process != game.info.dwProcessId || !IsWindowVisible(window)) window = nullptr;
  }
  ASSERT_NE(window, nullptr);
  DestroyWindow(std::exchange(answers.elevatedWindow, window));
  for (int i = 0; i < 250 && GetForegroundWindow() != window; ++i, Sleep(20))
    SetForegroundWindow(window);
  ASSERT_EQ(GetForegroundWindow(), window);

  Tap(1);
  EXPECT_TRUE(main.Actions.Dispatch.Quiet);
  EXPECT_TRUE(main.Elevation.Told().empty());
  EXPECT_EQ(answers.asked, 0);
}

class FileMenu : public MainWindow {
 protected:
  // Runs a File menu command, answering its dialog with `path` ("" cancels).
  void Command(int id, const std::string& path) {
    auto answered = test::AnswerFileDialog(GetCurrentThreadId(), path);
    SendMessageA(Main(), WM_COMMAND, id, 0);
    ASSERT_TRUE(answered.get()) << "no file dialog came";
  }
  std::string LastProfile() {
    return PrivateProfile(dir / "Vantrel.set").ReadString("Setup", "Path", "");
  }
};

// The current profile's path opens the request; one the dialog cannot take
// (a name no file can have, one longer than a path may be) is dropped, and
// the dialog still comes rather than an error.
TEST_F(FileMenu, OpenComesWhateverTheCurrentPathHolds) {
  TMainFrm& main = Start(4);
  WriteFileBytes(dir / "chosen.ini", "[Bind]\r\nButton1.Action=3\r\nButton1.VCode=65\r\n");
  for (const std::string& current :
       {dir / "no\"such<name>|.ini", dir / (std::string(300, 'p') + ".ini")}) {
    main.IniPath = current;
    Command(IDM_OPEN, dir / "chosen.ini");
    EXPECT_EQ(main.IniPath, dir / "chosen.ini") << current;
  }
}

TEST_F(FileMenu, OpenLoadsTheChosenProfileAndRecordsIt) {
  TMainFrm& main = Start(4);
  WriteFileBytes(dir / "chosen.ini", "[Bind]\r\nButton1.Action=3\r\nButton1.VCode=65\r\n");
  Command(IDM_OPEN, dir / "chosen.ini");
  EXPECT_EQ(main.IniPath, dir / "chosen.ini");
  EXPECT_EQ(main.Bindings[1].VCode, 65);
  EXPECT_EQ(main.RowText(1), "A");
  EXPECT_EQ(LastProfile(), dir / "chosen.ini");

  // Cancelled, Open reloads the current profile, dropping changes since.
  main.Bindings[1].VCode = 66;
  Command(IDM_OPEN, "");
  EXPECT_EQ(main.Bindings[1].VCode, 65);
  EXPECT_EQ(main.IniPath, dir / "chosen.ini");
}

TEST_F(FileMenu, TheDialogLibraryIsLoadedByTheFirstDialog) {
  TMainFrm& main = Start(4);
  ASSERT_EQ(GetModuleHandleA("comdlg32.dll"), nullptr) << "not at start-up";
  WriteFileBytes(dir / "chosen.ini", "[Bind]\r\nButton1.Action=3\r\nButton1.VCode=65\r\n");
  Command(IDM_OPEN, dir / "chosen.ini");
  EXPECT_NE(GetModuleHandleA("comdlg32.dll"), nullptr);
  EXPECT_EQ(main.Bindings[1].VCode, 65);
  Command(IDM_SAVE, dir / "again.ini");
  EXPECT_EQ(main.IniPath, dir / "again.ini") << "the second dialog uses the library kept";
}

TEST_F(FileMenu, SaveAppendsIniAndACancelSavesToTheCurrentPath) {
  TMainFrm& main = Start(4);
  main.Bindings[2] = {.Execute = "C:\\game.exe", .Action = ActRun};
  Command(IDM_SAVE, dir / "fly.INI");
  EXPECT_EQ(main.IniPath, dir / "fly.INI.ini") << "only \".ini\" exactly counts";
  EXPECT_NE(ReadFileBytes(dir / "fly.INI.ini").find("Button2.Execute=C:\\game.exe"),
            std::string::npos);
  EXPECT_EQ(LastProfile(), dir / "fly.INI.ini");

  main.Bindings[2].Execute = "C:\\other.exe";
  Command(IDM_SAVE, "");
  EXPECT_NE(ReadFileBytes(dir / "fly.INI.ini").find("Button2.Execute=C:\\other.exe"),
            std::string::npos);
}

TEST_F(FileMenu, ACancelledDialogWithNoProfileYetDoesNothing) {
  TMainFrm& main = Start(4, "Button1.Action=3\r\nButton1.VCode=65\r\n");
  const std::string settings = ReadFileBytes(dir / "Vantrel.set");
  main.Bindings[1].VCode = 66;
  Command(IDM_OPEN, "");
  Command(IDM_SAVE, "");
  EXPECT_EQ(main.Bindings[1].VCode, 66) << "nothing reloaded";
  EXPECT_TRUE(main.IniPath.empty());
  EXPECT_EQ(ReadFileBytes(dir / "Vantrel.set"), settings) << "nothing recorded";
  EXPECT_EQ(GetFileAttributesA((dir / ".ini").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(dir.Files().size(), 2u) << "the settings and the start-up profile only";
}

}  // namespace
}  // namespace vantrel::test
