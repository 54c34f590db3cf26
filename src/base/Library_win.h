#pragma once
// Libraries loaded at run time, and functions looked up by name in them: those
// of libraries loaded only when a rare command needs them, and those newer
// than the oldest Windows the program runs on.
#include <windows.h>

#include <string>

namespace vantrel {

// `name` in `module` as a `Function`; nullptr when either is missing.
template <class Function>
Function LibraryFunction(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The system's library `name` by its full path in the system folder. A bare
// name would be searched for beside the executable first, where anyone who
// can write to that folder (a Downloads folder) could plant one of the same
// name and have it run inside the program.
std::string SystemLibraryPath(const std::string& name);
// Loads it from there; nullptr when it is not there. Kept until the program
// ends unless the caller frees it.
HMODULE LoadSystemLibrary(const std::string& name);

}  // namespace vantrel
