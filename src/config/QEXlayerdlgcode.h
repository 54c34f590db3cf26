#pragma once
#include <array>

#include "config/EditorDialog_win.h"
#include "config/LayerChoice.h"
#include "lang/LanguageTexts.h"

namespace vantrel {

// The layer dialog: the layer the entry being edited puts on, how (Hold,
// Toggle, Once, Set; with Set also back to the base), and the chosen
// layer's name. OK writes the entry and the names; Cancel puts the entry
// back and keeps the names as they were.
class TLayerDlg : public EditorDialog<TLayerDlg>, public LanguageUser {
 public:
  void ApplyLanguage(const LanguageTexts& texts) override;
  void Create(HWND mainWindow, EditorHost& host);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  HWND FocusOnShow() const { return cbLayer; }

  void FormShow();
  void cbLayerChange();
  void edNameChange();
  void rbModeClick(int item);
  void btnOKClick();
  void btnCancelClick();

  const LayerChoice& Choice() const { return choice_; }

  HWND lbLayer = nullptr;
  HWND cbLayer = nullptr;
  HWND lbName = nullptr;
  HWND edName = nullptr;
  // Indexed as kLayerModes.
  std::array<HWND, kLayerModes.size()> rbMode{};
  HWND GroupMode = nullptr;
  HWND btnOK = nullptr;
  HWND btnCancel = nullptr;

 private:
  // The controls show the choice: the list, its item, the mode and the name.
  void ShowChoice();
  void ShowName();
  // The chosen layer's item says the name as it is being typed.
  void ShowItemName();

  LayerChoice choice_;
  // The dialog itself puts the name into its box: that is no typing.
  bool showingName_ = false;
};

}  // namespace vantrel
