// The options, Help and About windows, driven through their real controls
// with the program's windows created in this process and the DirectInput
// double standing in for the joystick.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Application_win.h"
#include "app/RowLayout.h"
#include "base/IniFile_win.h"
#include "config/SettingsFile_win.h"
#include "dinput/DoubleState.h"
#include "lang/KeptTexts.h"
#include "lang/LanguageKeys.h"
#include "resource.h"
#include "win/BoxCounter_win.h"
#include "win/Picture_win.h"
#include "win/TempDir_win.h"

namespace vantrel {
namespace {

using test::ReadFileBytes;
using test::WriteFileBytes;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

std::string Text(HWND hwnd) { return TextOf(hwnd); }
bool Checked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Click(HWND control) { SendMessageA(control, BM_CLICK, 0, 0); }
LOGFONTA FontOf(HWND control) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}
bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A profile for 16 buttons: buttons 1 to 12 and 14 bound, and the four
// directions (stored crossed: the Up row under "Left", and so on).
std::string SixteenButtonProfile() {
  std::string p = "[Bind]\r\n";
  for (int b = 1; b <= 12; ++b)
    p += "Button" + std::to_string(b) + ".Action=3\r\nButton" + std::to_string(b) +
         ".VCode=" + std::to_string(64 + b) + "\r\n";
  p += "Button14.Action=5\r\nButton14.Execute=C:\\x.exe\r\n";
  p += "Left.Action=3\r\nLeft.VCode=38\r\nRight.Action=3\r\nRight.VCode=40\r\n";
  p += "Up.Action=4\r\nUp.MButton=300\r\nDown.Action=4\r\nDown.MButton=301\r\n";
  return p;
}

class Options : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA(test::kDoubleStateVariable, name.c_str());
    state = test::MapDoubleState(name.c_str());
    ASSERT_NE(state, nullptr);
    test::ResetDoubleState(*state);
    SetSettingsFile(settingsPath);
    SetScratchProfile(scratchPath);
    savedAutoruns = ProgramAutoruns();
    SetProgramAutoruns({{HKEY_CURRENT_USER, testKey + "\\Machine", "QEX"},
                        {HKEY_CURRENT_USER, testKey + "\\User", "QEX"}});
  }
  // Whatever an assertion interrupted, the registry keeps nothing of the test.
  void TearDown() override {
    app.reset();
    SetAutorunWriteCheck(nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, testKey.c_str());
    SetProgramAutoruns(savedAutoruns);
    SetSettingsFile(dir / "unused.set");
  }

  Application& Start(const std::string& settings, const std::string& profile = "") {
    std::string text = "[Setup]\r\n" + settings;
    if (!profile.empty()) {
      WriteFileBytes(dir / "pad.ini", profile);
      text += "Path=" + dir / "pad.ini" + "\r\n";
    }
    WriteFileBytes(settingsPath, text);
    app = std::make_unique<Application>();
    app->CreateForms();
    app->Show(SW_SHOWNORMAL);
    app->CompleteStartUp();
    return *app;
  }
  TOptionsFrm& Opts() { return app->OptionsFrm; }
  HWND Main() { return app->MainFrm.Handle(); }
  // As the menu's Options item does.
  void Open() { SendMessageA(Main(), WM_COMMAND, IDM_OPTIONS, 0); }
  HWND Display(Stepper s) { return Opts().stStepper[static_cast<int>(s)]; }
  void Up(Stepper s) { Click(Opts().btnStepUp[static_cast<int>(s)]); }
  void Down(Stepper s) { Click(Opts().btnStepDown[static_cast<int>(s)]); }
  void ChooseLanguage(int item) {
    SendMessageA(Opts().cbLng, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(Opts().Handle(), WM_COMMAND, MAKEWPARAM(IDC_CBLNG, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Opts().cbLng));
  }
  std::string RowCaption(int entry) { return Text(app->MainFrm.Rows.btnJoy[entry]); }
  Settings Saved() { return LoadSettingsFile(settingsPath); }
  // A key pressed where the focus is, through the program's message loop step.
  void Key(WPARAM key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) app->Dispatch(msg);
  }
  test::TempDir dir;
  const std::string name = "vantrel-options-" + std::to_string(GetCurrentProcessId());
  const std::string settingsPath = dir / "Vantrel.set";
  const std::string scratchPath = dir / "qex.tmp";
  const std::string testKey = "Software\\VantrelTest" + std::to_string(GetCurrentProcessId());
  AutorunEntries savedAutoruns;
  test::DoubleState* state = nullptr;
  std::unique_ptr<Application> app;
};

TEST_F(Options, CancelLeavesEveryValueButStillWritesTheSettings) {
  Application& a =
      Start("NumOfButtons=6\r\ntmrTurbo=995\r\nMAccelarate=4.9\r\nRangeX=500\r\nDeadZoneY=20\r\n");
  Open();
  EXPECT_TRUE(Opts().Visible());
  EXPECT_FALSE(IsWindowEnabled(Main()));
  EXPECT_TRUE(Exists(scratchPath)) << "the bindings are kept while the window is open";
  EXPECT_EQ(Text(Display(Stepper::Turbo)), "995");
  Up(Stepper::Turbo);
  EXPECT_EQ(Text(Display(Stepper::Turbo)), "1005");
  Up(Stepper::Turbo);
  EXPECT_EQ(Text(Display(Stepper::Turbo)), "1005");
  Up(Stepper::MAccel);
  EXPECT_EQ(Text(Display(Stepper::MAccel)), "5");
  Up(Stepper::Buttons);
  Down(Stepper::RangeX);
  Click(Opts().btnAutoDetect);
  EXPECT_EQ(Text(Display(Stepper::Buttons)), "12");
  ChooseLanguage(kRussian);
  DeleteFileA(settingsPath.c_str());
  Click(Opts().btnCancel);

  EXPECT_FALSE(Opts().Visible());
  EXPECT_TRUE(IsWindowEnabled(Main()));
  EXPECT_FALSE(Exists(scratchPath));
  EXPECT_EQ(a.MainFrm.Bindings.NumOfButtons(), 6);
  EXPECT_EQ(a.MainFrm.Actions.TurboInterval, 995);
  EXPECT_DOUBLE_EQ(a.MainFrm.Actions.MAccelarate, 4.9);
  EXPECT_EQ(a.MainFrm.DXInput1.Joystick.RangeX(), 500);
  const Settings s = Saved();
  EXPECT_EQ(s.NumOfButtons, 6);
  EXPECT_EQ(s.tmrTurbo, 995);
  EXPECT_EQ(s.RangeX, 500);
  EXPECT_EQ(s.DeadZoneY, 20);
  EXPECT_EQ(s.PakIndex, 0);
  Open();
  EXPECT_EQ(Text(Display(Stepper::Turbo)), "995") << "the next showing starts from the program";
  EXPECT_EQ(SendMessageA(Opts().cbLng, CB_GETCURSEL, 0, 0), kEnglish);
}

TEST_F(Options, OkAppliesTheWorkingCopy) {
  Application& a = Start("MAccelarate=0.2\r\n");
  Open();
  Up(Stepper::Turbo);
  Down(Stepper::Refresh);
  Up(Stepper::Refresh);
  Up(Stepper::MAccel);
  Up(Stepper::MSpeed);
  Down(Stepper::RangeY);
  Down(Stepper::DeadX);
  EXPECT_EQ(Text(Display(Stepper::MAccel)), "0.3");
  Click(Opts().btnOK);
  EXPECT_EQ(a.MainFrm.Actions.TurboInterval, 110);
  EXPECT_EQ(a.MainFrm.Timer1.Interval(), 60u) << "50 cannot go lower";
  EXPECT_DOUBLE_EQ(a.MainFrm.Actions.MAccelarate, 0.3);
  EXPECT_DOUBLE_EQ(a.MainFrm.Actions.MSpeed, 9);
  EXPECT_EQ(a.MainFrm.DXInput1.Joystick.RangeY(), 950);
  EXPECT_EQ(a.MainFrm.DXInput1.Joystick.DeadZoneX(), 45);
  EXPECT_EQ(state->rangeMax[4], 950) << "the device has the new range at once";
  const Settings s = Saved();
  EXPECT_EQ(s.tmrTurbo, 110);
  EXPECT_DOUBLE_EQ(s.MAccelarate, 0.3);
  EXPECT_EQ(s.RangeY, 950);
  EXPECT_TRUE(IsWindowEnabled(Main()));
  EXPECT_FALSE(Exists(scratchPath));
}

TEST_F(Options, PopupTickedThenCancelStaysOnAndIsRecorded) {
  Application& a = Start("");
  Open();
  const HWND showTime = Display(Stepper::ShowTime);
  EXPECT_FALSE(IsWindowEnabled(showTime));
  EXPECT_FALSE(IsWindowEnabled(Opts().btnPopupPos));
  Click(Opts().chbPopup);
  EXPECT_TRUE(IsWindowEnabled(showTime));
  EXPECT_TRUE(IsWindowEnabled(Opts().btnPopupPos));
  EXPECT_TRUE(a.popupINI.ShowOnSwitch()) << "live: the next switch shows the popup";
  Up(Stepper::ShowTime);
  EXPECT_EQ(Text(showTime), "1");
  EXPECT_EQ(a.popupINI.ShowTime(), 1);
  Click(Opts().btnCancel);
  EXPECT_TRUE(a.popupINI.ShowOnSwitch());
  const Settings s = Saved();
  EXPECT_TRUE(s.Popup);
  EXPECT_EQ(s.PopupShowTime, 1);
}

TEST_F(Options, TheDraggedPopupIsSavedAsItsPosition) {
  Application& a = Start("Popup=1\r\nPopupShowTime=7\r\n");
  Open();
  Click(Opts().btnPopupPos);
  EXPECT_TRUE(a.popupINI.Visible());
  EXPECT_FALSE(IsWindowEnabled(Opts().Handle())) << "until the popup is closed";
  SetWindowPos(a.popupINI.Handle(), nullptr, 321, 222, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  a.popupINI.Close();
  EXPECT_TRUE(IsWindowEnabled(Opts().Handle()));
  Click(Opts().btnCancel);
  const Settings s = Saved();
  EXPECT_EQ(s.PopupLeft, 321);
  EXPECT_EQ(s.PopupTop, 222);
  EXPECT_EQ(s.PopupShowTime, 7) << "the show time comes back after positioning";
}

TEST_F(Options, DetectAndOkKeepTheBindingsOfTheButtonsLeftAndOfTheDirections) {
  Application& a = Start("NumOfButtons=16\r\n", SixteenButtonProfile());
  const std::string upText = a.MainFrm.RowText(a.MainFrm.Bindings.EntryUp);
  Open();
  Click(Opts().btnAutoDetect);
  Click(Opts().btnOK);
  const BindingTable& t = a.MainFrm.Bindings;
  ASSERT_EQ(t.NumOfButtons(), 12);
  EXPECT_EQ(std::count_if(a.MainFrm.Rows.btnJoy.begin(), a.MainFrm.Rows.btnJoy.end(),
                          [](HWND row) { return row != nullptr; }),
            16)
      << "12 button rows and 4 direction rows: this joystick has no other axis or hat";
  for (int b = 1; b <= 12; ++b)
    EXPECT_EQ(t[static_cast<std::uint8_t>(b)].VCode, 64 + b) << "button " << b;
  EXPECT_EQ(t[t.EntryUp].VCode, 38);
  EXPECT_EQ(t[t.EntryDown].VCode, 40);
  EXPECT_EQ(t[t.EntryLeft].VCode, 300);
  EXPECT_EQ(t[t.EntryRight].VCode, 301);
  EXPECT_EQ(a.MainFrm.RowText(t.EntryUp), upText);
  EXPECT_EQ(RowCaption(t.EntryUp), "Up");
  EXPECT_FALSE(Exists(scratchPath));
  const Settings s = Saved();
  EXPECT_EQ(s.NumOfButtons, 12);
  EXPECT_EQ(s.Path, dir / "pad.ini") << "the scratch profile never becomes the last profile";
}

TEST_F(Options, AnUnwritableScratchProfileIsReportedOnceAndTheBindingsCarryOverInMemory) {
  // An old scratch profile with other bindings, held open as a read-only
  // folder would refuse the new one.
  WriteFileBytes(scratchPath, "[Bind]\r\nButton1.Action=5\r\nButton1.Execute=stale\r\n");
  const HANDLE lock = CreateFileA(scratchPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  Application& a = Start("NumOfButtons=16\r\n", SixteenButtonProfile());
  test::BoxCounter boxes(GetCurrentThreadId());
  Open();
  Click(Opts().btnAutoDetect);
  Click(Opts().btnOK);
  EXPECT_THAT(boxes.Stop(), ElementsAre("Unable to write to " + scratchPath + "."));
  CloseHandle(lock);
  const BindingTable& t = a.MainFrm.Bindings;
  ASSERT_EQ(t.NumOfButtons(), 12);
  EXPECT_EQ(t[1].Action, ActEmulKey) << "never the stale scratch profile";
  for (int b = 1; b <= 12; ++b)
    EXPECT_EQ(t[static_cast<std::uint8_t>(b)].VCode, 64 + b) << "button " << b;
  EXPECT_EQ(t[t.EntryUp].VCode, 38);
  EXPECT_EQ(t[t.EntryRight].VCode, 301);
  EXPECT_EQ(a.MainFrm.RowText(t.EntryUp), a.MainFrm.Bindings.ActToStr(t.EntryUp));
  EXPECT_THAT(ReadFileBytes(scratchPath), HasSubstr("stale")) << "not ours to delete";
  EXPECT_TRUE(IsWindowEnabled(Main()));
}

TEST_F(Options, NoButtonsDetectedShowsZeroAndOkLeavesTheDirectionRows) {
  state->buttonCount = 0;
  Application& a = Start("", "[Bind]\r\nLeft.Action=3\r\nLeft.VCode=38\r\n");
  Open();
  Click(Opts().btnAutoDetect);
  EXPECT_EQ(Text(Display(Stepper::Buttons)), "0");
  Up(Stepper::Buttons);
  EXPECT_EQ(Text(Display(Stepper::Buttons)), "1");
  Click(Opts().btnAutoDetect);
  Click(Opts().btnOK);
  const BindingTable& t = a.MainFrm.Bindings;
  EXPECT_EQ(t.NumOfButtons(), 0);
  EXPECT_EQ(t.EntryUp, 1);
  EXPECT_EQ(t[t.EntryUp].VCode, 38);
  EXPECT_EQ(RowCaption(1), "Up");
  EXPECT_EQ(RowCaption(4), "Right");
}

TEST_F(Options, RussianWithoutItsPackShowsEnglishAndIsRecorded) {
  Application& a = Start("");
  ASSERT_FALSE(Exists(FileNamePart(ExePath(), "path") + "Russian.lng"));
  Open();
  ChooseLanguage(kRussian);
  Click(Opts().btnOK);
  EXPECT_EQ(Kept().Button, "Button");
  EXPECT_EQ(RowCaption(1), "Button 1");
  const Settings s = Saved();
  EXPECT_EQ(s.PakIndex, 1);
  EXPECT_EQ(s.LanguagePak, "Russian.lng");

  // The same language again applies nothing: the captions stay as they are.
  SetWindowTextA(a.MainFrm.Rows.btnJoy[1], "untouched");
  Open();
  EXPECT_EQ(SendMessageA(Opts().cbLng, CB_GETCURSEL, 0, 0), kRussian);
  ChooseLanguage(kRussian);
  Click(Opts().btnOK);
  EXPECT_EQ(RowCaption(1), "untouched");
}

TEST_F(Options, AnotherPackAppliesToTheRowsAtOk) {
  WriteFileBytes(dir / "de.lng",
                 "[Common]\r\nFontName=Tahoma\r\n[MainWindow]\r\nButton=Taste\r\nTurbo=Schnell\r\n"
                 "Up=Hoch\r\n");
  Application& a = Start("");
  Open();
  auto answered = test::AnswerFileDialog(GetCurrentThreadId(), dir / "de.lng");
  ChooseLanguage(kOther);
  ASSERT_TRUE(answered.get());
  Click(Opts().btnOK);
  EXPECT_EQ(RowCaption(2), "Taste 2");
  EXPECT_EQ(RowCaption(a.MainFrm.Bindings.EntryUp), "Hoch");
  EXPECT_EQ(Text(a.MainFrm.Rows.chbJoy[1]), "Schnell");
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(a.MainFrm.Rows.stJoy[1], WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, "Tahoma");
  const Settings s = Saved();
  EXPECT_EQ(s.PakIndex, 2);
  EXPECT_EQ(s.LanguagePak, dir / "de.lng");
}

TEST_F(Options, UntickingAutorunRemovesTheValueAtOnceAndCancelKeepsItRemoved) {
  const AutorunEntries& entries = ProgramAutoruns();
  WriteAutorun(entries.machine, AutorunCommand(ExePath()));
  Start("");
  Open();
  EXPECT_TRUE(Checked(Opts().chbAutoRun));
  Click(Opts().chbAutoRun);
  EXPECT_FALSE(ReadAutorun(entries.machine));
  EXPECT_FALSE(ReadAutorun(entries.user));
  Click(Opts().btnCancel);
  EXPECT_FALSE(ReadAutorun(entries.machine));
  Open();
  // Ticked again, with every right an administrator has: the user's value alone.
  Click(Opts().chbAutoRun);
  EXPECT_EQ(ReadAutorunValue(entries.user), AutorunCommand(ExePath()));
  EXPECT_FALSE(ReadAutorun(entries.machine));
  Click(Opts().btnCancel);
}

// The machine-wide key as a user without administrator rights meets it.
long RefuseTheMachineWideKey(const AutorunEntry& entry, AutorunStep) {
  return entry.key.ends_with("\\Machine") ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}
// A user's own key that cannot be made.
long FailTheUsersKey(const AutorunEntry& entry, AutorunStep step) {
  return entry.key.ends_with("\\User") && step == AutorunStep::CreateKey ? ERROR_INVALID_PARAMETER
                                                                         : ERROR_SUCCESS;
}
// And a user's own key that lets the key be made but refuses the value.
long RefuseTheMachineWideKeyAndTheUsersValue(const AutorunEntry& entry, AutorunStep step) {
  return step == AutorunStep::SetValue ? ERROR_ACCESS_DENIED : RefuseTheMachineWideKey(entry, step);
}

// A machine-wide value an earlier version wrote keeps the box ticked; a
// start from another folder gives the user his own value, and leaves the
// machine-wide one as it was.
TEST_F(Options, AnOlderMachineWideValueShowsTickedAndIsNeverRewritten) {
  const AutorunEntries& entries = ProgramAutoruns();
  for (const std::string& stored :
       {AutorunCommand(ExePath()), std::string("\"C:\\Old Place\\Vantrel.exe\"")}) {
    SCOPED_TRACE(stored);
    WriteAutorun(entries.machine, stored);
    Start("");
    Open();
    EXPECT_TRUE(Checked(Opts().chbAutoRun));
    EXPECT_EQ(ReadAutorunValue(entries.machine), stored);
    EXPECT_EQ(ReadAutorunValue(entries.user),
              stored == AutorunCommand(ExePath()) ? "" : AutorunCommand(ExePath()));
    Click(Opts().btnCancel);
    app.reset();
    DeleteAutorun(entries.user);
  }
}

TEST_F(Options, AUserRefusedTheMachineWideEntryGetsHisOwnWithoutABox) {
  SetAutorunWriteCheck(&RefuseTheMachineWideKey);
  const AutorunEntry user = ProgramAutoruns().user;
  WriteAutorun(user, "\"C:\\Old Place\\Vantrel.exe\"");

  test::BoxCounter boxes(GetCurrentThreadId());
  Start("");
  EXPECT_EQ(ReadAutorunValue(user), AutorunCommand(ExePath())) << "the moved program follows";
  Open();
  EXPECT_TRUE(Checked(Opts().chbAutoRun));
  Click(Opts().chbAutoRun);
  EXPECT_FALSE(ReadAutorun(user));
  Click(Opts().chbAutoRun);
  EXPECT_EQ(ReadAutorunValue(user), AutorunCommand(ExePath()));
  Click(Opts().btnOK);
  EXPECT_THAT(boxes.Stop(), IsEmpty());
}

// Reported by the step that failed: the key, or the value in a key that
// could be made.
TEST_F(Options, AnyOtherFailureOfTheAutorunWriteIsReportedAndTheBoxStaysTicked) {
  struct Case {
    AutorunWriteCheck check;
    std::string text;
  };
  for (const Case& c :
       {Case{&FailTheUsersKey, "Failed to create key " + testKey + "\\User."},
        Case{&RefuseTheMachineWideKeyAndTheUsersValue, "Failed to set data for 'QEX'"}}) {
    SCOPED_TRACE(c.text);
    SetAutorunWriteCheck(c.check);
    Start("");
    Open();
    test::BoxCounter boxes(GetCurrentThreadId());
    Click(Opts().chbAutoRun);
    EXPECT_THAT(boxes.Stop(), ElementsAre(c.text));
    EXPECT_TRUE(Checked(Opts().chbAutoRun));
    EXPECT_FALSE(ReadAutorun(ProgramAutoruns().user));
    EXPECT_FALSE(ReadAutorun(ProgramAutoruns().machine)) << "never the machine-wide value";
    Click(Opts().btnCancel);
    app.reset();
  }
}

// An administrator set the machine-wide value; the user who unticks the box
// may not remove it, and Windows still starts the program.
TEST_F(Options, AValueThatWillNotGoIsReportedAndTheBoxStaysTicked) {
  const AutorunEntries& entries = ProgramAutoruns();
  WriteAutorun(entries.machine, AutorunCommand(ExePath()));
  WriteAutorun(entries.user, AutorunCommand(ExePath()));
  SetAutorunWriteCheck(&RefuseTheMachineWideKey);
  Start("");
  Open();
  ASSERT_TRUE(Checked(Opts().chbAutoRun));
  test::BoxCounter boxes(GetCurrentThreadId());
  Click(Opts().chbAutoRun);
  EXPECT_THAT(boxes.Stop(), ElementsAre(BuiltInText("OptionsWindow", "AutorunOffRefused")));
  EXPECT_TRUE(Checked(Opts().chbAutoRun));
  EXPECT_EQ(ReadAutorunValue(entries.machine), AutorunCommand(ExePath()));
  EXPECT_FALSE(ReadAutorun(entries.user)) << "what may go, goes";
  Click(Opts().btnOK);
  app.reset();
  Start("");
  Open();
  EXPECT_TRUE(Checked(Opts().chbAutoRun)) << "the next start finds it ticked, as it is";
  Click(Opts().btnCancel);
}

TEST_F(Options, ARangeTheDeviceRefusesIsStillSavedAsAskedFor) {
  state->axisPropertyAnswer = E_NOTIMPL;  // DIERR_UNSUPPORTED
  Application& a = Start("RangeX=500\r\nDeadZoneY=20\r\n");
  EXPECT_EQ(a.MainFrm.DXInput1.Joystick.RangeX(), -1);
  Open();
  EXPECT_EQ(Text(Display(Stepper::RangeX)), "500");
  Click(Opts().btnCancel);
  const Settings s = Saved();
  EXPECT_EQ(s.RangeX, 500);
  EXPECT_EQ(s.DeadZoneY, 20);
}

TEST_F(Options, ClosedByGoingToTheTrayItActsAsCancel) {
  Application& a = Start("");
  Open();
  Up(Stepper::Turbo);
  a.MainFrm.MinimizeToTray();
  EXPECT_FALSE(Opts().Visible());
  EXPECT_FALSE(Exists(scratchPath));
  EXPECT_TRUE(Exists(settingsPath));
  EXPECT_EQ(a.MainFrm.Actions.TurboInterval, 100);
  a.MainFrm.RestoreFromTray();
  EXPECT_TRUE(IsWindowEnabled(Main())) << "never back from the tray to a disabled window";
}

TEST_F(Options, TheAboutWindowHoldsTheMainWindowUntilItCloses) {
  Application& a = Start("");
  SendMessageA(Main(), WM_COMMAND, IDM_ABOUT, 0);
  EXPECT_TRUE(a.AboutBox.Visible());
  EXPECT_FALSE(IsWindowEnabled(Main()));
  EXPECT_EQ(Text(a.AboutBox.Get().lbName), "Vantrel");
  a.AboutBox.Close();
  EXPECT_TRUE(IsWindowEnabled(Main()));
  SendMessageA(Main(), WM_COMMAND, IDM_ABOUT, 0);
  a.MainFrm.MinimizeToTray();
  EXPECT_FALSE(a.AboutBox.Visible());
  EXPECT_TRUE(IsWindowEnabled(Main()));
}

TEST_F(Options, EnterPressesTheFocusedButtonAndOkOnlyFromOtherControls) {
  Application& a = Start("MAccelarate=0.5\r\nNumOfButtons=4\r\n");
  Open();
  EXPECT_EQ(GetFocus(), Opts().cbLng) << "the window opens on its first control";
  Up(Stepper::MAccel);
  SetFocus(Opts().btnCancel);
  Key(VK_RETURN);
  EXPECT_FALSE(Opts().Visible());
  EXPECT_DOUBLE_EQ(a.MainFrm.Actions.MAccelarate, 0.5) << "Enter on Cancel cancels";
  Open();
  SetFocus(Opts().btnStepUp[static_cast<int>(Stepper::Buttons)]);
  Key(VK_RETURN);
  Key(VK_RETURN);
  EXPECT_TRUE(Opts().Visible()) << "Enter on a stepper's arrow steps";
  EXPECT_EQ(Text(Display(Stepper::Buttons)), "6");
  SetFocus(Opts().btnAutoDetect);
  Key(VK_RETURN);
  EXPECT_TRUE(Opts().Visible()) << "Enter on Detect detects";
  EXPECT_EQ(Text(Display(Stepper::Buttons)), "12");
  SetFocus(Opts().chbMinimize);
  Key(VK_RETURN);
  EXPECT_FALSE(Opts().Visible()) << "Enter on a check box is OK";
  EXPECT_EQ(a.MainFrm.Bindings.NumOfButtons(), 12);
}

TEST_F(Options, AboutAndHelpAnswerTheKeyboard) {
  Application& a = Start("");
  for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
    SendMessageA(Main(), WM_COMMAND, IDM_ABOUT, 0);
    ASSERT_TRUE(a.AboutBox.Visible());
    const TAboutBox& about = a.AboutBox.Get();
    SetFocus(about.Handle());
    Key(VK_TAB);
    const HWND first = GetFocus();
    Key(VK_TAB);
    EXPECT_EQ((std::vector<HWND>{first, GetFocus()}), (std::vector<HWND>{about.lbMail, about.lbURL}))
        << "the links take the focus in turn";
    SetFocus(about.Handle());  // Enter on a link would open it
    Key(key);
    EXPECT_FALSE(a.AboutBox.Visible()) << "key " << key;
    EXPECT_TRUE(IsWindowEnabled(Main()));
  }
  WriteFileBytes(FileNamePart(ExePath(), "path") + "readme.txt", "help\r\n");
  SendMessageA(Main(), WM_COMMAND, IDM_HELP, 0);
  EXPECT_EQ(GetFocus(), a.HelpFrm.Get().fsMemo1) << "the text scrolls at once";
  Key(VK_ESCAPE);
  EXPECT_FALSE(a.HelpFrm.Visible());
  DeleteFileA((FileNamePart(ExePath(), "path") + "readme.txt").c_str());
}

// The tray's tip names the controller read; while none is attached, nothing
// looks for one until the system tells of a device.
TEST_F(Options, TheTrayTipNamesTheControllerAndNoTimerWaitsForOne) {
  std::strcpy(state->names[0], "Wireless Controller");
  Application& a = Start("");
  EXPECT_EQ(a.MainFrm.TrayIcon.Tip(), "Vantrel: Wireless Controller");
  state->attached = 0;
  SendMessageA(Main(), WM_DEVICECHANGE, 0x0007 /* DBT_DEVNODES_CHANGED */, 0);
  EXPECT_TRUE(a.MainFrm.tmrRescan.Enabled());
  for (int look = 0; look < 2; ++look) SendMessageA(Main(), WM_TIMER, a.MainFrm.tmrRescan.Id(), 0);
  EXPECT_EQ(a.MainFrm.TrayIcon.Tip(), "Vantrel: no controller attached");
  EXPECT_FALSE(a.MainFrm.tmrRescan.Enabled()) << "the notices of devices are enough";
}

// Where the controller's event tells of every change, the polling timer
// sleeps and a check reads once a second; a device that gives no event is
// polled; while none is open, nothing runs. One just opened is read at once.
TEST_F(Options, ThePollingTimerRunsOnlyWhereNoEventTellsOfAChange) {
  Application& a = Start("");
  TMainFrm& m = a.MainFrm;
  auto running = [&] { return std::pair{m.Timer1.Enabled(), m.tmrInputCheck.Enabled()}; };
  EXPECT_EQ(running(), std::pair(false, true));
  EXPECT_EQ(WaitForSingleObject(m.InputEvent(), 0), WAIT_OBJECT_0) << "read once it is open";
  m.UseInputEvents(false);
  EXPECT_EQ(running(), std::pair(true, false));
  m.UseInputEvents(true);
  EXPECT_EQ(running(), std::pair(false, true));

  state->attached = 0;  // unplugged: the next read loses it
  SendMessageA(Main(), WM_TIMER, m.tmrInputCheck.Id(), 0);
  EXPECT_EQ(running(), std::pair(false, false));

  state->polledDevice = 1;
  state->attached = 1;
  SendMessageA(Main(), WM_DEVICECHANGE, 0x0007 /* DBT_DEVNODES_CHANGED */, 0);
  for (int look = 0; look < 2; ++look) SendMessageA(Main(), WM_TIMER, m.tmrRescan.Id(), 0);
  ASSERT_TRUE(m.DXInput1.Joystick.Opened());
  EXPECT_EQ(m.InputEvent(), nullptr);
  EXPECT_EQ(running(), std::pair(true, false));
}

// The controller's event never runs the reading inside a handler (a tick,
// a dialog's own loop): it stays set, and is read once the handler is over.
TEST_F(Options, AChangeToldWhileAHandlerRunsIsReadAfterIt) {
  Application& a = Start("");
  const HANDLE event = a.MainFrm.InputEvent();
  ASSERT_NE(event, nullptr);
  test::ProgramEvent changed(*state);
  const int reads = state->getDeviceStateCalls;
  a.MainFrm.Ticks.Run([&] {
    test::PushChange(*state, &changed, 48, 0x80);
    ASSERT_EQ(WaitForSingleObject(event, 5000), WAIT_OBJECT_0);
    a.MainFrm.InputSignalled();
    EXPECT_EQ(state->getDeviceStateCalls, reads) << "not read inside the running handler";
  });
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0) << "still set for the loop";
  a.MainFrm.InputSignalled();
  EXPECT_GT(state->getDeviceStateCalls, reads);
  EXPECT_TRUE(a.MainFrm.RowHeld(1));
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST_F(Options, APictureOfTheWindow) {
  Start("NumOfButtons=12\r\nPopup=1\r\nPopupShowTime=5\r\n", SixteenButtonProfile());
  Open();
  test::SavePicture(Opts().Handle(), "options-window");
  Click(Opts().btnCancel);
}

// The Help window: readme.txt beside the executable, not in the working folder.
class Help : public Options {
 protected:
  void TearDown() override {
    DeleteFileA(readme.c_str());
    SetCurrentDirectoryA(FileNamePart(ExePath(), "path").c_str());
    Options::TearDown();
  }
  int Lines() {
    return static_cast<int>(SendMessageA(app->HelpFrm.Get().fsMemo1, EM_GETLINECOUNT, 0, 0));
  }
  const std::string readme = FileNamePart(ExePath(), "path") + "readme.txt";
};

TEST_F(Help, ShowsTheReadmeBesideTheProgramOnceHoweverOftenItOpens) {
  WriteFileBytes(readme, "Vantrel help\r\nsecond line\nthird line\r\n");
  WriteFileBytes(dir / "readme.txt", "the working folder's file\r\n");
  SetCurrentDirectoryA(dir.Path().c_str());
  Application& a = Start("");
  SendMessageA(Main(), WM_COMMAND, IDM_HELP, 0);
  EXPECT_TRUE(a.HelpFrm.Visible());
  EXPECT_TRUE(IsWindowEnabled(Main())) << "Help stands beside the main window";
  SendMessageA(Main(), WM_COMMAND, IDM_HELP, 0);
  a.HelpFrm.Close();
  WriteFileBytes(readme, "Vantrel help\r\nsecond line\nthird line\r\nfourth line");
  SendMessageA(Main(), WM_COMMAND, IDM_HELP, 0);
  SendMessageA(Main(), WM_COMMAND, IDM_HELP, 0);
  EXPECT_EQ(Text(a.HelpFrm.Get().fsMemo1),
            "Vantrel help\r\nsecond line\r\nthird line\r\nfourth line");
  EXPECT_EQ(Lines(), 4);
}

TEST_F(Help, AMissingReadmeIsReportedAndTheWindowOpensEmpty) {
  DeleteFileA(readme.c_str());
  Application& a = Start("");
  test::BoxCounter boxes(GetCurrentThreadId());
  SendMessageA(Main(), WM_COMMAND, IDM_HELP, 0);
  EXPECT_THAT(boxes.Stop(), ElementsAre("File not found."));
  EXPECT_TRUE(a.HelpFrm.Visible());
  EXPECT_EQ(Text(a.HelpFrm.Get().fsMemo1), "");
}

// Language packs, applied at start-up through the settings and at OK.
class Packs : public Options {
 protected:
  Application& StartWithPack(const std::string& pack, const std::string& settings = "") {
    WriteFileBytes(packPath, pack);
    return Start("PakIndex=2\r\nLanguagePak=" + packPath + "\r\n" + settings);
  }
  // As the next start of the program reads the settings the last one wrote.
  Application& Restart() {
    app.reset();
    app = std::make_unique<Application>();
    app->CreateForms();
    app->CompleteStartUp();
    return *app;
  }
  static std::string MenuText(HWND window, UINT id) {
    char text[256] = {};
    GetMenuStringA(GetMenu(window), id, text, sizeof text, MF_BYCOMMAND);
    return text;
  }
  static std::string BarText(HWND window, UINT position) {
    char text[256] = {};
    GetMenuStringA(GetMenu(window), position, text, sizeof text, MF_BYPOSITION);
    return text;
  }
  static std::string Item(HWND combo, int item) {
    char text[256] = {};
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
    return text;
  }
  // The controls the language's font reaches, one of each window.
  std::vector<HWND> FontedControls() {
    Application& a = *app;
    a.OptionsFrm.Created();
    return {a.MainFrm.Rows.fsGAxis, a.MainFrm.Rows.btnJoy[1],  a.MainFrm.Rows.stJoy[1],
            a.ClickDlg.Get().btnOK, a.ClickDlg.Get().CBAction, a.BindEmulDlg.Get().chbSpecKey,
            a.OptionsFrm.GroupLng,  a.OptionsFrm.chbPopup,     a.ActionDlg.Get().btnRun,
            a.IniFrm.Get().btnAdd,  a.IniFrm.Get().btnCancel};
  }
  const std::string packPath = dir / "pack.lng";
};

TEST_F(Packs, OnlyAFontKeepsTheEnglishTextsInThatFont) {
  Application& a = StartWithPack("[Common]\r\nFontName=Tahoma\r\nFontCharset=204\r\n");
  for (HWND control : FontedControls()) {
    const LOGFONTA font = FontOf(control);
    EXPECT_STREQ(font.lfFaceName, "Tahoma");
    EXPECT_EQ(font.lfCharSet, RUSSIAN_CHARSET);
  }
  EXPECT_EQ(Text(a.MainFrm.Rows.fsGAxis), "Axis");
  EXPECT_EQ(RowCaption(1), "Button 1");
  EXPECT_EQ(BarText(Main(), 0), "&File");
  EXPECT_EQ(MenuText(Main(), IDM_OPEN), "&Open\tCtrl+O");
  EXPECT_EQ(MenuText(Main(), IDM_ABOUT), "&About...");
  EXPECT_EQ(Text(a.ClickDlg.Get().Handle()), "Mouse");
  EXPECT_EQ(Text(a.BindEmulDlg.Get().Handle()), "Keyboard");
  EXPECT_EQ(Text(a.OptionsFrm.Created()), "Options");
  EXPECT_EQ(Text(a.OptionsFrm.btnPopupPos), "Position");
  EXPECT_EQ(Text(a.popupINI.Handle()), "Set window position");
  EXPECT_EQ(Text(a.IniFrm.Get().btnClear), "Clear");
  EXPECT_EQ(Text(a.HelpFrm.Get().Handle()), "Help");
}

TEST_F(Packs, AButtonTextNamesTheRowsAfterOkAndAtTheNextStart) {
  WriteFileBytes(packPath, "[MainWindow]\r\nButton=Key\r\n");
  Start("NumOfButtons=6\r\n");
  Open();
  auto answered = test::AnswerFileDialog(GetCurrentThreadId(), packPath);
  ChooseLanguage(kOther);
  ASSERT_TRUE(answered.get());
  Click(Opts().btnOK);
  EXPECT_EQ(RowCaption(1), "Key 1");
  EXPECT_EQ(RowCaption(6), "Key 6");
  Restart();
  EXPECT_EQ(RowCaption(1), "Key 1");
  EXPECT_EQ(RowCaption(7), "Up");
}

TEST_F(Packs, AMouseTextNamesTheMouseDialogItsButtonAndTheMoves) {
  Application& a = StartWithPack("[Common]\r\nMouse=Maus\r\n", "NumOfButtons=6\r\n");
  EXPECT_EQ(Text(a.ClickDlg.Get().Handle()), "Maus");
  EXPECT_EQ(Text(a.ActionDlg.Get().btnEmulClick), "Maus");
  EXPECT_EQ(Item(a.ClickDlg.Get().CBAction, 0), "MouseLButton");
  EXPECT_EQ(Item(a.ClickDlg.Get().CBAction, 2), "Maus Left");
  EXPECT_EQ(Item(a.ClickDlg.Get().CBAction, 5), "Maus Down");
  EXPECT_EQ(Item(a.BindEmulDlg.Get().cbSelect, 9), "Arrow Left");
}

TEST_F(Packs, OkRenamesTheBoundKeysAndMovesOfTheRowsThereAre) {
  WriteFileBytes(packPath, "[Common]\r\nMouse=Maus\r\nArrow=Pfeil\r\n[MainWindow]\r\nUp=Hoch\r\n");
  Application& a = Start("NumOfButtons=6\r\n",
                         "[Bind]\r\nButton1.Action=4\r\nButton1.MButton=901\r\n"
                         "Button2.Action=3\r\nButton2.VCode=38\r\n");
  EXPECT_EQ(Text(a.MainFrm.Rows.stJoy[1]), "Mouse Left");
  Open();
  auto answered = test::AnswerFileDialog(GetCurrentThreadId(), packPath);
  ChooseLanguage(kOther);
  ASSERT_TRUE(answered.get());
  Click(Opts().btnOK);
  EXPECT_EQ(Text(a.MainFrm.Rows.stJoy[1]), "Maus Left");
  EXPECT_EQ(Text(a.MainFrm.Rows.stJoy[2]), "Pfeil Hoch");
  EXPECT_EQ(RowCaption(7), "Hoch");
}

// A window opened before a new language takes it at OK, and one first
// opened after it comes up in it.
TEST_F(Packs, WindowsOpenedBeforeOrAfterOkShowTheNewLanguage) {
  WriteFileBytes(packPath, "[Common]\r\nMouse=Maus\r\n");
  Application& a = Start("NumOfButtons=6\r\n");
  const HWND mouse = a.ClickDlg.Get().Handle();
  EXPECT_EQ(Text(mouse), "Mouse");
  ASSERT_FALSE(a.ActionDlg.Exists());
  Open();
  auto answered = test::AnswerFileDialog(GetCurrentThreadId(), packPath);
  ChooseLanguage(kOther);
  ASSERT_TRUE(answered.get());
  Click(Opts().btnOK);
  EXPECT_EQ(Text(mouse), "Maus");
  EXPECT_EQ(Text(a.ActionDlg.Get().btnEmulClick), "Maus");
}

// A pack that names no file, or names a folder, or holds rubbish, shows
// the built-in texts where it has none of its own, and never stops the program.
TEST_F(Packs, HostilePacksFallBackKeyByKey) {
  const std::string huge(5000, 'W');
  std::string binary = "[MainWindow]\r\nAxis=A\x01\x02\xff\xfe";
  binary += '\0';
  binary += "z\r\n[Common]\r\nFontCharset=Cyrillic\r\nOK=" + huge + "\r\n";
  for (const std::string& path : {dir / "missing.lng", dir.Path(), packPath}) {
    WriteFileBytes(packPath, binary);
    Start("PakIndex=2\r\nLanguagePak=" + path + "\r\n");
    Application& a = *app;
    EXPECT_EQ(Text(a.BindEmulDlg.Get().chbSpecKey), "Choose from list") << path;
    a.OptionsFrm.Created();
    EXPECT_EQ(FontOf(a.OptionsFrm.btnOK).lfCharSet, DEFAULT_CHARSET) << path;
    const std::string ok = path == packPath ? huge.substr(0, kMaxIniText) : "OK";
    EXPECT_EQ(Text(a.OptionsFrm.btnOK), ok) << path;
    app.reset();
  }
  // A pack held open by another program reads as it can, and the program starts.
  const HANDLE locked = CreateFileA(packPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  Start("PakIndex=2\r\nLanguagePak=" + packPath + "\r\n");
  EXPECT_TRUE(IsWindow(Main()));
  CloseHandle(locked);
}

// The report of a value that will not go is a text of the pack applied.
TEST_F(Packs, AValueThatWillNotGoIsReportedInThePacksWords) {
  WriteAutorun(ProgramAutoruns().machine, AutorunCommand(ExePath()));
  SetAutorunWriteCheck(&RefuseTheMachineWideKey);
  StartWithPack("[OptionsWindow]\r\nAutorunOffRefused=Der Autostart bleibt.\r\n");
  Open();
  test::BoxCounter boxes(GetCurrentThreadId());
  Click(Opts().chbAutoRun);
  EXPECT_THAT(boxes.Stop(), ElementsAre("Der Autostart bleibt."));
  Click(Opts().btnCancel);
}

// Whether the text of a control fits inside it in the control's own font;
// a check box's text has the box beside it.
::testing::AssertionResult Fits(HWND control) {
  const std::string text = TextOf(control);
  const HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  RECT r{};
  GetClientRect(control, &r);
  char cls[32] = {};
  GetClassNameA(control, cls, sizeof cls);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  int room = r.right - 2;
  if (std::string(cls) == "Button" && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX) room -= 18;
  if (std::string(cls) == "Button" && (style & BS_TYPEMASK) == BS_GROUPBOX) room -= 16;
  if (size.cx <= room) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << '"' << text << "\" is " << size.cx << " pixels wide in " << room << " of room";
}

// Every button and static text of the windows that hold them fits its control.
void ExpectEveryTextFits(Application& a) {
  std::vector<HWND> controls;
  for (HWND window : {a.MainFrm.Handle(), a.OptionsFrm.Created(), a.ActionDlg.Get().Handle(),
                      a.ClickDlg.Get().Handle(), a.BindEmulDlg.Get().Handle(),
                      a.IniFrm.Get().Handle(), a.AboutBox.Get().Handle(), a.popupINI.Handle()})
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
  for (HWND control : controls) {
    char cls[32] = {};
    GetClassNameA(control, cls, sizeof cls);
    if (std::string(cls) == "Button" || std::string(cls) == "Static") {
      EXPECT_TRUE(Fits(control));
    }
  }
}

TEST_F(Packs, RussianShowsInEveryWindowAndFitsItsControls) {
  std::ifstream source(VANTREL_RUSSIAN_PACK, std::ios::binary);
  ASSERT_TRUE(source);
  Application& a =
      StartWithPack(std::string{std::istreambuf_iterator<char>(source), {}}, "NumOfButtons=6\r\n");
  // The Windows-1251 bytes of the texts compared.
  EXPECT_EQ(RowCaption(1), "\xca\xed\xee\xef\xea\xe0 1");          // Кнопка 1
  EXPECT_EQ(RowCaption(7), "\xc2\xe2\xe5\xf0\xf5");                // Вверх
  EXPECT_EQ(RowCaption(10), "\xc2\xef\xf0\xe0\xe2\xee");           // Вправо
  EXPECT_EQ(Text(a.ClickDlg.Get().Handle()), "\xcc\xfb\xf8\xfc");  // Мышь
  EXPECT_EQ(BarText(Main(), 0), "&\xd4\xe0\xe9\xeb");  // &Файл: its access key marked
  EXPECT_EQ(Text(a.HelpFrm.Get().Handle()), "\xd1\xef\xf0\xe0\xe2\xea\xe0");  // Справка
  a.OptionsFrm.Created();
  EXPECT_EQ(FontOf(a.OptionsFrm.btnOK).lfCharSet, RUSSIAN_CHARSET);
  ExpectEveryTextFits(a);
  // In the pack's own code page the texts are Cyrillic on screen too, and
  // the pictures are taken there.
  char codePage[16] = {};
  if (!GetEnvironmentVariableA("VANTREL_CODE_PAGE", codePage, sizeof codePage)) return;
  ASSERT_EQ(GetACP(), static_cast<UINT>(std::stoi(codePage)));
  wchar_t caption[64] = {};
  GetWindowTextW(a.MainFrm.Rows.btnJoy[1], caption, 64);
  EXPECT_STREQ(caption, L"\u041a\u043d\u043e\u043f\u043a\u0430 1");  // Кнопка 1
  test::SavePicture(Main(), "main-window-ru");
  Open();
  test::SavePicture(Opts().Handle(), "options-window-ru");
  Click(Opts().btnCancel);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

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
  EXPECT_DOUBLE_EQ(a.MainFrm.Actions.MAccelarate, 0.5);
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
  EXPECT_EQ(clientSize(Opts().Created()), (std::vector<int>{Scaled(376, dpi), Scaled(324, dpi)}));
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
}  // namespace vantrel
