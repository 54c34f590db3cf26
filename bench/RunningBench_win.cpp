// The running program, measured from outside: Vantrel.exe reads the
// DirectInput double, and this process changes the double's buttons and
// watches the program's injected keys through a low-level hook.
//  - the delay from a button change in the double (reported as a device
//    reports it: kept in its buffer, its event set) to the key event that the
//    change's press or release injects, over 500 changes;
//  - how many of 1,000 taps of 5 to 20 ms are lost;
//  - for a DirectInput pad, for an Xbox pad (read through XInput, its
//    DirectInput twin telling of each change; the program started in the
//    tray), each with the device's event waking the program, and for the
//    DirectInput pad with the polling timer alone at the default 50 ms
//    (InputEvents=0): printed side by side at the end;
//  - the CPU time the program uses over 30 s with nothing held, and over
//    30 s with a pointer movement held.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "HostProcess_win.h"
#include "dinput/DoubleState.h"
#include "win/TempDir_win.h"
#include "xinput/XInputState.h"

namespace {

using vantrel::bench::HostCpuMs;
using vantrel::bench::Now;
using vantrel::bench::UnderWine;
using vantrel::bench::WindowsPath;
using vantrel::test::DoubleState;
using vantrel::test::XInputState;

// How the program is run and the pad is played.
struct Mode {
  const char* label;
  bool events;    // the device's event, else the polling timer alone
  bool xboxPad;   // an Xbox pad: XInput, with its DirectInput twin
  bool baseline;  // the build VANTREL_BASELINE names, not this one
  // Layers on while button 1 is played: its profile puts three on, none of
  // which binds button 1, so each press looks through all of them.
  bool layers = false;
};

struct Results {
  std::vector<double> delays;
  int missed = 0;
  int tapsLost = -1;
  double idleCpuMs = -1, movingCpuMs = -1;
};

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
  return sorted[std::min(sorted.size() - 1,
                         sorted.size() * static_cast<std::size_t>(percent) / 100)];
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

double CpuOver30s(HANDLE process) {
  const bool wine = UnderWine();
  const double before = wine ? HostCpuMs(programName) : ProcessTimesMs(process);
  Sleep(kCpuWindowMs);
  return (wine ? HostCpuMs(programName) : ProcessTimesMs(process)) - before;
}

// A change of button 1 (A on an Xbox pad), told as a driver tells it.
void Button1(DoubleState& pad, XInputState& pads, vantrel::test::ProgramEvent* told, bool xbox,
             bool down) {
  if (xbox) pads.pads[0].buttons = down ? 0x1000 : 0;
  vantrel::test::PushChange(pad, told, 48, down ? 0x80 : 0);
}

// Plays the changes, the taps and (with events) the two CPU windows while
// the main thread pumps the hook's messages.
void Measure(DoubleState& pad, XInputState& pads, HANDLE process, DWORD mainThread,
             const Mode& mode, Results& results) {
  vantrel::test::ProgramEvent changed(pad);
  auto reads = [&] { return pad.getDeviceStateCalls + pads.getStateCalls; };
  for (int i = 0; i < 500 && reads() < 3; ++i) {
    changed.Set();  // with the event, nothing reads a device that tells of nothing
    Sleep(20);
  }
  if (reads() < 3) {
    std::printf("%s: Vantrel.exe never read the joystick\n", mode.label);
    PostThreadMessageA(mainThread, WM_QUIT, 0, 0);
    return;
  }
  if (mode.layers) {
    // Button 2 sets layer 1, button 3 toggles layer 2 on, button 4 holds layer 3.
    for (int offset : {49, 50, 51}) {
      vantrel::test::PushChange(pad, &changed, offset, 0x80);
      Sleep(50);
      if (offset != 51) vantrel::test::PushChange(pad, &changed, offset, 0);
      Sleep(50);
    }
  }
  Sleep(300);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pause(60, 140);  // any phase of the polling period
  for (int i = 0; i < kChanges; ++i) {
    Sleep(static_cast<DWORD>(pause(random)));
    ResetEvent(keySeen);
    const double changedAt = Now();
    Button1(pad, pads, &changed, mode.xboxPad, i % 2 == 0);  // presses and releases
    if (WaitForSingleObject(keySeen, 1000) != WAIT_OBJECT_0) {
      ++results.missed;
      continue;
    }
    results.delays.push_back(keySeenAt - changedAt);
  }
  std::sort(results.delays.begin(), results.delays.end());

  // Taps shorter than the polling period: each must give its key once.
  std::uniform_int_distribution<int> hold(5, 20);
  Sleep(300);
  const int before = keyDowns;
  for (int i = 0; i < kTaps; ++i) {
    Button1(pad, pads, &changed, mode.xboxPad, true);
    Sleep(static_cast<DWORD>(hold(random)));
    Button1(pad, pads, &changed, mode.xboxPad, false);
    Sleep(static_cast<DWORD>(hold(random)));
  }
  Sleep(1000);
  results.tapsLost = kTaps - (keyDowns - before);

  if (mode.events && !mode.layers) {
    Sleep(500);
    results.idleCpuMs = CpuOver30s(process);
    // The stick's Right row moves the pointer: X on the pad, or its left thumb.
    pad.lX = 1000;
    if (mode.xboxPad) pads.pads[0].thumbLX = 32767;
    changed.Set();
    results.movingCpuMs = CpuOver30s(process);
    pad.lX = 0;
    pads.pads[0].thumbLX = 0;
    changed.Set();
  }
  PostThreadMessageA(mainThread, WM_QUIT, 0, 0);
}

void Print(const std::vector<Mode>& modes, const std::vector<Results>& results) {
  std::printf("== Running Vantrel.exe: a change of the pad to the injected key\n");
  std::printf("%-44s %9s %9s %9s %9s %12s %11s %11s\n", "", "median", "99th", "worst", "missed",
              "taps lost", "idle CPU", "moving CPU");
  for (std::size_t i = 0; i < modes.size(); ++i) {
    const Results& r = results[i];
    std::printf("%-44s", modes[i].label);
    if (r.delays.empty()) {
      std::printf(" (no key seen)\n");
      continue;
    }
    std::printf(" %6.2f ms %6.2f ms %6.2f ms %9d %7d/%d", Percentile(r.delays, 50),
                Percentile(r.delays, 99), r.delays.back(), r.missed, r.tapsLost, kTaps);
    if (r.idleCpuMs >= 0) std::printf(" %8.0f ms %8.0f ms", r.idleCpuMs, r.movingCpuMs);
    std::printf("\n");
  }
  std::printf(
      "(%d changes and %d taps of 5 to 20 ms each; CPU over %lu s: idle, and with a "
      "pointer movement held)\n",
      kChanges, kTaps, kCpuWindowMs / 1000);
  for (std::size_t i = 0; i < modes.size(); ++i)
    for (std::size_t j = 0; j < modes.size(); ++j)
      if (modes[j].layers && !modes[i].layers && !modes[i].baseline &&
          modes[i].events == modes[j].events && modes[i].xboxPad == modes[j].xboxPad &&
          !results[i].delays.empty() && !results[j].delays.empty())
        std::printf("a plain entry, median: %.2f ms with no layer on, %.2f ms with three on\n",
                    Percentile(results[i].delays, 50), Percentile(results[j].delays, 50));
  std::fflush(stdout);
}

}  // namespace

int main() {
  vantrel::test::TempDir dir;
  // A name of this run's own: the host's process table holds every Vantrel.exe
  // running on the machine, other runs' among them.
  const std::string base = "Vantrel_" + std::to_string(GetCurrentProcessId());
  CopyFileA(WindowsPath(VANTREL_EXE).c_str(), (dir / (base + ".exe")).c_str(), FALSE);
  // An earlier build, measured in the same run beside this one.
  const char* baseline = std::getenv("VANTREL_BASELINE");
  const std::string baselineBase = "VantrelBaseline_" + std::to_string(GetCurrentProcessId());
  const bool withBaseline =
      baseline && *baseline &&
      CopyFileA(WindowsPath(baseline).c_str(), (dir / (baselineBase + ".exe")).c_str(), FALSE);
  // Button 1 types F13; the stick's Right row (kept under the Down prefix)
  // moves the pointer right.
  vantrel::test::WriteFileBytes(dir / "bench.ini",
                                "[Bind]\r\nButton1.Action=3\r\nButton1.VCode=124\r\n"
                                "Button1.Shift=0\r\nButton1.Turbo=0\r\n"
                                "Down.Action=4\r\nDown.MButton=902\r\n");
  // The same, with three layers that each bind another button only.
  vantrel::test::WriteFileBytes(
      dir / "layers.ini",
      "[Bind]\r\nButton1.Action=3\r\nButton1.VCode=124\r\nButton1.Shift=0\r\n"
      "Button1.Turbo=0\r\nDown.Action=4\r\nDown.MButton=902\r\n"
      "Button2.Action=6\r\nButton2.Layer=1\r\nButton2.LayerMode=3\r\n"
      "Button3.Action=6\r\nButton3.Layer=2\r\nButton3.LayerMode=1\r\n"
      "Button4.Action=6\r\nButton4.Layer=3\r\nButton4.LayerMode=0\r\n"
      "[Layer1]\r\nButton5.Action=0\r\n[Layer2]\r\nButton5.Action=0\r\n"
      "[Layer3]\r\nButton5.Action=0\r\n");

  const std::string name = "vantrel-bench-" + std::to_string(GetCurrentProcessId());
  DoubleState* pad = vantrel::test::MapDoubleState(name.c_str());
  XInputState* pads = vantrel::test::MapXInputState((name + "-pads").c_str());
  if (!pad || !pads) return 1;
  SetEnvironmentVariableA(vantrel::test::kDoubleStateVariable, name.c_str());
  SetEnvironmentVariableA(vantrel::test::kXInputStateVariable, (name + "-pads").c_str());
  keySeen = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, GetModuleHandleA(nullptr), 0);
  if (!hook) return 1;

  std::vector<Mode> modes = {
      {"DirectInput pad, the device's event", true, false, false},
      {"Xbox pad from the tray, its twin's event", true, true, false},
      {"DirectInput pad, polling alone every 50 ms", false, false, false},
      {"DirectInput pad, the device's event, 3 layers", true, false, false, true}};
  if (withBaseline) {
    modes.push_back({"baseline: DirectInput pad, the device's event", true, false, true});
    modes.push_back({"baseline: Xbox pad from the tray, its twin's event", true, true, true});
  }
  std::vector<Results> results(modes.size());
  for (std::size_t m = 0; m < modes.size(); ++m) {
    const Mode& mode = modes[m];
    const std::string copy = mode.baseline ? baselineBase : base;
    programName = copy + ".exe";
    vantrel::test::ResetDoubleState(*pad);
    *pads = XInputState{};
    pads->magic = vantrel::test::kXInputMagic;
    if (mode.xboxPad) {
      pad->xinputTwin = 1;
      pad->otherAxes = vantrel::test::kAxisZ | vantrel::test::kAxisRx | vantrel::test::kAxisRy;
      pads->pads[0].connected = 1;
    }
    vantrel::test::WriteFileBytes(
        dir / (copy + ".set"),
        std::string("[Setup]\r\nMinimize=1\r\nNumOfButtons=5\r\nInputEvents=") +
            (mode.events ? "1" : "0") +
            "\r\nPath=" + (dir / (mode.layers ? "layers.ini" : "bench.ini")) + "\r\n");
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
    std::thread measuring(Measure, std::ref(*pad), std::ref(*pads), program.hProcess,
                          GetCurrentThreadId(), std::cref(mode), std::ref(results[m]));
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    measuring.join();
    vantrel::bench::CloseProgram(program);
  }
  Print(modes, results);
  UnhookWindowsHookEx(hook);
  return 0;
}
