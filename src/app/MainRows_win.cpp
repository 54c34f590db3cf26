// The main window's rows: their clicks, their look as the input is held,
// and what the binding logic shows in them (RowView).
#include "app/QEXmainwndcode.h"
#include "base/Clock_win.h"
#include "bindings/Profile.h"
#include "ui/Dpi_win.h"

namespace vantrel {

void TMainFrm::GBoxScrool(int group, int direction) { Rows.GBoxScrool(group, direction); }

void TMainFrm::btnGUpClick() { GBoxScrool(static_cast<int>(RowGroup::Buttons), kScrollUp); }

void TMainFrm::btnGDownClick() { GBoxScrool(static_cast<int>(RowGroup::Buttons), kScrollDown); }

void TMainFrm::OnbtnJoyClick(HWND sender) {
  const int e = Rows.EntryOfButton(sender);
  if (!e) return;
  Editor.CurrentEntry = e;
  char caption[256] = {};
  GetWindowTextA(sender, caption, sizeof caption);
  EditAction(caption);
}

void TMainFrm::EditAction(const std::string& what) {
  OnDemandForm& dialog = *Windows.ActionDlg;
  SetWindowTextA(dialog.Created(), (Kept().ActionCaption + " [" + what + "]").c_str());
  // Disabled, the main window lets the dialog behave as a modal one; the
  // dialog enables it again when the editing ends.
  EnableWindow(Handle(), FALSE);
  dialog.Show();
}

std::vector<std::pair<std::uint8_t, std::string>> TMainFrm::EntryRows() const {
  std::vector<std::pair<std::uint8_t, std::string>> rows;
  for (int e = 1; e < Rows.Slots(); ++e) {
    if (!Rows.IsEntry(e)) continue;
    char caption[256] = {};
    GetWindowTextA(Rows.btnJoy[static_cast<std::size_t>(e)], caption, sizeof caption);
    rows.emplace_back(static_cast<std::uint8_t>(e), caption);
  }
  return rows;
}

void TMainFrm::OnchbJoyClick(HWND sender) {
  const int e = Rows.EntryOfTurbo(sender);
  if (!e) return;
  const auto entry = static_cast<std::uint8_t>(e);
  if (Editor.Layer == 0) {
    Bindings[entry].Turbo = Checked(sender);
  } else if (std::optional<Binding>& b = Bindings.InLayer(Editor.Layer, entry)) {
    b->Turbo = Checked(sender);
  } else {
    SetChecked(sender, Bindings[entry].Turbo);  // the layer has no binding of its own to tick
  }
}

void TMainFrm::EnableMainWindow() { EnableWindow(Handle(), TRUE); }

void TMainFrm::SetRowHeld(std::uint8_t entry, bool held) {
  Rows.SetHeld(entry, held);
  if (Windows.ChordRowHeld) Windows.ChordRowHeld(entry, held);
}

bool TMainFrm::RowHeld(std::uint8_t entry) const { return Rows.Held(entry); }

bool TMainFrm::TurboChecked(std::uint8_t entry) const {
  if (Editor.Layer > 0) return Bindings.IsEntry(entry) && Bindings[entry].Turbo;
  return Rows.IsEntry(entry) && Checked(Rows.chbJoy[entry]);
}

std::string TMainFrm::RowText(std::uint8_t entry) const {
  if (!Rows.IsEntry(entry)) return {};
  char text[2048] = {};
  GetWindowTextA(Rows.stJoy[entry], text, sizeof text);
  return text;
}

void TMainFrm::SetRowText(std::uint8_t entry, const std::string& text) {
  if (!Rows.IsEntry(entry)) return;
  const int layer = Editor.Layer;
  if (layer == 0 || !Bindings.IsEntry(entry)) {
    SetWindowTextA(Rows.stJoy[entry], text.c_str());
    return;
  }
  SetWindowTextA(Rows.stJoy[entry], Bindings.RowText(layer, entry).c_str());
  Rows.SetGreyed(entry, !Bindings.InLayer(layer, entry));
}

void TMainFrm::SetTurboEnabled(std::uint8_t entry, bool enabled) {
  if (Rows.IsEntry(entry)) EnableWindow(Rows.chbJoy[entry], enabled);
}

void TMainFrm::SetTurboChecked(std::uint8_t entry, bool checked) {
  if (Rows.IsEntry(entry)) SetChecked(Rows.chbJoy[entry], checked);
}

void TMainFrm::Construct(int numOfButtons) {
  Actions.Resize(numOfButtons, Now());
  Rows.Construct(Bindings.NumOfButtons(), Kept(), ControllerRows());
  FitToRows();
  // An input held through the change keeps its red row.
  for (int e = 1; e < Rows.Slots(); ++e)
    if (Actions.InputHeld(e)) SetRowHeld(static_cast<std::uint8_t>(e), true);
}

}  // namespace vantrel
