#pragma once
#include "config/EditorDialog_win.h"
#include "lang/LanguageTexts.h"

namespace vantrel {

// The key binding dialog: the key is captured by pressing it (or picked from
// a list of keys that are awkward to press), the modifier chosen from a list.
// Every choice is written into the entry at once; Cancel puts it back.
class TBindEmulDlg : public EditorDialog<TBindEmulDlg>, public LanguageUser {
 public:
  void ApplyLanguage(const LanguageTexts& texts) override;
  void Create(HWND mainWindow, EditorHost& host);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  HWND FocusOnShow() const { return STKey; }

  // The dialog's key preview, called by the message loop before a message is
  // dispatched: every key pressed while the dialog is active is captured,
  // whichever control has the focus. Ordinary keys go on to that control;
  // system keys (Alt, F10, Alt+letter) are swallowed, so that they never
  // move the focus to a menu. Returns true when the message is swallowed.
  bool PreviewKey(const MSG& msg);

  void FormShow();
  void FormKeyDown(std::uint16_t key);
  void cbSelectChange();
  void cbShiftChange();
  void chbSpecKeyClick();
  void STKeyClick();
  void btnOKClick();
  void btnCancelClick();

  HWND cbShift = nullptr;
  HWND Label1 = nullptr;
  HWND STKey = nullptr;
  HWND cbSelect = nullptr;
  HWND chbSpecKey = nullptr;
  HWND btnOK = nullptr;
  HWND btnCancel = nullptr;

 private:
  GdiHandle keyBrush_;
};

}  // namespace vantrel
