#pragma once
#include "config/EditorHost.h"
#include "lang/LanguageTexts.h"
#include "ui/Controls_win.h"
#include "ui/Window_win.h"

namespace vantrel {

// The dialogs the action dialog hands the entry over to.
struct ActionTargets {
  Form* keys = nullptr;      // TBindEmulDlg
  Form* mouse = nullptr;     // TClickDlg
  Form* profiles = nullptr;  // TIniFrm
  Form* layer = nullptr;     // TLayerDlg
};

// The action dialog: chooses what kind of action the entry being edited
// gets. Four of its buttons hand the entry over to the dialog of that kind;
// Run picks a program and finishes the binding itself. In a layer, "Same as
// below" and "Nothing" finish it too: the entry lets the layers below
// decide, or does nothing while the layer is on.
class TActionDlg : public ShellForm<TActionDlg>, public LanguageUser {
 public:
  void ApplyLanguage(const LanguageTexts& texts) override;
  static constexpr char kRunFilter[] = "Executable program|*.exe;*.lnk;*.bat";

  void Create(HWND mainWindow, EditorHost& host, ActionTargets targets);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Opens with the first choice focused, so that the keyboard can choose;
  // the two choices of a layer show only while a layer is edited.
  void Show() override;
  // Closed any other way than by a button, it acts as Cancel.
  void FormClose();

  void btnEmulKeyClick();
  void btnEmulClickClick();
  void btnRunClick();
  void btnChangeIniClick();
  void btnLayerClick();
  void btnSameAsBelowClick();
  void btnNothingClick();
  void btnCancelClick();

  HWND btnEmulKey = nullptr;
  HWND btnEmulClick = nullptr;
  HWND btnRun = nullptr;
  HWND btnChangeIni = nullptr;
  HWND btnLayer = nullptr;
  HWND btnSameAsBelow = nullptr;
  HWND btnNothing = nullptr;
  HWND btnCancel = nullptr;

 private:
  void HandOver(Form* dialog);
  // Shows or hides the choices of a layer, Cancel below the last choice
  // shown and the window's height with it.
  void LayOut(bool inLayer);
  // Enables the main window and hides the dialog.
  void Finish();

  EditorHost* host_ = nullptr;
  ActionTargets targets_;
};

}  // namespace vantrel
