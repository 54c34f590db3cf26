#include "ui/ErrorBox_win.h"

#include <windows.h>

#include "base/Errors.h"
#include "ui/ModalLoop_win.h"

namespace vantrel {

namespace {

void Show(const char* text) noexcept {
  ModalLoopSeen();  // the box's loop runs the timers that read the controller
  try {
    const std::string shown = WithFullStop(text);
    // Owned by whichever of our windows is active, so the box stays in front
    // of it; none is active while the program sits in the tray.
    MessageBoxA(GetActiveWindow(), shown.c_str(), kAppTitle, MB_ICONSTOP | MB_OK);
  } catch (...) {
    MessageBoxA(nullptr, "Out of memory.", kAppTitle, MB_ICONSTOP | MB_OK);
  }
}

}  // namespace

void ShowError(const std::string& text) noexcept { Show(text.c_str()); }

void ShowError(const std::exception& error) noexcept { Show(error.what()); }

void ShowUnknownError() noexcept { Show("Unexpected error"); }

std::string SystemErrorText(unsigned long code) {
  char text[512] = {};
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, text, sizeof text, nullptr);
  std::string message(text, n);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == '.' || message.back() == ' '))
    message.pop_back();
  if (message.empty()) message = "System error " + std::to_string(code);
  return message;
}

}  // namespace vantrel
