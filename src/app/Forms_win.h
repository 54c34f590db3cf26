#pragma once
#include <windows.h>

#include <vector>

namespace vantrel {

class TMainFrm;
class THelpFrm;
class TActionDlg;
class TIniFrm;
class TClickDlg;
class TBindEmulDlg;
class TAboutBox;
class TpopupINI;
class TOptionsFrm;

// The program's nine windows, created once at start-up in this order and kept
// for the whole run. A pointer is set just before its window is created, so a
// window's creation handler reaches every window created before it.
struct AppForms {
  TMainFrm* MainFrm = nullptr;
  THelpFrm* HelpFrm = nullptr;
  TActionDlg* ActionDlg = nullptr;
  TIniFrm* IniFrm = nullptr;
  TClickDlg* ClickDlg = nullptr;
  TBindEmulDlg* BindEmulDlg = nullptr;
  TAboutBox* AboutBox = nullptr;
  TpopupINI* popupINI = nullptr;
  TOptionsFrm* OptionsFrm = nullptr;
};

AppForms& Forms();

// Every window of the program but the main one that exists, in creation order.
std::vector<HWND> SecondaryWindows();

}  // namespace vantrel
