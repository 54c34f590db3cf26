// The options, Help and About windows by keyboard, and laid out for the
// display's dpi.
#include "win/OptionsFixture_win.h"

namespace vantrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

TEST_F(Options, TabReachesEveryControlInOrderAndEscCancels) {
  Application& a = Start("MAccelarate=0.5\r\n");
  Open();
  auto key = [&](WPARAM k) {
    PostMessageA(GetFocus(), WM_KEYDOWN, k, 1);
    PostMessageA(GetFocus(), WM_KEYUP, k, 0xC0000001);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) a.Dispatch(msg);
  };
  SetFocus(Opts().cbLng);
  std::vector<HWND> visited{GetFocus()};
  for (int i = 0; i < 60; ++i) {
    key(VK_TAB);
    if (GetFocus() == Opts().cbLng) break;
    visited.push_back(GetFocus());
  }
  ASSERT_EQ(GetFocus(), Opts().cbLng) << "Tab comes round again";
  const std::vector<HWND> first(visited.begin(), visited.begin() + 6);
  EXPECT_EQ(first, (std::vector<HWND>{Opts().cbLng, Opts().btnOK, Opts().btnCancel,
                                      Opts().chbAutoRun, Opts().chbMinimize, Opts().chbPopup}));
  const int steppers = static_cast<int>(std::size(Opts().btnStepUp));
  // Every stepper's arrows, but those of the show time while the popup is off.
  for (int s = 0; s < steppers; ++s) {
    const int expected = IsWindowEnabled(Opts().btnStepUp[s]) ? 1 : 0;
    EXPECT_EQ(expected, s == static_cast<int>(Stepper::ShowTime) ? 0 : 1);
    EXPECT_EQ(std::count(visited.begin(), visited.end(), Opts().btnStepUp[s]), expected) << s;
    EXPECT_EQ(std::count(visited.begin(), visited.end(), Opts().btnStepDown[s]), expected) << s;
  }
  EXPECT_EQ(std::count(visited.begin(), visited.end(), Opts().btnAutoDetect), 1);
  // A stepper from the keyboard: Space on its arrow; then Esc is Cancel.
  SetFocus(Opts().btnStepUp[static_cast<int>(Stepper::MAccel)]);
  key(VK_SPACE);
  EXPECT_EQ(Text(Display(Stepper::MAccel)), std::string("0") + UserDecimalSeparator() + "6");
  key(VK_ESCAPE);
  EXPECT_FALSE(Opts().Visible());
  EXPECT_TRUE(IsWindowEnabled(Main()));
  EXPECT_DOUBLE_EQ(a.MainFrm.Actions.Settings().mouseAcceleration, 0.5);
}

// Run once more by the test run in a copy of the prefix whose display has
// 144 dpi (VANTREL_DPI): the program's own manifest makes this process aware
// of it, and every window is laid out from its 96-dpi design.
TEST_F(Options, EveryWindowIsLaidOutForTheDisplaysDpi) {
  char wanted[8] = "96";
  GetEnvironmentVariableA("VANTREL_DPI", wanted, sizeof wanted);
  const int dpi = std::stoi(wanted);
  Application& a = Start("NumOfButtons=6\r\n", SixteenButtonProfile());
  ASSERT_EQ(a.MainFrm.Dpi(), dpi);
  auto clientSize = [](HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return std::vector<int>{r.right, r.bottom};
  };
  EXPECT_EQ(clientSize(Main()), (std::vector<int>{Scaled(TMainFrm::kClientWidth, dpi),
                                                  Scaled(TMainFrm::kClientHeight, dpi)}));
  EXPECT_EQ(clientSize(Opts().Created()),
            (std::vector<int>{Scaled(TOptionsFrm::kClientWidth, dpi),
                              Scaled(TOptionsFrm::kClientHeight, dpi)}));
  // Row 2 of the button group: each part is its design rectangle scaled.
  const ButtonRows& rows = a.MainFrm.Rows;
  const std::pair<HWND, RowPart> parts[] = {{rows.btnJoy[2], RowPart::Button},
                                            {rows.stJoy[2], RowPart::Display},
                                            {rows.chbJoy[2], RowPart::Turbo}};
  for (const auto& [control, part] : parts) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, rows.fsGButtons, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ((ControlRect{r.left, r.top, r.right - r.left, r.bottom - r.top}),
              Scaled(PartRect(part, RowTop(2)), dpi));
  }
  EXPECT_EQ(FontOf(rows.btnJoy[2]).lfHeight, Scaled(-11, dpi));
  ExpectEveryTextFits(a);
  // The main window fits a 1366 x 768 screen above a task bar; the layer
  // list stands in its row above the groups, and opens on all its items.
  RECT outer{};
  GetWindowRect(Main(), &outer);
  EXPECT_LE(outer.right - outer.left, 1366);
  EXPECT_LE(outer.bottom - outer.top, 768 - 48);
  RECT field{};
  GetWindowRect(rows.cbLayer, &field);
  MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&field), 2);
  EXPECT_GE(field.top, 0);
  EXPECT_LE(field.bottom, Scaled(kLayerRowHeight, dpi));
  EXPECT_EQ(Text(rows.cbLayer), "Base");
  RECT open{};
  SendMessageA(rows.cbLayer, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&open));
  const auto itemHeight = static_cast<int>(SendMessageA(rows.cbLayer, CB_GETITEMHEIGHT, 0, 0));
  EXPECT_GE(open.bottom - open.top, (field.bottom - field.top) + (kLayers + 1) * itemHeight);
  if (dpi == kDesignDpi) return;
  test::SavePicture(Main(), "main-window-" + std::to_string(dpi) + "dpi");
  Open();
  test::SavePicture(Opts().Handle(), "options-window-" + std::to_string(dpi) + "dpi");
  Click(Opts().btnCancel);
}

// A secondary window moved to a monitor of another dpi: every control takes
// its design rectangle at that dpi, in a font for it, and comes back exact.
TEST_F(Options, AnotherMonitorsDpiMovesAndRefontsEveryControlAndBack) {
  Start("");
  const HWND window = Opts().Created();
  auto places = [&] {
    std::vector<ControlRect> rects;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      RECT r{};
      GetWindowRect(c, &r);
      MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
      rects.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top});
    }
    return rects;
  };
  auto moveTo = [&](int dpi) {
    RECT r{};
    GetWindowRect(window, &r);
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
  };
  const std::vector<ControlRect> design = places();
  RECT list{};
  SendMessageA(Opts().cbLng, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));

  moveTo(192);
  const std::vector<ControlRect> at192 = places();
  ASSERT_EQ(at192.size(), design.size());
  std::vector<bool> combo;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    combo.push_back(c == Opts().cbLng || c == Opts().cbController);
  for (std::size_t i = 0; i < design.size(); ++i) {
    if (combo[i]) continue;  // a combo box: its field's height follows its font
    EXPECT_EQ(at192[i], Scaled(design[i], 192)) << "control " << i;
  }
  RECT list192{};
  SendMessageA(Opts().cbLng, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list192));
  EXPECT_GE(list192.bottom - list192.top, 2 * (list.bottom - list.top)) << "the open list grew";
  EXPECT_EQ(FontOf(Opts().btnOK).lfHeight, -22);
  EXPECT_EQ(FontOf(Display(Stepper::Turbo)).lfWeight, FW_BOLD);

  moveTo(96);
  EXPECT_EQ(places(), design);
  EXPECT_EQ(FontOf(Opts().btnOK).lfHeight, -11);
}

}  // namespace
}  // namespace vantrel::test
