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
};

// The action dialog: chooses what kind of action the entry being edited
// gets. Three of its buttons hand the entry over to the dialog of that kind;
// Run picks a program and finishes the binding itself.
class TActionDlg : public ShellForm<TActionDlg>, public LanguageUser {
 public:
  void ApplyLanguage(const LanguageTexts& texts) override;
  static constexpr char kRunFilter[] = "Executable program|*.exe;*.lnk;*.bat";

  void Create(HWND mainWindow, EditorHost& host, ActionTargets targets);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Opens with the first choice focused, so that the keyboard can choose.
  void Show() override;
  // Closed any other way than by a button, it acts as Cancel.
  void FormClose();

  void btnEmulKeyClick();
  void btnEmulClickClick();
  void btnRunClick();
  void btnChangeIniClick();
  void btnCancelClick();

  HWND btnEmulKey = nullptr;
  HWND btnEmulClick = nullptr;
  HWND btnRun = nullptr;
  HWND btnChangeIni = nullptr;
  HWND btnCancel = nullptr;

 private:
  void HandOver(Form* dialog);
  // Enables the main window and hides the dialog.
  void Finish();

  EditorHost* host_ = nullptr;
  ActionTargets targets_;
};

}  // namespace vantrel
