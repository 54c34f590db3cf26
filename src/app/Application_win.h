#pragma once
#include "actions/QEXpopupcode.h"
#include "app/LayerIndicator_win.h"
#include "app/LazyForm_win.h"
#include "app/QEXaboutcode.h"
#include "app/QEXhelpwndcode.h"
#include "app/QEXmainwndcode.h"
#include "config/QEXactiondlgcode.h"
#include "config/QEXchangeinidlgcode.h"
#include "config/QEXchordsdlgcode.h"
#include "config/QEXclickdlgcode.h"
#include "config/QEXemuldlgcode.h"
#include "config/QEXlayerdlgcode.h"
#include "config/QEXoptionswndcode.h"
#include "config/QEXprogramsdlgcode.h"

namespace vantrel {

// The program: its windows, kept for the whole run, and the message loop.
// Those that only a command opens are created when first opened.
struct Application {
  TMainFrm MainFrm;
  LazyForm<THelpFrm> HelpFrm{[this](THelpFrm& w) { w.Create(MainFrm.Handle()); }};
  LazyForm<TActionDlg> ActionDlg{[this](TActionDlg& w) {
    w.Create(MainFrm.Handle(), MainFrm,
             {.keys = &BindEmulDlg, .mouse = &ClickDlg, .profiles = &IniFrm, .layer = &LayerDlg});
  }};
  LazyForm<TIniFrm> IniFrm{[this](TIniFrm& w) { w.Create(MainFrm.Handle(), MainFrm); }};
  LazyForm<TClickDlg> ClickDlg{[this](TClickDlg& w) { w.Create(MainFrm.Handle(), MainFrm); }};
  LazyForm<TBindEmulDlg> BindEmulDlg{
      [this](TBindEmulDlg& w) { w.Create(MainFrm.Handle(), MainFrm); }};
  LazyForm<TLayerDlg> LayerDlg{[this](TLayerDlg& w) { w.Create(MainFrm.Handle(), MainFrm); }};
  LazyForm<TAboutBox> AboutBox{[this](TAboutBox& w) { w.Create(MainFrm.Handle()); }};
  LazyForm<TProgramsDlg> ProgramsDlg{
      [this](TProgramsDlg& w) { w.Create(MainFrm.Handle(), MainFrm); }};
  LazyForm<TChordsDlg> ChordsDlg{[this](TChordsDlg& w) { w.Create(MainFrm.Handle(), MainFrm); }};
  TpopupINI popupINI;
  TLayerIndicator LayerIndicator;
  TOptionsFrm OptionsFrm;

  Application() = default;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Creates the windows needed from the start in their fixed order, each
  // relying on those before it, then runs the settings load, which
  // configures them.
  void CreateForms();
  // Told the name of each start-up step as it ends; the start-up benchmark
  // times the steps through it.
  void (*StepDone)(const char* step) = nullptr;
  // Shows the main window centred, unless start-up sent the program to the tray.
  void Show(int showCommand);
  // The start-up steps that can wait until the main window is on the screen.
  void CompleteStartUp();
  // The message loop, with the main window's key preview and shortcuts.
  int Run();
  // One message of the loop: the key previews and shortcuts first.
  void Dispatch(MSG& msg);

 private:
  bool Navigate(MSG& msg);
};

}  // namespace vantrel
