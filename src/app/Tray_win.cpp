#include "app/Tray_win.h"

#include "base/SystemFunctions_win.h"
#include "ui/AccessKey.h"
#include "ui/ModalLoop_win.h"

#include "resource.h"

namespace vantrel {

namespace {

struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

NOTIFYICONDATAA BaseData(HWND owner) {
  NOTIFYICONDATAA data{};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = 1;
  return data;
}

}  // namespace

void NotifyIcon::Activate(HWND owner, std::string tip) {
  owner_ = owner;
  tip_ = std::move(tip);
  if (!icon_) {
    // The small size of the program's icon, loaded as our own copy.
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    icon_.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), 0)));
  }
  active_ = true;
  Add();
}

bool NotifyIcon::Add() {
  NOTIFYICONDATAA data = BaseData(owner_);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kCallbackMessage;
  data.hIcon = icon_ ? icon_.get() : LoadIconA(nullptr, IDI_APPLICATION);
  tip_.copy(data.szTip, sizeof data.szTip - 1);
  return sys::Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

void NotifyIcon::SetTip(std::string tip) {
  if (tip == tip_) return;
  tip_ = std::move(tip);
  if (!active_) return;
  NOTIFYICONDATAA data = BaseData(owner_);
  data.uFlags = NIF_TIP;
  tip_.copy(data.szTip, sizeof data.szTip - 1);
  sys::Shell_NotifyIconA(NIM_MODIFY, &data);
}

void NotifyIcon::Deactivate() {
  if (!active_) return;
  active_ = false;
  NOTIFYICONDATAA data = BaseData(owner_);
  sys::Shell_NotifyIconA(NIM_DELETE, &data);
}

void NotifyIcon::Readd() {
  if (active_) Add();
}

void NotifyIcon::ShowBalloon(const std::string& title, const std::string& text) {
  if (!active_) return;
  NOTIFYICONDATAA data = BaseData(owner_);
  data.uFlags = NIF_INFO;
  data.dwInfoFlags = NIIF_WARNING;
  title.copy(data.szInfoTitle, sizeof data.szInfoTitle - 1);
  text.copy(data.szInfo, sizeof data.szInfo - 1);
  sys::Shell_NotifyIconA(NIM_MODIFY, &data);
}

void NotifyIcon::SetMenuTexts(std::string settings, std::string exit) {
  settingsText_ = std::move(settings);
  exitText_ = std::move(exit);
}

NotifyIcon::MenuChoice NotifyIcon::TrackMenu() {
  MenuHandle menu(CreatePopupMenu());
  if (!menu) return MenuChoice::None;
  AppendMenuA(menu.get(), MF_STRING, IDM_TRAY_SETTINGS, WithAccessKey(settingsText_).c_str());
  AppendMenuA(menu.get(), MF_STRING, IDM_TRAY_EXIT, WithAccessKey(exitText_).c_str());

  // The legacy callback carries no coordinates: the menu opens at the pointer.
  POINT at{};
  GetCursorPos(&at);
  SetForegroundWindow(owner_);
  ModalLoopSeen();  // the menu's loop runs the timers that read the controller
  const UINT command = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                      at.x, at.y, 0, owner_, nullptr);
  // Without a message after the menu, it fails to appear the next time.
  PostMessageA(owner_, WM_NULL, 0, 0);
  switch (command) {
    case IDM_TRAY_SETTINGS: return MenuChoice::Settings;
    case IDM_TRAY_EXIT: return MenuChoice::Exit;
    default: return MenuChoice::None;
  }
}

}  // namespace vantrel
