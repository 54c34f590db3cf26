#pragma once
// The window plumbing every window class of the program shares: a trampoline
// that routes messages to the C++ object, message-loop timers, and the base of
// the secondary windows (created hidden, closed by hiding).
#include <windows.h>

#include <exception>
#include <string>

#include "base/Errors.h"
#include "resource.h"
#include "ui/Controls_win.h"
#include "ui/Dpi_win.h"
#include "ui/ErrorBox_win.h"
#include "ui/ModalLoop_win.h"

namespace vantrel {

struct WindowParams {
  const char* className = nullptr;  // also the design name of the window
  const char* caption = "";
  DWORD style = 0;
  DWORD exStyle = 0;
  int clientWidth = 0;  // at 96 dpi
  int clientHeight = 0;
  HWND owner = nullptr;
  HMENU menu = nullptr;  // taken over by the window on success
};

inline SIZE OuterSize(const WindowParams& params, int dpi) {
  return OuterSizeForDpi(params.clientWidth, params.clientHeight, params.style,
                         params.menu != nullptr, params.exStyle, dpi);
}

// Base of every window class T, which provides
//   LRESULT HandleMessage(UINT, WPARAM, LPARAM);
// `this` is stored at WM_NCCREATE. The procedure is noexcept: an exception
// must never unwind through the window manager, so it is reported in the
// error box at this boundary, the handler is abandoned and the program runs on.
template <class T>
class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const noexcept { return hwnd_; }
  // The dpi the window is laid out for: its monitor's.
  int Dpi() const noexcept { return dpi_; }

 protected:
  Window() = default;
  ~Window() {
    if (!hwnd_) return;
    // The derived part is gone: messages sent while destroying must not reach it.
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }

  void CreateWithParams(const WindowParams& params) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(instance, params.className, &wc)) {
      wc = WNDCLASSEXA{};
      wc.cbSize = sizeof wc;
      wc.style = CS_DBLCLKS;
      wc.lpfnWndProc = &Window::Procedure;
      wc.hInstance = instance;
      wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
      if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
      // The caption and the task bar take the small image drawn for their size
      // rather than the large one shrunk. Shared: the system frees it.
      wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), LR_SHARED));
      wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.lpszClassName = params.className;
      if (!RegisterClassExA(&wc))
        throw AppError(std::string("RegisterClassExA failed for ") + params.className);
    }
    // Laid out for the dpi its monitor has, known once it exists.
    const int expected = params.owner ? WindowDpi(params.owner) : SystemDpi();
    const SIZE size = OuterSize(params, expected);
    const HWND hwnd = CreateWindowExA(params.exStyle, params.className, params.caption,
                                      params.style, CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy,
                                      params.owner, params.menu, instance, static_cast<T*>(this));
    if (!hwnd) throw AppError(std::string("CreateWindowExA failed for ") + params.className);
    if (dpi_ != expected) {
      const SIZE actual = OuterSize(params, dpi_);
      SetWindowPos(hwnd, nullptr, 0, 0, actual.cx, actual.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }

  // WM_DPICHANGED: the window moved to a monitor of another dpi. Its controls
  // take their design rectangles at the new dpi, and the window the
  // rectangle Windows suggests (which keeps it where the user dropped it).
  // Fonts are the window's own to remake.
  void ChangeDpi(WPARAM wParam, LPARAM lParam) {
    const int from = dpi_;
    dpi_ = HIWORD(wParam);
    RescaleControls(hwnd_, from, dpi_);
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam))
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }

  LRESULT DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    T* self = nullptr;
    if (msg == WM_NCCREATE) {
      self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
      static_cast<Window*>(self)->hwnd_ = hwnd;
      static_cast<Window*>(self)->dpi_ = WindowDpi(hwnd);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
      self = reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (TellsOfModalLoop(msg)) ModalLoopSeen();

    LRESULT result = 0;
    try {
      result = self->HandleMessage(msg, wParam, lParam);
    } catch (const std::exception& e) {
      ShowError(e);
    } catch (...) {
      ShowUnknownError();
    }
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      static_cast<Window*>(self)->hwnd_ = nullptr;
    }
    return result;
  }

  HWND hwnd_ = nullptr;
  int dpi_ = kDesignDpi;
};

// A message-loop timer of a window: its ticks arrive as WM_TIMER with this id.
// Like a form's timer component, it keeps its interval while stopped, and a
// new interval restarts a running timer.
class MessageTimer {
 public:
  MessageTimer(UINT_PTR id, UINT interval) : id_(id), interval_(interval) {}
  MessageTimer(const MessageTimer&) = delete;
  MessageTimer& operator=(const MessageTimer&) = delete;

  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  UINT_PTR Id() const { return id_; }
  UINT Interval() const { return interval_; }
  bool Enabled() const { return enabled_; }

  // Setting the state or the interval it already has changes nothing: a
  // running timer keeps its period rather than starting it over.
  void SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Apply();
  }
  void SetInterval(UINT interval) {
    if (interval == interval_) return;
    interval_ = interval;
    Apply();
  }

 private:
  void Apply() {
    if (!hwnd_) return;
    if (enabled_ && interval_ > 0) {
      if (!SetTimer(hwnd_, id_, interval_, nullptr)) throw AppError("SetTimer failed");
    } else {
      KillTimer(hwnd_, id_);
    }
  }

  HWND hwnd_ = nullptr;
  UINT_PTR id_;
  UINT interval_;
  bool enabled_ = false;
};

// Where a secondary window stands when it is shown.
enum class Placement { Kept, CentreOnScreen, CentreOnMain };

struct FormParams {
  WindowParams window;
  HWND mainWindow = nullptr;
  Placement placement = Placement::Kept;
  // Windows the main window opens disabled give it back when they close.
  bool enablesMainOnClose = false;
};

inline void PlaceWindow(HWND hwnd, Placement placement, HWND mainWindow) {
  if (placement == Placement::Kept) return;
  RECT self{};
  GetWindowRect(hwnd, &self);
  // The screen is the work area of the monitor the window is on, clear of
  // the task bar.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT area = monitor.rcWork;
  if (placement == Placement::CentreOnMain && mainWindow) GetWindowRect(mainWindow, &area);
  const int width = self.right - self.left;
  const int height = self.bottom - self.top;
  SetWindowPos(hwnd, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// What one window needs to know of another: how to show it, close it and
// whether it is up. Secondary windows implement it; a window that opens
// another holds it by this interface rather than by its class.
class Form {
 public:
  virtual HWND Handle() const noexcept = 0;
  virtual void Show() = 0;
  // As the title bar's close would: the window decides what closing means.
  virtual void Close() = 0;
  virtual bool Visible() const = 0;

 protected:
  ~Form() = default;
};

// Base of the secondary windows: created hidden once (at start-up, or when
// first needed) and kept for the whole run; closing one only hides it. T may
// provide FormCreate, FormDpiChanged and FormClose (calling
// ShellForm::FormClose) and its own HandleMessage that falls back to
// ShellForm::HandleMessage.
template <class T>
class ShellForm : public Window<T>, public Form {
 public:
  HWND Handle() const noexcept override { return Window<T>::Handle(); }
  void Show() override {
    if (!Visible()) ++showings_;
    PlaceWindow(this->Handle(), placement_, main_);
    ShowWindow(this->Handle(), SW_SHOW);
    SetForegroundWindow(this->Handle());
  }
  // Which showing the window is in. A modal dialog it opens (a file dialog)
  // runs a message loop of its own, in which the window may be closed (the
  // program sent to the tray closes it as Cancel) and even shown again:
  // the dialog's answer counts only while the showing that asked is still up.
  unsigned Showing() const { return showings_; }
  bool StillShowing(unsigned showing) const { return Visible() && showing == showings_; }
  void Close() override { SendMessageA(this->Handle(), WM_CLOSE, 0, 0); }
  bool Visible() const override { return IsWindowVisible(this->Handle()) != FALSE; }

  // WM_NEXTDLGCTL: the dialog manager's keyboard sends it to move the focus
  // (a label's access key to the control after it); a window that is no
  // dialog box has to answer it itself.
  LRESULT MoveFocus(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(lParam))
      SetFocus(reinterpret_cast<HWND>(wParam));
    else if (const HWND next = GetNextDlgTabItem(this->Handle(), GetFocus(), wParam != 0))
      SetFocus(next);
    return 0;
  }

  // The default behaviour; a window's own HandleMessage falls back to it.
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
      case WM_CREATE:
        controls_.SetDpi(this->Dpi());
        static_cast<T*>(this)->FormCreate();
        return 0;
      case WM_CLOSE: static_cast<T*>(this)->FormClose(); return 0;
      case WM_DRAWITEM:
        if (controls_.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
        break;
      case WM_DPICHANGED:
        this->ChangeDpi(wParam, lParam);
        controls_.SetDpi(this->Dpi());
        static_cast<T*>(this)->FormDpiChanged();
        return 0;
      case WM_SYSCOMMAND:
        // Minimising any window of the program sends the whole program to the tray.
        if ((wParam & 0xFFF0) == SC_MINIMIZE && main_) {
          SendMessageA(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
          return 0;
        }
        break;
    }
    return this->DefaultHandling(msg, wParam, lParam);
  }

  void FormCreate() {}
  // After the controls were moved and given fonts for a new dpi.
  void FormDpiChanged() {}
  void FormClose() {
    // The main window is enabled before this one hides, so that activation
    // falls back to it rather than to some other program.
    if (enablesMainOnClose_ && main_) EnableWindow(main_, TRUE);
    ShowWindow(this->Handle(), SW_HIDE);
  }

 protected:
  void CreateForm(const FormParams& params) {
    main_ = params.mainWindow;
    placement_ = params.placement;
    enablesMainOnClose_ = params.enablesMainOnClose;
    this->CreateWithParams(params.window);
  }

  HWND MainWindow() const { return main_; }

  // The window's controls, laid out and given fonts for its dpi.
  ControlSet controls_;

 private:
  HWND main_ = nullptr;
  Placement placement_ = Placement::Kept;
  bool enablesMainOnClose_ = false;
  unsigned showings_ = 0;
};

// Frames of the secondary windows.
constexpr DWORD kFixedDialogStyle = WS_POPUP | WS_CAPTION;  // single border, no caption buttons
constexpr DWORD kDialogFrameExStyle = WS_EX_DLGMODALFRAME;

}  // namespace vantrel
