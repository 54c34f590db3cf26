#include "config/QEXchangeinidlgcode.h"

#include <algorithm>

#include "lang/KeptTexts.h"
#include "resource.h"
#include "ui/ErrorBox_win.h"
#include "ui/FileDialog_win.h"

namespace vantrel {

void TIniFrm::Create(HWND mainWindow, EditorHost& host) {
  const KeptTexts& texts = Kept();
  CreateEditor({.window = {.className = "TIniFrm",
                           .caption = "Change settings",
                           .style = kFixedDialogStyle,
                           .exStyle = kDialogFrameExStyle,
                           .clientWidth = 367,
                           .clientHeight = 208,
                           .owner = mainWindow},
                .mainWindow = mainWindow,
                .placement = Placement::CentreOnMain,
                .enablesMainOnClose = true},
               host, texts);
  auto button = [&](const std::string& text, int top, int id) {
    return controls_.AddButton(Handle(), text, {8, top, 65, 23}, id);
  };
  btnAdd = button("Add", 8, IDC_BTNADD);
  btnRemove = button("Remove", 32, IDC_BTNREMOVE);
  btnUp = button("Up", 64, IDC_BTNUP);
  btnDown = button("Down", 88, IDC_BTNDOWN);
  btnClear = button("Clear", 120, IDC_BTNCLEAR);
  btnOK = button("OK", 152, IDOK);
  btnCancel = button("Cancel", 176, IDCANCEL);
  LBINI = controls_.Add(
      Handle(), WS_EX_CLIENTEDGE, "LISTBOX", "",
      WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
      {80, 8, 281, 193}, IDC_LBINI);
}

void TIniFrm::ApplyLanguage(const LanguageTexts& texts) {
  const KeptTexts& kept = texts.Kept();
  SetText(Handle(), texts.Text("ChangeSettingsWindow", "Caption"));
  controls_.SetFont(kept.FontName, kept.FontCharset);
  const std::pair<HWND, const char*> own[] = {{btnAdd, "Add"},
                                              {btnRemove, "Remove"},
                                              {btnUp, "Up"},
                                              {btnDown, "Down"},
                                              {btnClear, "Clear"}};
  for (const auto& [button, key] : own) SetText(button, texts.Text("ChangeSettingsWindow", key));
  SetText(btnOK, texts.Text("Common", "OK"));
  SetText(btnCancel, texts.Text("Common", "Cancel"));
}

LRESULT TIniFrm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      int code = HIWORD(wParam);
      if (id == IDC_LBINI) {
        if (code == LBN_SELCHANGE)
          lines_.Select(static_cast<int>(SendMessageA(LBINI, LB_GETCURSEL, 0, 0)));
        return 0;
      }
      // An owner-drawn button reports the second click of a double click on
      // its own: Up and Down then move two places, as two clicks do.
      if (code == BN_DOUBLECLICKED && (id == IDC_BTNUP || id == IDC_BTNDOWN)) code = BN_CLICKED;
      if (code != BN_CLICKED) return 0;
      switch (id) {
        case IDC_BTNADD: btnAddClick(); break;
        case IDC_BTNREMOVE: btnRemoveClick(); break;
        case IDC_BTNUP: btnupClick(); break;
        case IDC_BTNDOWN: btndownClick(); break;
        case IDC_BTNCLEAR: btnClearClick(); break;
        case IDOK: btnokClick(); break;
        case IDCANCEL: btnCancelClick(); break;
      }
      return 0;
    }
  }
  return EditorDialog::HandleMessage(msg, wParam, lParam);
}

void TIniFrm::FormShow() {
  EntryEditor& editor = Editor();
  // Only looked at: a part made here would go into the backup and outlive a Cancel.
  const Binding* action = editor.Existing();
  lines_.Assign(action ? *action : Binding{});
  ShowLines();
  editor.Begin();
}

void TIniFrm::ShowLines() {
  SendMessageA(LBINI, WM_SETREDRAW, FALSE, 0);
  SendMessageA(LBINI, LB_RESETCONTENT, 0, 0);
  int widest = 0;
  const HDC dc = GetDC(LBINI);
  const HGDIOBJ oldFont = SelectObject(dc, controls_.Regular());
  for (const std::string& line : lines_.Lines()) {
    SendMessageA(LBINI, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SIZE size{};
    GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  SelectObject(dc, oldFont);
  ReleaseDC(LBINI, dc);
  // Long paths scroll sideways rather than lose their file names.
  SendMessageA(LBINI, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 6), 0);
  SendMessageA(LBINI, LB_SETCURSEL, static_cast<WPARAM>(lines_.Selected()), 0);
  SendMessageA(LBINI, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(LBINI, nullptr, TRUE);
}

void TIniFrm::btnAddClick() {
  const unsigned showing = Showing();
  // Opens in the folder of the selected profile, or of the last one.
  const std::vector<std::string>& lines = lines_.Lines();
  const int nearby = lines_.Selected() >= 0 ? lines_.Selected() : lines_.Count() - 1;
  const std::vector<std::string> chosen = AskOpenFiles(
      {.owner = Handle(),
       .filter = kProfileFilter,
       .initialPath = nearby >= 0 ? lines[static_cast<std::size_t>(nearby)] : std::string{}});
  if (chosen.empty() || !StillShowing(showing)) return;  // closed meanwhile: too late
  const std::size_t refused = lines_.Add(chosen);
  ShowLines();
  if (refused > 0)
    ShowError("A list holds at most " + std::to_string(kMaxListPaths) + " profiles; " +
              std::to_string(refused) + " of the files chosen were not added");
}

void TIniFrm::btnRemoveClick() {
  lines_.Remove();
  ShowLines();
}

void TIniFrm::btnupClick() {
  lines_.Up();
  ShowLines();
}

void TIniFrm::btndownClick() {
  lines_.Down();
  ShowLines();
}

void TIniFrm::btnClearClick() {
  lines_.Clear();
  ShowLines();
  Editor().ClearProfiles();
}

void TIniFrm::btnokClick() {
  if (Editor().AcceptProfiles(lines_.Lines())) Host().RestartProfileLists();
  Finish();
}

void TIniFrm::btnCancelClick() {
  Editor().Cancel();
  Finish();
}

void TIniFrm::Finish() {
  lines_.Clear();
  ShowLines();
  EditorDialog::Finish();
}

}  // namespace vantrel
