// The chords dialog: its list, the action of a chord through the action
// dialog, and the controller's buttons pressed for a chord.
#include "win/DialogsFixture_win.h"
#include "win/StatePad_win.h"

namespace vantrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

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

class Chords : public Dialogs {
 protected:
  TChordsDlg& Open() {
    SendMessageA(Main().Handle(), WM_COMMAND, IDM_CHORDS, 0);
    Pump();
    return app->ChordsDlg.Get();
  }
  bool Capturing() { return Main().Actions.Dispatch.Capturing; }
  // Alt and a letter, as the system turns them into a character.
  void Alt(char letter) {
    PostMessageA(GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(letter), 0x20000001);
    Pump();
  }
  // The pick lists hold no entry first, then the rows: a button's item is its number.
  void Pick(const std::vector<int>& items) {
    TChordsDlg& dlg = app->ChordsDlg.Get();
    int i = 0;
    for (int item : items) Choose(dlg.cbEntry[static_cast<std::size_t>(i++)], item);
  }
  // Add, then the key dialog binds `key`: the chord's action.
  void AddWithKey(WPARAM key) {
    Click(app->ChordsDlg.Get().btnAdd);
    ASSERT_TRUE(app->ActionDlg.Visible());
    Click(app->ActionDlg.Get().btnEmulKey);
    Press(app->BindEmulDlg.Get().STKey, key);
    Click(app->BindEmulDlg.Get().btnOK);
  }
};

TEST_F(Chords, AddedByPickingWithItsActionRemovedAndKeptOnlyAtOk) {
  TChordsDlg& dlg = Open();
  ASSERT_TRUE(dlg.Visible());
  EXPECT_FALSE(MainEnabled());
  EXPECT_TRUE(Capturing()) << "the controller's presses are the dialog's";
  EXPECT_EQ(GetFocus(), dlg.LBChords);
  Pick({3, 2});
  Click(dlg.btnAdd);
  ASSERT_TRUE(app->ActionDlg.Visible());
  EXPECT_FALSE(IsWindowEnabled(dlg.Handle())) << "the action dialog stands in front";
  EXPECT_EQ(Text(app->ActionDlg.Handle()), "Action [Button 2 + Button 3]");
  Click(app->ActionDlg.Get().btnEmulKey);
  Press(app->BindEmulDlg.Get().STKey, 'G');
  Click(app->BindEmulDlg.Get().btnOK);
  EXPECT_FALSE(AnyDialogShown());
  EXPECT_TRUE(IsWindowEnabled(dlg.Handle()));
  EXPECT_FALSE(MainEnabled()) << "the chords dialog holds the main window still";
  EXPECT_FALSE(Main().Editor.EditsChord());
  EXPECT_THAT(Lines(dlg.LBChords), ElementsAre("Button 2 + Button 3: G"));
  EXPECT_EQ(Entry(2).VCode, 65) << "no entry was touched";
  EXPECT_THAT(Main().Bindings.Chords, IsEmpty()) << "only OK stores";

  // Refused, and said so: the same entries again, one entry, the same twice.
  const std::pair<std::vector<int>, const char*> refused[] = {
      {{2, 3}, "The list has this chord already."},
      {{4, 0}, "A chord is two or three different buttons."},
      {{4, 4}, "A chord is two or three different buttons."}};
  for (const auto& [items, text] : refused) {
    Pick(items);
    Click(dlg.btnAdd);
    EXPECT_FALSE(app->ActionDlg.Visible());
    EXPECT_EQ(Text(dlg.stRefusal), text);
  }
  Pick({1, 2, 4});
  AddWithKey('H');
  EXPECT_EQ(Text(dlg.stRefusal), "");
  EXPECT_THAT(Lines(dlg.LBChords),
              ElementsAre("Button 2 + Button 3: G", "Button 1 + Button 2 + Button 4: H"));
  Click(dlg.btnOK);
  EXPECT_FALSE(dlg.Visible());
  EXPECT_TRUE(MainEnabled());
  EXPECT_FALSE(Capturing());
  ASSERT_EQ(Main().Bindings.Chords.size(), 2u);
  EXPECT_EQ(Main().Bindings.Chords[0].entries, (std::vector<std::uint8_t>{2, 3}));
  EXPECT_EQ(Main().Bindings.Chords[0].action.VCode, 'G');
  EXPECT_EQ(Main().Bindings.Chords[1].entries, (std::vector<std::uint8_t>{1, 2, 4}));

  // Remove, then Cancel: the table keeps both.
  Open();
  SendMessageA(dlg.LBChords, LB_SETCURSEL, 0, 0);
  Click(dlg.btnRemove);
  EXPECT_THAT(Lines(dlg.LBChords), ElementsAre("Button 1 + Button 2 + Button 4: H"));
  Click(dlg.btnCancel);
  EXPECT_FALSE(Capturing());
  EXPECT_EQ(Main().Bindings.Chords.size(), 2u);
}

TEST_F(Chords, ACancelledActionAddsNothingAndLeavesEveryEntry) {
  TChordsDlg& dlg = Open();
  Pick({1, 2});
  Click(dlg.btnAdd);
  Click(app->ActionDlg.Get().btnEmulKey);
  Press(app->BindEmulDlg.Get().STKey, 'G');
  Click(app->BindEmulDlg.Get().btnCancel);
  EXPECT_THAT(Lines(dlg.LBChords), IsEmpty());
  EXPECT_EQ(Entry(2).VCode, 65);
  EXPECT_EQ(Entry(2).Shift, 17);
  EXPECT_EQ(Entry(1).Action, ActNone);
  EXPECT_TRUE(IsWindowEnabled(dlg.Handle()));
  EXPECT_FALSE(MainEnabled());
  Click(dlg.btnCancel);
  EXPECT_TRUE(MainEnabled());
}

// The buttons pressed together on the controller fill the pick lists, the
// rows still following them; going to the tray closes the dialog and the
// controller acts again.
TEST_F(Chords, TheButtonsHeldTogetherFillThePicks) {
  test::StatePad pad;
  auto button = [&](int number, bool down) {
    pad.state.buttons.set(static_cast<std::size_t>(number - 1), down);
    Main().Actions.Read(0, pad, true, 0);
    Pump();
  };
  TChordsDlg& dlg = Open();
  button(4, true);
  button(2, true);
  EXPECT_TRUE(Main().RowHeld(2));
  button(4, false);
  EXPECT_EQ(dlg.Picked(), (std::vector<std::uint8_t>{0, 0, 0})) << "taken when all are up";
  button(2, false);
  EXPECT_EQ(dlg.Picked(), (std::vector<std::uint8_t>{2, 4, 0}));
  // Four at once are too many.
  for (int b : {1, 2, 3, 4}) button(b, true);
  for (int b : {1, 2, 3, 4}) button(b, false);
  EXPECT_EQ(Text(dlg.stRefusal), "A chord is two or three different buttons.");
  Main().MinimizeToTray();
  Pump();
  EXPECT_FALSE(dlg.Visible());
  EXPECT_FALSE(Capturing());
}

TEST_F(Chords, TheKeyboardReachesEveryControl) {
  TChordsDlg& dlg = Open();
  Alt('o');  // "or pick:"
  EXPECT_EQ(GetFocus(), dlg.cbEntry[0]);
  Pick({2, 3});
  std::vector<HWND> visited{GetFocus()};
  for (int i = 0; i < 8; ++i) {
    Press(GetFocus(), VK_TAB);
    visited.push_back(GetFocus());
  }
  EXPECT_THAT(visited,
              ElementsAre(dlg.cbEntry[0], dlg.cbEntry[1], dlg.cbEntry[2], dlg.btnAdd, dlg.btnOK,
                          dlg.btnCancel, dlg.LBChords, dlg.btnRemove, dlg.cbEntry[0]));
  Alt('a');  // Add
  ASSERT_TRUE(app->ActionDlg.Visible());
  Press(app->ActionDlg.Get().btnEmulKey, VK_RETURN);
  Press(app->BindEmulDlg.Get().STKey, 'K');
  Click(app->BindEmulDlg.Get().btnOK);  // Enter there would be the key bound
  EXPECT_THAT(Lines(dlg.LBChords), ElementsAre("Button 2 + Button 3: K"));
  SendMessageA(dlg.LBChords, LB_SETCURSEL, 0, 0);
  SetFocus(dlg.LBChords);
  Alt('r');  // Remove
  EXPECT_THAT(Lines(dlg.LBChords), IsEmpty());
  Press(dlg.LBChords, VK_ESCAPE);
  EXPECT_FALSE(dlg.Visible());
  EXPECT_FALSE(Capturing());
  Open();
  Pick({1, 2});
  AddWithKey('J');
  Press(dlg.LBChords, VK_RETURN);  // OK
  EXPECT_FALSE(dlg.Visible());
  ASSERT_EQ(Main().Bindings.Chords.size(), 1u);
  EXPECT_EQ(Main().Bindings.Chords[0].action.VCode, 'J');
}

}  // namespace
}  // namespace vantrel::test
