// What the program takes from the system, and from where: the common
// controls loaded at run time are still the manifest's version 6, and a Run
// entry's bare name is never a program lying in the current folder or in a
// folder that PATH names relative to it. This process carries the program's
// manifest.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/Injection_win.h"
#include "base/Library_win.h"
#include "base/SystemFunctions_win.h"
#include "win/TempDir_win.h"

namespace vantrel {
namespace {

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitForFile(const std::string& path) {
  for (int i = 0; i < 1000 && !Exists(path); ++i) Sleep(10);
  return Exists(path);
}

// Loaded by its bare name, the library is the one the manifest asks for,
// from the side-by-side store: a full path would give the system folder's
// older version 5, which draws the controls without visual styles.
TEST(SystemLibraries, TheCommonControlsLoadedAtRunTimeAreTheManifestsVersion6) {
  RestrictLibrarySearch();
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ASSERT_TRUE(sys::InitCommonControlsEx(&controls));
  const HMODULE library = LoadSystemLibrary("comctl32.dll");
  ASSERT_NE(library, nullptr);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(library, path, sizeof path);
  CharLowerA(path);
  EXPECT_NE(std::string(path).find("microsoft.windows.common-controls_6595b64144ccf1df_6."),
            std::string::npos)
      << path;
  FreeLibrary(library);

  // Only version 6's buttons measure their ideal size.
  const HWND button = CreateWindowExA(0, "BUTTON", "OK", BS_PUSHBUTTON, 0, 0, 80, 24, HWND_MESSAGE,
                                      nullptr, nullptr, nullptr);
  ASSERT_NE(button, nullptr);
  SIZE ideal{};
  EXPECT_TRUE(SendMessageA(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
  DestroyWindow(button);
}

// Where copies of a marker program lie, and which of them a Run entry of the
// bare name starts (nullptr: none).
struct BareNameCase {
  const char* name;
  std::vector<const char*> folders;
  const char* started;
};

// The current folder holds "current\"; PATH names "path\" in full and
// "current\bin\" as "bin", relative to the current folder.
TEST(SystemLibraries, ARunEntrysBareNameIsLookedForOnThePathOnly) {
  const BareNameCase cases[] = {
      {"vantrel-beside.exe", {"current\\"}, nullptr},
      {"vantrel-relative.exe", {"current\\bin\\"}, nullptr},
      {"vantrel-on-path.exe", {"path\\"}, "path\\"},
      {"vantrel-both.exe", {"current\\", "path\\"}, "path\\"},
  };
  test::TempDir dir;
  for (const char* folder : {"current\\", "current\\bin\\", "path\\"})
    ASSERT_TRUE(CreateDirectoryA((dir / folder).c_str(), nullptr));
  for (const BareNameCase& c : cases)
    for (const char* folder : c.folders)
      ASSERT_TRUE(CopyFileA(VANTREL_MARKER, (dir / folder + c.name).c_str(), FALSE)) << c.name;

  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof current, current);
  char path[32768] = {};
  GetEnvironmentVariableA("PATH", path, sizeof path);
  SetCurrentDirectoryA((dir / "current").c_str());
  SetEnvironmentVariableA("PATH", (std::string(path) + ";" + (dir / "path") + ";bin").c_str());
  for (const BareNameCase& c : cases) LaunchProgram(c.name);
  SetCurrentDirectoryA(current);
  SetEnvironmentVariableA("PATH", path);

  // A started copy leaves "<itself>.ran"; one that should not start has had
  // the time the others took.
  for (const BareNameCase& c : cases) {
    if (c.started) {
      EXPECT_TRUE(WaitForFile(dir / c.started + c.name + ".ran"))
          << c.name << " was not started from " << c.started;
    }
  }
  Sleep(500);
  for (const BareNameCase& c : cases) {
    for (const char* folder : c.folders) {
      if (!c.started || std::string(folder) != c.started) {
        EXPECT_FALSE(Exists(dir / folder + c.name + ".ran"))
            << c.name << " started from " << folder;
      }
    }
  }
}

}  // namespace
}  // namespace vantrel
