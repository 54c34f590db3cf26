// Vantrel.exe side by side with the floor of any Win32 program, measured in
// the same run under the same prefix and display: an empty window with one
// 50 ms timer, and the same window importing the program's start-up DLLs.
// Each round starts every program (timing the start to its first visible
// window), lets them all stand idle together for 30 s (CPU from the host's
// process table, then the peak resident memory), and holds a pointer
// movement in the program for 10 s. Medians over the rounds, and ratios to
// the empty window measured in the same rounds, since the machine's speed
// varies from run to run.
//
// VANTREL_BASELINE may name an earlier build of Vantrel.exe, measured in the
// same rounds beside the current one.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "HostProcess_win.h"
#include "dinput/DoubleState.h"
#include "win/TempDir_win.h"
#include "xinput/XInputState.h"

namespace {

using namespace vantrel::bench;

constexpr int kRounds = 3;
constexpr DWORD kSettleMs = 2000;
constexpr DWORD kIdleMs = 30000;
constexpr DWORD kMovingMs = 10000;
// The goals: idle CPU, memory and start-up against the empty window.
constexpr double kIdleCpuRatioGoal = 1.3;
constexpr double kMemoryMarginMbGoal = 6;
constexpr double kStartMarginMsGoal = 100;

struct Program {
  std::string label;
  std::string exe;  // in its own folder, with a name unique to this run
  bool vantrel = false;
  bool noController = false;  // its DirectInput offers no joystick
  bool xboxPad = false;       // its joystick is an Xbox pad, read through XInput
  std::vector<double> startMs, idleCpuMs, movingCpuMs, peakMb;
  PROCESS_INFORMATION process{};
};

struct VisibleSearch {
  DWORD pid;
  bool found;
};

bool HasVisibleWindow(DWORD pid) {
  VisibleSearch search{pid, false};
  EnumWindows(
      [](HWND hwnd, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<VisibleSearch*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->pid && IsWindowVisible(hwnd)) {
          s->found = true;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Starts the program and returns the time to its first visible window, or
// a negative value when it shows none within 30 s.
double Start(Program& p) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  std::string commandLine = "\"" + p.exe + "\"";
  const std::string folder = p.exe.substr(0, p.exe.rfind('\\') + 1);
  const double started = Now();
  if (!CreateProcessA(p.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &si, &p.process))
    return -1;
  while (Now() - started < 30000) {
    if (HasVisibleWindow(p.process.dwProcessId)) return Now() - started;
    Sleep(1);
  }
  return -1;
}

std::string Needle(const Program& p) { return p.exe.substr(p.exe.rfind('\\') + 1); }

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string Runs(const std::vector<double>& v, const char* format) {
  std::string text;
  char buffer[32];
  for (double x : v) {
    std::snprintf(buffer, sizeof buffer, format, x);
    text += (text.empty() ? "" : " ") + std::string(buffer);
  }
  return text;
}

void Report(const char* what, const char* unit, const std::vector<std::unique_ptr<Program>>& all,
            std::vector<double> Program::*runs, const Program& floor) {
  std::printf("%s\n", what);
  const double floorMedian = Median(floor.*runs);
  for (const auto& p : all) {
    const std::vector<double>& v = (*p).*runs;
    if (v.empty()) continue;
    const double median = Median(v);
    std::printf("  %-34s median %8.1f %s  (runs: %s)", p->label.c_str(), median, unit,
                Runs(v, "%.1f").c_str());
    if (p.get() != &floor && floorMedian > 0)
      std::printf("  x%.2f of the empty window", median / floorMedian);
    std::printf("\n");
  }
}

void Goal(const char* what, double value, double limit) {
  std::printf("  goal %-48s %8.1f against %8.1f: %s\n", what, value, limit,
              value <= limit ? "met" : "NOT met");
}

}  // namespace

int main() {
  vantrel::test::TempDir dir;
  const std::string tag = std::to_string(GetCurrentProcessId());
  const std::string profile = dir / "bench.ini";
  // The stick's Right row (kept under the Down prefix) moves the pointer right.
  vantrel::test::WriteFileBytes(profile, "[Bind]\r\nDown.Action=4\r\nDown.MButton=902\r\n");

  std::vector<std::unique_ptr<Program>> all;
  auto add = [&](const std::string& label, const std::string& from, const std::string& name,
                 bool vantrel) {
    const std::string folder = dir / (name + "\\");
    CreateDirectoryA(folder.c_str(), nullptr);
    auto p = std::make_unique<Program>();
    p->label = label;
    p->exe = folder + name + "_" + tag + ".exe";
    p->vantrel = vantrel;
    if (!CopyFileA(WindowsPath(from).c_str(), p->exe.c_str(), FALSE)) {
      std::printf("cannot copy %s\n", from.c_str());
      return;
    }
    if (vantrel) {
      const std::string polling = name == "vantrel_polling" ? "InputEvents=0\r\n" : "";
      // The Xbox pad's program starts in the tray, where only its twin's
      // event can tell it of a change.
      const std::string tray = name == "vantrel_xbox" ? "Minimize=1\r\n" : "";
      vantrel::test::WriteFileBytes(folder + name + "_" + tag + ".set",
                                    "[Setup]\r\n" + polling + tray + "Path=" + profile + "\r\n");
    }
    all.push_back(std::move(p));
  };
  add("empty window, one 50 ms timer", FLOOR_WINDOW, "floor_window", false);
  add("the same, importing Vantrel's DLLs", FLOOR_IMPORTS_WINDOW, "floor_imports", false);
  add("Vantrel.exe", VANTREL_EXE, "vantrel", true);
  // Waiting for a controller to be plugged in costs nothing while it waits.
  add("Vantrel.exe, no controller attached", VANTREL_EXE, "vantrel_none", true);
  if (all.size() < 4) return 1;
  all.back()->noController = true;
  // The device's event against the polling timer alone.
  add("Vantrel.exe, polling alone (InputEvents=0)", VANTREL_EXE, "vantrel_polling", true);
  if (all.size() < 5) return 1;
  add("Vantrel.exe, an Xbox pad, started in the tray", VANTREL_EXE, "vantrel_xbox", true);
  if (all.size() < 6) return 1;
  all.back()->xboxPad = true;
  if (const char* baseline = std::getenv("VANTREL_BASELINE"); baseline && *baseline)
    add("Vantrel.exe, baseline build", baseline, "baseline", true);
  const Program& floor = *all[0];

  const std::string name = "vantrel-footprint-" + tag;
  vantrel::test::DoubleState* pad = vantrel::test::MapDoubleState(name.c_str());
  if (!pad) return 1;
  vantrel::test::ResetDoubleState(*pad);
  vantrel::test::DoubleState* none = vantrel::test::MapDoubleState((name + "-none").c_str());
  if (!none) return 1;
  vantrel::test::ResetDoubleState(*none);
  none->attached = 0;
  vantrel::test::DoubleState* twin = vantrel::test::MapDoubleState((name + "-xbox").c_str());
  vantrel::test::XInputState* xbox = vantrel::test::MapXInputState((name + "-xbox-pads").c_str());
  if (!twin || !xbox) return 1;
  vantrel::test::ResetDoubleState(*twin);
  twin->xinputTwin = 1;
  twin->otherAxes = vantrel::test::kAxisZ | vantrel::test::kAxisRx | vantrel::test::kAxisRy;
  xbox->pads[0].connected = 1;
  SetCursorPos(512, 384);

  for (int round = 1; round <= kRounds; ++round) {
    for (auto& p : all) {
      SetEnvironmentVariableA(
          vantrel::test::kDoubleStateVariable,
          (p->noController ? name + "-none" : p->xboxPad ? name + "-xbox" : name).c_str());
      SetEnvironmentVariableA(vantrel::test::kXInputStateVariable, (name + "-xbox-pads").c_str());
      const double ms = Start(*p);
      if (ms < 0)
        std::printf("round %d: %s showed no window\n", round, p->label.c_str());
      else
        p->startMs.push_back(ms);
    }
    Sleep(kSettleMs);
    std::vector<double> before;
    for (auto& p : all) before.push_back(HostCpuMs(Needle(*p)));
    Sleep(kIdleMs);
    for (std::size_t i = 0; i < all.size(); ++i) {
      all[i]->idleCpuMs.push_back(HostCpuMs(Needle(*all[i])) - before[i]);
      all[i]->peakMb.push_back(HostPeakResidentMb(Needle(*all[i])));
    }
    for (std::size_t i = 0; i < all.size(); ++i) before[i] = HostCpuMs(Needle(*all[i]));
    // Told as a driver tells of a change, to the one that asked for it.
    vantrel::test::ProgramEvent told(*pad);
    pad->lX = 1000;
    told.Set();
    Sleep(kMovingMs);
    pad->lX = 0;
    told.Set();
    for (std::size_t i = 0; i < all.size(); ++i)
      if (all[i]->vantrel) all[i]->movingCpuMs.push_back(HostCpuMs(Needle(*all[i])) - before[i]);
    for (auto& p : all) vantrel::bench::CloseProgram(p->process);
    SetCursorPos(512, 384);
  }

  std::printf("== Footprint beside the floor, %d rounds (medians; ratios to the empty window)\n",
              kRounds);
  Report("start to first visible window", "ms", all, &Program::startMs, floor);
  Report("CPU over 30 s idle", "ms", all, &Program::idleCpuMs, floor);
  Report("peak resident memory", "MB", all, &Program::peakMb, floor);
  Report("CPU over 10 s with a pointer movement held", "ms", all, &Program::movingCpuMs, floor);
  const Program& vantrel = *all[2];
  std::printf("goals for Vantrel.exe\n");
  Goal("idle CPU (ms) at most 1.3 x the empty window's", Median(vantrel.idleCpuMs),
       kIdleCpuRatioGoal * Median(floor.idleCpuMs));
  Goal("peak memory (MB) at most the empty window's + 6 MB", Median(vantrel.peakMb),
       Median(floor.peakMb) + kMemoryMarginMbGoal);
  Goal("start-up (ms) at most the empty window's + 100 ms", Median(vantrel.startMs),
       Median(floor.startMs) + kStartMarginMsGoal);
  Goal("idle CPU (ms) with no controller at most 1.3 x the empty window's",
       Median(all[3]->idleCpuMs), kIdleCpuRatioGoal * Median(floor.idleCpuMs));
  Goal("idle CPU (ms) with the event at most 1.2 x the empty window's", Median(vantrel.idleCpuMs),
       1.2 * Median(floor.idleCpuMs));
  Goal("peak memory (MB) with the event within 1 MB of polling alone", Median(vantrel.peakMb),
       Median(all[4]->peakMb) + 1);
  Goal("idle CPU (ms) with an Xbox pad at most 1.2 x the empty window's",
       Median(all[5]->idleCpuMs), 1.2 * Median(floor.idleCpuMs));
  std::fflush(stdout);
  return 0;
}
