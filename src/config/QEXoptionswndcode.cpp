#include "config/QEXoptionswndcode.h"

#include <algorithm>

#include "base/Errors.h"
#include "base/IniFile_win.h"
#include "bindings/Profile.h"
#include "config/ProfileFile_win.h"
#include "config/SettingsFile_win.h"
#include "lang/KeptTexts.h"
#include "lang/SetLng_win.h"
#include "resource.h"
#include "ui/ErrorBox_win.h"
#include "ui/FileDialog_win.h"

namespace vantrel {

namespace {

// Runs one step, reporting its error without abandoning the steps after it:
// a refused registry or settings write must not leave the program without
// its rows, nor the options window open.
template <class Step>
void Reported(Step step) {
  try {
    step();
  } catch (const std::exception& e) {
    ShowError(e);
  }
}

std::string ExeFolder() { return FileNamePart(ExePath(), "path"); }

constexpr int kDisplayWidth = 44;
constexpr int kDisplayHeight = 20;
constexpr int kArrowWidth = 14;

}  // namespace

void TOptionsFrm::Create(HWND mainWindow, OptionsHost& host, ProfilePopup& popup,
                         LayerIndicatorSetting& indicator) {
  mainWindow_ = mainWindow;
  host_ = &host;
  popup_ = &popup;
  indicator_ = &indicator;
  LoadSettings();
}

HWND TOptionsFrm::Created() {
  if (!Handle())
    CreateForm({.window = {.className = "TOptionsFrm",
                           .caption = "Options",
                           .style = kFixedDialogStyle,
                           .exStyle = kDialogFrameExStyle,
                           .clientWidth = kClientWidth,
                           .clientHeight = kClientHeight,
                           .owner = mainWindow_},
                .mainWindow = mainWindow_,
                .placement = Placement::CentreOnMain,
                .enablesMainOnClose = true});
  return Handle();
}

// The controls show the settings as their holders keep them, in the
// language last applied.
void TOptionsFrm::FormCreate() {
  CreateControls();
  SetChecked(chbAutoRun, autorunAtStart_);
  SetChecked(chbMinimize, loaded_.Minimize);
  SetChecked(chbPopup, popup_->ShowOnSwitch());
  SetChecked(chbScanCodes, host_->InputPipeline().Settings().scanCodes);
  SetChecked(chbLayerIndicator, indicator_->ShowsLayerChanges());
  EnablePopupControls(popup_->ShowOnSwitch());
  ShowStepper(Stepper::ShowTime);
  ApplyLanguage(Language());
}

HWND TOptionsFrm::Keyed(HWND control, const char* key) {
  keyed_.push_back({control, key});
  return control;
}

HWND TOptionsFrm::AddControl(const char* className, const char* key, DWORD style,
                             const ControlRect& r, int id) {
  return Keyed(
      controls_.Add(Handle(), 0, className, BuiltInText("OptionsWindow", key), style, r, id), key);
}

HWND TOptionsFrm::AddLabel(const char* key, const ControlRect& r) {
  return AddControl("STATIC", key, WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, r, -1);
}

HWND TOptionsFrm::AddMark(const char* text, const ControlRect& r) {
  return controls_.Add(Handle(), 0, "STATIC", text, WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, r, -1);
}

HWND TOptionsFrm::AddButton(const char* key, const ControlRect& r, int id) {
  return Keyed(controls_.AddButton(Handle(), BuiltInText("OptionsWindow", key), r, id), key);
}

void TOptionsFrm::AddStepper(Stepper which, const ControlRect& d) {
  const auto s = static_cast<int>(which);
  stStepper[s] = controls_.Add(Handle(), WS_EX_CLIENTEDGE, "STATIC", "",
                               WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, d,
                               IDC_STEPPER + s, true);
  const int left = d.left + d.width + 1;
  const int half = d.height / 2;
  btnStepUp[s] =
      controls_.AddArrow(Handle(), true, {left, d.top, kArrowWidth, half}, IDC_STEPUP + s);
  btnStepDown[s] = controls_.AddArrow(Handle(), false, {left, d.top + half, kArrowWidth, half},
                                      IDC_STEPDOWN + s);
}

void TOptionsFrm::CreateControls() {
  const KeptTexts& texts = Kept();
  controls_.SetFont(texts.FontName, texts.FontCharset);
  displayBrush_.reset(CreateSolidBrush(kDisplayColour));
  const HWND self = Handle();
  constexpr DWORD kGroup = WS_VISIBLE | BS_GROUPBOX;
  constexpr DWORD kCheck = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
  // The controls first, the group boxes last: a group box draws only its
  // frame, and lies under everything in it.
  cbLng = controls_.Add(self, 0, "COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST,
                        {16, 20, 164, 120}, IDC_CBLNG);
  FillCombo(cbLng, {"English", "Russian", "Other"});
  btnOK = controls_.AddButton(self, "OK", {204, 20, 76, 23}, IDOK);
  btnCancel = controls_.AddButton(self, "Cancel", {292, 20, 76, 23}, IDCANCEL);

  // General, on the left, packed closely enough for its last check box.
  chbAutoRun = AddControl("BUTTON", "Autorun", kCheck, {16, 68, 164, 18}, IDC_CHBAUTORUN);
  chbMinimize =
      AddControl("BUTTON", "Minimize", kCheck | BS_LEFTTEXT, {16, 88, 164, 18}, IDC_CHBMINIMIZE);
  chbPopup =
      AddControl("BUTTON", "PopupWindow", kCheck | BS_LEFTTEXT, {16, 108, 164, 18}, IDC_CHBPOPUP);
  lbShowTime = AddLabel("ShowTime", {24, 130, 92, kDisplayHeight});
  AddStepper(Stepper::ShowTime, {118, 130, kDisplayWidth, kDisplayHeight});
  btnPopupPos = AddButton("PopupPosition", {104, 154, 72, 21}, IDC_BTNPOPUPPOS);
  AddLabel("TurboTimer", {16, 182, 100, kDisplayHeight});
  AddStepper(Stepper::Turbo, {118, 182, kDisplayWidth, kDisplayHeight});
  AddLabel("MouseAccelerate", {16, 204, 100, kDisplayHeight});
  AddStepper(Stepper::MAccel, {118, 204, kDisplayWidth, kDisplayHeight});
  AddLabel("MouseMaxSpeed", {16, 226, 100, kDisplayHeight});
  AddStepper(Stepper::MSpeed, {118, 226, kDisplayWidth, kDisplayHeight});
  AddLabel("PointerCurve", {16, 248, 100, kDisplayHeight});
  AddStepper(Stepper::Curve, {118, 248, kDisplayWidth, kDisplayHeight});
  chbScanCodes = AddControl("BUTTON", "ScanCodes", kCheck, {16, 274, 164, 18}, IDC_CHBSCANCODES);
  chbLayerIndicator =
      AddControl("BUTTON", "LayerIndicator", kCheck, {16, 294, 164, 18}, IDC_CHBLAYERINDICATOR);

  // Joystick, on the right: which controller to read, then its settings.
  cbController = controls_.Add(self, 0, "COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST,
                               {204, 70, 156, 120}, IDC_CBCONTROLLER);
  // The steppers line up with the Y steppers below, leaving the labels
  // room for "Refresh time (ms):".
  AddLabel("Buttons", {204, 98, 96, kDisplayHeight});
  AddStepper(Stepper::Buttons, {300, 98, kDisplayWidth, kDisplayHeight});
  btnAutoDetect = AddButton("AutoDetect", {300, 122, 59, 21}, IDC_BTNAUTODETECT);
  AddLabel("RefreshTime", {204, 152, 96, kDisplayHeight});
  AddStepper(Stepper::Refresh, {300, 152, kDisplayWidth, kDisplayHeight});
  AddLabel("DeadZone", {204, 180, 150, 16});
  AddMark("X:", {204, 198, 14, kDisplayHeight});
  AddStepper(Stepper::DeadX, {218, 198, kDisplayWidth, kDisplayHeight});
  AddMark("Y:", {286, 198, 14, kDisplayHeight});
  AddStepper(Stepper::DeadY, {300, 198, kDisplayWidth, kDisplayHeight});
  // The dead zone of every other axis, measured from where it rests.
  AddControl("STATIC", "DeadZoneAxes", WS_VISIBLE | SS_RIGHT | SS_CENTERIMAGE,
             {204, 222, 92, kDisplayHeight}, -1);
  AddStepper(Stepper::DeadAxes, {300, 222, kDisplayWidth, kDisplayHeight});
  AddLabel("Range", {204, 252, 150, 16});
  AddMark("X:", {204, 270, 14, kDisplayHeight});
  AddStepper(Stepper::RangeX, {218, 270, kDisplayWidth, kDisplayHeight});
  AddMark("Y:", {286, 270, 14, kDisplayHeight});
  AddStepper(Stepper::RangeY, {300, 270, kDisplayWidth, kDisplayHeight});

  // The press times, across the foot: how long makes a hold, a double tap,
  // a tap's keys and a chord.
  AddLabel("HoldTime", {16, 340, 112, kDisplayHeight});
  AddStepper(Stepper::HoldTime, {130, 340, kDisplayWidth, kDisplayHeight});
  AddLabel("DoubleTime", {16, 364, 112, kDisplayHeight});
  AddStepper(Stepper::DoubleTime, {130, 364, kDisplayWidth, kDisplayHeight});
  AddLabel("TapTime", {204, 340, 96, kDisplayHeight});
  AddStepper(Stepper::TapTime, {300, 340, kDisplayWidth, kDisplayHeight});
  AddLabel("ChordTime", {204, 364, 96, kDisplayHeight});
  AddStepper(Stepper::ChordTime, {300, 364, kDisplayWidth, kDisplayHeight});

  GroupLng = AddControl("BUTTON", "Language", kGroup, {8, 2, 180, 50}, IDC_GROUPLNG);
  GroupGeneral = AddControl("BUTTON", "General", kGroup, {8, 52, 180, 268}, IDC_GROUPGENERAL);
  GroupJoystick = AddControl("BUTTON", "Joystick", kGroup, {196, 52, 172, 268}, IDC_GROUPJOYSTICK);
  GroupPresses = AddControl("BUTTON", "PressTimes", kGroup, {8, 322, 360, 72}, IDC_GROUPPRESSES);
}

void TOptionsFrm::ApplyLanguage(const LanguageTexts& texts) {
  if (!Handle()) return;  // the window takes the language when it is made
  const KeptTexts& kept = texts.Kept();
  SetText(Handle(), texts.Text("OptionsWindow", "Caption"));
  controls_.SetFont(kept.FontName, kept.FontCharset);
  for (const auto& [control, key] : keyed_) SetText(control, texts.Text("OptionsWindow", key));
  SetText(btnOK, texts.Text("Common", "OK"));
  SetText(btnCancel, texts.Text("Common", "Cancel"));
}

LRESULT TOptionsFrm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CTLCOLORSTATIC: {
      const HWND control = reinterpret_cast<HWND>(lParam);
      if (std::find(stStepper.begin(), stStepper.end(), control) == stStepper.end()) break;
      const HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, IsWindowEnabled(control) ? RGB(255, 255, 255) : GetSysColor(COLOR_GRAYTEXT));
      SetBkColor(dc, kDisplayColour);
      return reinterpret_cast<LRESULT>(displayBrush_.get());
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id == IDC_CBLNG) {
        if (code == CBN_SELCHANGE) cbLngChange();
        return 0;
      }
      if (id == IDC_CBCONTROLLER) {
        if (code == CBN_SELCHANGE) cbControllerChange();
        return 0;
      }
      // An owner-drawn button reports the second click of a double click on its own.
      if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return 0;
      if (id >= IDC_STEPUP && id < IDC_STEPUP + kStepperCount)
        StepperClick(static_cast<Stepper>(id - IDC_STEPUP), true);
      else if (id >= IDC_STEPDOWN && id < IDC_STEPDOWN + kStepperCount)
        StepperClick(static_cast<Stepper>(id - IDC_STEPDOWN), false);
      else if (id == IDC_BTNAUTODETECT)
        btnAutoDetectClick();
      else if (id == IDC_CHBAUTORUN)
        chbAutoRunClick();
      else if (id == IDC_CHBMINIMIZE)
        chbMinimizeClick();
      else if (id == IDC_CHBPOPUP)
        chbPopupClick();
      else if (id == IDC_CHBSCANCODES)
        chbScanCodesClick();
      else if (id == IDC_BTNPOPUPPOS)
        btnPopupPosClick();
      else if (id == IDOK)
        btnOKClick();
      else if (id == IDCANCEL)
        btnCancelClick();
      return 0;
    }
  }
  return ShellForm::HandleMessage(msg, wParam, lParam);
}

void TOptionsFrm::Show() {
  Created();
  FormShow();
  ShellForm::Show();
  SetFocus(cbLng);  // the first control, where Tab starts
}

void TOptionsFrm::Close() {
  if (Handle()) ShellForm::Close();
}

void TOptionsFrm::FormShow() {
  copy_.Fill(CollectSettings());
  for (int s = 0; s < kStepperCount; ++s)
    if (static_cast<Stepper>(s) != Stepper::ShowTime) ShowStepper(static_cast<Stepper>(s));
  SendMessageA(cbLng, CB_SETCURSEL, static_cast<WPARAM>(LanguageItemOf(PakIndex)), 0);
  SetChecked(chbLayerIndicator, indicator_->ShowsLayerChanges());
  const TJoystick& joystick = host_->Joystick();
  controllers_ = ListControllers(joystick.Attached(), joystick.Wish(),
                                 Language().Text("OptionsWindow", "FirstAttached"));
  FillCombo(cbController, controllers_.items);
  SendMessageA(cbController, CB_SETCURSEL, static_cast<WPARAM>(controllers_.selected), 0);
  SaveScratchProfile();
}

void TOptionsFrm::ShowStepper(Stepper which) {
  Settings shown = copy_.Work();
  if (which == Stepper::ShowTime) shown.PopupShowTime = popup_->ShowTime();
  SetWindowTextA(stStepper[static_cast<int>(which)],
                 StepperText(shown, which, UserDecimalSeparator()).c_str());
}

void TOptionsFrm::StepperClick(Stepper which, bool up) {
  if (which == Stepper::ShowTime) {
    // The show time is live: the popup takes it at once.
    Settings live;
    live.PopupShowTime = popup_->ShowTime();
    Step(live, which, up);
    popup_->SetShowTime(live.PopupShowTime);
  } else {
    copy_.Step(which, up);
  }
  ShowStepper(which);
}

void TOptionsFrm::btnAutoDetectClick() {
  copy_.AutoDetect(host_->Joystick().DeviceButtonCount());
  ShowStepper(Stepper::Buttons);
}

void TOptionsFrm::cbLngChange() {
  const int item = static_cast<int>(SendMessageA(cbLng, CB_GETCURSEL, 0, 0));
  std::optional<std::string> chosen;
  if (item == kOther) {
    const unsigned showing = Showing();
    chosen =
        AskOpenFile({.owner = Handle(), .filter = kLanguageFilter, .initialPath = LanguagePak});
    if (!StillShowing(showing)) return;  // closed meanwhile: the choice comes too late
  }
  const int shown = copy_.ChooseLanguage(item, chosen);
  if (shown != item) SendMessageA(cbLng, CB_SETCURSEL, static_cast<WPARAM>(shown), 0);
}

void TOptionsFrm::cbControllerChange() {
  const auto item = static_cast<int>(SendMessageA(cbController, CB_GETCURSEL, 0, 0));
  if (item < 0 || item >= static_cast<int>(controllers_.wishes.size())) return;
  copy_.ChooseController(controllers_.wishes[static_cast<std::size_t>(item)]);
}

// The registry changes at the click; OK and Cancel leave it alone. A failed
// write is reported and the box stays ticked. So is a value that will not
// go: Windows still starts the program, and the box says so.
void TOptionsFrm::chbAutoRunClick() {
  if (Checked(chbAutoRun)) {
    TurnAutorunOn(ProgramAutoruns(), AutorunCommand(ExePath()));
  } else if (!TurnAutorunOff(ProgramAutoruns())) {
    SetChecked(chbAutoRun, true);
    throw AppError(Language().Text("OptionsWindow", "AutorunOffRefused"));
  }
}

void TOptionsFrm::EnablePopupControls(bool enabled) {
  const auto s = static_cast<int>(Stepper::ShowTime);
  for (HWND control : {lbShowTime, stStepper[s], btnStepUp[s], btnStepDown[s], btnPopupPos})
    EnableWindow(control, enabled);
}

void TOptionsFrm::chbPopupClick() {
  const bool on = Checked(chbPopup);
  popup_->SetShowOnSwitch(on);
  EnablePopupControls(on);
}

// The keys sent from the next event on take it; OK and Cancel leave it.
void TOptionsFrm::chbScanCodesClick() {
  PipelineSettings settings = host_->InputPipeline().Settings();
  settings.scanCodes = Checked(chbScanCodes);
  host_->InputPipeline().Configure(settings);
}

void TOptionsFrm::btnPopupPosClick() { popup_->BeginPositioning(Handle()); }

void TOptionsFrm::btnOKClick() {
  OptionsHost& main = *host_;
  const Settings program = CollectSettings();
  const Settings& work = copy_.Work();
  Pipeline& pipeline = main.InputPipeline();
  PipelineSettings settings =
      PipelineSettingsOf(work, static_cast<std::uint32_t>(pipeline.Settings().turboInterval));
  settings.scanCodes = pipeline.Settings().scanCodes;  // its box changes it at once
  pipeline.Configure(settings);
  main.PollingTimer().SetInterval(TimerInterval(work.tmrRefresh, main.PollingTimer().Interval()));
  TJoystick& joystick = main.Joystick();
  joystick.SetRangeX(work.RangeX);
  joystick.SetRangeY(work.RangeY);
  joystick.SetDeadZoneX(work.DeadZoneX);
  joystick.SetDeadZoneY(work.DeadZoneY);
  main.ChooseController({work.Controller, work.ControllerId});
  // Its box holds the working value: only OK passes it on.
  indicator_->ShowLayerChanges(Checked(chbLayerIndicator));
  PakIndex = work.PakIndex;
  if (copy_.LanguageChanged(program)) {
    SetLng(LanguagePackPath(work.PakIndex, work.LanguagePak, ExeFolder()));
    main.ApplyLanguage();
    LanguagePak = work.LanguagePak;
  }
  if (copy_.ButtonsChanged(program)) {
    main.Construct(work.NumOfButtons);
    LoadBindingsBack();
  }
  Close();
}

void TOptionsFrm::btnCancelClick() { Close(); }

// Every close: the scratch profile goes, the settings are written, and the
// main window is enabled again, whichever way the window was closed.
void TOptionsFrm::FormClose() {
  DeleteScratchProfile();
  Reported([this] { SaveSettings(); });
  ShellForm::FormClose();
}

// The bindings by key name: the directions move when the number of buttons
// changes. The scratch profile on disk is written at each showing, but the
// bindings come back from the copy taken in memory at the same moment: it is
// this program's own (another program of another name in the same folder
// writes the same scratch file), and it cannot fail to be read.
void TOptionsFrm::SaveScratchProfile() {
  BindingTable& table = host_->Table();
  scratchCopy_ = MemoryProfile{};
  SaveIni(table, scratchCopy_);
  scratchPath_ = ScratchProfile();
  scratchWritten_ = false;
  Reported([&] {
    SaveProfileFile(table, scratchPath_);
    scratchWritten_ = true;
  });
}

void TOptionsFrm::LoadBindingsBack() {
  OptionsHost& main = *host_;
  LoadIni(main.Table(), scratchCopy_, 0, &main);
}

void TOptionsFrm::EndOfProgram() noexcept { DeleteScratchProfile(); }

void TOptionsFrm::DeleteScratchProfile() noexcept {
  if (scratchPath_.empty()) return;
  // Only a profile this showing wrote is ours to delete. A scratch profile
  // that will not go is harmless: the next showing writes it afresh.
  if (scratchWritten_) DeleteFileA(scratchPath_.c_str());
  scratchPath_.clear();
  scratchWritten_ = false;
}

// The settings load, at start-up, before this window exists: every window
// it configures is made by then. The order matters: the values first (so
// "Minimize on run" hides the program before it is ever shown), then the
// language, whose texts the rows take, then the rows, which the last profile
// fills.
void TOptionsFrm::LoadSettings() {
  OptionsHost& main = *host_;
  loaded_ = LoadSettingsFile(SettingsFile());
  // The options offer up to 32 buttons, and the table holds no more.
  loaded_.NumOfButtons = std::min<std::uint8_t>(loaded_.NumOfButtons, kMaxButtons);
  LanguagePak = loaded_.LanguagePak;
  PakIndex = loaded_.PakIndex;
  main.InputPipeline().Configure(PipelineSettingsOf(loaded_, 100));
  main.UseInputEvents(loaded_.InputEvents);
  main.PollingTimer().SetInterval(TimerInterval(loaded_.tmrRefresh, 50));
  TJoystick& joystick = main.Joystick();
  joystick.SetRangeX(loaded_.RangeX);
  joystick.SetRangeY(loaded_.RangeY);
  joystick.SetDeadZoneX(loaded_.DeadZoneX);
  joystick.SetDeadZoneY(loaded_.DeadZoneY);
  joystick.SetWish({loaded_.Controller, loaded_.ControllerId});  // taken as it opens
  popup_->SetShowOnSwitch(loaded_.Popup);
  popup_->SetShowTime(loaded_.PopupShowTime);
  popup_->SetPosition({loaded_.PopupLeft, loaded_.PopupTop});
  indicator_->ShowLayerChanges(loaded_.LayerIndicator);
  if (loaded_.MinimizeAtStart) main.MinimizeToTray();
  // A registry that refuses to be read leaves the box unticked. Ticked, the
  // entry follows the program if it has moved.
  const AutorunEntries& autoruns = ProgramAutoruns();
  autorunAtStart_ = AutorunSet(autoruns);
  if (autorunAtStart_) Reported([&] { RefreshAutorun(autoruns, AutorunCommand(ExePath())); });

  SetLng(LanguagePackPath(PakIndex, LanguagePak, ExeFolder()));
  main.ApplyLanguage();
  main.Construct(loaded_.NumOfButtons);
  // The profile loaded here does not become IniPath. With no last profile
  // (a first start) there is nothing to load, and nothing is written.
  if (!loaded_.Path.empty())
    Reported([&] { LoadProfileFile(main.Table(), loaded_.Path, 0, &main); });
  main.InputPipeline().Dispatch.INIIndex = 0;
}

Settings TOptionsFrm::CollectSettings() const {
  OptionsHost& main = *host_;
  Settings s = loaded_;
  s.NumOfButtons = static_cast<std::uint8_t>(main.Table().NumOfButtons());
  s.PakIndex = PakIndex;
  s.LanguagePak = LanguagePak;
  KeepPipelineSettings(s, main.InputPipeline().Settings());
  s.tmrRefresh = static_cast<std::int32_t>(main.PollingTimer().Interval());
  // What was asked for: a value the device refused is still the user's.
  const TJoystick& joystick = main.Joystick();
  s.RangeX = joystick.AskedRangeX();
  s.RangeY = joystick.AskedRangeY();
  s.DeadZoneX = joystick.AskedDeadZoneX();
  s.DeadZoneY = joystick.AskedDeadZoneY();
  s.Controller = joystick.Wish().name;
  s.ControllerId = joystick.Wish().id;
  // Its box holds "Minimize on run" once the window exists.
  if (Handle()) s.Minimize = Checked(chbMinimize);
  s.Popup = popup_->ShowOnSwitch();
  s.PopupShowTime = popup_->ShowTime();
  const POINT popupAt = popup_->Position();
  s.PopupLeft = popupAt.x;
  s.PopupTop = popupAt.y;
  s.LayerIndicator = indicator_->ShowsLayerChanges();
  return s;
}

void TOptionsFrm::SaveSettings() { SaveSettingsFile(SettingsFile(), CollectSettings()); }

}  // namespace vantrel
