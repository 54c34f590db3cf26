// The layer dialog and the action dialog's choices of a layer, driven
// through their controls.
#include "win/DialogsFixture_win.h"

namespace vantrel::test {
namespace {

class LayerDialog : public Dialogs {
 public:
  TLayerDlg& Dlg() { return app->LayerDlg.Get(); }
  std::string Item(int item) {
    char text[256] = {};
    SendMessageA(Dlg().cbLayer, CB_GETLBTEXT, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(text));
    return text;
  }
  int Items() { return static_cast<int>(SendMessageA(Dlg().cbLayer, CB_GETCOUNT, 0, 0)); }
  int ClientHeight(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r.bottom;
  }
};

TEST_F(LayerDialog, OkBindsTheLayerAndModeAndKeepsTheNameTyped) {
  Open(2, &TActionDlg::btnLayer);
  ASSERT_TRUE(app->LayerDlg.Visible());
  EXPECT_FALSE(app->ActionDlg.Visible());
  EXPECT_EQ(Text(Dlg().Handle()), "Layer");
  EXPECT_EQ(GetFocus(), Dlg().cbLayer);
  EXPECT_EQ(Items(), kLayers);
  EXPECT_EQ(SendMessageA(Dlg().cbLayer, CB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(Checked(Dlg().rbMode[0])) << "Hold";
  Choose(Dlg().cbLayer, 2);
  SetWindowTextA(Dlg().edName, "Driving");
  EXPECT_EQ(Item(2), "Driving") << "the list says the name as it is typed";
  Click(Dlg().rbMode[1]);
  Click(Dlg().btnOK);
  EXPECT_FALSE(AnyDialogShown());
  EXPECT_TRUE(MainEnabled());
  EXPECT_EQ(Entry(2), (Binding{.Action = ActLayer, .Layer = 3, .LayerMode = LayerToggle}));
  EXPECT_EQ(Main().Bindings.LayerNames[2], "Driving");
  EXPECT_EQ(RowText(2), "Layer: Driving (toggle)");
  EXPECT_FALSE(Turbo(2, true));

  // With Set the base heads the list; it has no name to change.
  Open(3, &TActionDlg::btnLayer);
  Click(Dlg().rbMode[3]);
  EXPECT_EQ(Items(), kLayers + 1);
  EXPECT_EQ(Item(0), "Base");
  EXPECT_EQ(Item(3), "Driving");
  Choose(Dlg().cbLayer, 0);
  EXPECT_FALSE(IsWindowEnabled(Dlg().edName));
  Click(Dlg().btnOK);
  EXPECT_EQ(Entry(3), (Binding{.Action = ActLayer, .Layer = 0, .LayerMode = LayerSet}));
  EXPECT_EQ(RowText(3), "Layer: Base (set)");
}

// Cancel gives back the entry and every name, however much was changed.
TEST_F(LayerDialog, CancelGivesBackTheEntryAndTheNames) {
  Main().Bindings[1] = {.Action = ActLayer, .Layer = 4, .LayerMode = LayerSet};
  Main().Bindings.LayerNames[3] = "Menu";
  ShowBinding(Main().Bindings, 1, Main());
  const Binding kept = Entry(1);
  Open(1, &TActionDlg::btnLayer);
  EXPECT_EQ(SendMessageA(Dlg().cbLayer, CB_GETCURSEL, 0, 0), 4) << "its own layer, after Base";
  EXPECT_EQ(Text(Dlg().edName), "Menu");
  EXPECT_TRUE(Checked(Dlg().rbMode[3]));
  SetWindowTextA(Dlg().edName, "Map");
  Click(Dlg().rbMode[2]);
  Choose(Dlg().cbLayer, 0);
  SetWindowTextA(Dlg().edName, "Walk");
  Click(Dlg().btnCancel);
  EXPECT_TRUE(MainEnabled());
  EXPECT_EQ(Entry(1), kept);
  EXPECT_EQ(Main().Bindings.LayerNames, (std::array<std::string, kLayers>{"", "", "", "Menu"}));
  EXPECT_EQ(RowText(1), "Layer: Menu (set)");
}

// In a layer the action dialog offers two more choices; in the base it
// has neither, and no room for them.
TEST_F(LayerDialog, InALayerTheEntryCanFallThroughOrBeBlocked) {
  const Binding base = Entry(2);
  const TActionDlg& action = app->ActionDlg.Get();
  Open(2);
  EXPECT_FALSE(IsWindowVisible(action.btnSameAsBelow));
  EXPECT_FALSE(IsWindowVisible(action.btnNothing));
  const int baseHeight = ClientHeight(action.Handle());
  Click(action.btnCancel);

  Main().Editor.Layer = 2;
  Open(2);
  EXPECT_TRUE(IsWindowVisible(action.btnNothing));
  EXPECT_EQ(ClientHeight(action.Handle()), baseHeight + 48);
  Click(action.btnNothing);
  EXPECT_FALSE(AnyDialogShown());
  EXPECT_TRUE(MainEnabled());
  EXPECT_EQ(Main().Bindings.InLayer(2, 2), Binding{});
  EXPECT_EQ(RowText(2), "Nothing");

  Open(2, &TActionDlg::btnLayer);
  Click(Dlg().btnOK);
  EXPECT_EQ(Main().Bindings.InLayer(2, 2), (Binding{.Action = ActLayer, .Layer = 1}));
  Open(2);
  Click(action.btnSameAsBelow);
  EXPECT_FALSE(Main().Bindings.InLayer(2, 2));
  EXPECT_EQ(RowText(2), "Ctrl+A");
  EXPECT_EQ(Entry(2), base) << "the base is never touched";
}

// The host hears of a rename, so that its list of layers follows.
TEST_F(LayerDialog, ARenameTellsTheHost) {
  struct Host : EditorHost {
    BindingTable& Table() override { return table; }
    EntryEditor& Editing() override { return editor; }
    void EnableMainWindow() override {}
    void RestartProfileLists() override {}
    void LayerNamesChanged() override { ++told; }
    void SetRowText(std::uint8_t, const std::string&) override {}
    void SetTurboEnabled(std::uint8_t, bool) override {}
    void SetTurboChecked(std::uint8_t, bool) override {}
    BindingTable table{4};
    EntryEditor editor{table, *this};
    int told = 0;
  } host;
  host.editor.CurrentEntry = 1;
  TLayerDlg dlg;
  dlg.Create(nullptr, host);
  for (const char* name : {"", "Fly", "Fly "}) {
    dlg.Show();
    SetWindowTextA(dlg.edName, name);
    Click(dlg.btnOK);
  }
  EXPECT_EQ(host.told, 1) << "only the second changed a name";
  EXPECT_EQ(host.table.LayerNames[0], "Fly");
}

}  // namespace
}  // namespace vantrel::test
