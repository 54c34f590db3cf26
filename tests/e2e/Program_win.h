#pragma once
// Runs the real program from a fresh folder and watches what it does: its
// windows, the input it injects (through the recorder's hooks), and the
// joystick it reads (the DirectInput double).
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "dinput/DoubleState.h"
#include "win/TempDir_win.h"
#include "xinput/XInputState.h"

namespace vantrel::test {

// A cross build records Unix paths; Wine reaches them through drive Z:.
std::string WindowsPath(std::string path);

template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 5000) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() > end) return false;
    Sleep(10);
  }
}

std::string ClassOf(HWND hwnd);
std::string TextOf(HWND hwnd);

// One started process of the program, ended at the latest when this ends.
class Process {
 public:
  Process() = default;
  // Starts `exe` (a path, spelled as the starter spells it) in `folder`;
  // its standard output and error go to the file `output`, if one is named.
  Process(const std::string& exe, const std::string& folder, const std::string& output = {});
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;

  bool Started() const { return info_.hProcess != nullptr; }
  // Why the start failed (the system's error code).
  DWORD StartError() const { return startError_; }
  bool Running() const;
  // The exit code, or -1 when the process is still running after the wait.
  long ExitCode(DWORD timeoutMs = 5000) const;
  // The process's top-level windows of this class (message boxes are "#32770").
  std::vector<HWND> Windows(const std::string& className) const;
  HWND Window(const std::string& className) const;
  // The main window once it shows, or null after ten seconds.
  HWND WaitForMainWindow() const;
  // What a failed wait saw: how the process ended, or which of its windows
  // are there.
  std::string Describe() const;

 private:
  void End();

  PROCESS_INFORMATION info_{};
  DWORD startError_ = 0;
};

// One run of a copy of the program, ended at the latest when the test ends.
class Program {
 public:
  // `joystick`: the DirectInput double gives this copy an attached joystick
  // that the test drives through Joystick(); without, it offers none. `exe`: where the copy lies
  // in its fresh folder and what it is called ("sub folder\\name.exe").
  explicit Program(bool joystick = false, const std::string& exe = "Vantrel.exe");
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The program's folder, for the files it should find there.
  std::string operator/(const std::string& name) const { return home_ + name; }
  const std::string& Folder() const { return home_; }
  const std::string& Exe() const { return exe_; }
  // Writes the settings file (the text of its [Setup] section).
  void Settings(const std::string& setup);
  void Write(const std::string& name, const std::string& text);

  // Starts the copy, by its path or by `exe`, another spelling of it.
  bool Start(const std::string& exe = {});
  // Starts the copy once more (by its path, or by `exe`), from the same folder,
  // and waits for that second process to end: its exit code, or -1 when it
  // was still running after `timeoutMs` (it is then ended).
  long StartAgain(DWORD timeoutMs, const std::string& exe = {});
  // Another process of the program, started by `exe` (this copy's path
  // spelled another way, or another program beside it, which then reads this
  // copy's doubles), its output going to the file `output` if one is named.
  Process Launch(const std::string& exe, const std::string& output = {}) const;
  // Why the last Start failed (the system's error code).
  DWORD StartError() const { return process_.StartError(); }
  bool Running() const { return process_.Running(); }
  // The exit code, or -1 when the program is still running after the wait.
  long ExitCode(DWORD timeoutMs = 5000) const { return process_.ExitCode(timeoutMs); }
  std::string Describe() const { return process_.Describe(); }

  // The program's top-level window of this class, or null.
  HWND Window(const std::string& className) const { return process_.Window(className); }
  // All of them (message boxes are "#32770").
  std::vector<HWND> Windows(const std::string& className) const {
    return process_.Windows(className);
  }
  // The main window once it shows, or null after ten seconds.
  HWND WaitForMainWindow() const { return process_.WaitForMainWindow(); }
  // Until the program has made its start-up windows and takes messages.
  // (Wine's WaitForInputIdle can answer before start-up is over.)
  bool WaitUntilStarted() const;
  // A control of the main window by its id (the rows' ids are in resource.h).
  HWND Control(int id) const;

  DoubleState& Joystick() { return *joystick_; }
  // The XInput double's pads, for a joystick that is an Xbox pad's twin.
  XInputState& Pads() { return *pads_; }
  // Sets the program's event, as the driver does after a change of the
  // device (one the record shows, or the loss of the device).
  void Tell() const {
    if (event_) event_->Set();
  }
  // Waits until the program has read the joystick `reads` more times, so a
  // change made now has been seen by at least one read. The program is told
  // of the change as a driver would tell it, and reads on its event.
  bool WaitForReads(int reads = 2, DWORD timeoutMs = 5000) const;

 private:
  TempDir dir_;
  std::string home_;
  std::string exe_;
  DoubleState* joystick_ = nullptr;
  XInputState* pads_ = nullptr;
  std::string doubleName_;
  std::unique_ptr<ProgramEvent> event_;
  Process process_;
};

// A watching tool's process (tools/): it writes one line per thing it sees
// to a file of its own, sets a named event once it watches, and ends on a
// WM_QUIT posted to its thread.
class WatchingTool {
 public:
  WatchingTool(const WatchingTool&) = delete;
  WatchingTool& operator=(const WatchingTool&) = delete;

  bool Started() const { return process_.hProcess != nullptr; }
  // The lines written so far.
  std::vector<std::string> Lines() const;
  // Waits until at least `count` lines are there.
  bool WaitForLines(std::size_t count, DWORD timeoutMs = 5000) const;
  void Clear();

 protected:
  // Starts `exe` with `--file <its file> --ready <event>` and `arguments`, and
  // waits until it watches.
  WatchingTool(const std::string& exe, const std::string& arguments);
  ~WatchingTool();

 private:
  TempDir dir_;
  std::string file_;
  std::size_t skipped_ = 0;
  PROCESS_INFORMATION process_{};
};

// The recorder process: the injected input seen through low-level hooks
// ("key down 17", "mouse move 3,0", ...).
class InputRecorder : public WatchingTool {
 public:
  // `scanCodes`: key lines go on with the scan code and the extended flag
  // ("key down 37 scan 75 ext"); `times`: with the event's time in
  // milliseconds ("key down 65 at 1234").
  explicit InputRecorder(bool scanCodes = false, bool times = false);
};

// A process that reads the keyboard's state every 2 ms, as a game reads it
// once a frame, and sees a key go down or up only if it stays so until the
// next look ("down 65", "up 65"). Keys looked at in one go are written in
// the order given.
class KeyStatePoller : public WatchingTool {
 public:
  explicit KeyStatePoller(const std::vector<int>& virtualKeys);
};

// The text of a file another process may still be writing.
std::string ReadText(const std::string& path);

}  // namespace vantrel::test
