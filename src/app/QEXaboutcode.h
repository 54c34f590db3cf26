#pragma once
#include <memory>
#include <type_traits>

#include "ui/Controls_win.h"
#include "ui/Window_win.h"

namespace vantrel {

// The About window: name, version and two links, to the author's mail and
// the project's home page. The main window is disabled while it is up, and
// any way of closing it enables the main window again.
class TAboutBox : public ShellForm<TAboutBox> {
 public:
  static constexpr char kVersionLine[] = "Version: 1.0 28.11.2003";
  static constexpr char kAuthor[] = "The Vantrel project";
  static constexpr char kMailAddress[] = "mailto:author@vantrel.org";
  static constexpr char kHomePage[] = "https://www.vantrel.org/";

  void Create(HWND mainWindow);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void FormDpiChanged() { ShowIcon(); }

  void lbMailClick();
  void lbURLClick();

  HWND lbName = nullptr;
  HWND lbMail = nullptr;
  HWND lbURL = nullptr;

 private:
  struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
  };
  // The icon's own image for the window's dpi, rather than one stretched.
  void ShowIcon();

  HWND picture_ = nullptr;
  std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter> icon_;
};

}  // namespace vantrel
