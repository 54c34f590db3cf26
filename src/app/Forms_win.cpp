#include "app/Forms_win.h"

#include "actions/QEXpopupcode.h"
#include "app/QEXaboutcode.h"
#include "app/QEXhelpwndcode.h"
#include "config/QEXactiondlgcode.h"
#include "config/QEXchangeinidlgcode.h"
#include "config/QEXclickdlgcode.h"
#include "config/QEXemuldlgcode.h"
#include "config/QEXoptionswndcode.h"

namespace vantrel {

AppForms& Forms() {
  static AppForms forms;
  return forms;
}

std::vector<HWND> SecondaryWindows() {
  const AppForms& f = Forms();
  std::vector<HWND> windows;
  auto add = [&windows](const auto* form) {
    if (form && form->Handle()) windows.push_back(form->Handle());
  };
  add(f.HelpFrm);
  add(f.ActionDlg);
  add(f.IniFrm);
  add(f.ClickDlg);
  add(f.BindEmulDlg);
  add(f.AboutBox);
  add(f.popupINI);
  add(f.OptionsFrm);
  return windows;
}

}  // namespace vantrel
