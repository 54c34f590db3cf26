// The real program reading a controller: a row's caption shows red while its
// input is held, and the stick's dead zone keeps small deflections quiet.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "e2e/Controller_win.h"

namespace {

using vantrel::test::ControllerTest;
using vantrel::test::WaitUntil;

struct Ink {
  int red = 0;
  int blue = 0;
};

// The caption's pixels of a control as the screen shows it.
Ink InkOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  Ink ink;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {.biSize = sizeof(BITMAPINFOHEADER), .biWidth = w, .biHeight = -h,
                    .biPlanes = 1, .biBitCount = 32, .biCompression = BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  const auto* pixel = static_cast<const std::uint32_t*>(bits);
  for (int i = 0; i < w * h; ++i) {
    const int b = pixel[i] & 0xFF, g = (pixel[i] >> 8) & 0xFF, red = (pixel[i] >> 16) & 0xFF;
    if (red > 180 && g < 90 && b < 90) ++ink.red;
    if (b > 180 && red < 90 && g < 90) ++ink.blue;
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ink;
}

class JoystickEndToEnd : public ControllerTest {
 protected:
  HWND RowButton(int entry) const { return program.Control(IDC_BTNJOY + entry); }
  bool Red(int entry) const {
    const Ink ink = InkOf(RowButton(entry));
    return ink.red > 0 && ink.blue == 0;
  }
  bool Blue(int entry) const {
    const Ink ink = InkOf(RowButton(entry));
    return ink.blue > 0 && ink.red == 0;
  }
};

TEST_F(JoystickEndToEnd, AButtonsRowIsRedWhileItIsHeld) {
  Start("[Bind]\r\n");
  SetForegroundWindow(main);
  ASSERT_NE(RowButton(2), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return Blue(2); }, 2000)) << "rows rest blue";

  Press(2);
  EXPECT_TRUE(WaitUntil([&] { return Red(2); }, 2000));
  EXPECT_TRUE(Blue(1) && Blue(3)) << "only the held row changes";
  Release(2);
  EXPECT_TRUE(WaitUntil([&] { return Blue(2); }, 2000));
}

TEST_F(JoystickEndToEnd, TheDeadZoneKeepsSmallDeflectionsQuiet) {
  // Each direction types an arrow key. Profiles keep the Up row under the
  // Left prefix, Down under Right, Left under Up and Right under Down.
  std::string profile = "[Bind]\r\n";
  for (const char* prefix : {"Left", "Right", "Up", "Down"})
    profile += std::string(prefix) + ".Action=3\r\n" + prefix + ".VCode=" +
               std::to_string(VK_LEFT) + "\r\n" + prefix + ".Shift=0\r\n" + prefix +
               ".Turbo=0\r\n";
  Start(profile, "DeadZoneX=30\r\nDeadZoneY=30\r\nRangeX=500\r\n");
  EXPECT_EQ(program.Joystick().deadZone[0], 3000) << "the settings' dead zone reaches the device";
  EXPECT_EQ(program.Joystick().rangeMin[0], -500) << "and so does the range";
  EXPECT_EQ(program.Joystick().rangeMax[0], 500);
  program.Joystick().physical = 1;

  // 25 % of the half travel on every side, inside a dead zone of 30 %.
  for (auto [x, y] : {std::pair{2500, 0}, {-2500, 0}, {0, 2500}, {0, -2500}, {2500, -2500}}) {
    Stick(x, y);
    Stick(0, 0);
  }
  Sleep(200);
  EXPECT_TRUE(recorder.Lines().empty()) << recorder.Lines().front();

  // 35 % is outside it.
  Stick(3500, 0);
  EXPECT_TRUE(recorder.WaitForLines(2));
  Stick(0, 0);
}

}  // namespace
