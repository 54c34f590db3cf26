#pragma once
// Functions looked up by name at run time: those of libraries loaded only
// when a rare command needs them, and those newer than the oldest Windows
// the program runs on.
#include <windows.h>

namespace vantrel {

// `name` in `module` as a `Function`; nullptr when either is missing.
template <class Function>
Function LibraryFunction(HMODULE module, const char* name) {
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace vantrel
