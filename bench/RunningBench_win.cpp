// The running program, measured from outside: Vantrel.exe reads the
// DirectInput double, and this process changes the double's buttons and
// watches the program's injected keys through a low-level hook.
//  - the delay from a button change in the double (reported as a device
//    reports it: kept in its buffer, its event set) to the key event that the
//    change's press or release injects, over 500 changes;
//  - how many of 1,000 taps of 5 to 20 ms are lost;
//  - each with the device's event waking the program, and with the polling
//    timer alone at the default 50 ms (InputEvents=0), side by side;
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

constexpr int kChanges = 500;
constexpr int kTaps = 1000;
constexpr DWORD kCpuWindowMs = 30000;
constexpr BYTE kWatchedKey = VK_F13;  // types nothing anywhere

std::string programName;  // the copy's file name, unique to this run
std::atomic<double> keySeenAt{0};
std::atomic<int> keyDowns{0};
HANDLE keySeen = nullptr;

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  if (code == HC_ACTION && key->vkCode == kWatchedKey) {
    keySeenAt = Now();
    if (!(key->flags & LLKHF_UP)) ++keyDowns;
    SetEvent(keySeen);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

double Percentile(const std::vector<double>& sorted, int percent) {
  return sorted[std::min(sorted.size() - 1, sorted.size() * static_cast<std::size_t>(percent) / 100)];
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

// Plays the changes, the taps and (with events) the two CPU windows while
// the main thread pumps the hook's messages.
void Measure(DoubleState& pad, HANDLE process, DWORD mainThread, bool events) {
  const char* mode = events ? "the device's event" : "polling alone every 50 ms";
  vantrel::test::ProgramEvent changed(pad);
  for (int i = 0; i < 500 && pad.getDeviceStateCalls < 3; ++i) {
    changed.Set();  // with the event, nothing reads a device that tells of nothing
    Sleep(20);
  }
  if (pad.getDeviceStateCalls < 3) {
    std::printf("Vantrel.exe never read the joystick\n");
    PostThreadMessageA(mainThread, WM_QUIT, 0, 0);
    return;
  }
  Sleep(300);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pause(60, 140);  // any phase of the polling period
  std::vector<double> delays;
  int missed = 0;
  for (int i = 0; i < kChanges; ++i) {
    Sleep(static_cast<DWORD>(pause(random)));
    ResetEvent(keySeen);
    const double changedAt = Now();
    vantrel::test::PushChange(pad, &changed, 48, (i % 2 == 0) ? 0x80 : 0);  // presses and releases
    if (WaitForSingleObject(keySeen, 1000) != WAIT_OBJECT_0) {
      ++missed;
      continue;
    }
    delays.push_back(keySeenAt - changedAt);
  }
  std::sort(delays.begin(), delays.end());
  if (!delays.empty())
    std::printf(
        "button change to injected key, %s: median %.2f ms, 95th %.2f ms, 99th %.2f ms, "
        "worst %.2f ms over %zu changes (%d missed)\n",
        mode, Percentile(delays, 50), Percentile(delays, 95), Percentile(delays, 99),
        delays.back(), delays.size(), missed);
  std::fflush(stdout);

  // Taps shorter than the polling period: each must give its key once.
  std::uniform_int_distribution<int> hold(5, 20);
  Sleep(300);
  const int before = keyDowns;
  for (int i = 0; i < kTaps; ++i) {
    vantrel::test::PushChange(pad, &changed, 48, 0x80);
    Sleep(static_cast<DWORD>(hold(random)));
    vantrel::test::PushChange(pad, &changed, 48, 0);
    Sleep(static_cast<DWORD>(hold(random)));
  }
  Sleep(1000);
  std::printf("taps of 5 to 20 ms, %s: %d of %d lost\n", mode, kTaps - (keyDowns - before), kTaps);
  std::fflush(stdout);

  if (events) {
    Sleep(500);
    PrintCpu("idle, nothing held", process);
    pad.lX = 1000;  // the stick's Right row moves the pointer
    PrintCpu("pointer movement held", process);
    pad.lX = 0;
  }
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

  const std::string name = "vantrel-bench-" + std::to_string(GetCurrentProcessId());
  DoubleState* pad = vantrel::test::MapDoubleState(name.c_str());
  if (!pad) return 1;
  SetEnvironmentVariableA(vantrel::test::kDoubleStateVariable, name.c_str());
  keySeen = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, GetModuleHandleA(nullptr), 0);
  if (!hook) return 1;

  for (bool events : {true, false}) {
    vantrel::test::ResetDoubleState(*pad);
    vantrel::test::WriteFileBytes(dir / (base + ".set"),
                                  std::string("[Setup]\r\nMinimize=1\r\nInputEvents=") +
                                      (events ? "1" : "0") + "\r\nPath=" + (dir / "bench.ini") +
                                      "\r\n");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION program{};
    const std::string exe = dir / programName;
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.Path().c_str(), &si, &program)) {
      std::printf("could not start Vantrel.exe\n");
      return 1;
    }
    std::thread measuring(Measure, std::ref(*pad), program.hProcess, GetCurrentThreadId(),
                          events);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    measuring.join();
    vantrel::bench::CloseProgram(program);
  }
  UnhookWindowsHookEx(hook);
  return 0;
}
