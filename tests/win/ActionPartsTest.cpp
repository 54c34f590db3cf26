// The action dialog's choice of the entry's own action, its Hold or its
// Double action, driven through its controls.
#include "win/DialogsFixture_win.h"

namespace vantrel::test {
namespace {

using Part = EntryEditor::Part;

class ActionParts : public Dialogs {
 public:
  TActionDlg& Dlg() { return app->ActionDlg.Get(); }
  HWND PartButton(Part part) { return Dlg().rbPart[static_cast<std::size_t>(part)]; }
  // Opens the action dialog on entry `e`, chooses `part`, then the dialog
  // behind `button`.
  void OpenPart(int e, Part part, HWND TActionDlg::*button = nullptr) {
    Open(e);
    Click(PartButton(part));
    if (button) Click(Dlg().*button);
  }
  Binding OwnAction(int e) {
    Binding b = Entry(e);
    b.Hold.clear();
    b.Double.clear();
    return b;
  }
};

// Each part is bound with the dialog of its kind, Run included; the entry's
// own action and its Turbo box stay as they were, and the row says them all.
TEST_F(ActionParts, AChosenPartIsBoundBesideTheEntrysOwnAction) {
  const Binding own = Entry(2);  // Ctrl+A with turbo
  OpenPart(2, Part::Hold, &TActionDlg::btnEmulKey);
  ASSERT_TRUE(app->BindEmulDlg.Visible());
  Press(app->BindEmulDlg.Get().STKey, VK_F5);
  Click(app->BindEmulDlg.Get().btnOK);
  EXPECT_EQ(RowText(2), "Ctrl+A / hold: F5");

  OpenPart(2, Part::Double, &TActionDlg::btnEmulClick);
  ASSERT_TRUE(app->ClickDlg.Visible());
  Choose(app->ClickDlg.Get().CBAction, 1);
  Click(app->ClickDlg.Get().btnOK);
  EXPECT_TRUE(MainEnabled());
  EXPECT_EQ(Entry(2).Hold, (std::vector{Binding{.VCode = 116, .Action = ActEmulKey}}));
  EXPECT_EQ(Entry(2).Double, (std::vector{Binding{.VCode = 301, .Action = ActEmulClick}}));
  EXPECT_EQ(RowText(2), "Ctrl+A / hold: F5 / double: MouseRButton");

  WriteFileBytes(dir / "map.exe", "MZ");
  OpenPart(2, Part::Hold);
  auto chosen = AnswerFileDialog(GetCurrentThreadId(), dir / "map.exe");
  Click(Dlg().btnRun);
  ASSERT_TRUE(chosen.get());
  EXPECT_EQ(Entry(2).Hold.at(0).Action, ActRun);
  EXPECT_EQ(Entry(2).Hold.at(0).Execute, dir / "map.exe");
  EXPECT_EQ(RowText(2), "Ctrl+A / hold: map.exe / double: MouseRButton");

  EXPECT_EQ(OwnAction(2), own);
  EXPECT_TRUE(Turbo(2, true));
  EXPECT_TRUE(Turbo(2, false)) << "the box is the entry's own action's";
  EXPECT_EQ(Main().Editor.EditPart, Part::Press) << "the editing is over";
}

// Remove is there for a part bound only, and unbinds that part alone.
TEST_F(ActionParts, RemoveUnbindsTheChosenPart) {
  Entry(2).Hold = {{.VCode = 116, .Action = ActEmulKey}};
  ShowBinding(Main().Bindings, 2, Main());
  Open(2);
  EXPECT_TRUE(IsWindowVisible(Dlg().btnRemovePart));
  EXPECT_FALSE(IsWindowEnabled(Dlg().btnRemovePart)) << "Press";
  Click(PartButton(Part::Double));
  EXPECT_FALSE(IsWindowEnabled(Dlg().btnRemovePart)) << "no double tap bound";
  Click(PartButton(Part::Hold));
  ASSERT_TRUE(IsWindowEnabled(Dlg().btnRemovePart));
  Click(Dlg().btnRemovePart);
  EXPECT_FALSE(AnyDialogShown());
  EXPECT_TRUE(MainEnabled());
  EXPECT_TRUE(Entry(2).Hold.empty());
  EXPECT_TRUE(Entry(2).Double.empty()) << "looking at it made no part";
  EXPECT_EQ(RowText(2), "Ctrl+A");
  EXPECT_TRUE(Turbo(2, false));
}

// Whichever dialog a part was handed to, its Cancel gives back the whole
// entry, and the action dialog opens on Press again.
TEST_F(ActionParts, CancelInAPartsDialogGivesBackTheEntry) {
  Entry(2).Hold = {{.Action = ActLayer, .Layer = 3, .LayerMode = LayerToggle}};
  ShowBinding(Main().Bindings, 2, Main());
  const Binding kept = Entry(2);
  const std::string row = RowText(2);
  struct Path {
    const char* name;
    HWND TActionDlg::*button;
  };
  const Path paths[] = {{"key", &TActionDlg::btnEmulKey},
                        {"mouse", &TActionDlg::btnEmulClick},
                        {"list", &TActionDlg::btnChangeIni},
                        {"layer", &TActionDlg::btnLayer},
                        {"action", &TActionDlg::btnCancel}};
  for (const Part part : {Part::Hold, Part::Double}) {
    for (const Path& path : paths) {
      SCOPED_TRACE(std::string(path.name) + (part == Part::Hold ? " for hold" : " for double"));
      OpenPart(2, part, path.button);
      if (path.button == &TActionDlg::btnLayer && part == Part::Hold) {
        TLayerDlg& layer = app->LayerDlg.Get();
        EXPECT_EQ(SendMessageA(layer.cbLayer, CB_GETCURSEL, 0, 0), 2) << "the part's own layer";
        EXPECT_TRUE(Checked(layer.rbMode[1])) << "and mode";
      }
      for (HWND cancel :
           {app->BindEmulDlg.Get().btnCancel, app->ClickDlg.Get().btnCancel,
            app->IniFrm.Get().btnCancel, app->LayerDlg.Get().btnCancel, Dlg().btnCancel})
        if (IsWindowVisible(GetParent(cancel))) Click(cancel);
      EXPECT_FALSE(AnyDialogShown());
      EXPECT_TRUE(MainEnabled());
      EXPECT_EQ(Entry(2), kept);
      EXPECT_EQ(RowText(2), row);
      EXPECT_EQ(Main().Editor.EditPart, Part::Press);

      Open(2);
      EXPECT_TRUE(Checked(PartButton(Part::Press)));
      EXPECT_FALSE(Checked(PartButton(part)));
      Click(Dlg().btnCancel);
    }
  }
}

// "Pointer (stick)" is a stick direction's own action only.
TEST_F(ActionParts, OnlyThePressOfAStickDirectionCanBeThePointer) {
  const int left = Main().Bindings.EntryLeft;
  for (const auto& [part, items] :
       {std::pair{Part::Press, 7}, {Part::Hold, 6}, {Part::Double, 6}}) {
    OpenPart(left, part, &TActionDlg::btnEmulClick);
    EXPECT_EQ(SendMessageA(app->ClickDlg.Get().CBAction, CB_GETCOUNT, 0, 0), items);
    Click(app->ClickDlg.Get().btnCancel);
  }
}

// A chord's action has no parts and is never a layer's entry: the dialog
// offers only the kinds of action, and binds the chord's.
TEST_F(ActionParts, AChordsActionIsOfferedTheKindsAlone) {
  Binding chord{.VCode = 71, .Action = ActEmulKey};
  Main().Editor.Layer = 2;
  Main().Editor.EditChord(chord);
  Open(2);
  for (HWND hidden : {PartButton(Part::Press), PartButton(Part::Hold), PartButton(Part::Double),
                      Dlg().btnRemovePart, Dlg().btnSameAsBelow, Dlg().btnNothing})
    EXPECT_FALSE(IsWindowVisible(hidden));
  RECT client{}, cancel{};
  GetClientRect(Dlg().Handle(), &client);
  GetWindowRect(Dlg().btnCancel, &cancel);
  MapWindowPoints(nullptr, Dlg().Handle(), reinterpret_cast<POINT*>(&cancel), 2);
  EXPECT_EQ(client.bottom - cancel.bottom, 4) << "no room left for what is hidden";
  Click(Dlg().btnEmulClick);
  Choose(app->ClickDlg.Get().CBAction, 0);
  Click(app->ClickDlg.Get().btnOK);
  Main().Editor.EditEntry();
  EXPECT_EQ(chord, (Binding{.VCode = 300, .Action = ActEmulClick}));
  EXPECT_FALSE(Main().Bindings.InLayer(2, 2)) << "the entry is not touched";

  Open(2);
  EXPECT_TRUE(IsWindowVisible(PartButton(Part::Hold)));
  EXPECT_TRUE(IsWindowVisible(Dlg().btnNothing));
  Click(Dlg().btnCancel);
}

}  // namespace
}  // namespace vantrel::test
