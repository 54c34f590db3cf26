#pragma once
// The fixture of the tests of the options, Help and About windows: the
// program's windows created in this process, the DirectInput double
// standing in for the joystick.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Application_win.h"
#include "app/RowLayout.h"
#include "base/IniFile_win.h"
#include "config/SettingsFile_win.h"
#include "dinput/DoubleState.h"
#include "lang/KeptTexts.h"
#include "lang/LanguageKeys.h"
#include "resource.h"
#include "win/BoxCounter_win.h"
#include "win/Picture_win.h"
#include "win/TempDir_win.h"

namespace vantrel::test {

[[maybe_unused]] static std::string Text(HWND hwnd) { return TextOf(hwnd); }
[[maybe_unused]] static bool Checked(HWND box) {
  return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
[[maybe_unused]] static void Click(HWND control) { SendMessageA(control, BM_CLICK, 0, 0); }
[[maybe_unused]] static LOGFONTA FontOf(HWND control) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}
[[maybe_unused]] static bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A profile for 16 buttons: buttons 1 to 12 and 14 bound, and the four
// directions (stored crossed: the Up row under "Left", and so on).
[[maybe_unused]] static std::string SixteenButtonProfile() {
  std::string p = "[Bind]\r\n";
  for (int b = 1; b <= 12; ++b)
    p += "Button" + std::to_string(b) + ".Action=3\r\nButton" + std::to_string(b) +
         ".VCode=" + std::to_string(64 + b) + "\r\n";
  p += "Button14.Action=5\r\nButton14.Execute=C:\\x.exe\r\n";
  p += "Left.Action=3\r\nLeft.VCode=38\r\nRight.Action=3\r\nRight.VCode=40\r\n";
  p += "Up.Action=4\r\nUp.MButton=300\r\nDown.Action=4\r\nDown.MButton=301\r\n";
  return p;
}

class Options : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableA(test::kDoubleStateVariable, name.c_str());
    state = test::MapDoubleState(name.c_str());
    ASSERT_NE(state, nullptr);
    test::ResetDoubleState(*state);
    SetSettingsFile(settingsPath);
    SetScratchProfile(scratchPath);
    savedAutoruns = ProgramAutoruns();
    SetProgramAutoruns({{HKEY_CURRENT_USER, testKey + "\\Machine", "QEX"},
                        {HKEY_CURRENT_USER, testKey + "\\User", "QEX"}});
  }
  // Whatever an assertion interrupted, the registry keeps nothing of the test.
  void TearDown() override {
    app.reset();
    SetAutorunWriteCheck(nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, testKey.c_str());
    SetProgramAutoruns(savedAutoruns);
    SetSettingsFile(dir / "unused.set");
  }

  Application& Start(const std::string& settings, const std::string& profile = "") {
    std::string text = "[Setup]\r\n" + settings;
    if (!profile.empty()) {
      WriteFileBytes(dir / "pad.ini", profile);
      text += "Path=" + dir / "pad.ini" + "\r\n";
    }
    WriteFileBytes(settingsPath, text);
    app = std::make_unique<Application>();
    app->CreateForms();
    app->Show(SW_SHOWNORMAL);
    app->CompleteStartUp();
    return *app;
  }
  TOptionsFrm& Opts() { return app->OptionsFrm; }
  HWND Main() { return app->MainFrm.Handle(); }
  // As the menu's Options item does.
  void Open() { SendMessageA(Main(), WM_COMMAND, IDM_OPTIONS, 0); }
  HWND Display(Stepper s) { return Opts().stStepper[static_cast<int>(s)]; }
  void Up(Stepper s) { Click(Opts().btnStepUp[static_cast<int>(s)]); }
  void Down(Stepper s) { Click(Opts().btnStepDown[static_cast<int>(s)]); }
  void ChooseLanguage(int item) {
    SendMessageA(Opts().cbLng, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(Opts().Handle(), WM_COMMAND, MAKEWPARAM(IDC_CBLNG, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Opts().cbLng));
  }
  std::string RowCaption(int entry) { return Text(app->MainFrm.Rows.btnJoy[entry]); }
  Settings Saved() { return LoadSettingsFile(settingsPath); }
  // A key pressed where the focus is, through the program's message loop step.
  void Key(WPARAM key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) app->Dispatch(msg);
  }
  test::TempDir dir;
  const std::string name = "vantrel-options-" + std::to_string(GetCurrentProcessId());
  const std::string settingsPath = dir / "Vantrel.set";
  const std::string scratchPath = dir / "qex.tmp";
  const std::string testKey = "Software\\VantrelTest" + std::to_string(GetCurrentProcessId());
  AutorunEntries savedAutoruns;
  test::DoubleState* state = nullptr;
  std::unique_ptr<Application> app;
};

// The machine-wide key as a user without administrator rights meets it.
[[maybe_unused]] static long RefuseTheMachineWideKey(const AutorunEntry& entry, AutorunStep) {
  return entry.key.ends_with("\\Machine") ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}

// Whether the text of a control fits inside it in the control's own font;
// a check box's text has the box beside it.
[[maybe_unused]] static ::testing::AssertionResult Fits(HWND control) {
  const std::string text = TextOf(control);
  const HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  RECT r{};
  GetClientRect(control, &r);
  char cls[32] = {};
  GetClassNameA(control, cls, sizeof cls);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  int room = r.right - 2;
  if (std::string(cls) == "Button" && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX) room -= 18;
  if (std::string(cls) == "Button" && (style & BS_TYPEMASK) == BS_GROUPBOX) room -= 16;
  if (size.cx <= room) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << '"' << text << "\" is " << size.cx << " pixels wide in " << room << " of room";
}

// Every button and static text of the windows that hold them fits its control.
[[maybe_unused]] static void ExpectEveryTextFits(Application& a) {
  std::vector<HWND> controls;
  for (HWND window : {a.MainFrm.Handle(), a.OptionsFrm.Created(), a.ActionDlg.Get().Handle(),
                      a.ClickDlg.Get().Handle(), a.BindEmulDlg.Get().Handle(),
                      a.IniFrm.Get().Handle(), a.AboutBox.Get().Handle(), a.popupINI.Handle(),
                      a.LayerDlg.Get().Handle(), a.ChordsDlg.Get().Handle()})
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
  for (HWND control : controls) {
    char cls[32] = {};
    GetClassNameA(control, cls, sizeof cls);
    if (std::string(cls) == "Button" || std::string(cls) == "Static") {
      EXPECT_TRUE(Fits(control));
    }
  }
}

}  // namespace vantrel::test
