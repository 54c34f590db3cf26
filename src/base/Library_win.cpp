#include "base/Library_win.h"

namespace vantrel {

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
  const std::string path = SystemLibraryPath(name);
  if (path.empty()) return nullptr;
  return LoadLibraryA(path.c_str());
}

}  // namespace vantrel
