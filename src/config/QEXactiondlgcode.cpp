#include "config/QEXactiondlgcode.h"

#include "config/BindingEditor.h"
#include "lang/KeptTexts.h"
#include "resource.h"
#include "ui/FileDialog_win.h"

namespace vantrel {

namespace {

constexpr int kWidth = 145;
constexpr int kButtonLeft = 8;
constexpr int kButtonWidth = 129;
constexpr int kButtonHeight = 21;
constexpr int kPitch = 24;
// Below the last button.
constexpr int kMargin = 4;

constexpr int ButtonTop(int row) { return 8 + kPitch * row; }

}  // namespace

void TActionDlg::Create(HWND mainWindow, EditorHost& host, ActionTargets targets) {
  host_ = &host;
  targets_ = targets;
  CreateForm({.window = {.className = "TActionDlg",
                         .caption = "Action",
                         .style = kFixedDialogStyle,
                         .exStyle = kDialogFrameExStyle,
                         .clientWidth = kWidth,
                         .clientHeight = ButtonTop(5) + kButtonHeight + kMargin,
                         .owner = mainWindow},
              .mainWindow = mainWindow,
              .placement = Placement::CentreOnMain,
              .enablesMainOnClose = true});
  const KeptTexts& texts = Kept();
  controls_.SetFont(texts.FontName, texts.FontCharset);
  auto button = [&](const std::string& text, int row, int id) {
    return controls_.AddButton(Handle(), text,
                               {kButtonLeft, ButtonTop(row), kButtonWidth, kButtonHeight}, id);
  };
  btnEmulKey = button("Keyboard", 0, IDC_BTNEMULKEY);
  btnEmulClick = button(texts.Mouse, 1, IDC_BTNEMULCLICK);
  btnRun = button("Run...", 2, IDC_BTNRUN);
  btnChangeIni = button("Change settings", 3, IDC_BTNCHANGEINI);
  btnLayer = button("Layer...", 4, IDC_BTNLAYER);
  btnSameAsBelow = button("Same as below", 5, IDC_BTNSAMEASBELOW);
  btnNothing = button(texts.Nothing, 6, IDC_BTNNOTHING);
  btnCancel = button("Cancel", 5, IDCANCEL);
  LayOut(false);
}

void TActionDlg::ApplyLanguage(const LanguageTexts& texts) {
  const KeptTexts& kept = texts.Kept();
  SetText(Handle(), kept.ActionCaption);
  controls_.SetFont(kept.FontName, kept.FontCharset);
  SetText(btnEmulKey, texts.Text("ActionWindow", "Keyboard"));
  SetText(btnEmulClick, kept.Mouse);
  SetText(btnRun, texts.Text("ActionWindow", "Run"));
  SetText(btnChangeIni, texts.Text("ActionWindow", "ChangeSettings"));
  SetText(btnLayer, texts.Text("ActionWindow", "Layer"));
  SetText(btnSameAsBelow, texts.Text("ActionWindow", "SameAsBelow"));
  SetText(btnNothing, kept.Nothing);
  SetText(btnCancel, texts.Text("Common", "Cancel"));
}

LRESULT TActionDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) break;
      switch (LOWORD(wParam)) {
        case IDC_BTNEMULKEY: btnEmulKeyClick(); return 0;
        case IDC_BTNEMULCLICK: btnEmulClickClick(); return 0;
        case IDC_BTNRUN: btnRunClick(); return 0;
        case IDC_BTNCHANGEINI: btnChangeIniClick(); return 0;
        case IDC_BTNLAYER: btnLayerClick(); return 0;
        case IDC_BTNSAMEASBELOW: btnSameAsBelowClick(); return 0;
        case IDC_BTNNOTHING: btnNothingClick(); return 0;
        case IDCANCEL: btnCancelClick(); return 0;
        case IDOK:
          // Enter presses the focused choice: the dialog has no OK of its own.
          if (const HWND focus = GetFocus(); focus && GetParent(focus) == Handle())
            SendMessageA(focus, BM_CLICK, 0, 0);
          return 0;
      }
      break;
  }
  return ShellForm::HandleMessage(msg, wParam, lParam);
}

void TActionDlg::Show() {
  LayOut(host_->Editing().Layer > 0);
  ShellForm::Show();
  SetFocus(btnEmulKey);
}

void TActionDlg::LayOut(bool inLayer) {
  for (HWND choice : {btnSameAsBelow, btnNothing})
    ShowWindow(choice, inLayer ? SW_SHOWNA : SW_HIDE);
  const int cancelTop = ButtonTop(inLayer ? 7 : 5);
  const ControlRect cancel =
      Scaled(ControlRect{kButtonLeft, cancelTop, kButtonWidth, kButtonHeight}, Dpi());
  SetWindowPos(btnCancel, nullptr, cancel.left, cancel.top, cancel.width, cancel.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const SIZE size = OuterSizeForDpi(kWidth, cancelTop + kButtonHeight + kMargin, kFixedDialogStyle,
                                    false, kDialogFrameExStyle, Dpi());
  SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TActionDlg::FormClose() {
  if (Visible()) btnCancelClick();
}

// The main window stays disabled: the next dialog ends the editing.
void TActionDlg::HandOver(Form* dialog) {
  dialog->Show();
  ShowWindow(Handle(), SW_HIDE);
}

void TActionDlg::btnEmulKeyClick() { HandOver(targets_.keys); }

void TActionDlg::btnEmulClickClick() { HandOver(targets_.mouse); }

void TActionDlg::btnChangeIniClick() { HandOver(targets_.profiles); }

void TActionDlg::btnLayerClick() { HandOver(targets_.layer); }

void TActionDlg::btnSameAsBelowClick() {
  host_->Editing().AcceptSameAsBelow();
  Finish();
}

void TActionDlg::btnNothingClick() {
  host_->Editing().AcceptNothing();
  Finish();
}

void TActionDlg::btnRunClick() {
  // Cancelled, the dialog stays open and nothing changes; closed meanwhile,
  // the editing is over and the answer comes too late. An entry that starts
  // a program already opens the request on that program.
  const unsigned showing = Showing();
  const Binding& entry = host_->Editing().Edited();
  const auto program =
      AskOpenFile({.owner = Handle(),
                   .filter = kRunFilter,
                   .initialPath = entry.Action == ActRun ? entry.Execute : std::string{}});
  if (!program || !StillShowing(showing)) return;
  host_->Editing().AcceptRun(*program);
  Finish();
}

void TActionDlg::btnCancelClick() { Finish(); }

void TActionDlg::Finish() { ShellForm::FormClose(); }

}  // namespace vantrel
