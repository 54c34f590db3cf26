#pragma once
#include <array>
#include <string>

#include "actions/ProfilePopup_win.h"
#include "config/Options.h"
#include "config/OptionsHost.h"
#include "config/Settings.h"
#include "input/ControllerChoice.h"
#include "lang/LanguageTexts.h"
#include "ui/Controls_win.h"
#include "ui/Window_win.h"

namespace vantrel {

// The options window. Made ready last of all windows at start-up, when it
// runs the settings load, which configures the windows made before it; the
// window itself is created at its first showing. The
// steppers and the language edit a working copy that only OK applies; the
// check boxes, the show time and the popup's position change the program at
// once, but for "Show layer changes", which OK applies. Every close writes
// the settings file, and any close but OK acts as Cancel.
class TOptionsFrm : public ShellForm<TOptionsFrm>, public LanguageUser {
 public:
  static constexpr int kClientWidth = 376;
  static constexpr int kClientHeight = 400;

  void ApplyLanguage(const LanguageTexts& texts) override;
  // Runs the settings load; the window waits for its first showing.
  void Create(HWND mainWindow, OptionsHost& host, ProfilePopup& popup,
              LayerIndicatorSetting& indicator);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void Show() override;
  // Closing a window never shown does nothing.
  void Close() override;
  // The window's handle, the window being created first if it was not yet.
  HWND Created();
  void FormCreate();
  void FormShow();
  void FormClose();

  void StepperClick(Stepper which, bool up);
  void btnAutoDetectClick();
  void cbLngChange();
  void cbControllerChange();
  void chbAutoRunClick();
  void chbMinimizeClick() {}  // the box itself holds the setting
  void chbPopupClick();
  void chbScanCodesClick();
  void btnPopupPosClick();
  void btnOKClick();
  void btnCancelClick();

  // The language: 0 English, 1 Russian, 2 a pack by full path.
  std::uint8_t PakIndex = 0;
  std::string LanguagePak;

  // The program ends, maybe with the window open: its scratch profile goes,
  // and nothing is saved.
  void EndOfProgram() noexcept;

  // The settings as they stand in their holders, as the close writes them.
  Settings CollectSettings() const;
  const OptionsCopy& Working() const { return copy_; }

  HWND GroupLng = nullptr;
  HWND GroupGeneral = nullptr;
  HWND GroupJoystick = nullptr;
  HWND GroupPresses = nullptr;
  HWND cbLng = nullptr;
  HWND cbController = nullptr;
  HWND chbAutoRun = nullptr;
  HWND chbMinimize = nullptr;
  HWND chbPopup = nullptr;
  HWND chbScanCodes = nullptr;
  HWND chbLayerIndicator = nullptr;
  HWND lbShowTime = nullptr;
  HWND btnPopupPos = nullptr;
  HWND btnAutoDetect = nullptr;
  HWND btnOK = nullptr;
  HWND btnCancel = nullptr;
  // Indexed by Stepper: the display and its two buttons.
  std::array<HWND, kStepperCount> stStepper{};
  std::array<HWND, kStepperCount> btnStepUp{};
  std::array<HWND, kStepperCount> btnStepDown{};

 private:
  void CreateControls();
  // Controls captioned by a key of [OptionsWindow], which a new language relabels.
  HWND Keyed(HWND control, const char* key);
  HWND AddControl(const char* className, const char* key, DWORD style, const ControlRect& r,
                  int id);
  HWND AddLabel(const char* key, const ControlRect& r);
  HWND AddButton(const char* key, const ControlRect& r, int id);
  // The "X:" and "Y:" marks, which no pack translates.
  HWND AddMark(const char* text, const ControlRect& r);
  void AddStepper(Stepper which, const ControlRect& display);
  void ShowStepper(Stepper which);
  void EnablePopupControls(bool enabled);
  void LoadSettings();
  void SaveSettings();
  void SaveScratchProfile();
  void LoadBindingsBack();
  void DeleteScratchProfile() noexcept;

  // The values read at start-up. The close collects every value from its
  // holder; only the last profile's path is not among them (the profile
  // commands keep it in the file themselves).
  Settings loaded_;
  OptionsCopy copy_;
  // The controllers the list offers at this showing, and their wishes.
  ControllerList controllers_;
  // The scratch profile of this showing: its path while it exists, whether
  // it was written, and the same bindings in memory, which OK reads back.
  std::string scratchPath_;
  bool scratchWritten_ = false;
  MemoryProfile scratchCopy_;
  std::vector<std::pair<HWND, const char*>> keyed_;
  GdiHandle displayBrush_;
  // Whether the autorun entry was set when the settings were loaded: the
  // box starts from it, then holds it.
  bool autorunAtStart_ = false;
  HWND mainWindow_ = nullptr;
  OptionsHost* host_ = nullptr;
  ProfilePopup* popup_ = nullptr;
  LayerIndicatorSetting* indicator_ = nullptr;
};

}  // namespace vantrel
