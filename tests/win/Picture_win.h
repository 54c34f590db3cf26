#pragma once
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace vantrel::test {

// Saves what the screen shows of `hwnd` as a 24-bit BMP named `name` in the
// folder the test run keeps pictures in (VANTREL_PICTURES; none: nothing is
// saved). The run turns them into the PNGs the README shows.
inline void SavePicture(HWND hwnd, const std::string& name) {
  char folder[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("VANTREL_PICTURES", folder, sizeof folder)) return;
  UpdateWindow(hwnd);
  RECT r{};
  GetWindowRect(hwnd, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB};
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  const std::uint32_t size = stride * static_cast<std::uint32_t>(height);
  BITMAPFILEHEADER file{
      0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
      sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  std::ofstream out(std::string(folder) + "\\" + name + ".bmp", std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), size);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

}  // namespace vantrel::test
