// The main window's rows, built by the real start-up in this process and read
// back from the controls themselves.
#include "win/MainWindowFixture_win.h"

namespace vantrel::test {
namespace {

TEST_F(MainWindow, FourButtonsShowEveryRowInPlaceAndLeaveTheArrowsDisabled) {
  Start(4);
  EXPECT_EQ(Place(Group(IDC_FSGAXIS)), (std::vector<int>{0, 24, 281, 113}));
  EXPECT_EQ(Place(Group(IDC_FSGBUTTONS)), (std::vector<int>{0, 136, 281, 154}));
  EXPECT_EQ(Text(Group(IDC_FSGAXIS)), "Axis");
  EXPECT_EQ(Text(Group(IDC_FSGBUTTONS)), "Buttons");
  EXPECT_EQ(Place(Arrow(IDC_BTNGUP)), (std::vector<int>{256, 16, 17, 17}));
  EXPECT_EQ(Place(Arrow(IDC_BTNGDOWN)), (std::vector<int>{256, 32, 17, 17}));
  EXPECT_FALSE(IsWindowEnabled(Arrow(IDC_BTNGUP)));
  EXPECT_FALSE(IsWindowEnabled(Arrow(IDC_BTNGDOWN)));

  for (int e = 1; e <= 4; ++e) {
    const Row r = RowOf(e);
    const int top = 16 + (e - 1) * 22;
    EXPECT_EQ(Place(r.button), (std::vector<int>{8, top, 60, 20})) << "entry " << e;
    EXPECT_EQ(Place(r.display), (std::vector<int>{70, top + 1, 115, 18})) << "entry " << e;
    EXPECT_EQ(Place(r.turbo), (std::vector<int>{190, top + 1, 57, 18})) << "entry " << e;
    EXPECT_EQ(Text(r.button), "Button " + std::to_string(e));
    EXPECT_EQ(Text(r.display), "");
    EXPECT_EQ(Text(r.turbo), "Turbo");
    EXPECT_TRUE(IsWindowEnabled(r.turbo));
    EXPECT_FALSE(Checked(r.turbo));
  }
  const char* directions[] = {"Up", "Down", "Left", "Right"};
  for (int i = 0; i < 4; ++i) {
    const Row r = RowOf(4 + 1 + i);
    ASSERT_NE(r.button, nullptr) << directions[i] << " is a row of the axis group";
    EXPECT_EQ(Text(r.button), directions[i]);
    EXPECT_EQ(Place(r.button), (std::vector<int>{8, 16 + i * 22, 60, 20}));
    EXPECT_EQ(Top(r.turbo), 17 + i * 22);
    EXPECT_TRUE(IsWindowVisible(r.button) && IsWindowVisible(r.display) &&
                IsWindowVisible(r.turbo));
  }

  EXPECT_EQ(ShownButtonRows(), (std::vector<int>{1, 2, 3, 4}));
  app->MainFrm.GBoxScrool(0, 0);
  app->MainFrm.GBoxScrool(0, 1);
  EXPECT_EQ(ShownButtonRows(), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(Top(RowOf(1).button), 16);
}

TEST_F(MainWindow, EightButtonsScrollOneRowPerArrowClickAndStopAtTheEnds) {
  Start(8);
  const HWND up = Arrow(IDC_BTNGUP);
  const HWND down = Arrow(IDC_BTNGDOWN);
  EXPECT_TRUE(IsWindowEnabled(up));
  EXPECT_TRUE(IsWindowEnabled(down));
  EXPECT_EQ(ShownButtonRows(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Top(RowOf(7).button), 148);

  Click(down);
  EXPECT_EQ(ShownButtonRows(), (std::vector<int>{2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(Top(RowOf(2).button), 16);
  Click(down);
  EXPECT_EQ(ShownButtonRows(), (std::vector<int>{3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(Top(RowOf(8).button), 126);
  Click(down);
  EXPECT_EQ(ShownButtonRows(), (std::vector<int>{3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(Top(RowOf(1).button), -28) << "a third click moves nothing";

  Click(up);
  EXPECT_EQ(ShownButtonRows(), (std::vector<int>{2, 3, 4, 5, 6, 7}));
  Click(up);
  EXPECT_EQ(ShownButtonRows(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  Click(up);
  EXPECT_EQ(ShownButtonRows(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Top(RowOf(1).button), 16);
  EXPECT_EQ(Top(RowOf(8 + 1).button), 16) << "the axis rows never move";
}

// Moved to a monitor of another dpi (Windows tells the window so; here the
// test does), the rows, scrolled or not, take their design places at the new
// dpi, scroll by the scaled pitch, are rebuilt for it, and come back exact.
TEST_F(MainWindow, AnotherMonitorsDpiScalesTheRowsAndTheirFontAndBack) {
  TMainFrm& main = Start(8);
  Click(Arrow(IDC_BTNGDOWN));
  auto moveTo = [&](int dpi) {
    RECT r{};
    GetWindowRect(Main(), &r);
    r.right = r.left + Scaled(r.right - r.left, dpi);  // near enough: the test checks the rows
    SendMessageA(Main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
  };
  auto expectRowAt = [&](int entry, int designTop, int dpi) {
    const Row row = RowOf(entry);
    const std::pair<HWND, RowPart> parts[] = {{row.button, RowPart::Button},
                                              {row.display, RowPart::Display},
                                              {row.turbo, RowPart::Turbo}};
    for (const auto& [control, part] : parts) {
      const std::vector<int> p = Place(control);
      EXPECT_EQ((ControlRect{p[0], p[1], p[2], p[3]}), Scaled(PartRect(part, designTop), dpi))
          << "entry " << entry << " at " << dpi << " dpi";
    }
    EXPECT_EQ(FontOf(row.button).lfHeight, Scaled(-11, dpi));
  };

  moveTo(144);
  EXPECT_EQ(main.Dpi(), 144);
  expectRowAt(2, 16, 144);
  expectRowAt(8 + 1, 16, 144);
  EXPECT_EQ(Place(Group(IDC_FSGBUTTONS)), (std::vector<int>{0, 204, 422, 231}));
  Click(Arrow(IDC_BTNGDOWN));
  expectRowAt(3, 16, 144);
  EXPECT_FALSE(IsWindowVisible(RowOf(2).button));
  EXPECT_TRUE(IsWindowVisible(RowOf(8).button));

  moveTo(96);
  expectRowAt(3, 16, 96);
  expectRowAt(8, 126, 96);
  EXPECT_EQ(Place(Group(IDC_FSGBUTTONS)), (std::vector<int>{0, 136, 281, 154}));

  moveTo(120);
  main.Construct(8);  // as the options window's OK rebuilds them
  expectRowAt(1, 16, 120);
  expectRowAt(7, 148, 120);
}

TEST_F(MainWindow, ConstructAgainRebuildsTheRowsScrolledToTheTop) {
  TMainFrm& main = Start(8);
  Click(Arrow(IDC_BTNGDOWN));
  Click(Arrow(IDC_BTNGDOWN));
  const HWND old = RowOf(1).button;

  main.Construct(10);
  n = 10;
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(ShownButtonRows(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Text(RowOf(11).button), "Up");
  EXPECT_EQ(main.Bindings.EntryUp, 11);
  EXPECT_EQ(CountChildren(Group(IDC_FSGAXIS)), 4 * 3 + 2) << "the four rows and the arrows";
  EXPECT_EQ(CountChildren(Group(IDC_FSGBUTTONS)), 10 * 3 + 2);

  main.Construct(4);
  n = 4;
  EXPECT_TRUE(IsWindowEnabled(Arrow(IDC_BTNGDOWN))) << "never disabled again";
  Click(Arrow(IDC_BTNGDOWN));
  EXPECT_EQ(ShownButtonRows(), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(Text(RowOf(8).button), "Right");
}

TEST_F(MainWindow, ALoadedProfileFillsTheDisplaysAndSetsTheTurboBoxesByKind) {
  TMainFrm& main = Start(4,
                         "Button1.Action=3\r\nButton1.VCode=116\r\nButton1.Shift=17\r\n"
                         "Button1.Turbo=1\r\n"
                         "Button2.Action=5\r\nButton2.Execute=C:\\Games\\game.exe\r\n"
                         "Button3.Action=2\r\nButton3.INI.Count=2\r\n"
                         "Button3.INI0=C:\\P\\a.ini\r\nButton3.INI1=C:\\P\\b.ini\r\n"
                         "Button4.Action=4\r\nButton4.MButton=903\r\n"
                         // stored under "Up": the Left row
                         "Up.Action=3\r\nUp.VCode=65\r\n");
  struct Expect {
    int entry;
    const char* text;
    bool enabled, ticked;
  };
  for (Expect x : {Expect{1, "Ctrl+F5", true, true}, Expect{2, "game.exe", false, false},
                   Expect{3, "b.ini", false, false}, Expect{4, "Mouse Up", false, false},
                   Expect{5, "", true, false}, Expect{7, "A", true, false}}) {
    const Row r = RowOf(x.entry);
    EXPECT_EQ(Text(r.display), x.text) << "entry " << x.entry;
    EXPECT_EQ(main.RowText(static_cast<std::uint8_t>(x.entry)), x.text);
    EXPECT_EQ(IsWindowEnabled(r.turbo) != 0, x.enabled) << "entry " << x.entry;
    EXPECT_EQ(Checked(r.turbo), x.ticked) << "entry " << x.entry;
    EXPECT_EQ(main.TurboChecked(static_cast<std::uint8_t>(x.entry)), x.ticked);
  }

  Click(RowOf(1).turbo);
  EXPECT_FALSE(main.Bindings[1].Turbo) << "the box and the field agree after a click";
  EXPECT_FALSE(main.TurboChecked(1));
  Click(RowOf(7).turbo);
  EXPECT_TRUE(main.Bindings[7].Turbo);
  EXPECT_TRUE(main.TurboChecked(7));
}

TEST_F(MainWindow, ARowButtonOpensTheActionDialogForItsEntry) {
  TMainFrm& main = Start(4);
  Click(RowOf(4 + 3).button);
  const HWND dialog = app->ActionDlg.Handle();
  ASSERT_NE(dialog, nullptr) << "created on its first opening";
  EXPECT_EQ(main.Editor.CurrentEntry, 7);
  EXPECT_EQ(Text(dialog), "Action [Left]");
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_FALSE(IsWindowEnabled(Main()));

  app->ActionDlg.Close();
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_TRUE(IsWindowEnabled(Main())) << "the dialog gives the main window back";

  Click(RowOf(3).button);
  EXPECT_EQ(main.Editor.CurrentEntry, 3);
  EXPECT_EQ(Text(dialog), "Action [Button 3]");
  app->ActionDlg.Close();
}

// Pixels of the control's client area that are clearly of one colour (text
// edges may be blended with the background).
struct Inks {
  int red = 0, blue = 0, white = 0, display = 0;
};
Inks CountInks(HWND hwnd) {
  UpdateWindow(hwnd);
  Inks inks;
  RECT r{};
  GetClientRect(hwnd, &r);
  const HDC dc = GetDC(hwnd);
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      if (c == CLR_INVALID) continue;
      const int red = GetRValue(c), green = GetGValue(c), blue = GetBValue(c);
      if (red >= 200 && green <= 80 && blue <= 80) ++inks.red;
      if (blue >= 200 && red <= 80 && green <= 80) ++inks.blue;
      if (red >= 230 && green >= 230 && blue >= 230) ++inks.white;
      if (c == RGB(58, 110, 165)) ++inks.display;
    }
  }
  ReleaseDC(hwnd, dc);
  return inks;
}

TEST_F(MainWindow, RowCaptionsAreBlueAndRedWhileHeldAndDisplaysWhiteOnBlue) {
  TMainFrm& main = Start(4, "Button2.Action=3\r\nButton2.VCode=116\r\n");
  const HWND button = RowOf(2).button;
  Inks inks = CountInks(button);
  EXPECT_GT(inks.blue, 0);
  EXPECT_EQ(inks.red, 0);

  main.SetRowHeld(2, true);
  EXPECT_TRUE(main.RowHeld(2));
  UpdateWindow(button);  // painted at the next idle moment; here, now
  inks = CountInks(button);
  EXPECT_GT(inks.red, 0);
  EXPECT_EQ(inks.blue, 0);
  EXPECT_FALSE(main.RowHeld(1));

  main.SetRowHeld(2, false);
  UpdateWindow(button);
  inks = CountInks(button);
  EXPECT_GT(inks.blue, 0);
  EXPECT_EQ(inks.red, 0);

  const Inks display = CountInks(RowOf(2).display);
  EXPECT_GT(display.display, 100) << "the display's background";
  EXPECT_GT(display.white, 0) << "the text F5";
}

// A program is started once the read that pressed its entry is over: the
// shell may show a box of its own, and a box inside the read would stop
// every later read until it is answered.
TEST_F(MainWindow, ARunEntryStartsItsProgramOnceTheReadIsOver) {
  TMainFrm& main = Start(4, "Button1.Action=5\r\nButton1.Execute=" + dir / "absent.exe" + "\r\n");
  bool putOff = false;
  main.Ticks.Run([&] {
    main.Actions.Feed({0, 1, true, 0});
    MSG msg;
    putOff = PeekMessageA(&msg, Main(), TMainFrm::kLaunchMessage, TMainFrm::kLaunchMessage,
                          PM_NOREMOVE) != FALSE;
  });
  EXPECT_TRUE(putOff);
}

TEST_F(MainWindow, RowsTakeTheLanguagesTextsAndFont) {
  WriteFileBytes(dir / "de.lng",
                 "[Common]\r\nFontName=Courier New\r\nFontCharset=0xCC\r\n"
                 "[MainWindow]\r\nButton=Knopf\r\nTurbo=Dauer\r\nUp=Hoch\r\n"
                 "[ActionWindow]\r\nCaption=Aktion\r\n");
  Start(2, "", "PakIndex=2\r\nLanguagePak=" + dir / "de.lng" + "\r\n");
  EXPECT_EQ(Text(RowOf(1).button), "Knopf 1");
  EXPECT_EQ(Text(RowOf(2).turbo), "Dauer");
  EXPECT_EQ(Text(RowOf(3).button), "Hoch");
  EXPECT_EQ(Text(RowOf(4).button), "Down");
  for (HWND control : {RowOf(1).button, RowOf(1).display, RowOf(4).turbo}) {
    const LOGFONTA font = FontOf(control);
    EXPECT_STREQ(font.lfFaceName, "Courier New");
    EXPECT_EQ(font.lfCharSet, 204);
  }
  EXPECT_LT(FontOf(RowOf(1).button).lfWeight, FW_BOLD);
  EXPECT_EQ(FontOf(RowOf(1).display).lfWeight, FW_BOLD);
  EXPECT_LT(FontOf(RowOf(1).turbo).lfWeight, FW_BOLD);

  Click(RowOf(3).button);
  EXPECT_EQ(Text(app->ActionDlg.Handle()), "Aktion [Hoch]");
  app->ActionDlg.Close();
}

// The tray icon's mouse messages, as the shell sends them.
void TrayMouse(HWND main, UINT mouseMessage) {
  SendMessageA(main, NotifyIcon::kCallbackMessage, 1, mouseMessage);
}

TEST_F(MainWindow, TheTrayMenuOffersSettingsAndExit) {
  TMainFrm& main = Start(4);
  SendMessageA(Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_FALSE(IsWindowVisible(Main()));
  // What the hiding posted is handled before the user reaches the icon; left
  // in the queue, it would close the menu at once.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  auto menu = test::AnswerPopupMenu(GetCurrentThreadId(), 0);
  TrayMouse(Main(), WM_RBUTTONDOWN);
  EXPECT_EQ(menu.get(), (std::vector<std::string>{"&Settings", "&Exit"}));
  EXPECT_TRUE(IsWindowVisible(Main())) << "Settings restores the program";
  EXPECT_FALSE(main.InTray());

  const HWND window = Main();
  menu = test::AnswerPopupMenu(GetCurrentThreadId(), 1);
  TrayMouse(window, WM_RBUTTONDOWN);
  EXPECT_EQ(menu.get().size(), 2u);
  EXPECT_FALSE(IsWindow(window)) << "Exit closes the main window";
  EXPECT_FALSE(main.TrayIcon.Active()) << "and takes the icon away";
}

// Whether the shell holds the program's icon: only an icon it knows can be changed.
bool IconShown(HWND main) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = main;
  data.uID = 1;
  data.uFlags = NIF_TIP;
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

TEST_F(MainWindow, TheIconComesBackWhenTheTaskbarIsCreatedAgain) {
  Start(4);
  ASSERT_TRUE(IconShown(Main()));
  // A restarted shell has forgotten every icon, then broadcasts "TaskbarCreated".
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = Main();
  data.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));
  ASSERT_FALSE(IconShown(Main()));
  SendMessageA(Main(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(IconShown(Main()));
}

// The system's answer to which process runs as administrator: the window
// chosen stands for another program's; this one is elevated or not.

}  // namespace
}  // namespace vantrel::test
