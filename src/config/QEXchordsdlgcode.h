#pragma once
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "config/ChordList.h"
#include "config/ChordsHost.h"
#include "lang/LanguageTexts.h"
#include "ui/Controls_win.h"
#include "ui/Window_win.h"

namespace vantrel {

// The chords dialog: the profile's chords, one line each. A chord is added
// by pressing its buttons on the controller, which fills the three pick
// lists, or by picking its entries in them; Add then asks for its action
// through the action dialog. OK gives the table the list, Cancel drops every
// change. While it is open the controller's presses are its own. Shown
// modeless with the main window disabled.
class TChordsDlg : public ShellForm<TChordsDlg>, public LanguageUser {
 public:
  void Create(HWND mainWindow, ChordsHost& host);
  void ApplyLanguage(const LanguageTexts& texts) override;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void Show() override;
  // Closed any other way than by its buttons, it acts as Cancel.
  void FormClose();

  // The main window's rows, as the controller holds and lets go of them.
  void RowHeld(std::uint8_t entry, bool held);
  // The main window was enabled: the editing of the action asked for is over.
  void MainEnabled();

  void btnAddClick();
  void btnRemoveClick();
  void btnOKClick();
  void btnCancelClick();

  const ChordList& Working() const { return list_; }
  // The entries the pick lists show; 0 for none.
  std::vector<std::uint8_t> Picked() const;

  HWND LBChords = nullptr;
  HWND stPress = nullptr;
  HWND stPick = nullptr;
  std::array<HWND, kMaxChordEntries> cbEntry{};
  HWND stRefusal = nullptr;
  HWND btnAdd = nullptr;
  HWND btnRemove = nullptr;
  HWND btnOK = nullptr;
  HWND btnCancel = nullptr;

 private:
  void ShowChords(int select);
  void FillPicks();
  void ShowPicks(const std::vector<std::uint8_t>& entries);
  std::string Label(std::uint8_t entry) const;
  int Selected() const;
  void Refuse(ChordFault fault);
  void Finish();

  ChordsHost* host_ = nullptr;
  ChordList list_;
  ChordCapture capture_;
  std::vector<std::pair<std::uint8_t, std::string>> rows_;
  // The chord whose action the action dialog edits, while it does.
  bool awaiting_ = false;
  std::vector<std::uint8_t> pending_;
  Binding action_;
};

}  // namespace vantrel
