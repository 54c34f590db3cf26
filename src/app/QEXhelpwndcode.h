#pragma once
#include <string>
#include <vector>

#include "lang/LanguageTexts.h"
#include "ui/Controls_win.h"
#include "ui/Window_win.h"

namespace vantrel {

// The Help window, showing readme.txt from the executable's folder. Each
// showing reads the file afresh; closing empties the window, so lines are
// never doubled. The main window stays usable beside it.
class THelpFrm : public ShellForm<THelpFrm>, public LanguageUser {
 public:
  void ApplyLanguage(const LanguageTexts& texts) override;
  void Create(HWND mainWindow);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void Show() override;
  void FormShow();
  void FormClose();

  HWND fsMemo1 = nullptr;

 private:
  void AddLines(const std::vector<std::string>& lines);

  GdiHandle brush_;
};

// The lines of a text, split at CR LF, LF or CR; a last line without an end
// counts, an empty text has none.
std::vector<std::string> TextLines(const std::string& text);

}  // namespace vantrel
