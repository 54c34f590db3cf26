#include "config/QEXoptionswndcode.h"

#include <algorithm>

#include "actions/QEXpopupcode.h"
#include "app/ErrorBox_win.h"
#include "app/Forms_win.h"
#include "app/QEXmainwndcode.h"
#include "bindings/ProfileFile_win.h"
#include "config/IniFile_win.h"
#include "config/SettingsFile_win.h"
#include "lang/SetLng_win.h"

namespace vantrel {

namespace {

// A hand-edited interval of 0 or less would stop its timer for good.
UINT TimerInterval(std::int32_t stored, UINT fallback) {
  return stored > 0 ? static_cast<UINT>(stored) : fallback;
}

// Runs one step of the start-up, reporting its error without abandoning the
// steps after it: a refused registry or settings write must not leave the
// program without its rows.
template <class Step>
void Reported(Step step) {
  try {
    step();
  } catch (const std::exception& e) {
    ShowError(e);
  }
}

}  // namespace

void TOptionsFrm::Create(HWND mainWindow) {
  CreateForm({.window = {.className = "TOptionsFrm",
                         .caption = "Options",
                         .style = kFixedDialogStyle,
                         .exStyle = kDialogFrameExStyle,
                         .clientWidth = 400,
                         .clientHeight = 300,
                         .owner = mainWindow},
              .mainWindow = mainWindow,
              .placement = Placement::CentreOnMain,
              .enablesMainOnClose = true});
}

void TOptionsFrm::FormCreate() { LoadSettings(); }

void TOptionsFrm::FormClose() {
  // Every close writes the settings, OK or Cancel; a refused write is
  // reported and the window still closes.
  Reported([this] { SaveSettings(); });
  ShellForm::FormClose();
}

// The settings load. Every window it configures already exists: this one is
// created last. The order matters: the values first (so "Minimize on run"
// hides the program before it is ever shown), then the language, whose texts
// the rows take, then the rows, which the last profile fills.
void TOptionsFrm::LoadSettings() {
  TMainFrm& main = *Forms().MainFrm;
  loaded_ = LoadSettingsFile(SettingsFile());
  // The options offer up to 32 buttons, and the table holds no more.
  loaded_.NumOfButtons = std::min<std::uint8_t>(loaded_.NumOfButtons, kMaxButtons);
  LanguagePak = loaded_.LanguagePak;
  PakIndex = loaded_.PakIndex;
  main.Actions.MAccelarate = loaded_.MAccelarate;
  main.Actions.MSpeed = loaded_.MSpeed;
  main.tmrTurbo.SetInterval(TimerInterval(loaded_.tmrTurbo, 100));
  main.Timer1.SetInterval(TimerInterval(loaded_.tmrRefresh, 50));
  TJoystick& joystick = main.DXInput1.Joystick;
  joystick.SetRangeX(loaded_.RangeX);
  joystick.SetRangeY(loaded_.RangeY);
  joystick.SetDeadZoneX(loaded_.DeadZoneX);
  joystick.SetDeadZoneY(loaded_.DeadZoneY);
  chbPopup = loaded_.Popup;
  main.PopupShowTime = loaded_.PopupShowTime;
  SetWindowPos(Forms().popupINI->Handle(), nullptr, loaded_.PopupLeft, loaded_.PopupTop, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  chbMinimize = loaded_.Minimize;
  if (loaded_.MinimizeAtStart) main.MinimizeToTray();
  // A registry that refuses to be read leaves the box unticked. Ticked, the
  // entry is written again, so it follows the program if it has moved.
  chbAutoRun = ReadAutorun(ProgramAutorun());
  if (chbAutoRun) Reported([this] { chbAutoRunClick(); });

  SetLng(LanguagePackPath(PakIndex, LanguagePak, FileNamePart(ExePath(), "path")));
  main.Construct(loaded_.NumOfButtons);
  // The profile loaded here does not become IniPath. With no last profile
  // (a first start) there is nothing to load, and nothing is written.
  if (!loaded_.Path.empty())
    Reported([&] { LoadProfileFile(main.Bindings, loaded_.Path, 0, &main); });
  main.Actions.INIIndex = 0;
}

void TOptionsFrm::chbAutoRunClick() {
  if (chbAutoRun)
    WriteAutorun(ProgramAutorun(), AutorunCommand(ExePath()));
  else
    DeleteAutorun(ProgramAutorun());
}

Settings TOptionsFrm::CollectSettings() const {
  const TMainFrm& main = *Forms().MainFrm;
  Settings s = loaded_;
  s.NumOfButtons = static_cast<std::uint8_t>(main.Bindings.NumOfButtons());
  s.PakIndex = PakIndex;
  s.LanguagePak = LanguagePak;
  s.tmrTurbo = static_cast<std::int32_t>(main.tmrTurbo.Interval());
  s.tmrRefresh = static_cast<std::int32_t>(main.Timer1.Interval());
  s.MAccelarate = main.Actions.MAccelarate;
  s.MSpeed = main.Actions.MSpeed;
  const TJoystick& joystick = main.DXInput1.Joystick;
  s.RangeX = joystick.RangeX();
  s.RangeY = joystick.RangeY();
  s.DeadZoneX = joystick.DeadZoneX();
  s.DeadZoneY = joystick.DeadZoneY();
  s.Minimize = chbMinimize;
  s.Popup = chbPopup;
  s.PopupShowTime = main.PopupShowTime;
  RECT popup{};
  GetWindowRect(Forms().popupINI->Handle(), &popup);
  s.PopupLeft = popup.left;
  s.PopupTop = popup.top;
  return s;
}

void TOptionsFrm::SaveSettings() { SaveSettingsFile(SettingsFile(), CollectSettings()); }

}  // namespace vantrel
