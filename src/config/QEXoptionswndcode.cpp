#include "config/QEXoptionswndcode.h"

#include <algorithm>

#include "base/IniFile_win.h"
#include "config/ProfileFile_win.h"
#include "config/SettingsFile_win.h"
#include "lang/SetLng_win.h"
#include "ui/ErrorBox_win.h"

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

void TOptionsFrm::Create(HWND mainWindow, OptionsHost& host, ProfilePopup& popup) {
  host_ = &host;
  popup_ = &popup;
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
  OptionsHost& main = *host_;
  loaded_ = LoadSettingsFile(SettingsFile());
  // The options offer up to 32 buttons, and the table holds no more.
  loaded_.NumOfButtons = std::min<std::uint8_t>(loaded_.NumOfButtons, kMaxButtons);
  LanguagePak = loaded_.LanguagePak;
  PakIndex = loaded_.PakIndex;
  main.Dispatch().MAccelarate = loaded_.MAccelarate;
  main.Dispatch().MSpeed = loaded_.MSpeed;
  main.TurboTimer().SetInterval(TimerInterval(loaded_.tmrTurbo, 100));
  main.PollingTimer().SetInterval(TimerInterval(loaded_.tmrRefresh, 50));
  TJoystick& joystick = main.Joystick();
  joystick.SetRangeX(loaded_.RangeX);
  joystick.SetRangeY(loaded_.RangeY);
  joystick.SetDeadZoneX(loaded_.DeadZoneX);
  joystick.SetDeadZoneY(loaded_.DeadZoneY);
  popup_->SetShowOnSwitch(loaded_.Popup);
  popup_->SetShowTime(loaded_.PopupShowTime);
  popup_->SetPosition({loaded_.PopupLeft, loaded_.PopupTop});
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
    Reported([&] { LoadProfileFile(main.Table(), loaded_.Path, 0, &main); });
  main.Dispatch().INIIndex = 0;
}

void TOptionsFrm::chbAutoRunClick() {
  if (chbAutoRun)
    WriteAutorun(ProgramAutorun(), AutorunCommand(ExePath()));
  else
    DeleteAutorun(ProgramAutorun());
}

Settings TOptionsFrm::CollectSettings() const {
  OptionsHost& main = *host_;
  Settings s = loaded_;
  s.NumOfButtons = static_cast<std::uint8_t>(main.Table().NumOfButtons());
  s.PakIndex = PakIndex;
  s.LanguagePak = LanguagePak;
  s.tmrTurbo = static_cast<std::int32_t>(main.TurboTimer().Interval());
  s.tmrRefresh = static_cast<std::int32_t>(main.PollingTimer().Interval());
  s.MAccelarate = main.Dispatch().MAccelarate;
  s.MSpeed = main.Dispatch().MSpeed;
  const TJoystick& joystick = main.Joystick();
  s.RangeX = joystick.RangeX();
  s.RangeY = joystick.RangeY();
  s.DeadZoneX = joystick.DeadZoneX();
  s.DeadZoneY = joystick.DeadZoneY();
  s.Minimize = chbMinimize;
  s.Popup = popup_->ShowOnSwitch();
  s.PopupShowTime = popup_->ShowTime();
  const POINT popupAt = popup_->Position();
  s.PopupLeft = popupAt.x;
  s.PopupTop = popupAt.y;
  return s;
}

void TOptionsFrm::SaveSettings() { SaveSettingsFile(SettingsFile(), CollectSettings()); }

}  // namespace vantrel
