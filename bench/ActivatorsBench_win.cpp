// Tap, hold and chords in the running program, measured from outside as the
// running bench measures a plain entry: Vantrel.exe reads the DirectInput
// double, this process presses its buttons and watches the injected keys
// through a low-level hook.
//  - the delay of a plain entry's key, in a profile that also has holds and
//    chords (and, with VANTREL_BASELINE, of an earlier build beside it);
//  - the error of the hold decision: how long after HoldTime the Hold
//    action's key goes down;
//  - what a chord adds: to a member pressed alone (its own key, which waits
//    for the chord's window), to the member that completes the chord (the
//    chord's key), and to an entry of no chord.
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

namespace {

using vantrel::bench::Now;
using vantrel::bench::WindowsPath;
using vantrel::test::DoubleState;

constexpr int kHoldTime = 200, kChordTime = 50;
constexpr BYTE kF13 = VK_F13, kF14 = VK_F14, kF15 = VK_F15;  // type nothing anywhere

std::atomic<double> seenAt[256];
HANDLE keySeen = nullptr;
std::atomic<int> watched{0};

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  if (code == HC_ACTION && !(key->flags & LLKHF_UP) && key->vkCode < 256) {
    seenAt[key->vkCode] = Now();
    if (static_cast<int>(key->vkCode) == watched) SetEvent(keySeen);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct Figures {
  std::vector<double> ms;
  int missed = 0;
  double Median() const { return ms.empty() ? -1 : ms[ms.size() / 2]; }
  double Worst() const { return ms.empty() ? -1 : ms.back(); }
};

void Button(DoubleState& pad, vantrel::test::ProgramEvent& told, int button, bool down) {
  vantrel::test::PushChange(pad, &told, 47 + button, down ? 0x80 : 0);
}

// Presses the buttons (all at once), waits for `vk`'s key to go down and
// gives the delay from the press less `expected`; then lets go.
void Sample(DoubleState& pad, vantrel::test::ProgramEvent& told, const std::vector<int>& buttons,
            BYTE vk, double expected, Figures& figures, std::mt19937& random) {
  Sleep(std::uniform_int_distribution<DWORD>(60, 120)(random));
  watched = vk;
  ResetEvent(keySeen);
  const double pressedAt = Now();
  for (int b : buttons) Button(pad, told, b, true);
  if (WaitForSingleObject(keySeen, 2000) == WAIT_OBJECT_0)
    figures.ms.push_back(seenAt[vk] - pressedAt - expected);
  else
    ++figures.missed;
  Sleep(20);
  for (int b : buttons) Button(pad, told, b, false);
  Sleep(kHoldTime / 2);
}

struct Run {
  Figures plain, hold, member, completing, nonMember;
};

void Measure(DoubleState& pad, DWORD mainThread, bool baseline, Run& run) {
  vantrel::test::ProgramEvent told(pad);
  for (int i = 0; i < 500 && pad.getDeviceStateCalls < 3; ++i) {
    told.Set();
    Sleep(20);
  }
  Sleep(300);
  std::mt19937 random(7);
  for (int i = 0; i < 200; ++i) Sample(pad, told, {1}, kF13, 0, run.plain, random);
  if (!baseline) {
    for (int i = 0; i < 40; ++i) Sample(pad, told, {2}, kF13, kHoldTime, run.hold, random);
    for (int i = 0; i < 60; ++i) Sample(pad, told, {3}, kF13, 0, run.member, random);
    for (int i = 0; i < 60; ++i) Sample(pad, told, {3, 4}, kF15, 0, run.completing, random);
    for (int i = 0; i < 100; ++i) Sample(pad, told, {5}, kF13, 0, run.nonMember, random);
  }
  for (Figures* f : {&run.plain, &run.hold, &run.member, &run.completing, &run.nonMember})
    std::sort(f->ms.begin(), f->ms.end());
  PostThreadMessageA(mainThread, WM_QUIT, 0, 0);
}

void Line(const char* label, const Figures& f, double plainMedian = -1) {
  std::printf("%-52s", label);
  if (f.ms.empty()) {
    std::printf(" (no key seen)\n");
    return;
  }
  std::printf(" %7.2f ms %7.2f ms %7d", f.Median(), f.Worst(), f.missed);
  if (plainMedian >= 0) std::printf(" %+9.2f ms", f.Median() - plainMedian);
  std::printf("\n");
}

}  // namespace

int main() {
  vantrel::test::TempDir dir;
  const std::string base = "VantrelAct_" + std::to_string(GetCurrentProcessId());
  CopyFileA(WindowsPath(VANTREL_EXE).c_str(), (dir / (base + ".exe")).c_str(), FALSE);
  const char* baseline = std::getenv("VANTREL_BASELINE");
  const std::string baselineBase = "VantrelActBaseline_" + std::to_string(GetCurrentProcessId());
  const bool withBaseline =
      baseline && *baseline &&
      CopyFileA(WindowsPath(baseline).c_str(), (dir / (baselineBase + ".exe")).c_str(), FALSE);
  // Button 1 types F13; button 2 taps F14 and holds F13; buttons 3 and 4
  // type F13 and F14, and together F15; button 5 types F13.
  vantrel::test::WriteFileBytes(
      dir / "act.ini",
      "[Bind]\r\nButton1.Action=3\r\nButton1.VCode=124\r\n"
      "Button2.Action=3\r\nButton2.VCode=125\r\nButton2.Hold.Action=3\r\nButton2.Hold.VCode=124\r\n"
      "Button3.Action=3\r\nButton3.VCode=124\r\nButton4.Action=3\r\nButton4.VCode=125\r\n"
      "Button5.Action=3\r\nButton5.VCode=124\r\n"
      "[Chords]\r\nChord1=Button3+Button4\r\nChord1.Action=3\r\nChord1.VCode=126\r\n");

  const std::string name = "vantrel-act-bench-" + std::to_string(GetCurrentProcessId());
  DoubleState* pad = vantrel::test::MapDoubleState(name.c_str());
  if (!pad) return 1;
  SetEnvironmentVariableA(vantrel::test::kDoubleStateVariable, name.c_str());
  keySeen = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, GetModuleHandleA(nullptr), 0);
  if (!hook) return 1;

  Run runs[2];
  for (int b = 0; b < (withBaseline ? 2 : 1); ++b) {
    const std::string copy = b ? baselineBase : base;
    vantrel::test::ResetDoubleState(*pad);
    vantrel::test::WriteFileBytes(
        dir / (copy + ".set"),
        "[Setup]\r\nMinimize=1\r\nNumOfButtons=5\r\nHoldTime=" + std::to_string(kHoldTime) +
            "\r\nChordTime=" + std::to_string(kChordTime) + "\r\nPath=" + (dir / "act.ini") +
            "\r\n");
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION program{};
    const std::string exe = dir / (copy + ".exe");
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.Path().c_str(), &si, &program)) {
      std::printf("could not start Vantrel.exe\n");
      return 1;
    }
    std::thread measuring(Measure, std::ref(*pad), GetCurrentThreadId(), b == 1, std::ref(runs[b]));
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    measuring.join();
    vantrel::bench::CloseProgram(program);
  }

  const Run& r = runs[0];
  std::printf("== Running Vantrel.exe: tap, hold and chords (HoldTime %d ms, ChordTime %d ms)\n",
              kHoldTime, kChordTime);
  std::printf("%-52s %10s %10s %7s %12s\n", "", "median", "worst", "missed", "added");
  Line("a plain entry: press to key", r.plain);
  if (withBaseline) Line("baseline: a plain entry, press to key", runs[1].plain);
  Line("a Hold action: its key after HoldTime (the error)", r.hold);
  Line("a chord's member alone: press to its own key", r.member, r.plain.Median());
  Line("the member completing a chord: press to the chord's key", r.completing, r.plain.Median());
  Line("an entry of no chord: press to key", r.nonMember, r.plain.Median());
  std::fflush(stdout);
  UnhookWindowsHookEx(hook);
  return 0;
}
