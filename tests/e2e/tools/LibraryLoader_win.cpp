// Loads libraries the program loads once it has started, as the program
// loads them (base/Library_win), and nothing else: started beside libraries
// planted under system names, it shows which of them the system's libraries
// bring in with them. It imports kernel32 and the C runtime alone, so that
// only its own loads bring a library in. The exit code counts the libraries
// that did not load.
#include <windows.h>

#include "base/Library_win.h"

int main() {
  vantrel::RestrictLibrarySearch();
  int missing = 0;
  for (const char* name : {"comctl32.dll", "shell32.dll", "dinput.dll"})
    if (!vantrel::LoadSystemLibrary(name)) ++missing;
  return missing;
}
