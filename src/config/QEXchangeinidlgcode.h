#pragma once
#include "config/EditorDialog_win.h"
#include "lang/LanguageTexts.h"

namespace vantrel {

// The profile list dialog: the profiles a switching entry cycles through,
// added from a file dialog, removed, reordered or cleared. OK stores the
// list; Cancel puts the entry back.
class TIniFrm : public EditorDialog<TIniFrm>, public LanguageUser {
 public:
  void ApplyLanguage(const LanguageTexts& texts) override;
  static constexpr char kProfileFilter[] = "Ini Files|*.ini";

  void Create(HWND mainWindow, EditorHost& host);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  HWND FocusOnShow() const { return LBINI; }

  void FormShow();
  void btnAddClick();
  void btnRemoveClick();
  void btnupClick();
  void btndownClick();
  void btnClearClick();
  void btnokClick();
  void btnCancelClick();

  HWND btnAdd = nullptr;
  HWND btnRemove = nullptr;
  HWND btnUp = nullptr;
  HWND btnDown = nullptr;
  HWND btnClear = nullptr;
  HWND btnOK = nullptr;
  HWND btnCancel = nullptr;
  HWND LBINI = nullptr;

 private:
  // The list box shows the lines, with their selection.
  void ShowLines();
  // Empties the list, then ends the editing.
  void Finish();

  ProfileLines lines_;
};

}  // namespace vantrel
