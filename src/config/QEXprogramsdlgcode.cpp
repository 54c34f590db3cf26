#include "config/QEXprogramsdlgcode.h"

#include <algorithm>

#include "base/Errors.h"
#include "base/Process_win.h"
#include "bindings/Binding.h"
#include "config/ProgramsSection.h"
#include "resource.h"
#include "ui/FileDialog_win.h"

namespace vantrel {

namespace {

// The programs whose windows are open now, by their executables' names,
// once each, this one left out.
std::vector<std::string> RunningPrograms() {
  struct Found {
    std::vector<DWORD> processes;
  } found;
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        if (!IsWindowVisible(window) || GetWindowTextLengthA(window) == 0) return TRUE;
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        auto& list = reinterpret_cast<Found*>(param)->processes;
        if (process != GetCurrentProcessId() &&
            std::find(list.begin(), list.end(), process) == list.end())
          list.push_back(process);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  std::vector<std::string> names;
  for (DWORD process : found.processes) {
    const std::string name = ProgramFileName(process);
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

void TProgramsDlg::Create(HWND mainWindow, ProgramsHost& host) {
  host_ = &host;
  CreateForm({.window = {.className = "TProgramsDlg",
                         .caption = "Programs",
                         .style = kFixedDialogStyle,
                         .exStyle = kDialogFrameExStyle,
                         .clientWidth = 367,
                         .clientHeight = 208,
                         .owner = mainWindow},
              .mainWindow = mainWindow,
              .placement = Placement::CentreOnMain,
              .enablesMainOnClose = true});
  const KeptTexts& texts = Kept();
  controls_.SetFont(texts.FontName, texts.FontCharset);
  const HWND self = Handle();
  LBRules = controls_.Add(self, WS_EX_CLIENTEDGE, "LISTBOX", "",
                          WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                              LBS_NOINTEGRALHEIGHT,
                          {8, 8, 281, 161}, IDC_LBRULES);
  cbProgram = controls_.Add(self, 0, "COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST |
                                                         WS_VSCROLL,
                            {8, 177, 209, 150}, IDC_CBPROGRAM);
  auto button = [&](const char* text, int left, int top, int id) {
    return controls_.AddButton(self, text, {left, top, 65, 23}, id);
  };
  btnAdd = button("Add", 224, 176, IDC_BTNRULEADD);
  btnProfile = button("Profile...", 296, 8, IDC_BTNRULEPROFILE);
  btnOff = button("Off", 296, 36, IDC_BTNRULEOFF);
  btnRemove = button("Remove", 296, 64, IDC_BTNRULEREMOVE);
  btnOK = button("OK", 296, 148, IDOK);
  btnCancel = button("Cancel", 296, 176, IDCANCEL);
}

void TProgramsDlg::ApplyLanguage(const LanguageTexts& texts) {
  const KeptTexts& kept = texts.Kept();
  SetText(Handle(), texts.Text("ProgramsWindow", "Caption"));
  controls_.SetFont(kept.FontName, kept.FontCharset);
  const std::pair<HWND, const char*> own[] = {
      {btnAdd, "Add"}, {btnProfile, "Profile"}, {btnOff, "Off"}, {btnRemove, "Remove"}};
  for (const auto& [control, key] : own) SetText(control, texts.Text("ProgramsWindow", key));
  SetText(btnOK, texts.Text("Common", "OK"));
  SetText(btnCancel, texts.Text("Common", "Cancel"));
  offText_ = texts.Text("ProgramsWindow", "Off");
  browseText_ = texts.Text("ProgramsWindow", "Browse");
  if (Visible()) ShowRules(Selected());
}

LRESULT TProgramsDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) {
    // A double click on a rule asks for its profile, as Profile... does.
    if (LOWORD(wParam) == IDC_LBRULES && HIWORD(wParam) == LBN_DBLCLK) btnProfileClick();
    if (HIWORD(wParam) != BN_CLICKED) return 0;
    switch (LOWORD(wParam)) {
      case IDC_BTNRULEADD: btnAddClick(); break;
      case IDC_BTNRULEPROFILE: btnProfileClick(); break;
      case IDC_BTNRULEOFF: btnOffClick(); break;
      case IDC_BTNRULEREMOVE: btnRemoveClick(); break;
      case IDOK: btnOKClick(); break;
      case IDCANCEL: btnCancelClick(); break;
    }
    return 0;
  }
  return ShellForm::HandleMessage(msg, wParam, lParam);
}

void TProgramsDlg::Show() {
  rules_ = host_->ProgramRules();
  ShowRules(rules_.empty() ? -1 : 0);
  FillPrograms();
  ShellForm::Show();
  SetFocus(LBRules);
}

void TProgramsDlg::FillPrograms() {
  running_ = RunningPrograms();
  std::vector<std::string> items{browseText_};
  items.insert(items.end(), running_.begin(), running_.end());
  FillCombo(cbProgram, items);
  SendMessageA(cbProgram, CB_SETCURSEL, 0, 0);
}

void TProgramsDlg::ShowRules(int select) {
  SendMessageA(LBRules, LB_RESETCONTENT, 0, 0);
  // Scrolled sideways only as far as the longest line reaches.
  const HDC dc = GetDC(LBRules);
  const HGDIOBJ font =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(LBRules, WM_GETFONT, 0, 0)));
  int widest = 0;
  for (const ProgramRule& rule : rules_) {
    const std::string line =
        rule.program + "  \x96  " + (IsOff(rule.profile) ? offText_ : rule.profile);
    SendMessageA(LBRules, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SIZE size{};
    GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  SelectObject(dc, font);
  ReleaseDC(LBRules, dc);
  SendMessageA(LBRules, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 6), 0);
  SendMessageA(LBRules, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
}

int TProgramsDlg::Selected() const {
  const auto line = static_cast<int>(SendMessageA(LBRules, LB_GETCURSEL, 0, 0));
  return line >= 0 && line < static_cast<int>(rules_.size()) ? line : -1;
}

void TProgramsDlg::AskProfile(int index) {
  const unsigned showing = Showing();
  // Cancelled, the rule keeps what it had: a program just added stays Off.
  const ProgramRule& rule = rules_[static_cast<std::size_t>(index)];
  const auto profile =
      AskOpenFile({.owner = Handle(),
                   .filter = kProfileFilter,
                   .initialPath = IsOff(rule.profile) ? std::string{} : rule.profile});
  if (!StillShowing(showing)) return;  // closed meanwhile: too late
  if (profile) rules_[static_cast<std::size_t>(index)].profile = *profile;
  ShowRules(index);
}

void TProgramsDlg::btnAddClick() {
  const auto item = static_cast<int>(SendMessageA(cbProgram, CB_GETCURSEL, 0, 0));
  std::string program;
  if (item > 0 && item <= static_cast<int>(running_.size())) {
    program = running_[static_cast<std::size_t>(item - 1)];
  } else {
    const unsigned showing = Showing();
    const auto chosen = AskOpenFile({.owner = Handle(), .filter = kProgramFilter, .initialPath = {}});
    if (!chosen || !StillShowing(showing)) return;
    program = FileNamePart(*chosen, "filename");
  }
  if (program.empty()) return;
  // The name becomes a key of the settings file, which must read back as it.
  if (const NameFault fault = ProgramNameFault(program); fault != NameFault::None)
    throw AppError(
        NameRefusalText(Language().Text("ProgramsWindow", NameFaultTextKey(fault)), program));
  // One rule a program: adding it again gives it a new profile.
  auto same = std::find_if(rules_.begin(), rules_.end(),
                           [&](const ProgramRule& rule) { return SameProgram(rule.program, program); });
  if (same == rules_.end()) same = rules_.insert(rules_.end(), {program, kRuleOff});
  const int index = static_cast<int>(same - rules_.begin());
  ShowRules(index);
  AskProfile(index);
}

void TProgramsDlg::btnProfileClick() {
  if (const int index = Selected(); index >= 0) AskProfile(index);
}

void TProgramsDlg::btnOffClick() {
  const int index = Selected();
  if (index < 0) return;
  rules_[static_cast<std::size_t>(index)].profile = kRuleOff;
  ShowRules(index);
}

void TProgramsDlg::btnRemoveClick() {
  const int index = Selected();
  if (index < 0) return;
  rules_.erase(rules_.begin() + index);
  ShowRules(std::min(index, static_cast<int>(rules_.size()) - 1));
}

// A refused write is reported and the dialog stays, its rules unsaved.
void TProgramsDlg::btnOKClick() {
  host_->SetProgramRules(rules_);
  Finish();
}

void TProgramsDlg::btnCancelClick() { Finish(); }

void TProgramsDlg::FormClose() {
  if (Visible()) btnCancelClick();
}

void TProgramsDlg::Finish() { ShellForm::FormClose(); }

}  // namespace vantrel
