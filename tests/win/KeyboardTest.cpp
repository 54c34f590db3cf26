// The main window and the binding dialogs by keyboard alone.
#include "win/DialogsFixture_win.h"

namespace vantrel::test {
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
  // The arrows are disabled with four buttons; the layer list above the
  // rows comes first.
  expected.push_back(rows.cbLayer);
  expected.push_back(rows.btnJoy[5]);
  for (std::size_t i = 1; i < expected.size(); ++i) {
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), expected[i]) << "Tab number " << i;
  }
  Key(VK_TAB, true);
  EXPECT_EQ(GetFocus(), rows.cbLayer) << "Shift+Tab goes back";
  Key(VK_TAB, true);
  EXPECT_EQ(GetFocus(), rows.chbJoy[4]);
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

// The layer dialog by keyboard alone: Tab walks the list, the name and the
// mode chosen, the arrows choose a mode, Alt and a letter reach a control
// by its access key, Enter is OK and Esc Cancel.
TEST_F(Keyboard, TheLayerDialogAnswersTheKeyboard) {
  auto post = [&](UINT msg, WPARAM ch) {
    PostMessageA(GetFocus(), msg, ch, msg == WM_SYSCHAR ? 1 << 29 : 1);
    Pump();
  };
  const Binding before = Entry(2);
  Open(2);
  for (int i = 0; i < 4; ++i) Key(VK_TAB);
  EXPECT_EQ(GetFocus(), app->ActionDlg.Get().btnLayer);
  Key(VK_RETURN);
  ASSERT_TRUE(app->LayerDlg.Visible());
  TLayerDlg& dlg = app->LayerDlg.Get();
  Key(VK_DOWN);
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), dlg.edName);
  for (char c : std::string("Car")) post(WM_CHAR, static_cast<WPARAM>(c));
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), dlg.rbMode[0]) << "the mode chosen";
  Key(VK_DOWN);
  EXPECT_TRUE(Checked(dlg.rbMode[1]));
  post(WM_SYSCHAR, 'o');
  EXPECT_TRUE(Checked(dlg.rbMode[2]));
  post(WM_SYSCHAR, 'n');
  EXPECT_EQ(GetFocus(), dlg.edName);
  Key(VK_RETURN);
  EXPECT_FALSE(app->LayerDlg.Visible());
  EXPECT_EQ(Entry(2), (Binding{.Action = ActLayer, .Layer = 2, .LayerMode = LayerOnce}));
  EXPECT_EQ(Main().Bindings.LayerNames[1], "Car");

  Entry(2) = before;
  Open(2, &TActionDlg::btnLayer);
  Key(VK_DOWN);
  post(WM_SYSCHAR, 't');
  Key(VK_ESCAPE);
  EXPECT_FALSE(app->LayerDlg.Visible());
  EXPECT_TRUE(MainEnabled());
  EXPECT_EQ(Entry(2), before);
}

// The action dialog's parts by keyboard alone: Shift+Tab reaches the part
// chosen, the arrows and Alt with a letter choose one, Tab goes on to the
// kinds and Enter hands that part over; Esc leaves with the entry as it was.
TEST_F(Keyboard, TheActionDialogsPartsAnswerTheKeyboard) {
  using Part = EntryEditor::Part;
  const TActionDlg& dlg = app->ActionDlg.Get();
  const Binding before = Entry(2);
  Open(2);
  Key(VK_TAB, true);
  EXPECT_EQ(GetFocus(), dlg.rbPart[0]);
  Key(VK_DOWN);
  EXPECT_TRUE(Checked(dlg.rbPart[1]));
  EXPECT_EQ(Main().Editor.EditPart, Part::Hold);
  Key(VK_ESCAPE);
  EXPECT_FALSE(app->ActionDlg.Visible());
  EXPECT_EQ(Main().Editor.EditPart, Part::Press);
  EXPECT_EQ(Entry(2), before);

  Open(2);
  PostMessageA(GetFocus(), WM_SYSCHAR, 'd', 1 << 29);
  Pump();
  EXPECT_TRUE(Checked(dlg.rbPart[2]));
  EXPECT_EQ(GetFocus(), dlg.rbPart[2]);
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), dlg.btnEmulKey);
  Key(VK_RETURN);
  ASSERT_TRUE(app->BindEmulDlg.Visible());
  Press(app->BindEmulDlg.Get().STKey, VK_F6);
  Click(app->BindEmulDlg.Get().btnOK);
  EXPECT_EQ(Entry(2).Double, (std::vector{Binding{.VCode = 117, .Action = ActEmulKey}}));
  EXPECT_EQ(RowText(2), "Ctrl+A / double: F6");
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
}  // namespace vantrel::test
