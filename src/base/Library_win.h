#pragma once
// Libraries loaded at run time, and functions looked up by name in them: those
// of libraries loaded only when a rare command needs them, those whose own
// imports must not be resolved before the search is restricted, and those
// newer than the oldest Windows the program runs on.
#include <windows.h>

#include <string>

namespace vantrel {

// `name` in `module` as a `Function`; nullptr when either is missing.
template <class Function>
Function LibraryFunction(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Restricts the search for every library loaded by a bare name from here on,
// the program's own loads and the imports of the libraries it loads, to the
// system folder. Windows otherwise looks beside the executable first, where
// anyone who can write to that folder (a Downloads folder) could plant a
// library under a system library's name and have it run inside the program.
// Called first thing, before anything loads a library. Windows 7 without the
// update that brought the restriction keeps its search order: there
// LoadSystemLibrary still loads the library itself from the system folder,
// but what that library imports is searched for as before.
void RestrictLibrarySearch() noexcept;

// The system's library `name` by its full path in the system folder.
std::string SystemLibraryPath(const std::string& name);
// The system's library `name` (a bare name) from the system folder, its
// imports from there too; nullptr when it cannot be loaded. A library that
// the program's manifest redirects (the common controls 6) is the redirected
// one. Kept until the program ends unless the caller frees it.
HMODULE LoadSystemLibrary(const std::string& name);

}  // namespace vantrel
