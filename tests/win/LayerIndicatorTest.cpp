// The layer indicator, with its window created in this process.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/Application_win.h"
#include "bindings/Profile.h"
#include "config/SettingsFile_win.h"
#include "input/PadState.h"
#include "win/Picture_win.h"
#include "win/StatePad_win.h"
#include "win/TempDir_win.h"

namespace vantrel {
namespace {

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool Shown(const TLayerIndicator& indicator) {
  return IsWindowVisible(indicator.Handle()) != FALSE;
}

// A window of another program, as a game in front would be: in front, its
// text box with the focus.
class LayerIndicatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    front = CreateWindowExA(0, "STATIC", "game", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400,
                            300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(front, nullptr);
    box = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 24, front, nullptr,
                          nullptr, nullptr);
    // Without a window manager, asked again until it is there.
    for (int i = 0; i < 100 && GetForegroundWindow() != front; ++i) {
      SetForegroundWindow(front);
      Pump();
      Sleep(20);
    }
    ASSERT_EQ(GetForegroundWindow(), front);
    SetFocus(box);
    indicator.Create();
  }
  void TearDown() override { DestroyWindow(front); }

  HWND front = nullptr;
  HWND box = nullptr;
  TLayerIndicator indicator;
};

TEST_F(LayerIndicatorTest, ShowsTheNameOverTheFrontWindowWithoutTakingAnything) {
  indicator.Announce("Driving");
  EXPECT_FALSE(Shown(indicator)) << "not inside the read that changed the layer";
  Pump();
  ASSERT_TRUE(Shown(indicator));
  test::SavePicture(indicator.Handle(), "layer-indicator");
  char text[64] = {};
  GetWindowTextA(indicator.Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Driving");
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(indicator.Handle(), GWL_EXSTYLE));
  for (DWORD style : std::initializer_list<DWORD>{WS_EX_NOACTIVATE, WS_EX_TRANSPARENT,
                                                  WS_EX_LAYERED, WS_EX_TOOLWINDOW, WS_EX_TOPMOST})
    EXPECT_TRUE(exStyle & style) << std::hex << style;
  EXPECT_EQ(GetWindowLongPtrA(indicator.Handle(), GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(GetWindow(indicator.Handle(), GW_OWNER), nullptr);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(indicator.Handle(), nullptr, &alpha, &flags));
  EXPECT_TRUE(flags & LWA_ALPHA);
  EXPECT_GT(alpha, 0);

  EXPECT_EQ(GetForegroundWindow(), front);
  EXPECT_EQ(GetActiveWindow(), front);
  EXPECT_EQ(GetFocus(), box);
  // Near the top centre of the work area of the front window's monitor.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST), &monitor);
  RECT r{};
  GetWindowRect(indicator.Handle(), &r);
  const RECT& area = monitor.rcWork;
  EXPECT_LE(std::abs((r.left + r.right) - (area.left + area.right)), 1);
  EXPECT_GE(r.top, area.top);
  EXPECT_LT(r.bottom, (area.top + area.bottom) / 2);
  // Clicks pass through it to the window below.
  EXPECT_NE(WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2}), indicator.Handle());
}

TEST_F(LayerIndicatorTest, HidesByItsOwnTimerWhichRunsOnlyWhileItShows) {
  EXPECT_FALSE(indicator.HideTimer.Enabled());
  indicator.Announce("Driving");
  indicator.Announce("Walking");
  Pump();
  EXPECT_TRUE(Shown(indicator));
  EXPECT_EQ(indicator.Text(), "Walking") << "the last of a read's changes";
  EXPECT_TRUE(indicator.HideTimer.Enabled());
  SendMessageA(indicator.Handle(), WM_TIMER, indicator.HideTimer.Id(), 0);
  EXPECT_FALSE(Shown(indicator));
  EXPECT_FALSE(indicator.HideTimer.Enabled());
  EXPECT_EQ(GetForegroundWindow(), front);
}

TEST_F(LayerIndicatorTest, TurnedOffItShowsNothingAndHidesAtOnce) {
  indicator.Announce("Driving");
  Pump();
  indicator.ShowLayerChanges(false);
  EXPECT_FALSE(Shown(indicator));
  EXPECT_FALSE(indicator.HideTimer.Enabled());
  indicator.Announce("Walking");
  Pump();
  EXPECT_FALSE(Shown(indicator));
}

// The program's own indicator names the layer a press puts on, and the
// base again when it comes off.
TEST(LayerIndicatorInTheProgram, NamesTheLayerThatDecides) {
  test::TempDir dir;
  SetSettingsFile(dir / "Vantrel.set");
  Application app;
  app.CreateForms();
  app.CompleteStartUp();
  TMainFrm& main = app.MainFrm;
  main.Bindings[1] = {.Action = ActLayer, .Layer = 3, .LayerMode = LayerHold};
  main.Bindings.LayerNames[2] = "Driving";
  test::StatePad pad;
  for (const char* shown : {"Driving", "Base"}) {
    pad.state.buttons.flip(0);
    main.Actions.Read(0, pad, true, 0);
    Pump();
    EXPECT_TRUE(Shown(app.LayerIndicator)) << shown;
    EXPECT_EQ(app.LayerIndicator.Text(), shown);
    SendMessageA(app.LayerIndicator.Handle(), WM_TIMER, app.LayerIndicator.HideTimer.Id(), 0);
  }
  SetSettingsFile(dir / "unused.set");
}

}  // namespace
}  // namespace vantrel
