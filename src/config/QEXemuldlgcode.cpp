#include "config/QEXemuldlgcode.h"

#include "bindings/KeyName.h"
#include "lang/KeptTexts.h"
#include "resource.h"

namespace vantrel {

namespace {

int Selection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

}  // namespace

void TBindEmulDlg::Create(HWND mainWindow, EditorHost& host) {
  const KeptTexts& texts = Kept();
  CreateEditor({.window = {.className = "TBindEmulDlg",
                           .caption = "Keyboard",
                           .style = kFixedDialogStyle,
                           .exStyle = kDialogFrameExStyle,
                           .clientWidth = 238,
                           .clientHeight = 84,
                           .owner = mainWindow},
                .mainWindow = mainWindow,
                .placement = Placement::CentreOnMain,
                .enablesMainOnClose = true},
               host, texts);
  keyBrush_.reset(CreateSolidBrush(kDisplayColour));
  const HWND self = Handle();
  cbShift = controls_.Add(self, 0, "COMBOBOX", "",
                          WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, {8, 8, 57, 150},
                          IDC_CBSHIFT);
  FillCombo(cbShift, ModifierTexts(texts));
  Label1 =
      controls_.Add(self, 0, "STATIC", "+", WS_VISIBLE | SS_CENTER, {68, 11, 18, 15}, IDC_LABEL1);
  STKey = controls_.Add(self, WS_EX_CLIENTEDGE, "STATIC", texts.PressKey,
                        WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY | SS_NOPREFIX,
                        {93, 8, 137, 21}, IDC_STKEY, true);
  // Drawn over the key's name while it is shown. Its text says what to do
  // until a key is picked, so its edit part shows text but takes none.
  cbSelect = controls_.Add(self, 0, "COMBOBOX", texts.Choose,
                           WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, {85, 8, 145, 200}, IDC_CBSELECT);
  FillCombo(cbSelect, SpecialKeyTexts(texts));
  if (const HWND edit = FindWindowExA(cbSelect, nullptr, "EDIT", nullptr))
    SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
  SetWindowPos(cbSelect, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  chbSpecKey =
      controls_.Add(self, 0, "BUTTON", "Choose from list",
                    WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, {8, 36, 140, 17}, IDC_CHBSPECKEY);
  btnOK = controls_.AddButton(self, "OK", {92, 58, 65, 21}, IDOK);
  btnCancel = controls_.AddButton(self, "Cancel", {165, 58, 65, 21}, IDCANCEL);
}

LRESULT TBindEmulDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == STKey) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, kDisplayColour);
        return reinterpret_cast<LRESULT>(keyBrush_.get());
      }
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;  // Alt and F10 are keys to capture here
      break;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id == IDC_CBSELECT && code == CBN_SELCHANGE) cbSelectChange();
      if (id == IDC_CBSHIFT && code == CBN_SELCHANGE) cbShiftChange();
      if (id == IDC_CHBSPECKEY && code == BN_CLICKED) chbSpecKeyClick();
      if (id == IDC_STKEY && code == STN_CLICKED) STKeyClick();
      if (id == IDOK && code == BN_CLICKED) btnOKClick();
      if (id == IDCANCEL && code == BN_CLICKED) btnCancelClick();
      return 0;
    }
  }
  return EditorDialog::HandleMessage(msg, wParam, lParam);
}

void TBindEmulDlg::ApplyLanguage(const LanguageTexts& texts) {
  const KeptTexts& kept = texts.Kept();
  SetText(Handle(), texts.Text("EmulateKeyWindow", "Caption"));
  controls_.SetFont(kept.FontName, kept.FontCharset);
  SetText(chbSpecKey, texts.Text("EmulateKeyWindow", "ChooseFromList"));
  SetText(btnOK, texts.Text("Common", "OK"));
  SetText(btnCancel, texts.Text("Common", "Cancel"));
  SetText(STKey, kept.PressKey);
  FillCombo(cbSelect, SpecialKeyTexts(kept));
  SetText(cbSelect, kept.Choose);
  FillCombo(cbShift, ModifierTexts(kept));
  SendMessageA(cbShift, CB_SETCURSEL, 0, 0);
}

bool TBindEmulDlg::PreviewKey(const MSG& msg) {
  const bool system =
      msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP || msg.message == WM_SYSCHAR;
  if (msg.message != WM_KEYDOWN && !system) return false;
  if (!Handle() || !Visible() || (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)))
    return false;
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
    FormKeyDown(static_cast<std::uint16_t>(msg.wParam));
  return system;
}

void TBindEmulDlg::FormShow() {
  const KeptTexts& texts = Kept();
  SendMessageA(cbSelect, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SetWindowTextA(cbSelect, texts.Choose.c_str());
  SetWindowTextA(STKey, texts.PressKey.c_str());
  SetChecked(chbSpecKey, false);
  chbSpecKeyClick();
  SendMessageA(cbShift, CB_SETCURSEL, 0, 0);
  Editor().Begin();
}

void TBindEmulDlg::FormKeyDown(std::uint16_t key) {
  Editor().CaptureKey(key);
  SetWindowTextA(STKey, KeyName(key).c_str());
}

void TBindEmulDlg::cbSelectChange() { Editor().PickSpecialKey(Selection(cbSelect)); }

void TBindEmulDlg::cbShiftChange() { Editor().ChooseModifier(Selection(cbShift)); }

void TBindEmulDlg::chbSpecKeyClick() {
  ShowWindow(cbSelect, Checked(chbSpecKey) ? SW_SHOW : SW_HIDE);
}

void TBindEmulDlg::STKeyClick() { SetFocus(STKey); }

void TBindEmulDlg::btnOKClick() {
  Editor().AcceptKey();
  Finish();
}

void TBindEmulDlg::btnCancelClick() {
  Editor().Cancel();
  Finish();
}

}  // namespace vantrel
