#include "base/Library_win.h"

namespace vantrel {

namespace {

using SetDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// Windows 7 has SetDefaultDllDirectories, and the search flags that came with
// it, only with an update; without them LoadLibraryExA refuses the flags
// outright. kernel32 is always loaded.
SetDirectoriesFunction SetDefaultDirectories() {
  static const auto function = LibraryFunction<SetDirectoriesFunction>(
      GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  return function;
}

// Whether the activation context (the manifest's dependencies) maps `name`
// to a library of its own: the loader then takes that one and searches no
// folder for it.
bool RedirectedByManifest(const std::string& name) {
  ACTCTX_SECTION_KEYED_DATA data{};
  data.cbSize = sizeof data;
  return FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                  name.c_str(), &data) != FALSE;
}

}  // namespace

void RestrictLibrarySearch() noexcept {
  if (const SetDirectoriesFunction setDirectories = SetDefaultDirectories())
    setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

std::string SystemLibraryPath(const std::string& name) {
  char folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(folder, sizeof folder);
  // Without the system folder there is nowhere safe to load from: a name
  // that names no file loads nothing.
  if (length == 0 || length >= sizeof folder) return {};
  std::string path(folder, length);
  if (path.back() != '\\') path += '\\';
  return path + name;
}

HMODULE LoadSystemLibrary(const std::string& name) {
  // The bare name, so that the manifest's redirection still applies: a full
  // path would bypass it and give the common controls' old version.
  if (SetDefaultDirectories())
    return LoadLibraryExA(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (RedirectedByManifest(name)) return LoadLibraryA(name.c_str());
  const std::string path = SystemLibraryPath(name);
  if (path.empty()) return nullptr;
  return LoadLibraryA(path.c_str());
}

}  // namespace vantrel
