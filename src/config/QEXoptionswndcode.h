#pragma once
#include "actions/ProfilePopup_win.h"
#include "config/OptionsHost.h"
#include "config/Settings.h"
#include "ui/Window_win.h"

namespace vantrel {

// The options window. Created last of all windows; its creation runs the
// settings load, which configures the windows created before it, and every
// close writes the settings file.
class TOptionsFrm : public ShellForm<TOptionsFrm> {
 public:
  void Create(HWND mainWindow, OptionsHost& host, ProfilePopup& popup);
  void FormCreate();
  void FormClose();

  // The check boxes that hold the Minimize and Autorun settings (the popup
  // keeps its own).
  bool chbMinimize = false;
  bool chbAutoRun = false;
  // The language: 0 English, 1 Russian, 2 a pack by full path.
  std::uint8_t PakIndex = 0;
  std::string LanguagePak;

  // The settings as they stand in their holders, as the close writes them.
  Settings CollectSettings() const;

 private:
  void LoadSettings();
  void SaveSettings();
  void chbAutoRunClick();

  // The values read at start-up. The close collects every value from its
  // holder; only the last profile's path is not among them (the profile
  // commands keep it in the file themselves).
  Settings loaded_;
  OptionsHost* host_ = nullptr;
  ProfilePopup* popup_ = nullptr;
};

}  // namespace vantrel
