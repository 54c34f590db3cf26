#include "config/QEXactiondlgcode.h"

#include "config/BindingEditor.h"
#include "lang/KeptTexts.h"
#include "resource.h"
#include "ui/FileDialog_win.h"

namespace vantrel {

void TActionDlg::Create(HWND mainWindow, EditorHost& host, ActionTargets targets) {
  host_ = &host;
  targets_ = targets;
  CreateForm({.window = {.className = "TActionDlg",
                         .caption = "Action",
                         .style = kFixedDialogStyle,
                         .exStyle = kDialogFrameExStyle,
                         .clientWidth = 145,
                         .clientHeight = 129,
                         .owner = mainWindow},
              .mainWindow = mainWindow,
              .placement = Placement::CentreOnMain,
              .enablesMainOnClose = true});
  const KeptTexts& texts = Kept();
  controls_.SetFont(texts.FontName, texts.FontCharset);
  auto button = [&](const std::string& text, int top, int id) {
    return controls_.AddButton(Handle(), text, {8, top, 129, 21}, id);
  };
  btnEmulKey = button("Keyboard", 8, IDC_BTNEMULKEY);
  btnEmulClick = button(texts.Mouse, 32, IDC_BTNEMULCLICK);
  btnRun = button("Run...", 56, IDC_BTNRUN);
  btnChangeIni = button("Change settings", 80, IDC_BTNCHANGEINI);
  btnCancel = button("Cancel", 104, IDCANCEL);
}

void TActionDlg::ApplyLanguage(const LanguageTexts& texts) {
  const KeptTexts& kept = texts.Kept();
  SetText(Handle(), kept.ActionCaption);
  controls_.SetFont(kept.FontName, kept.FontCharset);
  SetText(btnEmulKey, texts.Text("ActionWindow", "Keyboard"));
  SetText(btnEmulClick, kept.Mouse);
  SetText(btnRun, texts.Text("ActionWindow", "Run"));
  SetText(btnChangeIni, texts.Text("ActionWindow", "ChangeSettings"));
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
  ShellForm::Show();
  SetFocus(btnEmulKey);
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
