// The main window's layer list: the rows show the layer chosen, and a click
// on a row edits that layer.
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "win/DialogsFixture_win.h"
#include "win/Picture_win.h"

namespace vantrel::test {
namespace {

// Button 1 a key, 2 a program, 3 a key with turbo, 4 a layer key; layer 2
// (named) binds button 1, blocks button 2 and leaves 3 and 4 to the base.
constexpr char kLayered[] =
    "[Bind]\r\nButton1.Action=3\r\nButton1.VCode=65\r\n"
    "Button2.Action=5\r\nButton2.Execute=C:\\Games\\game.exe\r\n"
    "Button3.Action=3\r\nButton3.VCode=66\r\nButton3.Turbo=1\r\n"
    "Button4.Action=6\r\nButton4.Layer=2\r\nButton4.LayerMode=0\r\n"
    "[Layer2]\r\nButton1.Action=3\r\nButton1.VCode=67\r\nButton2.Action=0\r\n"
    "[Layers]\r\nName2=Driving\r\n";

class LayerList : public Dialogs {
 protected:
  // Loads a profile as File/Open does.
  void OpenProfile(const std::string& text) {
    WriteFileBytes(dir / "layers.ini", text);
    auto answered = AnswerFileDialog(GetCurrentThreadId(), dir / "layers.ini");
    SendMessageA(Main().Handle(), WM_COMMAND, IDM_OPEN, 0);
    ASSERT_TRUE(answered.get()) << "no file dialog came";
    Pump();
  }
  HWND List() { return Main().Rows.cbLayer; }
  void ShowLayer(int layer) { Choose(List(), layer); }
  std::vector<std::string> Items() {
    std::vector<std::string> items;
    for (int i = 0; i < SendMessageA(List(), CB_GETCOUNT, 0, 0); ++i) {
      char text[256] = {};
      SendMessageA(List(), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      items.emplace_back(text);
    }
    return items;
  }
  bool Greyed(int e) { return Main().Rows.Greyed(e); }
  std::optional<Binding>& InLayer(int layer, int e) {
    return Main().Bindings.InLayer(layer, static_cast<std::uint8_t>(e));
  }
};

// Pixels of a row's display in its white text, and in the greyed one.
std::pair<int, int> WhiteAndGreyInk(HWND display) {
  UpdateWindow(display);
  RECT r{};
  GetClientRect(display, &r);
  const HDC dc = GetDC(display);
  int white = 0, grey = 0;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      if (GetRValue(c) >= 230 && GetGValue(c) >= 230 && GetBValue(c) >= 230) ++white;
      if (std::abs(GetRValue(c) - 150) < 12 && std::abs(GetGValue(c) - 170) < 12 &&
          std::abs(GetBValue(c) - 195) < 12)
        ++grey;
    }
  ReleaseDC(display, dc);
  return {white, grey};
}

TEST_F(LayerList, TheListNamesTheBaseAndEveryLayerAndKeepsItsChoiceThroughALoad) {
  EXPECT_EQ(Text(Main().Rows.stLayer), "Layer:");
  EXPECT_EQ(Items(), (std::vector<std::string>{"Base", "Layer 1", "Layer 2", "Layer 3", "Layer 4",
                                               "Layer 5", "Layer 6", "Layer 7"}));
  EXPECT_EQ(Text(List()), "Base");

  OpenProfile(kLayered);
  EXPECT_EQ(Items()[2], "Driving");
  ShowLayer(2);
  EXPECT_EQ(Main().Editor.Layer, 2);
  EXPECT_EQ(RowText(1), "C");

  std::string renamed = kLayered;
  renamed.replace(renamed.find("Driving"), 7, "Flying");
  renamed.replace(renamed.find("VCode=67"), 8, "VCode=68");
  OpenProfile(renamed);
  EXPECT_EQ(Text(List()), "Flying") << "the layer chosen stays chosen";
  EXPECT_EQ(RowText(1), "D") << "and its rows are the new profile's";
  EXPECT_EQ(RowText(3), "B");
  EXPECT_TRUE(Greyed(3));

  // Renamed in a dialog: the list and the row that puts the layer on follow.
  Main().Bindings.LayerNames[1] = "Boat";
  Main().LayerNamesChanged();
  EXPECT_EQ(Text(List()), "Boat");
  EXPECT_EQ(RowText(4), "Layer: Boat (hold)");
}

TEST_F(LayerList, ALayerShowsWhatItBindsNothingWhereItBlocksAndTheBaseGreyed) {
  OpenProfile(kLayered);
  ShowLayer(2);
  struct Shown {
    int entry;
    const char* text;
    bool greyed, turboEnabled, turboTicked;
  };
  for (const Shown& r :
       {Shown{1, "C", false, true, false}, Shown{2, "Nothing", false, false, false},
        Shown{3, "B", true, false, true}, Shown{4, "Layer: Driving (hold)", true, false, false}}) {
    EXPECT_EQ(RowText(r.entry), r.text) << "entry " << r.entry;
    EXPECT_EQ(Greyed(r.entry), r.greyed) << "entry " << r.entry;
    EXPECT_EQ(Turbo(r.entry, true), r.turboEnabled) << "entry " << r.entry;
    EXPECT_EQ(Turbo(r.entry, false), r.turboTicked) << "entry " << r.entry;
  }
  test::SavePicture(Main().Handle(), "main-window-layer");
  const auto [white, grey] = WhiteAndGreyInk(Main().Rows.stJoy[3]);
  EXPECT_EQ(white, 0);
  EXPECT_GT(grey, 0) << "the base's B, greyed";
  EXPECT_TRUE(IsWindowEnabled(Row(3))) << "a greyed row is still one to click";
  Main().SetRowHeld(3, true);
  EXPECT_TRUE(Main().RowHeld(3));

  ShowLayer(0);
  for (const auto& [entry, text] : {std::pair{1, "A"}, {2, "game.exe"}, {3, "B"}}) {
    EXPECT_EQ(RowText(entry), text);
    EXPECT_FALSE(Greyed(entry));
  }
  EXPECT_TRUE(Turbo(3, true) && Turbo(3, false));
  EXPECT_GT(WhiteAndGreyInk(Main().Rows.stJoy[3]).first, 0);
}

TEST_F(LayerList, AnEditAndATurboBoxInALayerChangeTheLayerAndLeaveTheBase) {
  OpenProfile(kLayered);
  ShowLayer(2);
  Open(3, &TActionDlg::btnEmulKey);
  Press(app->BindEmulDlg.Get().STKey, 'D');
  Click(app->BindEmulDlg.Get().btnOK);
  ASSERT_TRUE(InLayer(2, 3).has_value());
  EXPECT_EQ(InLayer(2, 3)->VCode, 'D');
  EXPECT_EQ(Entry(3).VCode, 'B') << "the base keeps its own";
  EXPECT_EQ(RowText(3), "D");
  EXPECT_FALSE(Greyed(3));

  Click(Main().Rows.chbJoy[1]);
  EXPECT_TRUE(InLayer(2, 1)->Turbo);
  EXPECT_FALSE(Entry(1).Turbo);
  EXPECT_FALSE(Main().TurboChecked(1)) << "the key emulation asks for the base";
  EXPECT_TRUE(Main().TurboChecked(3));
  Click(Main().Rows.chbJoy[4]);
  EXPECT_FALSE(InLayer(2, 4).has_value()) << "a box the layer leaves to the base ticks nothing";
  EXPECT_FALSE(Entry(4).Turbo);

  ShowLayer(0);
  EXPECT_FALSE(Turbo(1, false));
  Click(Main().Rows.chbJoy[1]);
  EXPECT_TRUE(Entry(1).Turbo);
  EXPECT_TRUE(InLayer(2, 1)->Turbo) << "the layer keeps its own";
}

}  // namespace
}  // namespace vantrel::test
