#pragma once
// What the benchmarks read about running programs. Under Wine a process's
// CPU time and memory are not kept for other processes, so they are read
// from the host's process table, matching the host processes by a text in
// their command line (a program's file name, made unique per run).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace vantrel::bench {

inline std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

// Milliseconds on the performance counter.
inline double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / frequency;
}

inline bool UnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version");
}

inline std::string ReadAll(const std::string& path) {
  std::string text;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

// Calls `visit(folder)` for the /proc folder of every host process whose
// command line contains `needle`.
template <class Visit>
void ForEachHostProcess(const std::string& needle, Visit visit) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA("Z:\\proc\\*", &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string pid = data.cFileName;
    if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string folder = "Z:\\proc\\" + pid + "\\";
    if (ReadAll(folder + "cmdline").find(needle) == std::string::npos) continue;
    visit(folder);
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

// User and system time of the matching host processes (100 ticks a second).
inline double HostCpuMs(const std::string& needle) {
  double total = 0;
  ForEachHostProcess(needle, [&](const std::string& folder) {
    const std::string stat = ReadAll(folder + "stat");
    const std::size_t end = stat.rfind(')');
    if (end == std::string::npos) return;
    unsigned long long utime = 0, stime = 0;
    if (std::sscanf(stat.c_str() + end + 1,
                    " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime) == 2)
      total += static_cast<double>(utime + stime) * 10.0;
  });
  return total;
}

// The peak resident memory of the largest matching host process, in MB.
inline double HostPeakResidentMb(const std::string& needle) {
  double peak = 0;
  ForEachHostProcess(needle, [&](const std::string& folder) {
    const std::string status = ReadAll(folder + "status");
    const std::size_t at = status.find("VmHWM:");
    if (at == std::string::npos) return;
    unsigned long kb = 0;
    if (std::sscanf(status.c_str() + at, "VmHWM: %lu", &kb) == 1)
      peak = std::max(peak, static_cast<double>(kb) / 1024.0);
  });
  return peak;
}

// Closes every window of a program started with CreateProcess, as a user
// would, and ends it if it is still there after five seconds.
inline void CloseProgram(PROCESS_INFORMATION& program) {
  if (!program.hProcess) return;
  EnumWindows(
      [](HWND hwnd, LPARAM pid) -> BOOL {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == static_cast<DWORD>(pid)) PostMessageA(hwnd, WM_CLOSE, 0, 0);
        return TRUE;
      },
      static_cast<LPARAM>(program.dwProcessId));
  if (WaitForSingleObject(program.hProcess, 5000) != WAIT_OBJECT_0)
    TerminateProcess(program.hProcess, 1);
  CloseHandle(program.hThread);
  CloseHandle(program.hProcess);
  program = {};
}

}  // namespace vantrel::bench
