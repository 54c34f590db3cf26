// The running program, measured from outside: Vantrel.exe reads the
// DirectInput double, and this process changes the double's buttons and
// watches the program's injected keys through a low-level hook.
//  - the delay from a button change in the double to the key event that the
//    change's press or release injects, at the default 50 ms polling period;
//  - the CPU time the program uses over 30 s with nothing held, and over
//    30 s with a pointer movement held.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "HostProcess_win.h"
#include "dinput/DoubleState.h"
#include "win/TempDir_win.h"

namespace {

using vantrel::bench::HostCpuMs;
using vantrel::bench::Now;
using vantrel::bench::UnderWine;
using vantrel::bench::WindowsPath;
using vantrel::test::DoubleState;

constexpr int kChanges = 240;
constexpr DWORD kCpuWindowMs = 30000;
constexpr BYTE kWatchedKey = VK_F13;  // types nothing anywhere

std::string programName;  // the copy's file name, unique to this run
std::atomic<double> keySeenAt{0};
HANDLE keySeen = nullptr;

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->vkCode == kWatchedKey) {
    keySeenAt = Now();
    SetEvent(keySeen);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

double ProcessTimesMs(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
           10000.0;
  };
  return ms(kernel) + ms(user);
}

void PrintCpu(const char* what, HANDLE process) {
  const bool wine = UnderWine();
  const double before = wine ? HostCpuMs(programName) : ProcessTimesMs(process);
  const double serverBefore = wine ? HostCpuMs("wineserver") : 0;
  Sleep(kCpuWindowMs);
  const double used = (wine ? HostCpuMs(programName) : ProcessTimesMs(process)) - before;
  std::printf("CPU time of Vantrel.exe, %s: %.0f ms over %lu s (%.2f %% of one core)", what, used,
              kCpuWindowMs / 1000, 100.0 * used / kCpuWindowMs);
  if (wine)
    std::printf("; wineserver, serving every Wine process: %.0f ms",
                HostCpuMs("wineserver") - serverBefore);
  std::printf("\n");
  std::fflush(stdout);
}

// Plays the changes and the two CPU windows while the main thread pumps the
// hook's messages.
void Measure(DoubleState& pad, HANDLE process, DWORD mainThread) {
  for (int i = 0; i < 500 && pad.getDeviceStateCalls < 3; ++i) Sleep(20);
  if (pad.getDeviceStateCalls < 3) {
    std::printf("Vantrel.exe never read the joystick\n");
    PostThreadMessageA(mainThread, WM_QUIT, 0, 0);
    return;
  }
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pause(60, 140);  // any phase of the polling period
  std::vector<double> delays;
  int missed = 0;
  for (int i = 0; i < kChanges; ++i) {
    Sleep(static_cast<DWORD>(pause(random)));
    ResetEvent(keySeen);
    const double changedAt = Now();
    pad.buttons[0] = (i % 2 == 0) ? 0x80 : 0;  // presses and releases alike
    if (WaitForSingleObject(keySeen, 1000) != WAIT_OBJECT_0) {
      ++missed;
      continue;
    }
    delays.push_back(keySeenAt - changedAt);
  }
  pad.buttons[0] = 0;
  std::sort(delays.begin(), delays.end());
  if (!delays.empty())
    std::printf(
        "button change to injected key, polling every 50 ms: median %.1f ms, 95th %.1f ms, "
        "worst %.1f ms over %zu changes (%d missed)\n",
        delays[delays.size() / 2], delays[delays.size() * 95 / 100], delays.back(), delays.size(),
        missed);
  std::fflush(stdout);

  Sleep(500);
  PrintCpu("idle, nothing held", process);
  pad.lX = 1000;  // the stick's Right row moves the pointer
  PrintCpu("pointer movement held", process);
  pad.lX = 0;
  PostThreadMessageA(mainThread, WM_QUIT, 0, 0);
}

}  // namespace

int main() {
  vantrel::test::TempDir dir;
  // A name of this run's own: the host's process table holds every Vantrel.exe
  // running on the machine, other runs' among them.
  const std::string base = "Vantrel_" + std::to_string(GetCurrentProcessId());
  programName = base + ".exe";
  CopyFileA(WindowsPath(VANTREL_EXE).c_str(), (dir / programName).c_str(), FALSE);
  // Button 1 types F13; the stick's Right row (kept under the Down prefix)
  // moves the pointer right.
  vantrel::test::WriteFileBytes(dir / "bench.ini",
                                "[Bind]\r\nButton1.Action=3\r\nButton1.VCode=124\r\n"
                                "Button1.Shift=0\r\nButton1.Turbo=0\r\n"
                                "Down.Action=4\r\nDown.MButton=902\r\n");
  vantrel::test::WriteFileBytes(dir / (base + ".set"),
                                "[Setup]\r\nMinimize=1\r\nPath=" + (dir / "bench.ini") + "\r\n");

  const std::string name = "vantrel-bench-" + std::to_string(GetCurrentProcessId());
  DoubleState* pad = vantrel::test::MapDoubleState(name.c_str());
  if (!pad) return 1;
  vantrel::test::ResetDoubleState(*pad);
  SetEnvironmentVariableA(vantrel::test::kDoubleStateVariable, name.c_str());

  keySeen = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, GetModuleHandleA(nullptr), 0);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION program{};
  const std::string exe = dir / programName;
  std::string commandLine = "\"" + exe + "\"";
  if (!hook || !CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, dir.Path().c_str(), &si, &program)) {
    std::printf("could not start Vantrel.exe\n");
    return 1;
  }

  std::thread measuring(Measure, std::ref(*pad), program.hProcess, GetCurrentThreadId());
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  measuring.join();

  UnhookWindowsHookEx(hook);
  vantrel::bench::CloseProgram(program);
  return 0;
}
