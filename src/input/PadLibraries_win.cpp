#include "input/PadLibraries_win.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <type_traits>

#include "base/Errors.h"
#include "base/Library_win.h"

namespace vantrel {

namespace {

struct LibraryFree {
  void operator()(HMODULE module) const noexcept { FreeLibrary(module); }
};
using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFree>;

constexpr DWORD kXInputUsers = 4;

}  // namespace

// Libraries are loaded from the system folder once and kept for the program's
// life, keyed by their lower-case name.
HMODULE CachedLibrary(const std::string& name) {
  static std::map<std::string, Library> libraries;
  std::string key = name;
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  auto found = libraries.find(key);
  if (found == libraries.end()) {
    Library module(LoadSystemLibrary(name));
    if (!module) throw AppError(name + " not loaded");
    found = libraries.emplace(key, std::move(module)).first;
  }
  return found->second.get();
}

const MultimediaLibrary& Multimedia() {
  static const MultimediaLibrary library = [] {
    MultimediaLibrary found;
    const HMODULE module = LoadSystemLibrary("winmm.dll");  // kept until the program ends
    found.getDevCaps = LibraryFunction<decltype(found.getDevCaps)>(module, "joyGetDevCapsA");
    found.getPosEx = LibraryFunction<decltype(found.getPosEx)>(module, "joyGetPosEx");
    if (!found.getDevCaps || !found.getPosEx) found = {};
    return found;
  }();
  return library;
}

MMRESULT GetMultimediaCaps(UINT id, JOYCAPSA& caps) {
  const MultimediaLibrary& library = Multimedia();
  return library.getDevCaps ? library.getDevCaps(id, &caps, sizeof caps) : MMSYSERR_NODRIVER;
}

XInputGetStateFn XInputGetStateFunction() {
  static const XInputGetStateFn getState = [] {
    for (const char* name : {"xinput1_4.dll", "xinput9_1_0.dll"})
      if (const auto found =
              LibraryFunction<XInputGetStateFn>(LoadSystemLibrary(name), "XInputGetState"))
        return found;
    return XInputGetStateFn{};
  }();
  return getState;
}

int ConnectedPad(int n) {
  const XInputGetStateFn getState = XInputGetStateFunction();
  if (!getState) return -1;
  for (DWORD user = 0; user < kXInputUsers; ++user) {
    XINPUT_STATE state{};
    if (getState(user, &state) == ERROR_SUCCESS && n-- == 0) return static_cast<int>(user);
  }
  return -1;
}

}  // namespace vantrel
