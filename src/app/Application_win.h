#pragma once
#include "actions/QEXpopupcode.h"
#include "app/QEXaboutcode.h"
#include "app/QEXhelpwndcode.h"
#include "app/QEXmainwndcode.h"
#include "config/QEXactiondlgcode.h"
#include "config/QEXchangeinidlgcode.h"
#include "config/QEXclickdlgcode.h"
#include "config/QEXemuldlgcode.h"
#include "config/QEXoptionswndcode.h"

namespace vantrel {

// The program: its nine windows, kept for the whole run, and the message loop.
struct Application {
  TMainFrm MainFrm;
  THelpFrm HelpFrm;
  TActionDlg ActionDlg;
  TIniFrm IniFrm;
  TClickDlg ClickDlg;
  TBindEmulDlg BindEmulDlg;
  TAboutBox AboutBox;
  TpopupINI popupINI;
  TOptionsFrm OptionsFrm;

  Application() = default;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Creates the windows in their fixed order: each creation handler may rely
  // on the windows before it, and the options window's, last, runs the
  // settings load, which needs them all.
  void CreateForms();
  // Told the name of each start-up step as it ends; the start-up benchmark
  // times the steps through it.
  void (*StepDone)(const char* step) = nullptr;
  // Shows the main window centred, unless start-up sent the program to the tray.
  void Show(int showCommand);
  // The message loop, with the main window's key preview and shortcuts.
  int Run();
  // One message of the loop: the key previews and shortcuts first.
  void Dispatch(MSG& msg);

 private:
  bool Navigate(MSG& msg);
};

}  // namespace vantrel
