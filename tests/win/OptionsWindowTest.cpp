// The options window, driven through its real controls.
#include "win/OptionsFixture_win.h"

namespace vantrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

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
  EXPECT_EQ(a.MainFrm.Actions.Settings().turboInterval, 995);
  EXPECT_DOUBLE_EQ(a.MainFrm.Actions.Settings().mouseAcceleration, 4.9);
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
  EXPECT_EQ(a.MainFrm.Actions.Settings().turboInterval, 110);
  EXPECT_EQ(a.MainFrm.Timer1.Interval(), 60u) << "50 cannot go lower";
  EXPECT_DOUBLE_EQ(a.MainFrm.Actions.Settings().mouseAcceleration, 0.3);
  EXPECT_DOUBLE_EQ(a.MainFrm.Actions.Settings().mouseTopSpeed, 9);
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

TEST_F(Options, ThePressTimesKeepToTheirRangeAndStepAndOnlyOkKeepsThem) {
  Application& a = Start("HoldTime=355\r\nDoubleTime=1000\r\nTapTime=10\r\nChordTime=80\r\n");
  Open();
  const Stepper times[] = {Stepper::HoldTime, Stepper::DoubleTime, Stepper::TapTime,
                           Stepper::ChordTime};
  auto shown = [&] {
    std::vector<std::string> texts;
    for (Stepper s : times) texts.push_back(Text(Display(s)));
    return texts;
  };
  EXPECT_THAT(shown(), ElementsAre("355", "1000", "10", "80"));
  Up(Stepper::HoldTime);
  Up(Stepper::DoubleTime);
  Down(Stepper::TapTime);
  Up(Stepper::ChordTime);
  EXPECT_THAT(shown(), ElementsAre("400", "1000", "10", "90"))
      << "onto the grid, and never past a limit";
  Click(Opts().btnCancel);
  EXPECT_EQ(a.MainFrm.Actions.Settings().chordTime, 80);
  Settings s = Saved();
  EXPECT_EQ((std::vector{s.HoldTime, s.DoubleTime, s.TapTime, s.ChordTime}),
            (std::vector{355, 1000, 10, 80}));

  Open();
  EXPECT_THAT(shown(), ElementsAre("355", "1000", "10", "80"));
  Down(Stepper::HoldTime);
  Down(Stepper::DoubleTime);
  Up(Stepper::TapTime);
  Up(Stepper::TapTime);
  for (int i = 0; i < 20; ++i) Up(Stepper::ChordTime);
  Click(Opts().btnOK);
  const PipelineSettings p = a.MainFrm.Actions.Settings();
  EXPECT_EQ((std::vector{p.holdTime, p.doubleTime, p.tapTime, p.chordTime}),
            (std::vector{350, 950, 30, 200}));
  s = Saved();
  EXPECT_EQ((std::vector{s.HoldTime, s.DoubleTime, s.TapTime, s.ChordTime}),
            (std::vector{350, 950, 30, 200}));
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

// "Show layer changes" goes to the indicator at OK only, and is saved
// however the window closes.
TEST_F(Options, TheLayerIndicatorBoxIsAppliedByOkOnly) {
  Application& a = Start("");
  EXPECT_TRUE(a.LayerIndicator.ShowsLayerChanges());
  Open();
  EXPECT_TRUE(Checked(Opts().chbLayerIndicator));
  Click(Opts().chbLayerIndicator);
  Click(Opts().btnCancel);
  EXPECT_TRUE(a.LayerIndicator.ShowsLayerChanges());
  EXPECT_TRUE(Saved().LayerIndicator);
  Open();
  EXPECT_TRUE(Checked(Opts().chbLayerIndicator)) << "the next showing starts from the program";
  Click(Opts().chbLayerIndicator);
  Click(Opts().btnOK);
  EXPECT_FALSE(a.LayerIndicator.ShowsLayerChanges());
  EXPECT_FALSE(Saved().LayerIndicator);

  app.reset();
  Application& b = Start("LayerIndicator=0\r\n");
  EXPECT_FALSE(b.LayerIndicator.ShowsLayerChanges());
  Open();
  EXPECT_FALSE(Checked(Opts().chbLayerIndicator));
  Click(Opts().btnCancel);
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
  EXPECT_EQ(a.MainFrm.Actions.Settings().turboInterval, 100);
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
  EXPECT_DOUBLE_EQ(a.MainFrm.Actions.Settings().mouseAcceleration, 0.5)
      << "Enter on Cancel cancels";
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
    EXPECT_EQ((std::vector<HWND>{first, GetFocus()}),
              (std::vector<HWND>{about.lbMail, about.lbURL}))
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
}  // namespace
}  // namespace vantrel::test
