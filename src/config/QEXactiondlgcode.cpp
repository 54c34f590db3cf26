#include "config/QEXactiondlgcode.h"

#include "config/BindingEditor.h"
#include "lang/KeptTexts.h"
#include "lang/LanguageKeys.h"
#include "resource.h"
#include "ui/AccessKey.h"
#include "ui/FileDialog_win.h"

namespace vantrel {

namespace {

using Part = EntryEditor::Part;

constexpr int kWidth = 145;
constexpr int kLeft = 8;
constexpr int kTop = 8;
constexpr int kControlWidth = 129;
constexpr int kPartHeight = 17;
constexpr int kPartPitch = 19;
// Between the parts and the kinds of action.
constexpr int kPartsGap = 4;
constexpr int kButtonHeight = 21;
constexpr int kPitch = 24;
// Below the last button.
constexpr int kMargin = 4;

constexpr std::array<const char*, 3> kPartKeys{"Press", "Hold", "DoubleTap"};

void SetStyle(HWND control, LONG_PTR style, bool on) {
  const LONG_PTR old = GetWindowLongPtrA(control, GWL_STYLE);
  SetWindowLongPtrA(control, GWL_STYLE, on ? old | style : old & ~style);
}

}  // namespace

void TActionDlg::Create(HWND mainWindow, EditorHost& host, ActionTargets targets) {
  host_ = &host;
  targets_ = targets;
  CreateForm({.window = {.className = "TActionDlg",
                         .caption = "Action",
                         .style = kFixedDialogStyle,
                         .exStyle = kDialogFrameExStyle,
                         .clientWidth = kWidth,
                         .clientHeight = kTop,
                         .owner = mainWindow},
              .mainWindow = mainWindow,
              .placement = Placement::CentreOnMain,
              .enablesMainOnClose = true});
  const KeptTexts& texts = Kept();
  controls_.SetFont(texts.FontName, texts.FontCharset);
  const HWND self = Handle();
  // Created in the order Tab walks them; LayOut places them. The parts are
  // one group that the arrows walk.
  for (std::size_t i = 0; i < rbPart.size(); ++i)
    rbPart[i] =
        controls_.Add(self, 0, "BUTTON", WithAccessKey(BuiltInText("ActionWindow", kPartKeys[i])),
                      WS_VISIBLE | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0),
                      {kLeft, kTop, kControlWidth, kPartHeight}, IDC_RBPART + static_cast<int>(i));
  auto button = [&](const std::string& text, int id) {
    return controls_.AddButton(self, text, {kLeft, kTop, kControlWidth, kButtonHeight}, id);
  };
  btnEmulKey = button("Keyboard", IDC_BTNEMULKEY);
  SetStyle(btnEmulKey, WS_GROUP, true);  // the arrows stay among the parts
  btnEmulClick = button(texts.Mouse, IDC_BTNEMULCLICK);
  btnRun = button("Run...", IDC_BTNRUN);
  btnChangeIni = button("Change settings", IDC_BTNCHANGEINI);
  btnLayer = button("Layer...", IDC_BTNLAYER);
  btnRemovePart = button("Remove", IDC_BTNREMOVEPART);
  btnSameAsBelow = button("Same as below", IDC_BTNSAMEASBELOW);
  btnNothing = button(texts.Nothing, IDC_BTNNOTHING);
  btnCancel = button("Cancel", IDCANCEL);
  LayOut(false, false);
  ChoosePart(Part::Press);
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
  for (std::size_t i = 0; i < rbPart.size(); ++i)
    SetText(rbPart[i], WithAccessKey(texts.Text("ActionWindow", kPartKeys[i])));
  SetText(btnRemovePart, texts.Text("ActionWindow", "Remove"));
  SetText(btnCancel, texts.Text("Common", "Cancel"));
}

LRESULT TActionDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NEXTDLGCTL: return MoveFocus(wParam, lParam);
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) break;
      if (const int part = LOWORD(wParam) - IDC_RBPART;
          part >= 0 && part < static_cast<int>(rbPart.size())) {
        rbPartClick(static_cast<Part>(part));
        return 0;
      }
      switch (LOWORD(wParam)) {
        case IDC_BTNEMULKEY: btnEmulKeyClick(); return 0;
        case IDC_BTNEMULCLICK: btnEmulClickClick(); return 0;
        case IDC_BTNRUN: btnRunClick(); return 0;
        case IDC_BTNCHANGEINI: btnChangeIniClick(); return 0;
        case IDC_BTNLAYER: btnLayerClick(); return 0;
        case IDC_BTNSAMEASBELOW: btnSameAsBelowClick(); return 0;
        case IDC_BTNNOTHING: btnNothingClick(); return 0;
        case IDC_BTNREMOVEPART: btnRemovePartClick(); return 0;
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
  const EntryEditor& editor = host_->Editing();
  LayOut(editor.Layer > 0 && !editor.EditsChord(), editor.EditsChord());
  ChoosePart(Part::Press);
  ShellForm::Show();
  SetFocus(btnEmulKey);
}

void TActionDlg::LayOut(bool inLayer, bool chord) {
  int top = kTop;
  auto place = [&](HWND control, bool shown, int height, int pitch) {
    ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
    if (!shown) return;
    const ControlRect r = Scaled(ControlRect{kLeft, top, kControlWidth, height}, Dpi());
    SetWindowPos(control, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    top += pitch;
  };
  for (HWND part : rbPart) place(part, !chord, kPartHeight, kPartPitch);
  if (!chord) top += kPartsGap;
  for (HWND kind : {btnEmulKey, btnEmulClick, btnRun, btnChangeIni, btnLayer})
    place(kind, true, kButtonHeight, kPitch);
  place(btnRemovePart, !chord, kButtonHeight, kPitch);
  for (HWND choice : {btnSameAsBelow, btnNothing}) place(choice, inLayer, kButtonHeight, kPitch);
  place(btnCancel, true, kButtonHeight, kPitch);
  const int height = top - kPitch + kButtonHeight + kMargin;
  const SIZE size =
      OuterSizeForDpi(kWidth, height, kFixedDialogStyle, false, kDialogFrameExStyle, Dpi());
  SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TActionDlg::ChoosePart(Part part) {
  EntryEditor& editor = host_->Editing();
  editor.EditPart = part;
  for (std::size_t i = 0; i < rbPart.size(); ++i) {
    const bool chosen = static_cast<Part>(i) == part;
    SetChecked(rbPart[i], chosen);
    // Tab enters the group at the part chosen, as in any dialog box.
    SetStyle(rbPart[i], WS_TABSTOP, chosen);
  }
  EnableWindow(btnRemovePart, part != Part::Press && editor.Existing());
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

void TActionDlg::rbPartClick(Part part) { ChoosePart(part); }

void TActionDlg::btnRemovePartClick() {
  host_->Editing().ClearPart();
  Finish();
}

void TActionDlg::btnRunClick() {
  // Cancelled, the dialog stays open and nothing changes; closed meanwhile,
  // the editing is over and the answer comes too late. An entry that starts
  // a program already opens the request on that program.
  const unsigned showing = Showing();
  // Only looked at: a part or a layer's entry is made when a program is chosen.
  const Binding* action = host_->Editing().Existing();
  const auto program = AskOpenFile(
      {.owner = Handle(),
       .filter = kRunFilter,
       .initialPath = action && action->Action == ActRun ? action->Execute : std::string{}});
  if (!program || !StillShowing(showing)) return;
  host_->Editing().AcceptRun(*program);
  Finish();
}

void TActionDlg::btnCancelClick() { Finish(); }

// Nothing else edits a part unless this dialog chooses it again.
void TActionDlg::Finish() {
  host_->Editing().EditPart = Part::Press;
  ShellForm::FormClose();
}

}  // namespace vantrel
