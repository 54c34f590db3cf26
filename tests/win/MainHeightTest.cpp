// The main window made taller by its lower edge: more rows show, and the
// height is kept for the next start.
#include <string>
#include <vector>

#include "win/MainWindowFixture_win.h"

namespace vantrel::test {
namespace {

class MainHeight : public MainWindow {
 protected:
  int Height() const {
    RECT r{};
    GetWindowRect(Main(), &r);
    return r.bottom - r.top;
  }
  std::vector<int> ShownRows(int from, int to) const {
    std::vector<int> shown;
    for (int e = from; e <= to; ++e)
      if (IsWindowVisible(RowOf(e).button)) shown.push_back(e);
    return shown;
  }
  std::string Stored() const {
    return PrivateProfile(dir / "Vantrel.set").ReadString("Setup", "MainHeight", "");
  }
  // Drags the middle of the lower edge `dy` pixels down with the mouse, as a
  // user does, and waits for the window to take its new height.
  void DragLowerEdge(int dy) {
    for (int i = 0; i < 250 && GetForegroundWindow() != Main(); ++i, Sleep(20))
      SetForegroundWindow(Main());
    ASSERT_EQ(GetForegroundWindow(), Main());
    RECT r{};
    GetWindowRect(Main(), &r);
    const POINT edge{(r.left + r.right) / 2, r.bottom - 2};
    ASSERT_EQ(SendMessageA(Main(), WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y)), HTBOTTOM);
    SetCursorPos(edge.x, edge.y);
    // The button goes down here; the moves and its release come from a
    // timer, as the window's size loop, which the press starts, runs it.
    static INPUT steps[4];
    static int next;
    const auto absolute = [](int x, int y) {
      INPUT in{.type = INPUT_MOUSE};
      in.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
      in.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
      in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
      return in;
    };
    steps[0] = absolute(edge.x, edge.y);
    steps[0].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    steps[1] = absolute(edge.x, edge.y + dy / 2);
    steps[2] = absolute(edge.x, edge.y + dy);
    steps[3] = absolute(edge.x, edge.y + dy);
    steps[3].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    next = 1;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR, DWORD) {
      if (next < 4) SendInput(1, &steps[next++], sizeof(INPUT));
    });
    ASSERT_EQ(SendInput(1, &steps[0], sizeof(INPUT)), 1u);
    MSG msg;
    for (int i = 0; i < 250 && next < 4; ++i, Sleep(20))
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) app->Dispatch(msg);
    KillTimer(nullptr, timer);
    for (int i = 0; i < 10; ++i, Sleep(20))
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) app->Dispatch(msg);
  }
};

TEST_F(MainHeight, ADragOfTheLowerEdgeShowsMoreRowsAndTheNextStartKeepsIt) {
  Start(12);
  const int normal = Height();
  RECT outer{};
  GetWindowRect(Main(), &outer);
  EXPECT_TRUE(Stored().empty());

  DragLowerEdge(3 * kRowPitch + 5);
  ASSERT_EQ(Height(), normal + 3 * kRowPitch + 5);
  RECT now{};
  GetWindowRect(Main(), &now);
  EXPECT_EQ(now.left, outer.left);
  EXPECT_EQ(now.right - now.left, outer.right - outer.left) << "as wide as ever";
  EXPECT_EQ(ShownRows(1, 12), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
  const HWND buttons = Group(IDC_FSGBUTTONS);
  RECT client{};
  GetClientRect(Main(), &client);
  EXPECT_EQ(Place(buttons)[1] + Place(buttons)[3], client.bottom - 1) << "down to the bottom";
  for (int click = 0; click < 4; ++click) Click(Arrow(IDC_BTNGDOWN));
  EXPECT_EQ(ShownRows(1, 12), (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(Stored(), std::to_string(Height()));

  const int tall = Height();
  app.reset();
  Start(12, "", "MainHeight=" + std::to_string(tall) + "\r\n");
  EXPECT_EQ(Height(), tall);
  EXPECT_EQ(ShownRows(1, 12), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));

  DragLowerEdge(-200);
  EXPECT_EQ(Height(), normal) << "never shorter than the default";
  EXPECT_EQ(ShownRows(1, 12), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Stored(), "0") << "the default height, whatever the rows";
}

TEST_F(MainHeight, AStoredHeightIsHeldBetweenTheDefaultAndTheWorkArea) {
  Start(4);
  const int normal = Height();
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  struct Case {
    std::string stored;
    int height;
  } const cases[] = {{"0", normal},
                     {"12", normal},
                     {"-300", normal},
                     {std::to_string(normal + 40), normal + 40},
                     {"30000", static_cast<int>(work.bottom - work.top)}};
  for (const Case& c : cases) {
    app.reset();
    Start(4, "", "MainHeight=" + c.stored + "\r\n");
    EXPECT_EQ(Height(), c.height) << c.stored;
  }
}

}  // namespace
}  // namespace vantrel::test
