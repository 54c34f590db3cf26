#include "app/InstanceName.h"

#include <cstdint>

namespace vantrel {

std::string InstanceName(std::string_view settingsPath) {
  // FNV-1a over the path with ASCII letters folded and both slashes alike: a
  // short, stable name for a kernel object (which may not hold backslashes).
  std::uint64_t hash = 14695981039346656037ull;
  for (char c : settingsPath) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c == '/') c = '\\';
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string name = "Vantrel-";
  for (int shift = 60; shift >= 0; shift -= 4) name += kDigits[(hash >> shift) & 0xF];
  return name;
}

std::string PathInFolder(std::string_view folder, std::string_view fileName) {
  constexpr std::string_view kNetwork = "\\\\?\\UNC\\";
  constexpr std::string_view kLocal = "\\\\?\\";
  std::string path;
  if (folder.starts_with(kNetwork)) {
    path = "\\\\";
    folder.remove_prefix(kNetwork.size());
  } else if (folder.starts_with(kLocal)) {
    folder.remove_prefix(kLocal.size());
  }
  path += folder;
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  return path += fileName;
}

}  // namespace vantrel
