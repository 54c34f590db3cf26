#include "ui/Com_win.h"

#include <objbase.h>
#include <windows.h>

#include "base/Library_win.h"

namespace vantrel {

void EnsureComApartment() noexcept {
  static bool tried = false;
  if (tried) return;
  tried = true;
  // Loaded by name rather than imported, and never freed: the apartment lasts
  // as long as the thread.
  using InitialiseFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
  const auto initialise =
      LibraryFunction<InitialiseFunction>(LoadSystemLibrary("ole32.dll"), "CoInitializeEx");
  if (initialise) initialise(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

}  // namespace vantrel
