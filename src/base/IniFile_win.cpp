#include "base/IniFile_win.h"

#include <windows.h>

#include <vector>

#include "base/Errors.h"
#include "base/FilePath.h"

namespace vantrel {

// A path too long for the private-profile functions reaches none of them: it
// reads as a missing file and refuses every write.
std::string PrivateProfile::ReadString(const std::string& section, const std::string& key,
                                       const std::string& def) {
  if (!FitsFilePath(path_)) return def;
  char buffer[kMaxIniText + 1];
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer,
                                           sizeof buffer, path_.c_str());
  return std::string(buffer, n);
}

void PrivateProfile::WriteString(const std::string& section, const std::string& key,
                                 const std::string& value) {
  if (!FitsFilePath(path_)) throw UnableToWrite(path_);
  if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()))
    throw UnableToWrite(path_);
}

void PrivateProfile::EraseSection(const std::string& section) {
  if (!FitsFilePath(path_)) throw UnableToWrite(path_);
  if (GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, path_.c_str()))
    throw UnableToWrite(path_);
}

std::optional<IniKeys> PrivateProfile::ReadSection(const std::string& section) {
  if (!FitsFilePath(path_)) return IniKeys{};
  // A read of each key opens the file anew, which for some hundreds of keys
  // takes a noticeable time. A list cut short by the buffer ends two
  // characters before its end.
  std::vector<char> lines(32 * 1024);
  for (;;) {
    const DWORD n = GetPrivateProfileSectionA(section.c_str(), lines.data(),
                                              static_cast<DWORD>(lines.size()), path_.c_str());
    if (n + 2 < lines.size()) return KeysOfSection({lines.data(), n});
    lines.resize(lines.size() * 2);
  }
}

std::string ExePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  // The module's name is the path as the starter spelled it.
  std::string longPath = AnsweredPath(
      [&](char* buffer, DWORD size) { return GetLongPathNameA(path.c_str(), buffer, size); });
  return longPath.empty() ? path : longPath;
}

}  // namespace vantrel
