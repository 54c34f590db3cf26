// What the program takes from the system: the common controls loaded at run
// time are still the manifest's version 6. This process carries the
// program's manifest.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "base/Library_win.h"
#include "base/SystemFunctions_win.h"

namespace vantrel {
namespace {

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

}  // namespace
}  // namespace vantrel
