#include "e2e/Program_win.h"

#include <sstream>
#include <utility>

#include "config/Paths.h"

namespace vantrel::test {

namespace {

int counter = 0;

}  // namespace

std::string ReadText(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string TextOf(HWND hwnd) {
  char text[512] = {};
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, nullptr);
  return text;
}

Process::Process(const std::string& exe, const std::string& folder, const std::string& output) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  HANDLE file = INVALID_HANDLE_VALUE;
  if (!output.empty()) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    file = CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (file != INVALID_HANDLE_VALUE) {
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = file;
  }
  std::string commandLine = "\"" + exe + "\"";
  const bool started =
      CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr,
                     file != INVALID_HANDLE_VALUE, 0, nullptr, folder.c_str(), &si, &info_);
  if (!started) startError_ = GetLastError();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!started) {
    info_ = {};
    return;
  }
  CloseHandle(info_.hThread);
  info_.hThread = nullptr;
}

Process::~Process() { End(); }

Process::Process(Process&& other) noexcept
    : info_(std::exchange(other.info_, {})), startError_(other.startError_) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    End();
    info_ = std::exchange(other.info_, {});
    startError_ = other.startError_;
  }
  return *this;
}

void Process::End() {
  if (!info_.hProcess) return;
  if (Running()) TerminateProcess(info_.hProcess, 99);
  WaitForSingleObject(info_.hProcess, 5000);
  CloseHandle(info_.hProcess);
  info_ = {};
}

bool Process::Running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

long Process::ExitCode(DWORD timeoutMs) const {
  if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return static_cast<long>(code);
}

std::vector<HWND> Process::Windows(const std::string& className) const {
  struct Search {
    DWORD pid;
    std::string name;
    std::vector<HWND> found;
  } search{info_.dwProcessId, className, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == s->pid && ClassOf(hwnd) == s->name) s->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Process::Window(const std::string& className) const {
  const std::vector<HWND> found = Windows(className);
  return found.empty() ? nullptr : found.front();
}

HWND Process::WaitForMainWindow() const {
  HWND main = nullptr;
  WaitUntil(
      [&] {
        main = Window("TMainFrm");
        return main && IsWindowVisible(main);
      },
      10000);
  return main;
}

std::string Process::Describe() const {
  if (!info_.hProcess) return "not started";
  if (!Running()) {
    std::ostringstream ended;
    ended << "ended with code 0x" << std::hex << static_cast<unsigned long>(ExitCode(0));
    return ended.str();
  }
  std::string windows;
  for (const char* name : {"TMainFrm", "TpopupINI", "#32770"})
    if (Window(name)) windows += std::string(windows.empty() ? "" : ", ") + name;
  return "running, windows: " + (windows.empty() ? std::string("none") : windows);
}

Program::Program(bool joystick, const std::string& exe) {
  const auto cut = exe.find_last_of('\\');
  home_ = dir_.Path();
  if (cut != std::string::npos) {
    home_ += exe.substr(0, cut + 1);
    CreateDirectoryA(home_.c_str(), nullptr);
  }
  exe_ = home_ + exe.substr(cut == std::string::npos ? 0 : cut + 1);
  CopyFileA(WindowsPath(VANTREL_EXE).c_str(), exe_.c_str(), FALSE);
  if (!joystick) return;
  doubleName_ =
      "vantrel-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  joystick_ = MapDoubleState(doubleName_.c_str());
  if (joystick_) {
    ResetDoubleState(*joystick_);
    event_ = std::make_unique<ProgramEvent>(*joystick_);
  }
  pads_ = MapXInputState((doubleName_ + "-pads").c_str());
}

void Program::Settings(const std::string& setup) {
  WriteFileBytes(SettingsPathFor(exe_), "[Setup]\r\n" + setup);
}

void Program::Write(const std::string& name, const std::string& text) {
  WriteFileBytes(home_ + name, text);
}

Process Program::Launch(const std::string& exe, const std::string& output) const {
  if (!doubleName_.empty()) {
    SetEnvironmentVariableA(kDoubleStateVariable, doubleName_.c_str());
    SetEnvironmentVariableA(kXInputStateVariable, (doubleName_ + "-pads").c_str());
  }
  return Process(exe, home_, output);
}

bool Program::Start(const std::string& exe) {
  process_ = Launch(exe.empty() ? exe_ : exe);
  return process_.Started();
}

long Program::StartAgain(DWORD timeoutMs, const std::string& exe) {
  const Process second = Launch(exe.empty() ? exe_ : exe);
  if (!second.Started()) return -2;
  return second.ExitCode(timeoutMs);
}

bool Program::WaitUntilStarted() const {
  // The popup is the last window start-up makes; a message sent to the main
  // window is then answered once the program takes messages again.
  if (!WaitUntil([&] { return Window("TpopupINI") != nullptr; }, 10000)) return false;
  DWORD_PTR answer = 0;
  return SendMessageTimeoutA(Window("TMainFrm"), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer) != 0;
}

HWND Program::Control(int id) const {
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  EnumChildWindows(
      Window("TMainFrm"),
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (GetDlgCtrlID(hwnd) != s->id) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Program::WaitForReads(int reads, DWORD timeoutMs) const {
  if (!joystick_) return false;
  // An Xbox pad's twin is read through XInput, and DirectInput not at all.
  auto count = [&] { return joystick_->getDeviceStateCalls + (pads_ ? pads_->getStateCalls : 0); };
  const int target = count() + reads;
  return WaitUntil(
      [&] {
        Tell();
        return count() >= target;
      },
      timeoutMs);
}

WatchingTool::WatchingTool(const std::string& exe, const std::string& arguments)
    : file_(dir_ / "lines.txt") {
  const std::string ready =
      "vantrel-watching-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  HANDLE readyEvent = CreateEventA(nullptr, TRUE, FALSE, ready.c_str());
  std::string commandLine =
      "\"" + WindowsPath(exe) + "\" --file \"" + file_ + "\" --ready " + ready + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                      nullptr, nullptr, &si, &process_) ||
      WaitForSingleObject(readyEvent, 10000) != WAIT_OBJECT_0) {
    if (process_.hProcess) TerminateProcess(process_.hProcess, 1);
    process_ = {};
  }
  CloseHandle(readyEvent);
}

WatchingTool::~WatchingTool() {
  if (!process_.hProcess) return;
  PostThreadMessageA(process_.dwThreadId, WM_QUIT, 0, 0);
  if (WaitForSingleObject(process_.hProcess, 3000) != WAIT_OBJECT_0)
    TerminateProcess(process_.hProcess, 1);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

std::vector<std::string> WatchingTool::Lines() const {
  std::vector<std::string> lines;
  std::istringstream in(ReadText(file_));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  lines.erase(lines.begin(), lines.begin() + static_cast<long>(std::min(skipped_, lines.size())));
  return lines;
}

bool WatchingTool::WaitForLines(std::size_t count, DWORD timeoutMs) const {
  return WaitUntil([&] { return Lines().size() >= count; }, timeoutMs);
}

void WatchingTool::Clear() { skipped_ += Lines().size(); }

InputRecorder::InputRecorder(bool scanCodes, bool times)
    : WatchingTool(VANTREL_RECORDER,
                   std::string(scanCodes ? " --scan" : "") + (times ? " --times" : "")) {}

KeyStatePoller::KeyStatePoller(const std::vector<int>& virtualKeys)
    : WatchingTool(VANTREL_KEY_POLLER, [&] {
        std::string keys;
        for (const int key : virtualKeys) keys += " " + std::to_string(key);
        return keys;
      }()) {}

}  // namespace vantrel::test
