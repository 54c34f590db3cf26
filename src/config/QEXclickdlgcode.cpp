#include "config/QEXclickdlgcode.h"

#include "config/BindingEditor.h"
#include "lang/KeptTexts.h"
#include "resource.h"

namespace vantrel {

void TClickDlg::Create(HWND mainWindow, EditorHost& host) {
  const KeptTexts& texts = Kept();
  CreateEditor({.window = {.className = "TClickDlg",
                           .caption = texts.Mouse.c_str(),
                           .style = kFixedDialogStyle,
                           .exStyle = kDialogFrameExStyle,
                           .clientWidth = 153,
                           .clientHeight = 73,
                           .owner = mainWindow},
                .mainWindow = mainWindow,
                .placement = Placement::CentreOnMain,
                .enablesMainOnClose = true},
               host, texts);
  CBAction = controls_.Add(Handle(), 0, "COMBOBOX", texts.Choose,
                           WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, {8, 16, 137, 150},
                           IDC_CBACTION);
  FillCombo(CBAction, MouseActionTexts(texts));
  btnOK = controls_.AddButton(Handle(), "OK", {8, 48, 65, 21}, IDOK);
  btnCancel = controls_.AddButton(Handle(), "Cancel", {80, 48, 65, 21}, IDCANCEL);
}

void TClickDlg::ApplyLanguage(const LanguageTexts& texts) {
  const KeptTexts& kept = texts.Kept();
  SetText(Handle(), kept.Mouse);
  controls_.SetFont(kept.FontName, kept.FontCharset);
  SetText(btnOK, texts.Text("Common", "OK"));
  SetText(btnCancel, texts.Text("Common", "Cancel"));
  FillCombo(CBAction, MouseActionTexts(kept));
  SetText(CBAction, kept.Choose);
}

LRESULT TClickDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id == IDC_CBACTION && code == CBN_SELCHANGE) CBActionChange();
      if (id == IDOK && code == BN_CLICKED) btnOKClick();
      if (id == IDCANCEL && code == BN_CLICKED) btnCancelClick();
      return 0;
    }
  }
  return EditorDialog::HandleMessage(msg, wParam, lParam);
}

void TClickDlg::FormShow() {
  // "Pointer (stick)" only for the directions of a stick.
  FillCombo(CBAction, MouseActionTexts(Kept(), Editor().OffersPointerStick()));
  SendMessageA(CBAction, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SetWindowTextA(CBAction, Kept().Choose.c_str());
  Editor().Begin();
}

// Typed text selects nothing and writes nothing.
void TClickDlg::CBActionChange() {
  Editor().PickMouseAction(static_cast<int>(SendMessageA(CBAction, CB_GETCURSEL, 0, 0)));
}

void TClickDlg::btnOKClick() {
  Editor().AcceptMouse();
  Finish();
}

void TClickDlg::btnCancelClick() {
  Editor().Cancel();
  Finish();
}

}  // namespace vantrel
