#pragma once
#include "config/EditorDialog_win.h"
#include "lang/LanguageTexts.h"

namespace vantrel {

// The mouse action dialog: a mouse button or a pointer movement for the
// entry being edited. The choice is written into the entry at once; Cancel
// puts the entry back.
class TClickDlg : public EditorDialog<TClickDlg>, public LanguageUser {
 public:
  void ApplyLanguage(const LanguageTexts& texts) override;
  void Create(HWND mainWindow, EditorHost& host);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  HWND FocusOnShow() const { return CBAction; }

  void FormShow();
  void CBActionChange();
  void btnOKClick();
  void btnCancelClick();

  HWND CBAction = nullptr;
  HWND btnOK = nullptr;
  HWND btnCancel = nullptr;
};

}  // namespace vantrel
