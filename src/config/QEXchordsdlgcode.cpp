#include "config/QEXchordsdlgcode.h"

#include <algorithm>

#include "lang/KeptTexts.h"
#include "resource.h"
#include "ui/AccessKey.h"

namespace vantrel {

namespace {

constexpr int kButtonLeft = 336;
constexpr int kButtonWidth = 76;
constexpr int kButtonHeight = 23;
constexpr int kPickLeft = 96;
constexpr int kPickWidth = 74;
constexpr int kPickPitch = 78;

const char* FaultKey(ChordFault fault) {
  switch (fault) {
    case ChordFault::Size: return "Size";
    case ChordFault::Present: return "Present";
    case ChordFault::Full: return "Full";
    case ChordFault::None: break;
  }
  return "";
}

}  // namespace

void TChordsDlg::Create(HWND mainWindow, ChordsHost& host) {
  host_ = &host;
  CreateForm({.window = {.className = "TChordsDlg",
                         .caption = "Chords",
                         .style = kFixedDialogStyle,
                         .exStyle = kDialogFrameExStyle,
                         .clientWidth = 420,
                         .clientHeight = 262,
                         .owner = mainWindow},
              .mainWindow = mainWindow,
              .placement = Placement::CentreOnMain,
              .enablesMainOnClose = true});
  const KeptTexts& texts = Kept();
  controls_.SetFont(texts.FontName, texts.FontCharset);
  const HWND self = Handle();
  constexpr DWORD kText = WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE;
  LBChords = controls_.Add(self, WS_EX_CLIENTEDGE, "LISTBOX", "",
                           WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                           {8, 8, 320, 140}, IDC_LBCHORDS);
  btnRemove =
      controls_.AddButton(self, WithAccessKey(BuiltInText("Chords", "Remove")),
                          {kButtonLeft, 8, kButtonWidth, kButtonHeight}, IDC_BTNCHORDREMOVE);
  stPress = controls_.Add(self, 0, "STATIC", BuiltInText("Chords", "Press"), kText | SS_NOPREFIX,
                          {8, 156, 404, 18}, -1);
  // The label goes before the lists: its access key moves to the first.
  stPick = controls_.Add(self, 0, "STATIC", WithAccessKey(BuiltInText("Chords", "Pick")), kText,
                         {8, 180, 86, 21}, -1);
  for (int i = 0; i < kMaxChordEntries; ++i)
    cbEntry[static_cast<std::size_t>(i)] = controls_.Add(
        self, 0, "COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
        {kPickLeft + i * kPickPitch, 180, kPickWidth, 200}, IDC_CBCHORDENTRY + i);
  btnAdd = controls_.AddButton(self, WithAccessKey(BuiltInText("Chords", "Add")),
                               {kButtonLeft, 179, kButtonWidth, kButtonHeight}, IDC_BTNCHORDADD);
  stRefusal = controls_.Add(self, 0, "STATIC", "", kText | SS_NOPREFIX, {8, 206, 404, 18}, -1);
  btnOK = controls_.AddButton(self, "OK", {252, 232, kButtonWidth, kButtonHeight}, IDOK);
  btnCancel = controls_.AddButton(self, "Cancel", {kButtonLeft, 232, kButtonWidth, kButtonHeight},
                                  IDCANCEL);
}

void TChordsDlg::ApplyLanguage(const LanguageTexts& texts) {
  const KeptTexts& kept = texts.Kept();
  SetText(Handle(), texts.Text("Chords", "Caption"));
  controls_.SetFont(kept.FontName, kept.FontCharset);
  SetText(btnAdd, WithAccessKey(texts.Text("Chords", "Add")));
  SetText(btnRemove, WithAccessKey(texts.Text("Chords", "Remove")));
  SetText(stPick, WithAccessKey(texts.Text("Chords", "Pick")));
  SetText(stPress, texts.Text("Chords", "Press"));
  SetText(btnOK, texts.Text("Common", "OK"));
  SetText(btnCancel, texts.Text("Common", "Cancel"));
}

LRESULT TChordsDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NEXTDLGCTL) return MoveFocus(wParam, lParam);
  if (msg == WM_COMMAND) {
    if (HIWORD(wParam) != BN_CLICKED) return 0;
    switch (LOWORD(wParam)) {
      case IDC_BTNCHORDADD: btnAddClick(); break;
      case IDC_BTNCHORDREMOVE: btnRemoveClick(); break;
      case IDOK: btnOKClick(); break;
      case IDCANCEL: btnCancelClick(); break;
    }
    return 0;
  }
  return ShellForm::HandleMessage(msg, wParam, lParam);
}

void TChordsDlg::Show() {
  list_.Assign(host_->Table().Chords);
  rows_ = host_->EntryRows();
  FillPicks();
  ShowChords(list_.Count() > 0 ? 0 : -1);
  SetText(stRefusal, "");
  awaiting_ = false;
  capture_.Start();
  host_->CaptureController(true);
  ShellForm::Show();
  SetFocus(LBChords);
}

std::string TChordsDlg::Label(std::uint8_t entry) const {
  const auto row =
      std::find_if(rows_.begin(), rows_.end(), [&](const auto& r) { return r.first == entry; });
  // A chord of an entry the controller has no row for still says which.
  return row != rows_.end() ? row->second : host_->Table().Prefix(entry);
}

void TChordsDlg::ShowChords(int select) {
  SendMessageA(LBChords, LB_RESETCONTENT, 0, 0);
  const BindingTable& table = host_->Table();
  for (const Chord& chord : list_.Chords()) {
    const std::string line = ChordLine(
        chord, [this](std::uint8_t e) { return Label(e); }, table.BindingText(chord.action));
    SendMessageA(LBChords, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  SendMessageA(LBChords, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
}

void TChordsDlg::FillPicks() {
  std::vector<std::string> items{""};  // no entry
  for (const auto& row : rows_) items.push_back(row.second);
  for (HWND combo : cbEntry) {
    FillCombo(combo, items);
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
  }
}

void TChordsDlg::ShowPicks(const std::vector<std::uint8_t>& entries) {
  for (std::size_t i = 0; i < cbEntry.size(); ++i) {
    int item = 0;
    if (i < entries.size()) {
      const auto row = std::find_if(rows_.begin(), rows_.end(),
                                    [&](const auto& r) { return r.first == entries[i]; });
      if (row != rows_.end()) item = static_cast<int>(row - rows_.begin()) + 1;
    }
    SendMessageA(cbEntry[i], CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  }
}

std::vector<std::uint8_t> TChordsDlg::Picked() const {
  std::vector<std::uint8_t> entries;
  for (HWND combo : cbEntry) {
    const auto item = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    entries.push_back(item > 0 && item <= static_cast<int>(rows_.size())
                          ? rows_[static_cast<std::size_t>(item - 1)].first
                          : std::uint8_t{0});
  }
  return entries;
}

int TChordsDlg::Selected() const {
  const auto line = static_cast<int>(SendMessageA(LBChords, LB_GETCURSEL, 0, 0));
  return line >= 0 && line < list_.Count() ? line : -1;
}

void TChordsDlg::Refuse(ChordFault fault) {
  SetText(stRefusal,
          fault == ChordFault::None ? std::string{} : Language().Text("Chords", FaultKey(fault)));
}

void TChordsDlg::RowHeld(std::uint8_t entry, bool held) {
  if (!Visible() || awaiting_) return;
  if (!capture_.Feed(entry, held)) return;
  const std::vector<std::uint8_t>& taken = capture_.Taken();
  ShowPicks(taken);
  Refuse(taken.size() > cbEntry.size() ? ChordFault::Size : ChordFault::None);
}

void TChordsDlg::btnAddClick() {
  const std::vector<std::uint8_t> picked = Picked();
  const ChordFault fault = list_.FaultOf(picked);
  Refuse(fault);
  if (fault != ChordFault::None) return;
  pending_ = ChordSet(picked);
  action_ = Binding{};
  awaiting_ = true;
  host_->Editing().EditChord(action_);
  // The action dialog stands in front until its editing ends.
  EnableWindow(Handle(), FALSE);
  std::string what;
  for (const std::uint8_t e : pending_) what += (what.empty() ? "" : " + ") + Label(e);
  host_->EditAction(what);
}

// Every way out of the action's editing enables the main window, which
// this dialog keeps disabled while it is open.
void TChordsDlg::MainEnabled() {
  if (!awaiting_) return;
  awaiting_ = false;
  host_->Editing().EditEntry();
  EnableWindow(MainWindow(), FALSE);
  EnableWindow(Handle(), TRUE);
  // A chord whose action does nothing (the editing was cancelled) is not added.
  if (action_.Action != ActNone && list_.Add(pending_, action_) == ChordFault::None)
    ShowChords(list_.Count() - 1);
  capture_.Start();
  SetForegroundWindow(Handle());
  SetFocus(LBChords);
}

void TChordsDlg::btnRemoveClick() {
  const int index = Selected();
  if (index < 0) return;
  list_.Remove(index);
  ShowChords(std::min(index, list_.Count() - 1));
}

void TChordsDlg::btnOKClick() {
  host_->Table().Chords = list_.Chords();
  Finish();
}

void TChordsDlg::btnCancelClick() { Finish(); }

void TChordsDlg::FormClose() {
  if (Visible()) btnCancelClick();
}

// The controller acts again whichever way the dialog closes. The program
// going to the tray closes the action's dialogs before this one, so their
// Cancel still puts back the chord's action rather than an entry's.
void TChordsDlg::Finish() {
  host_->CaptureController(false);
  if (awaiting_) {
    awaiting_ = false;
    host_->Editing().EditEntry();
  }
  EnableWindow(Handle(), TRUE);
  ShellForm::FormClose();
}

}  // namespace vantrel
