// The Programs dialog and the rules it keeps.
#include "win/DialogsFixture_win.h"

namespace vantrel::test {
namespace {

// Two file dialogs in a row: the program's executable, then its profile
// (an empty answer cancels that one).
std::future<bool> AnswerProgramAndProfile(const std::string& exe, const std::string& profile) {
  const DWORD thread = GetCurrentThreadId();
  return std::async(std::launch::async, [=] {
    const HWND first = test::WaitForThreadWindow(thread, "#32770");
    if (!AnswerFileDialog(thread, exe).get()) return false;
    // The first dialog is gone before the second is looked for (which may
    // already be up).
    for (int i = 0; i < 250 && IsWindow(first) && IsWindowVisible(first); ++i) Sleep(20);
    return AnswerFileDialog(thread, profile).get();
  });
}

std::vector<std::string> Lines(HWND list) {
  std::vector<std::string> lines;
  const auto count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
    char line[512] = {};
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
    lines.emplace_back(line);
  }
  return lines;
}

TEST_F(Dialogs, TheProgramsDialogGivesEachProgramAProfileOrOffAndKeepsThemOnlyAtOk) {
  for (const char* name : {"game.exe", "other.exe"}) WriteFileBytes(dir / name, "MZ");
  WriteFileBytes(dir / "game.ini", "[Bind]\r\n");
  auto open = [&] {
    SendMessageA(Main().Handle(), WM_COMMAND, IDM_PROGRAMS, 0);
    Pump();
    ASSERT_TRUE(app->ProgramsDlg.Visible());
    EXPECT_FALSE(MainEnabled());
  };
  open();
  TProgramsDlg& dlg = app->ProgramsDlg.Get();
  EXPECT_EQ(GetFocus(), dlg.LBRules);
  EXPECT_EQ(SendMessageA(dlg.cbProgram, CB_GETCURSEL, 0, 0), 0) << "Browse... comes first";
  auto added = AnswerProgramAndProfile(dir / "game.exe", dir / "game.ini");
  Click(dlg.btnAdd);
  ASSERT_TRUE(added.get());
  // A cancelled profile makes the program's rule Off.
  added = AnswerProgramAndProfile(dir / "other.exe", "");
  Click(dlg.btnAdd);
  ASSERT_TRUE(added.get());
  const std::string dash = "  \x96  ";
  EXPECT_THAT(Lines(dlg.LBRules), ::testing::ElementsAre("game.exe" + dash + (dir / "game.ini"),
                                                         "other.exe" + dash + "Off"));
  // Cancelled, Profile... keeps the profile the rule had.
  SendMessageA(dlg.LBRules, LB_SETCURSEL, 0, 0);
  auto kept = test::AnswerFileDialog(GetCurrentThreadId(), "");
  Click(dlg.btnProfile);
  ASSERT_TRUE(kept.get());
  EXPECT_EQ(Lines(dlg.LBRules).front(), "game.exe" + dash + (dir / "game.ini"));
  Click(dlg.btnOff);
  Click(dlg.btnRemove);
  EXPECT_THAT(Lines(dlg.LBRules), ::testing::ElementsAre("other.exe" + dash + "Off"));
  Click(dlg.btnCancel);
  EXPECT_TRUE(MainEnabled());
  EXPECT_TRUE(Main().ProgramRules().empty()) << "Cancel drops every change";

  open();
  added = AnswerProgramAndProfile(dir / "game.exe", dir / "game.ini");
  Click(dlg.btnAdd);
  ASSERT_TRUE(added.get());
  added = AnswerProgramAndProfile(dir / "other.exe", "");
  Click(dlg.btnAdd);
  ASSERT_TRUE(added.get());
  Click(dlg.btnOK);
  const std::vector<ProgramRule> rules{{"game.exe", dir / "game.ini"}, {"other.exe", "off"}};
  EXPECT_EQ(Main().ProgramRules(), rules);
  EXPECT_EQ(ReadProgramRules(dir / "Vantrel.set"), rules);
  EXPECT_TRUE(MainEnabled());

  Main().SetProgramRules({{"racer.exe", "C:\\Games\\Profiles\\racer.ini"},
                          {"shooter.exe", "off"},
                          {"platformer.exe", "C:\\Games\\Profiles\\jump.ini"}});
  open();
  test::SavePicture(dlg.Handle(), "programs-dialog");
  Click(dlg.btnCancel);
}

// The system's notice of a window coming to the front, as the hook gets it:
// Wine sends none for other processes, so it is given here by hand.
TEST_F(Dialogs, TheNoticeOfAProgramInFrontAppliesItsRuleOnceNoDialogIsOpen) {
  const std::string exe = dir / "front.exe";
  ASSERT_TRUE(CopyFileA(VANTREL_FRONT_WINDOW_PATH, exe.c_str(), FALSE));
  WriteFileBytes(dir / "front.ini", "[Bind]\r\nButton2.Action=3\r\nButton2.VCode=66\r\n");
  Main().SetProgramRules({{"front.exe", dir / "front.ini"}});
  struct Started {
    PROCESS_INFORMATION info{};
    ~Started() {
      if (info.hProcess) TerminateProcess(info.hProcess, 1), CloseHandle(info.hProcess);
      if (info.hThread) CloseHandle(info.hThread);
    }
  };
  auto bring = [&](Started& started) {
    STARTUPINFOA si{.cb = sizeof(STARTUPINFOA)};
    std::string line = "\"" + exe + "\"";
    ASSERT_TRUE(CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &started.info));
    HWND window = nullptr;
    for (int i = 0; i < 250 && !window; ++i, Sleep(20)) {
      window = FindWindowA("VantrelFrontWindow", nullptr);
      DWORD process = 0;
      if (window) GetWindowThreadProcessId(window, &process);
      if (process != started.info.dwProcessId) window = nullptr;
    }
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    for (int i = 0; i < 250 && GetForegroundWindow() != window; ++i) Sleep(20);
    TMainFrm::ForegroundEvent(nullptr, EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW,
                              CHILDID_SELF, 0, 0);
    Pump();
  };
  auto end = [&](Started& started) {
    PostMessageA(FindWindowA("VantrelFrontWindow", nullptr), WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(started.info.hProcess, 5000), WAIT_OBJECT_0);
    // As the message loop does once a process it waits on has ended.
    const std::vector<HANDLE> watched = Main().WatchedProcesses();
    ASSERT_EQ(watched.size(), 1u);
    ASSERT_EQ(WaitForSingleObject(watched[0], 0), WAIT_OBJECT_0);
    Main().WatchedProcessEnded(watched[0]);
    Pump();
  };

  {
    Started front;
    bring(front);
    EXPECT_EQ(RowText(2), "B");
    end(front);
    EXPECT_EQ(RowText(2), "Ctrl+A") << "the earlier profile is back";
  }
  {
    Started front;
    Open(2);
    bring(front);
    EXPECT_EQ(RowText(2), "Ctrl+A") << "nothing switches while a dialog is open";
    Click(app->ActionDlg.Get().btnCancel);
    EXPECT_EQ(RowText(2), "B") << "the switch put off happens when it closes";
    EXPECT_EQ(Main().Programs.InForce(), dir / "front.ini");
  }
}

}  // namespace
}  // namespace vantrel::test
