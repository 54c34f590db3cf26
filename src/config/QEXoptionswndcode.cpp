#include "config/QEXoptionswndcode.h"

#include "app/Forms_win.h"
#include "actions/QEXpopupcode.h"
#include "app/QEXmainwndcode.h"
#include "bindings/ProfileFile_win.h"
#include "config/IniFile_win.h"
#include "config/Paths.h"
#include "config/SettingsFile_win.h"

namespace vantrel {

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

// The settings load. Every window it configures already exists: this one is
// created last. Its order matters: the values first (so "Minimize on run"
// hides the program before it is ever shown), then the language pack, whose
// texts the rows take, then the rows, which the last profile fills.
void TOptionsFrm::LoadSettings() {
  TMainFrm& main = *Forms().MainFrm;
  const Settings settings = LoadSettingsFile(SettingsFile());
  main.Timer1.SetInterval(static_cast<UINT>(settings.tmrRefresh));
  main.tmrTurbo.SetInterval(static_cast<UINT>(settings.tmrTurbo));
  SetWindowPos(Forms().popupINI->Handle(), nullptr, settings.PopupLeft, settings.PopupTop, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (settings.MinimizeAtStart) main.MinimizeToTray();
  // The language pack goes here, before the rows.
  main.Construct(settings.NumOfButtons);
  // The profile loaded here does not become IniPath. With no last profile
  // (a first start) there is nothing to load, and nothing is written: a
  // settings file appears only when there is something to keep.
  if (!settings.Path.empty()) LoadProfileFile(main.Bindings, settings.Path, 0, &main);
}

}  // namespace vantrel
