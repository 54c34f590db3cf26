// The binding dialogs driven through their controls, with the program's
// windows created in this process and its own message loop step.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <memory>
#include <string>

#include "app/Application_win.h"
#include "bindings/Profile.h"
#include "input/PollJoystick.h"
#include "config/SettingsFile_win.h"
#include "resource.h"
#include "win/DialogAnswer_win.h"
#include "win/Picture_win.h"
#include "win/TempDir_win.h"

namespace vantrel {
namespace {

using test::AnswerFileDialog;
using test::WriteFileBytes;

std::string Text(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

class Dialogs : public ::testing::Test {
 public:
  void SetUp() override {
    SetSettingsFile(dir / "Vantrel.set");
    WriteFileBytes(dir / "pad.ini",
                   "[Bind]\r\nButton2.Action=3\r\nButton2.VCode=65\r\nButton2.Shift=17\r\n"
                   "Button2.Turbo=1\r\n");
    WriteFileBytes(dir / "Vantrel.set", "[Setup]\r\nNumOfButtons=4\r\nPath=" + dir / "pad.ini");
    app = std::make_unique<Application>();
    app->CreateForms();
    app->Show(SW_SHOWNORMAL);
    app->CompleteStartUp();
    Pump();
  }
  void TearDown() override {
    app.reset();
    SetSettingsFile(dir / "unused.set");
  }

  // Runs what is queued through the program's own message loop step.
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) app->Dispatch(msg);
  }
  void Click(HWND control) {
    SendMessageA(control, BM_CLICK, 0, 0);
    Pump();
  }
  void Choose(HWND combo, int item) {
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  }
  // A key pressed while `focus` has the focus.
  void Press(HWND focus, WPARAM key, bool system = false) {
    SetFocus(focus);
    PostMessageA(focus, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
    PostMessageA(focus, system ? WM_SYSKEYUP : WM_KEYUP, key, 0xC0000001);
    Pump();
  }

  TMainFrm& Main() { return app->MainFrm; }
  Binding& Entry(int e) { return Main().Bindings[static_cast<std::uint8_t>(e)]; }
  HWND Row(int e) { return Main().Rows.btnJoy[e]; }
  std::string RowText(int e) { return Main().RowText(static_cast<std::uint8_t>(e)); }
  bool Turbo(int e, bool enabled) {
    const HWND box = Main().Rows.chbJoy[e];
    return enabled ? IsWindowEnabled(box) != 0
                   : SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  bool MainEnabled() { return IsWindowEnabled(Main().Handle()) != 0; }
  bool AnyDialogShown() {
    for (Form* f : std::initializer_list<Form*>{&app->ActionDlg, &app->BindEmulDlg, &app->ClickDlg,
                                                &app->IniFrm})
      if (f->Visible()) return true;
    return false;
  }
  // Opens the action dialog on entry `e`, and from it the dialog behind `button`.
  void Open(int e, HWND TActionDlg::*button = nullptr) {
    Click(Row(e));
    ASSERT_TRUE(app->ActionDlg.Visible());
    ASSERT_FALSE(MainEnabled());
    if (button) Click(app->ActionDlg.Get().*button);
  }

  test::TempDir dir;
  std::unique_ptr<Application> app;
};

TEST_F(Dialogs, TheActionDialogIsTitledWithTheRowClicked) {
  Open(3);
  EXPECT_EQ(Text(app->ActionDlg.Handle()), "Action [Button 3]");
  EXPECT_EQ(Main().Bindings.CurrentEntry, 3);
  RECT client{};
  GetClientRect(app->ActionDlg.Handle(), &client);
  EXPECT_EQ(client.right, 145);
  EXPECT_EQ(client.bottom, 129);
  EXPECT_FALSE(GetWindowLongPtrA(app->ActionDlg.Handle(), GWL_STYLE) & WS_SYSMENU)
      << "no close box";
  Click(app->ActionDlg.Get().btnCancel);
  EXPECT_TRUE(MainEnabled());
  Open(Main().Bindings.EntryLeft);
  EXPECT_EQ(Text(app->ActionDlg.Handle()), "Action [Left]");
  EXPECT_EQ(Main().Bindings.CurrentEntry, 7);
}

TEST_F(Dialogs, EveryWayOutGivesTheMainWindowBackAndCancelRestoresTheEntry) {
  const Binding original = Entry(2);
  struct Path {
    const char* name;
    HWND TActionDlg::*button;
    std::function<void(Dialogs&)> edit;
  };
  const Path paths[] = {
      {"action", nullptr, [](Dialogs&) {}},
      {"key", &TActionDlg::btnEmulKey,
       [](Dialogs& t) { t.Press(t.app->BindEmulDlg.Get().STKey, VK_F5); }},
      {"mouse", &TActionDlg::btnEmulClick,
       [](Dialogs& t) { t.Choose(t.app->ClickDlg.Get().CBAction, 4); }},
      {"list", &TActionDlg::btnChangeIni,
       [](Dialogs& t) { t.Click(t.app->IniFrm.Get().btnClear); }},
  };
  struct Way {
    const char* name;
    std::function<void(Dialogs&)> leave;
  };
  const Way ways[] = {
      {"its Cancel",
       [](Dialogs& t) {
         for (HWND cancel : {t.app->ActionDlg.Get().btnCancel, t.app->BindEmulDlg.Get().btnCancel,
                             t.app->ClickDlg.Get().btnCancel, t.app->IniFrm.Get().btnCancel})
           if (IsWindowVisible(GetParent(cancel))) return t.Click(cancel);
       }},
      {"WM_CLOSE from outside",
       [](Dialogs& t) {
         for (Form* f : std::initializer_list<Form*>{&t.app->ActionDlg, &t.app->BindEmulDlg,
                                                     &t.app->ClickDlg, &t.app->IniFrm})
           if (f->Visible()) SendMessageA(f->Handle(), WM_CLOSE, 0, 0);
       }},
      {"the program going to the tray",
       [](Dialogs& t) {
         SendMessageA(t.Main().Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
         t.Main().RestoreFromTray();
       }},
  };
  for (const Path& path : paths) {
    for (const Way& way : ways) {
      SCOPED_TRACE(std::string(path.name) + " left by " + way.name);
      Open(2, path.button);
      path.edit(*this);
      EXPECT_FALSE(MainEnabled());
      way.leave(*this);
      Pump();
      EXPECT_TRUE(MainEnabled());
      EXPECT_FALSE(AnyDialogShown());
      EXPECT_EQ(Entry(2), original);
      EXPECT_EQ(RowText(2), "Ctrl+A");
      EXPECT_TRUE(Turbo(2, false)) << "still ticked";
    }
  }
}

// However the key or mouse dialog ends (OK, Cancel, or closed as Cancel by
// going to the tray) and whenever the entry's input is pressed and let go,
// every key and button its press put down comes up with its release, and
// its row ends blue. A Cancel once put back the whole entry, the live
// "held" state included, and the release then found no edge: Ctrl stayed
// down for every program.
TEST_F(Dialogs, EveryDownGetsItsUpHoweverAnEditorEnds) {
  enum class End { Ok, Cancel, Tray };
  // The pad, read as the polling reads it: an edge only where the entry's
  // state differs from the button's.
  struct Pad : JoystickReader {
    void ReadAll() override {}
    InputStates MergedStates() const override { return states; }
    bool ButtonDown(int index) const override { return vantrel::ButtonDown(states, index); }
    const ControllerState& Controller() const override { return controller; }
    InputStates states;
    ControllerState controller;
  } pad;
  AxisRules axes;
  auto edge = [&](bool down) {
    pad.states.set(StateButton(0), down);
    PollJoystick(
        Main().Bindings, pad, axes, [&](std::uint8_t e) { Main().JoyButtonPress(e); }, 0);
    Pump();
  };
  for (bool keyDialog : {true, false}) {
    for (bool heldBeforeOpening : {true, false}) {
      for (End end : {End::Ok, End::Cancel, End::Tray}) {
        for (bool letGoBeforeTheEnd : {true, false}) {
          SCOPED_TRACE(testing::Message()
                       << (keyDialog ? "key" : "mouse") << " dialog, "
                       << (heldBeforeOpening ? "held before opening" : "pressed while open")
                       << ", ended by " << static_cast<int>(end) << ", let go "
                       << (letGoBeforeTheEnd ? "before" : "after") << " the end");
          Entry(1) = {.VCode = VK_SPACE, .Action = ActEmulKey};
          ShowBinding(Main().Bindings, 1, Main());
          if (heldBeforeOpening) edge(true);
          Open(1, keyDialog ? &TActionDlg::btnEmulKey : &TActionDlg::btnEmulClick);
          if (keyDialog)
            Choose(app->BindEmulDlg.Get().cbShift, 2);  // Ctrl, written to the entry at once
          else
            Choose(app->ClickDlg.Get().CBAction, 0);  // the left button
          if (!heldBeforeOpening) edge(true);
          EXPECT_TRUE(Main().RowHeld(1));
          if (letGoBeforeTheEnd) edge(false);
          switch (end) {
            case End::Ok:
              Click(keyDialog ? app->BindEmulDlg.Get().btnOK : app->ClickDlg.Get().btnOK);
              break;
            case End::Cancel:
              Click(keyDialog ? app->BindEmulDlg.Get().btnCancel : app->ClickDlg.Get().btnCancel);
              break;
            case End::Tray:
              Main().MinimizeToTray();
              Pump();
              Main().RestoreFromTray();
              Pump();
              break;
          }
          EXPECT_FALSE(AnyDialogShown());
          if (!letGoBeforeTheEnd) edge(false);
          EXPECT_FALSE(Main().Actions.Busy()) << "a key or button is still down";
          EXPECT_FALSE(Main().RowHeld(1)) << "the row is still red";
          EXPECT_EQ(Entry(1).Pressed, 0);
        }
      }
    }
  }
}

TEST_F(Dialogs, APressedKeyIsBoundWhicheverControlHasTheFocus) {
  Open(1, &TActionDlg::btnEmulKey);
  TBindEmulDlg& dlg = app->BindEmulDlg.Get();
  EXPECT_EQ(Text(dlg.STKey), "Press key");
  EXPECT_EQ(GetFocus(), dlg.STKey);
  Press(dlg.STKey, VK_F5);
  EXPECT_EQ(Text(dlg.STKey), "F5");
  // The press also goes on to the focused control: the modifier list moves.
  Press(dlg.cbShift, VK_DOWN);
  EXPECT_EQ(Entry(1).VCode, 40);
  EXPECT_EQ(SendMessageA(dlg.cbShift, CB_GETCURSEL, 0, 0), 1);
  Choose(dlg.cbShift, 0);
  Press(dlg.btnOK, VK_F5);
  Click(dlg.btnOK);
  EXPECT_EQ(Entry(1), (Binding{.VCode = 116, .Action = ActEmulKey}));
  EXPECT_EQ(RowText(1), "F5");
  EXPECT_TRUE(MainEnabled());
}

TEST_F(Dialogs, AModifierChosenFromTheListGoesWithTheKey) {
  Open(2, &TActionDlg::btnEmulKey);
  TBindEmulDlg& dlg = app->BindEmulDlg.Get();
  EXPECT_EQ(Entry(2).VCode, 0) << "cleared on opening";
  Choose(dlg.cbShift, 2);
  Press(dlg.STKey, 'A');
  EXPECT_EQ(Text(dlg.cbShift), "Ctrl");
  test::SavePicture(dlg.Handle(), "key-dialog");
  Click(dlg.btnOK);
  EXPECT_EQ(Entry(2).Shift, 17);
  EXPECT_EQ(Entry(2).VCode, 65);
  EXPECT_EQ(RowText(2), "Ctrl+A");
  EXPECT_TRUE(Turbo(2, true));
  EXPECT_FALSE(Turbo(2, false)) << "the opening cleared turbo, and the box follows";
}

TEST_F(Dialogs, AKeyPickedFromTheListIsBoundThoughThePromptStays) {
  Open(1, &TActionDlg::btnEmulKey);
  TBindEmulDlg& dlg = app->BindEmulDlg.Get();
  EXPECT_FALSE(IsWindowVisible(dlg.cbSelect));
  Click(dlg.chbSpecKey);
  EXPECT_TRUE(IsWindowVisible(dlg.cbSelect));
  EXPECT_EQ(Text(dlg.cbSelect), "Choose...");
  Choose(dlg.cbSelect, 1);
  EXPECT_EQ(Text(dlg.STKey), "Press key");
  Click(dlg.btnOK);
  EXPECT_EQ(Entry(1).VCode, 145);
  EXPECT_EQ(RowText(1), "ScrollLock");
  // The next opening starts with the list hidden again.
  Open(1, &TActionDlg::btnEmulKey);
  EXPECT_FALSE(IsWindowVisible(dlg.cbSelect));
  EXPECT_EQ(SendMessageA(dlg.chbSpecKey, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Click(dlg.btnCancel);
}

TEST_F(Dialogs, AltAndF10AreCapturedAndNeverReachAMenu) {
  Open(1, &TActionDlg::btnEmulKey);
  TBindEmulDlg& dlg = app->BindEmulDlg.Get();
  Press(dlg.STKey, VK_MENU, true);
  EXPECT_EQ(Entry(1).VCode, VK_MENU);
  EXPECT_EQ(Text(dlg.STKey), "Alt");
  Press(dlg.STKey, VK_F10, true);
  EXPECT_EQ(Entry(1).VCode, VK_F10);
  EXPECT_EQ(GetFocus(), dlg.STKey);
  EXPECT_TRUE(dlg.Visible());
  Click(dlg.btnOK);
  EXPECT_EQ(RowText(1), "F10");
}

TEST_F(Dialogs, MouseActionsNameTheRowAndDisableTurbo) {
  Open(2, &TActionDlg::btnEmulClick);
  TClickDlg& dlg = app->ClickDlg.Get();
  EXPECT_EQ(Text(dlg.Handle()), "Mouse");
  EXPECT_EQ(Text(dlg.CBAction), "Choose...");
  EXPECT_EQ(SendMessageA(dlg.CBAction, CB_GETCOUNT, 0, 0), 6);
  Choose(dlg.CBAction, 4);
  Click(dlg.btnOK);
  EXPECT_EQ(Entry(2), (Binding{.VCode = 903, .Action = ActEmulClick}));
  EXPECT_EQ(RowText(2), "Mouse Up");
  EXPECT_FALSE(Turbo(2, true));
  EXPECT_FALSE(Turbo(2, false));
}

TEST_F(Dialogs, RunPicksAProgramAndACancelledPickKeepsTheDialogOpen) {
  WriteFileBytes(dir / "game.exe", "MZ");
  Open(2);
  auto cancelled = AnswerFileDialog(GetCurrentThreadId(), std::string());
  Click(app->ActionDlg.Get().btnRun);
  ASSERT_TRUE(cancelled.get());
  EXPECT_TRUE(app->ActionDlg.Visible());
  EXPECT_FALSE(MainEnabled());
  EXPECT_EQ(Entry(2).Action, ActEmulKey);

  auto chosen = AnswerFileDialog(GetCurrentThreadId(), dir / "game.exe");
  Click(app->ActionDlg.Get().btnRun);
  ASSERT_TRUE(chosen.get());
  EXPECT_FALSE(app->ActionDlg.Visible());
  EXPECT_TRUE(MainEnabled());
  EXPECT_EQ(Entry(2).Action, ActRun);
  EXPECT_EQ(Entry(2).Execute, dir / "game.exe");
  EXPECT_EQ(Entry(2).VCode, 65) << "the key stays in the binding";
  EXPECT_EQ(RowText(2), "game.exe");
  EXPECT_FALSE(Turbo(2, true));
}

// Run opens where the entry's program is, Add where the list's profiles are
// (no dialog has been in those folders before).
TEST_F(Dialogs, RunAndAddOpenInTheFolderOfWhatTheEntryHolds) {
  for (const char* sub : {"games", "lists"}) CreateDirectoryA((dir / sub).c_str(), nullptr);
  WriteFileBytes(dir / "games\\game.exe", "MZ");
  WriteFileBytes(dir / "lists\\a.ini", "[Bind]\r\n");
  Main().Bindings[2] = Binding{.Execute = dir / "games\\game.exe", .Action = ActRun};
  Main().Bindings[3] =
      Binding{.INI = {dir / "lists\\a.ini"}, .INICount = 1, .Action = ActChangeIni};
  auto sameFolder = [](const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
  };
  Open(2);
  auto folder = test::FileDialogFolder(GetCurrentThreadId());
  Click(app->ActionDlg.Get().btnRun);
  EXPECT_PRED2(sameFolder, folder.get(), dir / "games");
  Click(app->ActionDlg.Get().btnCancel);
  EXPECT_EQ(Entry(2).Execute, dir / "games\\game.exe");

  Open(3, &TActionDlg::btnChangeIni);
  TIniFrm& dlg = app->IniFrm.Get();
  folder = test::FileDialogFolder(GetCurrentThreadId());
  Click(dlg.btnAdd);
  EXPECT_PRED2(sameFolder, folder.get(), dir / "lists");
  EXPECT_EQ(SendMessageA(dlg.LBINI, LB_GETCOUNT, 0, 0), 1) << "no name given, none added";
  Click(dlg.btnCancel);
}

// The shell minimises every window while a file dialog is up: the dialog
// that opened it closes as Cancel, and the file picked afterwards is too late.
TEST_F(Dialogs, AFileChosenAfterItsDialogClosedChangesNothing) {
  WriteFileBytes(dir / "game.exe", "MZ");
  WriteFileBytes(dir / "a.ini", "[Bind]\r\n");
  const Binding before = Entry(2);
  const DWORD thread = GetCurrentThreadId();
  const HWND main = Main().Handle();
  auto minimiseThenAnswer = [thread, main](std::string path) {
    return std::async(std::launch::async, [=] {
      if (!test::WaitForThreadWindow(thread, "#32770")) return false;
      SendMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return AnswerFileDialog(thread, path).get();
    });
  };
  Open(2);
  auto run = minimiseThenAnswer(dir / "game.exe");
  Click(app->ActionDlg.Get().btnRun);
  ASSERT_TRUE(run.get());
  Main().RestoreFromTray();
  Pump();
  EXPECT_EQ(Entry(2), before);
  EXPECT_EQ(RowText(2), "Ctrl+A");

  Open(2, &TActionDlg::btnChangeIni);
  auto add = minimiseThenAnswer(dir / "a.ini");
  Click(app->IniFrm.Get().btnAdd);
  ASSERT_TRUE(add.get());
  Main().RestoreFromTray();
  Pump();
  EXPECT_EQ(SendMessageA(app->IniFrm.Get().LBINI, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(Entry(2), before);
  EXPECT_TRUE(MainEnabled());
  EXPECT_FALSE(AnyDialogShown());
}

TEST_F(Dialogs, ThreeProfilesAddedMakeASwitchNamingTheSecond) {
  for (const char* name : {"a.ini", "b.ini", "c.ini"}) WriteFileBytes(dir / name, "[Bind]\r\n");
  Main().Actions.INIIndex = 5;
  Open(3, &TActionDlg::btnChangeIni);
  TIniFrm& dlg = app->IniFrm.Get();
  std::string folder = dir.Path();
  folder.pop_back();
  auto answered = AnswerFileDialog(GetCurrentThreadId(),
                                   std::vector<std::string>{folder, R"("a.ini" "b.ini" "c.ini")"});
  Click(dlg.btnAdd);
  ASSERT_TRUE(answered.get());
  ASSERT_EQ(SendMessageA(dlg.LBINI, LB_GETCOUNT, 0, 0), 3);
  // c.ini up one place: a, c, b.
  SendMessageA(dlg.LBINI, LB_SETCURSEL, 2, 0);
  SendMessageA(dlg.Handle(), WM_COMMAND, MAKEWPARAM(IDC_LBINI, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(dlg.LBINI));
  Click(dlg.btnUp);
  EXPECT_EQ(SendMessageA(dlg.LBINI, LB_GETCURSEL, 0, 0), 1);
  Click(dlg.btnOK);
  EXPECT_EQ(Entry(3).Action, ActChangeIni);
  EXPECT_THAT(Entry(3).INI, ::testing::ElementsAre(dir / "a.ini", dir / "c.ini", dir / "b.ini"));
  EXPECT_EQ(RowText(3), "c.ini");
  EXPECT_EQ(Main().Actions.INIIndex, 0);
  EXPECT_FALSE(Turbo(3, true));
  EXPECT_EQ(SendMessageA(dlg.LBINI, LB_GETCOUNT, 0, 0), 0) << "emptied for the next opening";
  // The next opening lists the entry's own profiles.
  Open(3, &TActionDlg::btnChangeIni);
  EXPECT_EQ(SendMessageA(dlg.LBINI, LB_GETCOUNT, 0, 0), 3);
  Click(dlg.btnCancel);
  EXPECT_EQ(Entry(3).INICount, 3);
}

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
}  // namespace vantrel

namespace vantrel {
namespace {

class Keyboard : public Dialogs {
 public:
  void Key(WPARAM key, bool shift = false) {
    const HWND focus = GetFocus();
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    Pump();
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }
};

TEST_F(Keyboard, TabWalksTheMainWindowRowByRow) {
  const ButtonRows& rows = Main().Rows;
  SetForegroundWindow(Main().Handle());
  SetFocus(rows.btnJoy[5]);
  std::vector<HWND> expected;
  for (int e : {5, 6, 7, 8, 1, 2, 3, 4}) {
    expected.push_back(rows.btnJoy[e]);
    expected.push_back(rows.chbJoy[e]);
  }
  expected.push_back(rows.btnJoy[5]);  // the arrows are disabled with four buttons
  for (std::size_t i = 1; i < expected.size(); ++i) {
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), expected[i]) << "Tab number " << i;
  }
  Key(VK_TAB, true);
  EXPECT_EQ(GetFocus(), rows.chbJoy[4]) << "Shift+Tab goes back";
  // Space ticks the focused Turbo box.
  Key(VK_SPACE);
  EXPECT_TRUE(Turbo(4, false));
  EXPECT_TRUE(Entry(4).Turbo);
}

TEST_F(Keyboard, EnterAndEscEndTheDialogs) {
  // The action dialog: Esc leaves, Enter presses the focused choice.
  Open(1);
  Key(VK_ESCAPE);
  EXPECT_FALSE(app->ActionDlg.Visible());
  EXPECT_TRUE(MainEnabled());
  Open(1);
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), app->ActionDlg.Get().btnEmulClick);
  Key(VK_RETURN);
  ASSERT_TRUE(app->ClickDlg.Visible());
  // The mouse dialog: Enter is OK.
  Choose(app->ClickDlg.Get().CBAction, 1);
  Key(VK_RETURN);
  EXPECT_FALSE(app->ClickDlg.Visible());
  EXPECT_EQ(Entry(1), (Binding{.VCode = 301, .Action = ActEmulClick}));
  // The profile list: Esc is Cancel, Enter OK.
  const Binding before = Entry(2);
  Open(2, &TActionDlg::btnChangeIni);
  Click(app->IniFrm.Get().btnClear);
  SetFocus(app->IniFrm.Get().LBINI);
  Key(VK_ESCAPE);
  EXPECT_FALSE(app->IniFrm.Visible());
  EXPECT_EQ(Entry(2), before);
  Open(2, &TActionDlg::btnChangeIni);
  Click(app->IniFrm.Get().btnClear);
  SetFocus(app->IniFrm.Get().LBINI);
  Key(VK_RETURN);
  EXPECT_FALSE(app->IniFrm.Visible());
  EXPECT_EQ(Entry(2).Action, ActNone);
  EXPECT_TRUE(MainEnabled());
}

// The push buttons are drawn by the program, so the dialog manager would
// answer Enter on any of them with OK: Enter presses the focused button.
TEST_F(Keyboard, EnterPressesTheFocusedButtonAndMeansOkOnlyElsewhere) {
  const Binding before = Entry(1);
  Open(1, &TActionDlg::btnEmulClick);
  Choose(app->ClickDlg.Get().CBAction, 1);
  SetFocus(app->ClickDlg.Get().btnCancel);
  Key(VK_RETURN);
  EXPECT_FALSE(app->ClickDlg.Visible());
  EXPECT_EQ(Entry(1), before) << "Enter on Cancel cancels";

  Entry(3) = {.INI = {"a.ini", "b.ini", "c.ini"}, .INICount = 3, .Action = ActChangeIni};
  Open(3, &TActionDlg::btnChangeIni);
  TIniFrm& dlg = app->IniFrm.Get();
  auto select = [&](int line) {
    SendMessageA(dlg.LBINI, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    SendMessageA(dlg.Handle(), WM_COMMAND, MAKEWPARAM(IDC_LBINI, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(dlg.LBINI));
  };
  select(2);
  SetFocus(dlg.btnUp);
  Key(VK_RETURN);
  EXPECT_TRUE(app->IniFrm.Visible()) << "Enter on Up moves up";
  EXPECT_EQ(SendMessageA(dlg.LBINI, LB_GETCURSEL, 0, 0), 1);
  // A quick double-click on Down: two clicks, two places.
  select(0);
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    SendMessageA(dlg.btnDown, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(4, 4));
  Pump();
  EXPECT_EQ(SendMessageA(dlg.LBINI, LB_GETCURSEL, 0, 0), 2);
  SetFocus(dlg.btnCancel);
  Key(VK_RETURN);
  EXPECT_FALSE(app->IniFrm.Visible());
  EXPECT_THAT(Entry(3).INI, ::testing::ElementsAre("a.ini", "b.ini", "c.ini"));
}

TEST_F(Keyboard, TheKeyDialogCapturesTabEnterAndEsc) {
  Open(1, &TActionDlg::btnEmulKey);
  for (WPARAM key : {VK_TAB, VK_RETURN, VK_ESCAPE}) {
    Key(key);
    EXPECT_TRUE(app->BindEmulDlg.Visible());
    EXPECT_EQ(Entry(1).VCode, key);
    EXPECT_EQ(GetFocus(), app->BindEmulDlg.Get().STKey);
  }
  Click(app->BindEmulDlg.Get().btnOK);
  EXPECT_EQ(RowText(1), "Esc");
}

}  // namespace
}  // namespace vantrel
