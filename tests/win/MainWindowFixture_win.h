#pragma once
// The fixture of the main window's tests: the real start-up in this
// process, the rows read back from the controls themselves.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Application_win.h"
#include "app/Elevation_win.h"
#include "app/RowLayout.h"
#include "base/IniFile_win.h"
#include "config/SettingsFile_win.h"
#include "resource.h"
#include "win/DialogAnswer_win.h"
#include "win/TempDir_win.h"

namespace vantrel::test {


struct Row {
  HWND button, display, turbo;
};

[[maybe_unused]] static std::string Text(HWND hwnd) {
  char text[512] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// The control's rectangle in its parent's client area: left, top, width, height.
[[maybe_unused]] static std::vector<int> Place(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

[[maybe_unused]] static int Top(HWND hwnd) { return Place(hwnd)[1]; }

[[maybe_unused]] static bool Checked(HWND hwnd) { return SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }

[[maybe_unused]] static int CountChildren(HWND parent) {
  int count = 0;
  EnumChildWindows(
      parent, [](HWND, LPARAM n) { return ++*reinterpret_cast<int*>(n), TRUE; },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

[[maybe_unused]] static LOGFONTA FontOf(HWND hwnd) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override { SetSettingsFile(dir / "Vantrel.set"); }
  void TearDown() override {
    app.reset();
    SetSettingsFile(dir / "unused.set");
    // The main window's end asked this thread to quit; the next test's
    // modal loops would obey at once.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  // Starts the program's windows for `buttons` buttons with this profile
  // ([Bind] lines, "" for none) and extra settings, and shows the main window.
  TMainFrm& Start(int buttons, const std::string& profile = "", const std::string& extra = "") {
    std::string settings = "[Setup]\r\nNumOfButtons=" + std::to_string(buttons) + "\r\n" + extra;
    if (!profile.empty()) {
      WriteFileBytes(dir / "pad.ini", "[Bind]\r\n" + profile);
      settings += "Path=" + dir / "pad.ini" + "\r\n";
    }
    WriteFileBytes(dir / "Vantrel.set", settings);
    app = std::make_unique<Application>();
    app->CreateForms();
    app->Show(SW_SHOWNORMAL);
    app->CompleteStartUp();
    n = buttons;
    return app->MainFrm;
  }

  HWND Main() const { return app->MainFrm.Handle(); }
  HWND Group(int id) const { return GetDlgItem(Main(), id); }
  HWND Arrow(int id) const { return GetDlgItem(Group(IDC_FSGBUTTONS), id); }
  // Found by id in the group that should hold it.
  Row RowOf(int entry) const {
    const HWND group = Group(entry <= n ? IDC_FSGBUTTONS : IDC_FSGAXIS);
    return {GetDlgItem(group, IDC_BTNJOY + entry), GetDlgItem(group, IDC_STJOY + entry),
            GetDlgItem(group, IDC_CHBJOY + entry)};
  }
  void Click(HWND control) const { SendMessageA(control, BM_CLICK, 0, 0); }

  // The shown button rows, after checking that each row's three controls sit
  // together and that exactly the rows in the six-row band are shown.
  std::vector<int> ShownButtonRows() const {
    std::vector<int> shown;
    for (int e = 1; e <= n; ++e) {
      const Row r = RowOf(e);
      const int top = Top(r.button);
      EXPECT_EQ(Top(r.display), top + 1) << "entry " << e;
      EXPECT_EQ(Top(r.turbo), top + 1) << "entry " << e;
      const bool visible = IsWindowVisible(r.button);
      EXPECT_EQ(IsWindowVisible(r.display) != 0, visible) << "entry " << e;
      EXPECT_EQ(IsWindowVisible(r.turbo) != 0, visible) << "entry " << e;
      EXPECT_EQ(visible, top >= 16 && top <= 126) << "entry " << e << " at " << top;
      if (visible) shown.push_back(e);
    }
    return shown;
  }

  test::TempDir dir;
  std::unique_ptr<Application> app;
  int n = 0;
};

}  // namespace vantrel::test
