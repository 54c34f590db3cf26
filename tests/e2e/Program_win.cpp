#include "e2e/Program_win.h"

#include <sstream>

namespace vantrel::test {

namespace {

int counter = 0;

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

}  // namespace

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

Program::Program(bool joystick) {
  CopyFileA(WindowsPath(VANTREL_EXE).c_str(), (dir_ / "Vantrel.exe").c_str(), FALSE);
  if (!joystick) return;
  doubleName_ =
      "vantrel-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  joystick_ = MapDoubleState(doubleName_.c_str());
  if (joystick_) ResetDoubleState(*joystick_);
  pads_ = MapXInputState((doubleName_ + "-pads").c_str());
}

Program::~Program() {
  if (!process_.hProcess) return;
  if (Running()) TerminateProcess(process_.hProcess, 99);
  WaitForSingleObject(process_.hProcess, 5000);
  CloseHandle(process_.hProcess);
}

void Program::Settings(const std::string& setup) { Write("Vantrel.set", "[Setup]\r\n" + setup); }

void Program::Write(const std::string& name, const std::string& text) {
  WriteFileBytes(dir_ / name, text);
}

bool Program::Start() {
  const std::string exe = dir_ / "Vantrel.exe";
  if (!doubleName_.empty()) {
    SetEnvironmentVariableA(kDoubleStateVariable, doubleName_.c_str());
    SetEnvironmentVariableA(kXInputStateVariable, (doubleName_ + "-pads").c_str());
  }
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string commandLine = "\"" + exe + "\"";
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      dir_.Path().c_str(), &si, &process_)) {
    startError_ = GetLastError();
    process_ = {};
    return false;
  }
  CloseHandle(process_.hThread);
  return true;
}

long Program::StartAgain(DWORD timeoutMs) {
  const std::string exe = dir_ / "Vantrel.exe";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string commandLine = "\"" + exe + "\"";
  PROCESS_INFORMATION second{};
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      dir_.Path().c_str(), &si, &second))
    return -2;
  CloseHandle(second.hThread);
  long code = -1;
  if (WaitForSingleObject(second.hProcess, timeoutMs) == WAIT_OBJECT_0) {
    DWORD exit = 0;
    GetExitCodeProcess(second.hProcess, &exit);
    code = static_cast<long>(exit);
  } else {
    TerminateProcess(second.hProcess, 99);
    WaitForSingleObject(second.hProcess, 5000);
  }
  CloseHandle(second.hProcess);
  return code;
}

bool Program::Running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

long Program::ExitCode(DWORD timeoutMs) const {
  if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return static_cast<long>(code);
}

std::vector<HWND> Program::Windows(const std::string& className) const {
  struct Search {
    DWORD pid;
    std::string name;
    std::vector<HWND> found;
  } search{process_.dwProcessId, className, {}};
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

HWND Program::Window(const std::string& className) const {
  const std::vector<HWND> found = Windows(className);
  return found.empty() ? nullptr : found.front();
}

HWND Program::WaitForMainWindow() const {
  HWND main = nullptr;
  WaitUntil(
      [&] {
        main = Window("TMainFrm");
        return main && IsWindowVisible(main);
      },
      10000);
  return main;
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

bool Program::WaitForReads(int reads) const {
  if (!joystick_) return false;
  // An Xbox pad's twin is read through XInput, and DirectInput not at all.
  auto count = [&] { return joystick_->getDeviceStateCalls + (pads_ ? pads_->getStateCalls : 0); };
  const int target = count() + reads;
  return WaitUntil([&] { return count() >= target; });
}

InputRecorder::InputRecorder(bool scanCodes) : file_(dir_ / "input.txt") {
  const std::string ready =
      "vantrel-recorder-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  HANDLE readyEvent = CreateEventA(nullptr, TRUE, FALSE, ready.c_str());
  std::string commandLine = "\"" + WindowsPath(VANTREL_RECORDER) + "\" --file \"" + file_ +
                            "\" --ready " + ready + (scanCodes ? " --scan" : "");
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

InputRecorder::~InputRecorder() {
  if (!process_.hProcess) return;
  PostThreadMessageA(process_.dwThreadId, WM_QUIT, 0, 0);
  if (WaitForSingleObject(process_.hProcess, 3000) != WAIT_OBJECT_0)
    TerminateProcess(process_.hProcess, 1);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

std::vector<std::string> InputRecorder::Lines() const {
  std::vector<std::string> lines;
  std::istringstream in(ReadText(file_));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  lines.erase(lines.begin(), lines.begin() + static_cast<long>(std::min(skipped_, lines.size())));
  return lines;
}

bool InputRecorder::WaitForLines(std::size_t count, DWORD timeoutMs) const {
  return WaitUntil([&] { return Lines().size() >= count; }, timeoutMs);
}

void InputRecorder::Clear() { skipped_ += Lines().size(); }

}  // namespace vantrel::test
