#include "config/QEXlayerdlgcode.h"

#include <iterator>
#include <string>
#include <vector>

#include "config/BindingEditor.h"
#include "lang/KeptTexts.h"
#include "resource.h"
#include "ui/AccessKey.h"

namespace vantrel {

namespace {

constexpr const char* kModeKeys[] = {"Hold", "Toggle", "Once", "Set"};
static_assert(std::size(kModeKeys) == kLayerModes.size());

void AddStyle(HWND control, LONG_PTR style) {
  SetWindowLongPtrA(control, GWL_STYLE, GetWindowLongPtrA(control, GWL_STYLE) | style);
}

}  // namespace

void TLayerDlg::Create(HWND mainWindow, EditorHost& host) {
  const KeptTexts& texts = Kept();
  CreateEditor({.window = {.className = "TLayerDlg",
                           .caption = texts.Layer.c_str(),
                           .style = kFixedDialogStyle,
                           .exStyle = kDialogFrameExStyle,
                           .clientWidth = 240,
                           .clientHeight = 197,
                           .owner = mainWindow},
                .mainWindow = mainWindow,
                .placement = Placement::CentreOnMain,
                .enablesMainOnClose = true},
               host, texts);
  const HWND self = Handle();
  // Created in the order Tab walks them; each label just before its
  // control, which its access key reaches. The mode buttons are one group
  // that the arrows walk, the group box last, under them.
  lbLayer = controls_.Add(self, 0, "STATIC", WithAccessKey(BuiltInText("LayerWindow", "Layer")),
                          WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, {8, 8, 48, 21}, -1);
  cbLayer = controls_.Add(self, 0, "COMBOBOX", "",
                          WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST,
                          {60, 8, 172, 200}, IDC_CBLAYERCHOICE);
  lbName = controls_.Add(self, 0, "STATIC", WithAccessKey(BuiltInText("LayerWindow", "Name")),
                         WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE, {8, 36, 48, 21}, -1);
  edName = controls_.Add(self, WS_EX_CLIENTEDGE, "EDIT", "",
                         WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, {60, 36, 172, 21},
                         IDC_EDLAYERNAME);
  SendMessageA(edName, EM_LIMITTEXT, kMaxLayerName, 0);
  for (std::size_t i = 0; i < rbMode.size(); ++i)
    rbMode[i] = controls_.Add(
        self, 0, "BUTTON", WithAccessKey(BuiltInText("LayerWindow", kModeKeys[i])),
        WS_VISIBLE | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0),
        {16, 80 + 20 * static_cast<int>(i), 208, 18}, IDC_RBMODE + static_cast<int>(i));
  btnOK = controls_.AddButton(self, "OK", {88, 168, 68, 21}, IDOK);
  AddStyle(btnOK, WS_GROUP);  // the arrows stay among the modes
  btnCancel = controls_.AddButton(self, "Cancel", {164, 168, 68, 21}, IDCANCEL);
  GroupMode = controls_.Add(self, 0, "BUTTON", BuiltInText("LayerWindow", "Mode"),
                            WS_VISIBLE | WS_GROUP | BS_GROUPBOX, {8, 62, 224, 98}, IDC_GROUPMODE);
  ShowChoice();
}

void TLayerDlg::ApplyLanguage(const LanguageTexts& texts) {
  const KeptTexts& kept = texts.Kept();
  SetText(Handle(), texts.Text("LayerWindow", "Caption"));
  controls_.SetFont(kept.FontName, kept.FontCharset);
  SetText(lbLayer, WithAccessKey(texts.Text("LayerWindow", "Layer")));
  SetText(lbName, WithAccessKey(texts.Text("LayerWindow", "Name")));
  SetText(GroupMode, texts.Text("LayerWindow", "Mode"));
  for (std::size_t i = 0; i < rbMode.size(); ++i)
    SetText(rbMode[i], WithAccessKey(texts.Text("LayerWindow", kModeKeys[i])));
  SetText(btnOK, texts.Text("Common", "OK"));
  SetText(btnCancel, texts.Text("Common", "Cancel"));
  ShowChoice();  // "Layer n" and "Base" in the new language
}

LRESULT TLayerDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NEXTDLGCTL: return MoveFocus(wParam, lParam);
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id == IDC_CBLAYERCHOICE && code == CBN_SELCHANGE) cbLayerChange();
      if (id == IDC_EDLAYERNAME && code == EN_CHANGE) edNameChange();
      if (id >= IDC_RBMODE && id < IDC_RBMODE + static_cast<int>(rbMode.size()) &&
          code == BN_CLICKED)
        rbModeClick(id - IDC_RBMODE);
      if (id == IDOK && code == BN_CLICKED) btnOKClick();
      if (id == IDCANCEL && code == BN_CLICKED) btnCancelClick();
      return 0;
    }
  }
  return EditorDialog::HandleMessage(msg, wParam, lParam);
}

void TLayerDlg::FormShow() {
  Editor().Begin();
  choice_.Assign(Editor().SavedAction(), Host().Table().LayerNames);
  ShowChoice();
}

void TLayerDlg::ShowChoice() {
  FillCombo(cbLayer, choice_.Items());
  SendMessageA(cbLayer, CB_SETCURSEL, static_cast<WPARAM>(choice_.Item()), 0);
  for (std::size_t i = 0; i < rbMode.size(); ++i) {
    const bool chosen = kLayerModes[i] == choice_.Mode();
    SetChecked(rbMode[i], chosen);
    // Tab enters the group at the mode chosen, as in any dialog box.
    const LONG_PTR style = GetWindowLongPtrA(rbMode[i], GWL_STYLE);
    SetWindowLongPtrA(rbMode[i], GWL_STYLE, chosen ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
  ShowName();
}

void TLayerDlg::ShowName() {
  showingName_ = true;
  SetText(edName, choice_.Name());
  showingName_ = false;
  EnableWindow(edName, choice_.Renamable());
  EnableWindow(lbName, choice_.Renamable());
}

void TLayerDlg::ShowItemName() {
  const auto item = static_cast<WPARAM>(choice_.Item());
  const std::string text = choice_.Items()[item];
  SendMessageA(cbLayer, CB_DELETESTRING, item, 0);
  SendMessageA(cbLayer, CB_INSERTSTRING, item, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(cbLayer, CB_SETCURSEL, item, 0);
}

void TLayerDlg::cbLayerChange() {
  choice_.ChooseItem(static_cast<int>(SendMessageA(cbLayer, CB_GETCURSEL, 0, 0)));
  ShowName();
}

void TLayerDlg::edNameChange() {
  if (showingName_ || !choice_.Renamable()) return;
  choice_.Rename(TextOf(edName));
  ShowItemName();
}

void TLayerDlg::rbModeClick(int item) {
  choice_.ChooseMode(kLayerModes[static_cast<std::size_t>(item)]);
  ShowChoice();
}

void TLayerDlg::btnOKClick() {
  // The names first: the entry's row names its layer by the new one.
  const bool renamed = Editor().RenameLayers(choice_.Names());
  Editor().AcceptLayer(choice_.Layer(), choice_.Mode());
  if (renamed) Host().LayerNamesChanged();
  Finish();
}

void TLayerDlg::btnCancelClick() {
  Editor().Cancel();
  Finish();
}

}  // namespace vantrel
