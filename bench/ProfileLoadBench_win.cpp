// How long loading hostile profiles takes through the private-profile
// functions, with the table at its largest (32 buttons, 36 entries): every
// entry a profile list claiming far more paths than the 255 that are read.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "config/ProfileFile_win.h"
#include "config/SettingsFile_win.h"
#include "win/TempDir_win.h"

namespace {

using namespace vantrel;

// Loads `text` as a profile seven times and prints the median and worst.
void Time(const char* what, const std::string& text, test::TempDir& dir) {
  test::WriteFileBytes(dir / "p.ini", text);
  BindingTable table(32);
  std::vector<double> ms;
  for (int run = 0; run < 7; ++run) {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    LoadProfileFile(table, dir / "p.ini", 0, nullptr);
    QueryPerformanceCounter(&b);
    ms.push_back(1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) /
                 static_cast<double>(f.QuadPart));
  }
  std::sort(ms.begin(), ms.end());
  std::printf("profile load, %s (%zu KB): median %.1f ms, worst %.1f ms over %zu loads\n", what,
              text.size() / 1024, ms[ms.size() / 2], ms.back(), ms.size());
}

}  // namespace

int main() {
  test::TempDir dir;
  SetSettingsFile(dir / "bench.set");
  const BindingTable table(32);
  auto profile = [&](int pathsPerList, std::size_t pathLength) {
    std::string text = "[Bind]\r\n";
    const std::string path = "C:\\" + std::string(pathLength, 'p') + ".ini";
    for (int e = 1; e <= table.EntryCount(); ++e) {
      const std::string p = table.Prefix(static_cast<std::uint8_t>(e));
      text += p + ".Action=2\r\n" + p + ".INI.Count=4294967295\r\n";
      for (int j = 0; j < pathsPerList; ++j)
        text += p + ".INI" + std::to_string(j) + "=" + path + "\r\n";
    }
    return text;
  };
  Time("36 lists claiming 4294967295 paths, none present", profile(0, 0), dir);
  Time("36 lists of 255 paths of 40 characters", profile(255, 30), dir);
  Time("36 lists of 255 paths of 2047 characters", profile(255, 2040), dir);
  return 0;
}
