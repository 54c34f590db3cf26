// The binding dialogs driven through their controls, with the program's
// windows created in this process and its own message loop step.
#include "win/DialogsFixture_win.h"
#include "win/StatePad_win.h"

namespace vantrel::test {
namespace {

TEST_F(Dialogs, TheActionDialogIsTitledWithTheRowClicked) {
  Open(3);
  EXPECT_EQ(Text(app->ActionDlg.Handle()), "Action [Button 3]");
  EXPECT_EQ(Main().Editor.CurrentEntry, 3);
  RECT client{};
  GetClientRect(app->ActionDlg.Handle(), &client);
  EXPECT_EQ(client.right, 145);
  EXPECT_EQ(client.bottom, 238);
  EXPECT_FALSE(GetWindowLongPtrA(app->ActionDlg.Handle(), GWL_STYLE) & WS_SYSMENU)
      << "no close box";
  Click(app->ActionDlg.Get().btnCancel);
  EXPECT_TRUE(MainEnabled());
  Open(Main().Bindings.EntryLeft);
  EXPECT_EQ(Text(app->ActionDlg.Handle()), "Action [Left]");
  EXPECT_EQ(Main().Editor.CurrentEntry, 7);
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
      {"layer", &TActionDlg::btnLayer,
       [](Dialogs& t) {
         t.Choose(t.app->LayerDlg.Get().cbLayer, 3);
         SetWindowTextA(t.app->LayerDlg.Get().edName, "Driving");
       }},
  };
  struct Way {
    const char* name;
    std::function<void(Dialogs&)> leave;
  };
  const Way ways[] = {
      {"its Cancel",
       [](Dialogs& t) {
         for (HWND cancel : {t.app->ActionDlg.Get().btnCancel, t.app->BindEmulDlg.Get().btnCancel,
                             t.app->ClickDlg.Get().btnCancel, t.app->IniFrm.Get().btnCancel,
                             t.app->LayerDlg.Get().btnCancel})
           if (IsWindowVisible(GetParent(cancel))) return t.Click(cancel);
       }},
      {"WM_CLOSE from outside",
       [](Dialogs& t) {
         for (Form* f :
              std::initializer_list<Form*>{&t.app->ActionDlg, &t.app->BindEmulDlg, &t.app->ClickDlg,
                                           &t.app->IniFrm, &t.app->LayerDlg})
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
      EXPECT_EQ(Main().Bindings.LayerNames[3], "") << "a rename is given back too";
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
  test::StatePad pad;
  auto edge = [&](bool down) {
    pad.state.buttons.set(0, down);
    Main().Actions.Read(0, pad, true, 0);
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
          EXPECT_FALSE(Main().Actions.InputHeld(1));
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
  Main().Actions.Dispatch.INIIndex = 5;
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
  EXPECT_EQ(Main().Actions.Dispatch.INIIndex, 0);
  EXPECT_FALSE(Turbo(3, true));
  EXPECT_EQ(SendMessageA(dlg.LBINI, LB_GETCOUNT, 0, 0), 0) << "emptied for the next opening";
  // The next opening lists the entry's own profiles.
  Open(3, &TActionDlg::btnChangeIni);
  EXPECT_EQ(SendMessageA(dlg.LBINI, LB_GETCOUNT, 0, 0), 3);
  Click(dlg.btnCancel);
  EXPECT_EQ(Entry(3).INICount, 3);
}

}  // namespace
}  // namespace vantrel::test
