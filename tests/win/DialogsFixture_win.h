#pragma once
// The fixture of the binding dialogs' tests: the program's windows created
// in this process, driven through their controls, and its own message
// loop step.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <memory>
#include <string>

#include "app/Application_win.h"
#include "bindings/Profile.h"
#include "input/PadState.h"
#include "config/SettingsFile_win.h"
#include "resource.h"
#include "win/DialogAnswer_win.h"
#include "win/Picture_win.h"
#include "win/TempDir_win.h"

namespace vantrel::test {

[[maybe_unused]] static std::string Text(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

class Dialogs : public ::testing::Test {
 public:
  void SetUp() override {
    SetSettingsFile(dir / "Vantrel.set");
    WriteFileBytes(dir / "pad.ini",
                   "[Bind]\r\nButton2.Action=3\r\nButton2.VCode=65\r\nButton2.Shift=17\r\n"
                   "Button2.Turbo=1\r\n");
    WriteFileBytes(dir / "Vantrel.set", "[Setup]\r\nNumOfButtons=4\r\nPath=" + dir / "pad.ini");
    app = std::make_unique<Application>();
    app->CreateForms();
    app->Show(SW_SHOWNORMAL);
    app->CompleteStartUp();
    Pump();
  }
  void TearDown() override {
    app.reset();
    SetSettingsFile(dir / "unused.set");
  }

  // Runs what is queued through the program's own message loop step.
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) app->Dispatch(msg);
  }
  void Click(HWND control) {
    SendMessageA(control, BM_CLICK, 0, 0);
    Pump();
  }
  void Choose(HWND combo, int item) {
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  }
  // A key pressed while `focus` has the focus.
  void Press(HWND focus, WPARAM key, bool system = false) {
    SetFocus(focus);
    PostMessageA(focus, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
    PostMessageA(focus, system ? WM_SYSKEYUP : WM_KEYUP, key, 0xC0000001);
    Pump();
  }

  TMainFrm& Main() { return app->MainFrm; }
  Binding& Entry(int e) { return Main().Bindings[static_cast<std::uint8_t>(e)]; }
  HWND Row(int e) { return Main().Rows.btnJoy[e]; }
  std::string RowText(int e) { return Main().RowText(static_cast<std::uint8_t>(e)); }
  bool Turbo(int e, bool enabled) {
    const HWND box = Main().Rows.chbJoy[e];
    return enabled ? IsWindowEnabled(box) != 0
                   : SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  bool MainEnabled() { return IsWindowEnabled(Main().Handle()) != 0; }
  bool AnyDialogShown() {
    for (Form* f : std::initializer_list<Form*>{&app->ActionDlg, &app->BindEmulDlg, &app->ClickDlg,
                                                &app->IniFrm, &app->LayerDlg})
      if (f->Visible()) return true;
    return false;
  }
  // Opens the action dialog on entry `e`, and from it the dialog behind `button`.
  void Open(int e, HWND TActionDlg::*button = nullptr) {
    Click(Row(e));
    ASSERT_TRUE(app->ActionDlg.Visible());
    ASSERT_FALSE(MainEnabled());
    if (button) Click(app->ActionDlg.Get().*button);
  }

  test::TempDir dir;
  std::unique_ptr<Application> app;
};

}  // namespace vantrel::test
