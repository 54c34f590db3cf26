// The main window's rows, built by the real start-up in this process and read
// back from the controls themselves.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Application_win.h"
#include "app/Elevation_win.h"
#include "app/RowLayout.h"
#include "base/IniFile_win.h"
#include "config/SettingsFile_win.h"
#include "resource.h"
#include "win/DialogAnswer_win.h"
#include "win/TempDir_win.h"

namespace vantrel {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;

struct Row {
  HWND button, display, turbo;
};

std::string Text(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// The control's rectangle in its parent's client area: left, top, width, height.
std::vector<int> Place(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int Top(HWND hwnd) { return Place(hwnd)[1]; }

bool Checked(HWND hwnd) { return SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }

int CountChildren(HWND parent) {
  int count = 0;
  EnumChildWindows(
      parent, [](HWND, LPARAM n) { return ++*reinterpret_cast<int*>(n), TRUE; },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

LOGFONTA FontOf(HWND hwnd) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override { SetSettingsFile(dir / "Vantrel.set"); }
  void TearDown() override {
    app.reset();
    SetSettingsFile(dir / "unused.set");
    // The main window's end asked this thread to quit; the next test's
    // modal loops would obey at once.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  // Starts the program's windows for `buttons` buttons with this profile
  // ([Bind] lines, "" for none) and extra settings, and shows the main window.
  TMainFrm& Start(int buttons, const std::string& profile = "", const std::string& extra = "") {
    std::string settings = "[Setup]\r\nNumOfButtons=" + std::to_string(buttons) + "\r\n" + extra;
    if (!profile.empty()) {
      WriteFileBytes(dir / "pad.ini", "[Bind]\r\n" + profile);
      settings += "Path=" + dir / "pad.ini" + "\r\n";
    }
    WriteFileBytes(dir / "Vantrel.set", settings);
    app = std::make_unique<Application>();
    app->CreateForms();
    app->Show(SW_SHOWNORMAL);
    app->CompleteStartUp();
    n = buttons;
    return app->MainFrm;
  }

  HWND Main() const { return app->MainFrm.Handle(); }
  HWND Group(int id) const { return GetDlgItem(Main(), id); }
  HWND Arrow(int id) const { return GetDlgItem(Group(IDC_FSGBUTTONS), id); }
  // Found by id in the group that should hold it.
  Row RowOf(int entry) const {
    const HWND group = Group(entry <= n ? IDC_FSGBUTTONS : IDC_FSGAXIS);
    return {GetDlgItem(group, IDC_BTNJOY + entry), GetDlgItem(group, IDC_STJOY + entry),
            GetDlgItem(group, IDC_CHBJOY + entry)};
  }
  void Click(HWND control) const { SendMessageA(control, BM_CLICK, 0, 0); }

  // The shown button rows, after checking that each row's three controls sit
  // together and that exactly the rows in the six-row band are shown.
  std::vector<int> ShownButtonRows() const {
    std::vector<int> shown;
    for (int e = 1; e <= n; ++e) {
      const Row r = RowOf(e);
      const int top = Top(r.button);
      EXPECT_EQ(Top(r.display), top + 1) << "entry " << e;
      EXPECT_EQ(Top(r.turbo), top + 1) << "entry " << e;
      const bool visible = IsWindowVisible(r.button);
      EXPECT_EQ(IsWindowVisible(r.display) != 0, visible) << "entry " << e;
      EXPECT_EQ(IsWindowVisible(r.turbo) != 0, visible) << "entry " << e;
      EXPECT_EQ(visible, top >= 16 && top <= 126) << "entry " << e << " at " << top;
      if (visible) shown.push_back(e);
    }
    return shown;
  }

  test::TempDir dir;
  std::unique_ptr<Application> app;
  int n = 0;
};

TEST_F(MainWindow, FourButtonsShowEveryRowInPlaceAndLeaveTheArrowsDisabled) {
  Start(4);
  EXPECT_EQ(Place(Group(IDC_FSGAXIS)), (std::vector<int>{0, 0, 281, 113}));
  EXPECT_EQ(Place(Group(IDC_FSGBUTTONS)), (std::vector<int>{0, 112, 281, 154}));
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
  EXPECT_EQ(Place(Group(IDC_FSGBUTTONS)), (std::vector<int>{0, 168, 422, 231}));
  Click(Arrow(IDC_BTNGDOWN));
  expectRowAt(3, 16, 144);
  EXPECT_FALSE(IsWindowVisible(RowOf(2).button));
  EXPECT_TRUE(IsWindowVisible(RowOf(8).button));

  moveTo(96);
  expectRowAt(3, 16, 96);
  expectRowAt(8, 126, 96);
  EXPECT_EQ(Place(Group(IDC_FSGBUTTONS)), (std::vector<int>{0, 112, 281, 154}));

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
  EXPECT_EQ(main.Bindings.CurrentEntry, 7);
  EXPECT_EQ(Text(dialog), "Action [Left]");
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_FALSE(IsWindowEnabled(Main()));

  app->ActionDlg.Close();
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_TRUE(IsWindowEnabled(Main())) << "the dialog gives the main window back";

  Click(RowOf(3).button);
  EXPECT_EQ(main.Bindings.CurrentEntry, 3);
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
  inks = CountInks(button);
  EXPECT_GT(inks.red, 0);
  EXPECT_EQ(inks.blue, 0);
  EXPECT_FALSE(main.RowHeld(1));

  main.SetRowHeld(2, false);
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
    main.Bindings[1].Pressed = 1;
    main.JoyButtonPress(1);
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
struct ElevationAnswers {
  HWND elevatedWindow = nullptr;
  bool selfElevated = false;
  int asked = 0;
} answers;

bool AnswerElevation(HWND window, DWORD) {
  ++answers.asked;
  return window ? window == answers.elevatedWindow : answers.selfElevated;
}

class Elevation : public MainWindow {
 protected:
  void TearDown() override {
    SetElevationCheck(nullptr);
    DestroyWindow(answers.elevatedWindow);
    MainWindow::TearDown();
  }
  // A key on button 1, button 2 unbound, the chosen window in front.
  TMainFrm& StartBehind(bool selfElevated) {
    answers = {.selfElevated = selfElevated};
    SetElevationCheck(&AnswerElevation);
    TMainFrm& main = Start(4, "Button1.Action=3\r\nButton1.VCode=65\r\n");
    answers.elevatedWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 80, 40,
                                             nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(answers.elevatedWindow);
    EXPECT_EQ(GetForegroundWindow(), answers.elevatedWindow);
    return main;
  }
  // A press and a release, as the polling reports them.
  void Tap(int entry) {
    for (std::uint8_t pressed : {1, 0}) {
      app->MainFrm.Bindings[static_cast<std::uint8_t>(entry)].Pressed = pressed;
      app->MainFrm.JoyButtonPress(entry);
    }
  }
};

TEST_F(Elevation, APressIntoAnElevatedProgramIsToldOnceAndNothingIsAskedWhileIdle) {
  TMainFrm& main = StartBehind(false);
  const ULONGLONG end = GetTickCount64() + 300;  // the polling runs, nothing is pressed
  for (MSG msg; GetTickCount64() < end; Sleep(10))
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  Tap(2);
  EXPECT_EQ(answers.asked, 0) << "asked while idle, or for a press that injects nothing";
  Tap(1);
  Tap(1);
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  EXPECT_EQ(main.Elevation.Told(), std::vector<std::string>{FileNamePart(exe, "filename")});
  EXPECT_EQ(answers.asked, 2) << "once of itself, once of the program in front";
}

TEST_F(Elevation, NothingIsToldWhenTheProgramIsElevatedItself) {
  TMainFrm& main = StartBehind(true);
  Tap(1);
  EXPECT_TRUE(main.Elevation.Told().empty());
}

// An Off rule's program in front gets nothing: there is nothing to tell of.
TEST_F(Elevation, NothingIsToldOfAProgramWhoseOffRuleIsInForce) {
  TMainFrm& main = StartBehind(false);
  const std::string exe = dir / "game.exe";
  ASSERT_TRUE(CopyFileA(VANTREL_FRONT_WINDOW_PATH, exe.c_str(), FALSE));
  main.SetProgramRules({{"game.exe", "off"}});
  struct Started {
    PROCESS_INFORMATION info{};
    ~Started() {
      if (info.hProcess) TerminateProcess(info.hProcess, 0), CloseHandle(info.hProcess);
      if (info.hThread) CloseHandle(info.hThread);
    }
  } game;
  STARTUPINFOA si{.cb = sizeof(STARTUPINFOA)};
  std::string line = "\"" + exe + "\"";
  ASSERT_TRUE(CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &game.info));
  HWND window = nullptr;
  for (int i = 0; i < 250 && !window; ++i, Sleep(20)) {
    window = FindWindowA("VantrelFrontWindow", nullptr);
    DWORD process = 0;
    if (window) GetWindowThreadProcessId(window, &process);
    if (process != game.info.dwProcessId || !IsWindowVisible(window)) window = nullptr;
  }
  ASSERT_NE(window, nullptr);
  DestroyWindow(std::exchange(answers.elevatedWindow, window));
  for (int i = 0; i < 250 && GetForegroundWindow() != window; ++i, Sleep(20))
    SetForegroundWindow(window);
  ASSERT_EQ(GetForegroundWindow(), window);

  Tap(1);
  EXPECT_TRUE(main.Actions.Quiet);
  EXPECT_TRUE(main.Elevation.Told().empty());
  EXPECT_EQ(answers.asked, 0);
}

class FileMenu : public MainWindow {
 protected:
  // Runs a File menu command, answering its dialog with `path` ("" cancels).
  void Command(int id, const std::string& path) {
    auto answered = test::AnswerFileDialog(GetCurrentThreadId(), path);
    SendMessageA(Main(), WM_COMMAND, id, 0);
    ASSERT_TRUE(answered.get()) << "no file dialog came";
  }
  std::string LastProfile() {
    return PrivateProfile(dir / "Vantrel.set").ReadString("Setup", "Path", "");
  }
};

// The current profile's path opens the request; one the dialog cannot take
// (a name no file can have, one longer than a path may be) is dropped, and
// the dialog still comes rather than an error.
TEST_F(FileMenu, OpenComesWhateverTheCurrentPathHolds) {
  TMainFrm& main = Start(4);
  WriteFileBytes(dir / "chosen.ini", "[Bind]\r\nButton1.Action=3\r\nButton1.VCode=65\r\n");
  for (const std::string& current :
       {dir / "no\"such<name>|.ini", dir / (std::string(300, 'p') + ".ini")}) {
    main.IniPath = current;
    Command(IDM_OPEN, dir / "chosen.ini");
    EXPECT_EQ(main.IniPath, dir / "chosen.ini") << current;
  }
}

TEST_F(FileMenu, OpenLoadsTheChosenProfileAndRecordsIt) {
  TMainFrm& main = Start(4);
  WriteFileBytes(dir / "chosen.ini", "[Bind]\r\nButton1.Action=3\r\nButton1.VCode=65\r\n");
  Command(IDM_OPEN, dir / "chosen.ini");
  EXPECT_EQ(main.IniPath, dir / "chosen.ini");
  EXPECT_EQ(main.Bindings[1].VCode, 65);
  EXPECT_EQ(main.RowText(1), "A");
  EXPECT_EQ(LastProfile(), dir / "chosen.ini");

  // Cancelled, Open reloads the current profile, dropping changes since.
  main.Bindings[1].VCode = 66;
  Command(IDM_OPEN, "");
  EXPECT_EQ(main.Bindings[1].VCode, 65);
  EXPECT_EQ(main.IniPath, dir / "chosen.ini");
}

TEST_F(FileMenu, TheDialogLibraryIsLoadedByTheFirstDialog) {
  TMainFrm& main = Start(4);
  ASSERT_EQ(GetModuleHandleA("comdlg32.dll"), nullptr) << "not at start-up";
  WriteFileBytes(dir / "chosen.ini", "[Bind]\r\nButton1.Action=3\r\nButton1.VCode=65\r\n");
  Command(IDM_OPEN, dir / "chosen.ini");
  EXPECT_NE(GetModuleHandleA("comdlg32.dll"), nullptr);
  EXPECT_EQ(main.Bindings[1].VCode, 65);
  Command(IDM_SAVE, dir / "again.ini");
  EXPECT_EQ(main.IniPath, dir / "again.ini") << "the second dialog uses the library kept";
}

TEST_F(FileMenu, SaveAppendsIniAndACancelSavesToTheCurrentPath) {
  TMainFrm& main = Start(4);
  main.Bindings[2] = {.Execute = "C:\\game.exe", .Action = ActRun};
  Command(IDM_SAVE, dir / "fly.INI");
  EXPECT_EQ(main.IniPath, dir / "fly.INI.ini") << "only \".ini\" exactly counts";
  EXPECT_NE(ReadFileBytes(dir / "fly.INI.ini").find("Button2.Execute=C:\\game.exe"),
            std::string::npos);
  EXPECT_EQ(LastProfile(), dir / "fly.INI.ini");

  main.Bindings[2].Execute = "C:\\other.exe";
  Command(IDM_SAVE, "");
  EXPECT_NE(ReadFileBytes(dir / "fly.INI.ini").find("Button2.Execute=C:\\other.exe"),
            std::string::npos);
}

TEST_F(FileMenu, ACancelledDialogWithNoProfileYetDoesNothing) {
  TMainFrm& main = Start(4, "Button1.Action=3\r\nButton1.VCode=65\r\n");
  const std::string settings = ReadFileBytes(dir / "Vantrel.set");
  main.Bindings[1].VCode = 66;
  Command(IDM_OPEN, "");
  Command(IDM_SAVE, "");
  EXPECT_EQ(main.Bindings[1].VCode, 66) << "nothing reloaded";
  EXPECT_TRUE(main.IniPath.empty());
  EXPECT_EQ(ReadFileBytes(dir / "Vantrel.set"), settings) << "nothing recorded";
  EXPECT_EQ(GetFileAttributesA((dir / ".ini").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(dir.Files().size(), 2u) << "the settings and the start-up profile only";
}

}  // namespace
}  // namespace vantrel
