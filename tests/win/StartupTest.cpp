// Start-up's settings load and the options window's settings save, with the
// program's windows created in this process.
#include <windows.h>

#include <objbase.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/Application_win.h"
#include "base/IniFile_win.h"
#include "config/SettingsFile_win.h"
#include "lang/KeptTexts.h"
#include "ui/Com_win.h"
#include "win/DialogAnswer_win.h"
#include "win/TempDir_win.h"

namespace vantrel {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;
using ::testing::HasSubstr;

bool Checked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

class Startup : public ::testing::Test {
 protected:
  void SetUp() override { SetSettingsFile(settingsPath); }
  void TearDown() override {
    app.reset();
    SetSettingsFile(dir / "unused.set");
    // The real autorun entries, whatever an assertion interrupted.
    DeleteAutorun(ProgramAutoruns().machine);
    DeleteAutorun(ProgramAutoruns().user);
  }

  // Starts the program's windows with this settings file text ("" for none).
  Application& Start(const std::string& settings) {
    if (!settings.empty()) WriteFileBytes(settingsPath, "[Setup]\r\n" + settings);
    app = std::make_unique<Application>();
    app->CreateForms();
    app->CompleteStartUp();
    return *app;
  }
  POINT PopupPosition() {
    RECT r{};
    GetWindowRect(app->popupINI.Handle(), &r);
    return {r.left, r.top};
  }

  test::TempDir dir;
  const std::string settingsPath = dir / "Vantrel.set";
  std::unique_ptr<Application> app;
};

TEST_F(Startup, WithoutASettingsFileEveryDefaultApplies) {
  Application& a = Start("");
  EXPECT_EQ(a.MainFrm.Bindings.NumOfButtons(), 4);
  EXPECT_EQ(a.MainFrm.Timer1.Interval(), 50u);
  EXPECT_EQ(a.MainFrm.Actions.Settings().turboInterval, 100);
  EXPECT_EQ(a.MainFrm.NextDue(), kNever) << "nothing runs at rest";
  EXPECT_EQ(a.popupINI.ShowTime(), 0);
  EXPECT_EQ(PopupPosition().x, 50);
  EXPECT_EQ(PopupPosition().y, 50);
  EXPECT_FALSE(a.MainFrm.InTray());
  EXPECT_FALSE(a.OptionsFrm.CollectSettings().Minimize);
  EXPECT_FALSE(a.popupINI.ShowOnSwitch());
  EXPECT_EQ(Kept().Button, "Button");
  EXPECT_EQ(GetFileAttributesA(settingsPath.c_str()), INVALID_FILE_ATTRIBUTES)
      << "a first start writes nothing";
}

TEST_F(Startup, StoredValuesReachTheirHolders) {
  WriteFileBytes(dir / "pad.ini", "[Bind]\r\nButton2.Action=5\r\nButton2.Execute=C:\\x.exe\r\n");
  Application& a = Start(
      "NumOfButtons=12\r\ntmrRefresh=120\r\ntmrTurbo=5\r\nPopup=1\r\n"
      "PopupShowTime=300\r\nPopupLeft=210\r\nPopupTop=0x40\r\n"
      "Minimize=2\r\nMAccelarate=0.25\r\nMSpeed=12\r\nRangeX=500\r\n"
      "RangeY=150\r\nDeadZoneX=20\r\nDeadZoneY=150\r\n"
      "Path=" +
      dir / "pad.ini" + "\r\n");
  EXPECT_EQ(a.MainFrm.Bindings.NumOfButtons(), 12);
  EXPECT_EQ(a.MainFrm.Timer1.Interval(), 120u);
  EXPECT_EQ(a.MainFrm.Actions.Settings().turboInterval, 5) << "not checked against the options' range";
  EXPECT_TRUE(a.popupINI.ShowOnSwitch());
  EXPECT_EQ(a.popupINI.ShowTime(), 44) << "low 8 bits";
  EXPECT_EQ(PopupPosition().x, 210);
  EXPECT_EQ(PopupPosition().y, 64);
  EXPECT_FALSE(a.MainFrm.InTray()) << "only Minimize=1 minimises";
  // The options window is made at its first showing, and shows what was loaded.
  EXPECT_EQ(a.OptionsFrm.Handle(), nullptr);
  a.OptionsFrm.Show();
  EXPECT_TRUE(Checked(a.OptionsFrm.chbMinimize));
  EXPECT_TRUE(Checked(a.OptionsFrm.chbPopup));
  EXPECT_TRUE(IsWindowEnabled(a.OptionsFrm.btnPopupPos));
  char shown[8] = {};
  GetWindowTextA(a.OptionsFrm.stStepper[static_cast<int>(Stepper::ShowTime)], shown, sizeof shown);
  EXPECT_STREQ(shown, "44");
  a.OptionsFrm.Close();
  EXPECT_EQ(a.MainFrm.Bindings[2].Execute, "C:\\x.exe");
  EXPECT_TRUE(a.MainFrm.IniPath.empty()) << "the start-up profile is not the File menu's";
  EXPECT_DOUBLE_EQ(a.MainFrm.Actions.Settings().mouseAcceleration, 0.25);
  EXPECT_DOUBLE_EQ(a.MainFrm.Actions.Settings().mouseTopSpeed, 12);
  EXPECT_EQ(a.MainFrm.Actions.Dispatch.INIIndex, 0);
  const TJoystick& joystick = a.MainFrm.DXInput1.Joystick;
  EXPECT_EQ(joystick.RangeX(), 500);
  EXPECT_EQ(joystick.RangeY(), 150);
  EXPECT_EQ(joystick.DeadZoneX(), 20);
  EXPECT_EQ(joystick.DeadZoneY(), 100) << "a dead zone is at most 100 %";
}

TEST_F(Startup, OddButtonCountsAndIntervals) {
  EXPECT_EQ(Start("NumOfButtons=260\r\n").MainFrm.Bindings.NumOfButtons(), 4);
  app.reset();
  Application& a = Start("NumOfButtons=40\r\ntmrRefresh=0\r\n");
  EXPECT_EQ(a.MainFrm.Bindings.NumOfButtons(), 32);
  EXPECT_EQ(a.MainFrm.Timer1.Interval(), 50u) << "an interval of 0 would stop polling for good";
}

TEST_F(Startup, MinimizeOneStartsInTheTray) {
  Application& a = Start("Minimize=1\r\n");
  EXPECT_TRUE(a.MainFrm.InTray());
  EXPECT_TRUE(a.OptionsFrm.CollectSettings().Minimize);
  a.Show(SW_SHOWNORMAL);
  EXPECT_FALSE(IsWindowVisible(a.MainFrm.Handle()));
}

TEST_F(Startup, TheMainWindowFirstAppearsCentredEitherWay) {
  for (const char* settings : {"Minimize=0\r\n", "Minimize=1\r\n"}) {
    SCOPED_TRACE(settings);
    Application& a = Start(settings);
    const HWND main = a.MainFrm.Handle();
    a.Show(SW_SHOWNORMAL);
    if (!IsWindowVisible(main))  // a left click on the tray icon
      SendMessageA(main, NotifyIcon::kCallbackMessage, 1, WM_LBUTTONDOWN);
    ASSERT_TRUE(IsWindowVisible(main));
    RECT r{};
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
    // Moved by the user, it stays where it is put.
    SetWindowPos(main, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    SendMessageA(main, NotifyIcon::kCallbackMessage, 1, WM_LBUTTONDOWN);
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    app.reset();
  }
}

// What initialising COM on this thread would answer, leaving it as it was:
// S_OK when nothing had initialised it, S_FALSE when it was initialised in
// that model already, RPC_E_CHANGED_MODE when in the other one.
HRESULT ComProbe(DWORD model) {
  const HRESULT result = CoInitializeEx(nullptr, model);
  if (SUCCEEDED(result)) CoUninitialize();
  return result;
}

TEST_F(Startup, TheProgramsThreadGetsItsComApartmentOnlyWhenACommandNeedsIt) {
  Start("");
  EXPECT_EQ(GetModuleHandleA("comdlg32.dll"), nullptr) << "loaded by the first file dialog";
  EXPECT_EQ(ComProbe(COINIT_APARTMENTTHREADED), S_OK) << "none at start-up";
  EnsureComApartment();
  EnsureComApartment();
  EXPECT_EQ(ComProbe(COINIT_APARTMENTTHREADED), S_FALSE);
  EXPECT_EQ(ComProbe(COINIT_MULTITHREADED), RPC_E_CHANGED_MODE) << "apartment-threaded";
  app.reset();
  EXPECT_EQ(ComProbe(COINIT_APARTMENTTHREADED), S_FALSE) << "kept for the thread's life";
}

TEST_F(Startup, TheLanguagePackComesBeforeTheRows) {
  WriteFileBytes(dir / "de.lng", "[Common]\r\nMouse=Maus\r\nFontCharset=0xCC\r\n");
  Start("PakIndex=2\r\nLanguagePak=" + dir / "de.lng" + "\r\n");
  EXPECT_EQ(Kept().Mouse, "Maus");
  EXPECT_EQ(Kept().FontCharset, 204);
  app.reset();
  Start("PakIndex=0\r\nLanguagePak=" + dir / "de.lng" + "\r\n");
  EXPECT_EQ(Kept().Mouse, "Mouse") << "English ignores the pack name";
}

// The program moved since an earlier version made the machine-wide entry:
// the user's own follows it, and the machine-wide one is left as it is.
TEST_F(Startup, AnAutorunEntryIsWrittenAgainWithTheProgramsPath) {
  const AutorunEntry machine = ProgramAutorun();
  WriteAutorun(machine, "C:\\Old Place\\Vantrel.exe");
  Application& a = Start("");
  a.OptionsFrm.Show();
  EXPECT_TRUE(Checked(a.OptionsFrm.chbAutoRun));
  EXPECT_EQ(ReadAutorunValue(ProgramAutoruns().user), AutorunCommand(ExePath()));
  EXPECT_EQ(ReadAutorunValue(machine), "C:\\Old Place\\Vantrel.exe");
}

TEST_F(Startup, ClosingTheOptionsWritesEveryHolderBack) {
  Application& a =
      Start("MAccelarate=0.7\r\nRangeX=500\r\nDeadZoneY=20\r\nPath=C:\\P\\last.ini\r\n");
  a.MainFrm.Timer1.SetInterval(200);
  a.popupINI.SetShowTime(9);
  a.popupINI.SetShowOnSwitch(true);
  SetWindowPos(a.popupINI.Handle(), nullptr, 300, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  a.OptionsFrm.Show();
  EnableWindow(a.MainFrm.Handle(), FALSE);
  a.OptionsFrm.Close();
  EXPECT_TRUE(IsWindowEnabled(a.MainFrm.Handle()));
  const Settings s = LoadSettingsFile(settingsPath);
  EXPECT_EQ(s.tmrRefresh, 200);
  EXPECT_EQ(s.PopupShowTime, 9);
  EXPECT_TRUE(s.Popup);
  EXPECT_EQ(s.PopupLeft, 300);
  EXPECT_EQ(s.PopupTop, 40);
  EXPECT_DOUBLE_EQ(s.MAccelarate, 0.7) << "values read are written back";
  EXPECT_EQ(s.RangeX, 500);
  EXPECT_EQ(s.DeadZoneY, 20);
  EXPECT_EQ(s.Path, "C:\\P\\last.ini");
  EXPECT_THAT(ReadFileBytes(settingsPath), HasSubstr("NumOfButtons=4\r\nPakIndex=0\r\n"));
}

TEST_F(Startup, ARefusedSettingsWriteIsReportedAndTheWindowStillCloses) {
  Application& a = Start("Path=C:\\P\\last.ini\r\n");
  HANDLE lock = CreateFileA(settingsPath.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  a.OptionsFrm.Show();
  EnableWindow(a.MainFrm.Handle(), FALSE);
  auto answered = test::AnswerErrorBox(GetCurrentThreadId());
  a.OptionsFrm.Close();
  const test::Box box = answered.get();
  CloseHandle(lock);
  EXPECT_EQ(box.caption, "Vantrel");
  EXPECT_EQ(box.text, "Unable to write to " + settingsPath + ".");
  EXPECT_FALSE(a.OptionsFrm.Visible());
  EXPECT_TRUE(IsWindowEnabled(a.MainFrm.Handle()));
}

}  // namespace
}  // namespace vantrel
