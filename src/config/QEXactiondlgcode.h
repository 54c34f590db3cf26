#pragma once
#include <array>

#include "config/BindingEditor.h"
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
// gets. Press, Hold and Double tap above choose which of its actions: the
// entry's own, or the one a hold or a double tap does, which Remove
// unbinds. Four of its buttons hand that action over to the dialog of that
// kind; Run picks a program and finishes the binding itself. In a layer,
// "Same as below" and "Nothing" finish it too, for the whole entry: it lets
// the layers below decide, or does nothing while the layer is on. A chord's
// action has neither parts nor a layer's choices.
class TActionDlg : public ShellForm<TActionDlg>, public LanguageUser {
 public:
  void ApplyLanguage(const LanguageTexts& texts) override;
  static constexpr char kRunFilter[] = "Executable program|*.exe;*.lnk;*.bat";

  void Create(HWND mainWindow, EditorHost& host, ActionTargets targets);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Opens on Press with the first kind focused, so that the keyboard can
  // choose; the two choices of a layer show only while a layer is edited.
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
  void rbPartClick(EntryEditor::Part part);
  void btnRemovePartClick();

  HWND btnEmulKey = nullptr;
  HWND btnEmulClick = nullptr;
  HWND btnRun = nullptr;
  HWND btnChangeIni = nullptr;
  HWND btnLayer = nullptr;
  HWND btnSameAsBelow = nullptr;
  HWND btnNothing = nullptr;
  HWND btnCancel = nullptr;
  std::array<HWND, 3> rbPart{};  // Press, Hold, Double tap
  HWND btnRemovePart = nullptr;

 private:
  void HandOver(Form* dialog);
  // Stacks the controls shown, top to bottom (the parts not for a chord,
  // the choices of a layer only in one), and fits the window's height to them.
  void LayOut(bool inLayer, bool chord);
  // The part chosen becomes the one edited; Remove is offered for a part
  // that is there.
  void ChoosePart(EntryEditor::Part part);
  // Enables the main window and hides the dialog.
  void Finish();

  EditorHost* host_ = nullptr;
  ActionTargets targets_;
};

}  // namespace vantrel
