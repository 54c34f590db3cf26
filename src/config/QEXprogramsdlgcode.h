#pragma once
#include <string>
#include <vector>

#include "actions/ProgramRules.h"
#include "config/ProgramsHost.h"
#include "lang/LanguageTexts.h"
#include "ui/Controls_win.h"
#include "ui/Window_win.h"

namespace vantrel {

// The programs dialog: the rules that pick a profile (or Off) by the program
// in front. A program is added from the programs whose windows are open, or
// by its executable through the file dialog, and then given its profile
// (Cancel in that file dialog makes it Off). OK keeps the rules, Cancel
// drops every change. Shown modeless with the main window disabled.
class TProgramsDlg : public ShellForm<TProgramsDlg>, public LanguageUser {
 public:
  static constexpr char kProgramFilter[] = "Programs|*.exe";
  static constexpr char kProfileFilter[] = "Ini Files|*.ini";

  void Create(HWND mainWindow, ProgramsHost& host);
  void ApplyLanguage(const LanguageTexts& texts) override;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void Show() override;
  // Closed any other way than by its buttons, it acts as Cancel.
  void FormClose();

  void btnAddClick();
  void btnProfileClick();
  void btnOffClick();
  void btnRemoveClick();
  void btnOKClick();
  void btnCancelClick();

  const std::vector<ProgramRule>& Rules() const { return rules_; }

  HWND LBRules = nullptr;
  HWND cbProgram = nullptr;
  HWND btnAdd = nullptr;
  HWND btnProfile = nullptr;
  HWND btnOff = nullptr;
  HWND btnRemove = nullptr;
  HWND btnOK = nullptr;
  HWND btnCancel = nullptr;

 private:
  void ShowRules(int select);
  void FillPrograms();
  int Selected() const;
  // A profile for the rule at `index` from the file dialog; cancelled, Off.
  void AskProfile(int index);
  void Finish();

  ProgramsHost* host_ = nullptr;
  std::vector<ProgramRule> rules_;
  std::vector<std::string> running_;
  std::string offText_ = "Off";
  std::string browseText_ = "Browse...";
};

}  // namespace vantrel
