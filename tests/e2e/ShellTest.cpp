// The real program, copied into a fresh folder, started and driven from
// outside through its windows: start-up, the Alt+F4 guard, the tray and
// closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "e2e/Program_win.h"
#include "resource.h"

namespace {

using vantrel::test::Program;
using vantrel::test::WaitUntil;

void Keys(std::initializer_list<std::pair<WORD, bool>> strokes) {
  std::vector<INPUT> inputs;
  for (const auto& [key, down] : strokes) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

class ShellTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program.Start()) << "could not start " << VANTREL_EXE << " (error "
                                 << program.StartError() << ")";
    main = program.WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "the main window did not show (is there a display?)";
  }

  bool Visible(const char* className) const {
    const HWND hwnd = program.Window(className);
    return hwnd && IsWindowVisible(hwnd);
  }

  Program program;
  HWND main = nullptr;
};

// The windows that only a command opens are created at their first opening.
TEST_F(ShellTest, StartsWithTwoWindowsAndShowsOnlyTheMainOne) {
  char caption[64] = {};
  GetWindowTextA(main, caption, sizeof caption);
  EXPECT_STREQ(caption, "Vantrel 1.0");
  RECT client{};
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 281);
  EXPECT_EQ(client.bottom, 291);  // the Layer list's row above the groups

  for (const char* name : {"TMainFrm", "TpopupINI"}) {
    const HWND window = program.Window(name);
    ASSERT_NE(window, nullptr) << name << " was not created";
    EXPECT_EQ(IsWindowVisible(window) != FALSE, std::string(name) == "TMainFrm") << name;
  }
  for (const char* name : {"THelpFrm", "TActionDlg", "TIniFrm", "TClickDlg", "TBindEmulDlg",
                           "TAboutBox", "TOptionsFrm"})
    EXPECT_EQ(program.Window(name), nullptr) << name << " was created before it was opened";
  // The popup shows over other programs without a task-bar button.
  const LONG_PTR popupStyle = GetWindowLongPtrA(program.Window("TpopupINI"), GWL_EXSTYLE);
  EXPECT_TRUE(popupStyle & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(popupStyle & WS_EX_TOPMOST);
}

TEST_F(ShellTest, AltF4BeepsButOtherKeysStillReachTheMainWindow) {
  SetForegroundWindow(main);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }, 2000));
  Keys({{VK_MENU, true}, {VK_F4, true}, {VK_F4, false}, {VK_MENU, false}});
  Sleep(500);
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(IsWindow(main) && IsWindowVisible(main));

  // Proves that the keys arrive at all: Escape leaves the menu bar that the
  // lone Alt release may have selected, then Ctrl+Q (File/Exit) ends the program.
  Keys({{VK_ESCAPE, true}, {VK_ESCAPE, false}});
  Sleep(200);
  Keys({{VK_CONTROL, true}, {'Q', true}, {'Q', false}, {VK_CONTROL, false}});
  EXPECT_EQ(program.ExitCode(), 0);
}

TEST_F(ShellTest, AltF4PostedToTheMainWindowIsSwallowed) {
  constexpr LPARAM kAltHeld = LPARAM{1} << 29;
  PostMessageA(main, WM_SYSKEYDOWN, VK_F4, kAltHeld | 1);
  PostMessageA(main, WM_SYSKEYUP, VK_F4, kAltHeld | (LPARAM{3} << 30) | 1);
  Sleep(500);
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(ShellTest, MinimiseHidesEveryWindowAndTrayClickRestoresOnlyTheMainOne) {
  // The help text ships beside the program; without it Help reports the
  // missing file first.
  program.Write("readme.txt", "Vantrel\r\n");
  PostMessageA(main, WM_COMMAND, IDM_HELP, 0);
  ASSERT_TRUE(WaitUntil([&] { return Visible("THelpFrm"); }));
  EXPECT_TRUE(IsWindowEnabled(main)) << "Help leaves the main window usable";

  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
  EXPECT_FALSE(Visible("THelpFrm"));
  Sleep(300);
  EXPECT_TRUE(program.Running()) << "minimising must not end the program";

  // A left click on the tray icon, as the shell reports it.
  PostMessageA(main, WM_APP + 1, 1, WM_LBUTTONDOWN);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
  EXPECT_FALSE(IsIconic(main));
  EXPECT_FALSE(Visible("THelpFrm")) << "windows closed by minimising stay closed";

  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0) << "closing from the tray ends the program normally";
}

TEST_F(ShellTest, AboutAndOptionsHoldTheMainWindowDisabledUntilTheyClose) {
  for (const auto& [command, className] :
       {std::pair{IDM_ABOUT, "TAboutBox"}, std::pair{IDM_OPTIONS, "TOptionsFrm"}}) {
    SCOPED_TRACE(className);
    PostMessageA(main, WM_COMMAND, command, 0);
    ASSERT_TRUE(WaitUntil([&] { return Visible(className); }));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(main); }));

    const HWND dialog = program.Window(className);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
    EXPECT_TRUE(IsWindow(dialog)) << "closing only hides the window";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }));
  }
}

TEST_F(ShellTest, MinimisingWhileOptionsAreOpenGivesTheMainWindowBack) {
  PostMessageA(main, WM_COMMAND, IDM_OPTIONS, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(main); }));
  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
  EXPECT_FALSE(Visible("TOptionsFrm"));

  PostMessageA(main, WM_APP + 1, 1, WM_MBUTTONDOWN);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST(ShellStartTest, MinimizeOnRunStartsInTheTrayAndATrayClickShowsTheMainWindow) {
  Program program;
  program.Settings("Minimize=1\r\n");
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(program.WaitUntilStarted()) << "start-up did not finish";
  const HWND main = program.Window("TMainFrm");
  ASSERT_NE(main, nullptr);
  Sleep(300);
  EXPECT_FALSE(IsWindowVisible(main));

  PostMessageA(main, WM_APP + 1, 1, WM_LBUTTONDOWN);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0);
}

}  // namespace
