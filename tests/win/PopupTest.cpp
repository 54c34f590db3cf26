// The profile popup, with the program's windows created in this process.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/Application_win.h"
#include "config/SettingsFile_win.h"
#include "win/TempDir_win.h"

namespace vantrel {
namespace {

class Popup : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSettingsFile(dir / "Vantrel.set");
    app.CreateForms();
    app.CompleteStartUp();
  }
  void Tick() { SendMessageA(popup.Handle(), WM_TIMER, popup.PopupTimer.Id(), 0); }
  bool Shown() { return IsWindowVisible(popup.Handle()) != FALSE; }

  test::TempDir dir;
  Application app;
  TpopupINI& popup = app.popupINI;
};

TEST_F(Popup, TwoLinesInASmallBorderlessWindow) {
  RECT client;
  GetClientRect(popup.Handle(), &client);
  EXPECT_EQ(client.right, 139);
  EXPECT_EQ(client.bottom, 41);
  EXPECT_FALSE(GetWindowLongPtrA(popup.Handle(), GWL_STYLE) & WS_CAPTION);
  std::vector<RECT> lines;
  EnumChildWindows(
      popup.Handle(),
      [](HWND child, LPARAM p) -> BOOL {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
        reinterpret_cast<std::vector<RECT>*>(p)->push_back(r);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&lines));
  ASSERT_EQ(lines.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(lines[i].left, 3);
    EXPECT_EQ(lines[i].top, i == 0 ? 3 : 22);
    EXPECT_EQ(lines[i].right - lines[i].left, 134);
    EXPECT_EQ(lines[i].bottom - lines[i].top, 17);
  }
}

TEST_F(Popup, WithThePopupOffOnlyTheFirstLineChanges) {
  popup.SetShowOnSwitch(false);
  popup.ProfileSwitched("Current: beta.ini", "Next: gamma.ini");
  EXPECT_EQ(popup.CurrentText(), "Current: beta.ini");
  EXPECT_EQ(popup.NextText(), "");
  EXPECT_FALSE(Shown());
}

TEST_F(Popup, ShowsOnTopWithoutTheFocusForTheShowTime) {
  app.popupINI.SetShowTime(3);
  popup.SetShowOnSwitch(true);
  const HWND before = GetForegroundWindow();
  popup.ProfileSwitched("Current: beta.ini", "Next: gamma.ini");
  EXPECT_TRUE(Shown());
  EXPECT_EQ(popup.NextText(), "Next: gamma.ini");
  EXPECT_TRUE(GetWindowLongPtrA(popup.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetForegroundWindow(), before) << "the popup never takes the focus";
  EXPECT_TRUE(popup.PopupTimer.Enabled());
  Tick();
  Tick();
  EXPECT_TRUE(Shown());
  // Another switch while it shows starts the count afresh.
  popup.ProfileSwitched("Current: gamma.ini", "Next: alpha.ini");
  Tick();
  Tick();
  EXPECT_TRUE(Shown());
  EXPECT_EQ(popup.CurrentText(), "Current: gamma.ini");
  Tick();
  EXPECT_FALSE(Shown()) << "gone three seconds after the last switch";
  EXPECT_FALSE(popup.PopupTimer.Enabled());
}

TEST_F(Popup, ShowTimeZeroStaysUntilClose) {
  popup.SetShowOnSwitch(true);
  popup.ProfileSwitched("Current: a.ini", "Next: b.ini");
  EXPECT_FALSE(popup.PopupTimer.Enabled());
  SendMessageA(popup.Handle(), WM_COMMAND, 1, 0);  // the context menu's Close
  EXPECT_FALSE(Shown());
}

TEST_F(Popup, PositioningModeLendsABorderUntilClosed) {
  app.popupINI.SetShowTime(7);
  popup.SetShowOnSwitch(true);
  EnableWindow(app.OptionsFrm.Created(), TRUE);
  popup.ProfileSwitched("Current: a.ini", "Next: b.ini");
  popup.BeginPositioning(app.OptionsFrm.Handle());
  EXPECT_TRUE(GetWindowLongPtrA(popup.Handle(), GWL_STYLE) & WS_CAPTION);
  EXPECT_EQ(popup.CurrentText(), "");
  EXPECT_EQ(app.popupINI.ShowTime(), 0) << "no counting while it is being placed";
  EXPECT_FALSE(IsWindowEnabled(app.OptionsFrm.Handle()));
  SetWindowPos(popup.Handle(), nullptr, 222, 111, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

  popup.Close();
  EXPECT_FALSE(Shown());
  EXPECT_FALSE(GetWindowLongPtrA(popup.Handle(), GWL_STYLE) & WS_CAPTION);
  EXPECT_EQ(app.popupINI.ShowTime(), 7);
  EXPECT_TRUE(IsWindowEnabled(app.OptionsFrm.Handle()));
  RECT r, client;
  GetWindowRect(popup.Handle(), &r);
  GetClientRect(popup.Handle(), &client);
  EXPECT_EQ(r.left, 222);
  EXPECT_EQ(client.right, 139);
  EXPECT_EQ(client.bottom, 41);
}

TEST_F(Popup, TheMenusCloseEndsPositioningAndASwitchMeanwhileChangesNothing) {
  popup.SetShowTime(7);
  popup.SetShowOnSwitch(true);
  EnableWindow(app.OptionsFrm.Created(), TRUE);
  popup.BeginPositioning(app.OptionsFrm.Handle());
  popup.ProfileSwitched("Current: a.ini", "Next: b.ini");
  EXPECT_EQ(popup.CurrentText(), "");
  EXPECT_EQ(popup.NextText(), "");
  SendMessageA(popup.Handle(), WM_COMMAND, 1, 0);  // the context menu's Close
  EXPECT_FALSE(Shown());
  EXPECT_FALSE(popup.Positioning());
  EXPECT_FALSE(GetWindowLongPtrA(popup.Handle(), GWL_STYLE) & WS_CAPTION);
  EXPECT_EQ(popup.ShowTime(), 7) << "the show time the switch found saved";
  EXPECT_TRUE(IsWindowEnabled(app.OptionsFrm.Handle()));
}

TEST_F(Popup, OffEveryMonitorItShowsOnTheNearestAndKeepsItsPlace) {
  popup.SetPosition({5000, -3000});
  popup.SetShowOnSwitch(true);
  popup.ProfileSwitched("Current: a.ini", "Next: b.ini");
  ASSERT_TRUE(Shown());
  RECT shown{}, area{};
  GetWindowRect(popup.Handle(), &shown);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_GE(shown.left, area.left);
  EXPECT_LE(shown.right, area.right);
  EXPECT_GE(shown.top, area.top);
  EXPECT_LE(shown.bottom, area.bottom);
  EXPECT_EQ(popup.Position().x, 5000) << "kept as the settings hold it";
  EXPECT_EQ(popup.Position().y, -3000);
}

}  // namespace
}  // namespace vantrel
